// Starting remote applications: the remote desktop client on each chosen connection file.
#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "catalogue/connection_file_check.h"
#include "deployment.h"
#include "framework/wide_path.h"

#include <shellapi.h>

namespace {

// The client in the system folder, by its full path; empty when it is not there. Never the
// bare name: the shell would look in the program's folder and the current folder first, and
// a per-user install folder is writable by anything the user runs.
std::wstring RemoteDesktopClient() {
    const std::wstring path = AfxGetSystemFilePathW(L"mstsc.exe");
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {};
    return path;
}

} // namespace

void CChatView::LaunchApp(const std::wstring& path) {
    if (!ConnectionFileMayLaunch(*this, path))
        return;
    const std::wstring parameters = L"\"" + path + L"\"";
    const std::wstring client = RemoteDesktopClient();
    const UINT_PTR started =
        client.empty()
            ? 0
            : reinterpret_cast<UINT_PTR>(ShellExecuteW(nullptr, L"open", client.c_str(),
                                                       parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (started <= 32)
        MessageBox(std::string(catalogue_texts::kLaunchFailed) + deployment::kRdpHost + ".",
                   catalogue_texts::kLaunchFailedCaption, MB_OK);
}

void CChatView::OnConnect() {
    int current = GetNextItem(-1, LVNI_SELECTED);
    while (current != -1) {
        // Asked before the start: a failure box is modal, and the list may change meanwhile.
        const int next = GetNextItem(current, LVNI_SELECTED);
        if (const int app = AppOfItem(current); app != -1)
            LaunchApp(g_remoteApps[static_cast<std::size_t>(app)].m_widePath);
        current = next;
    }
}

void CChatView::OnLButtonDblClk(UINT, POINT point) {
    if (const int app = AppOfItem(ItemAt(point)); app != -1)
        LaunchApp(g_remoteApps[static_cast<std::size_t>(app)].m_widePath);
    Default();
}
