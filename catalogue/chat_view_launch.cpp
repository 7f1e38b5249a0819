// Starting remote applications: the remote desktop client on each chosen connection file.
#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "deployment.h"

#include <shellapi.h>

namespace {

constexpr char kClientName[] = "mstsc.exe";

// The client in the system folder, by its full path, so that a program of that name in the
// current folder is never started in its place; the bare name only when it is not there.
std::string RemoteDesktopClient() {
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, sizeof folder);
    if (n == 0 || n >= sizeof folder)
        return kClientName;
    const std::string path = std::string(folder, n) + "\\" + kClientName;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return kClientName;
    return path;
}

} // namespace

void CChatView::LaunchApp(const std::string& path) {
    const std::string parameters = "\"" + path + "\"";
    const std::string client = RemoteDesktopClient();
    const HINSTANCE started =
        ShellExecuteA(nullptr, "open", client.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<UINT_PTR>(started) <= 32)
        MessageBox(std::string(catalogue_texts::kLaunchFailed) + deployment::kRdpHost + ".",
                   catalogue_texts::kLaunchFailedCaption, MB_OK);
}

void CChatView::OnConnect() {
    int current = GetNextItem(-1, LVNI_SELECTED);
    while (current != -1) {
        // Asked before the start: a failure box is modal, and the list may change meanwhile.
        const int next = GetNextItem(current, LVNI_SELECTED);
        if (current >= 0 && static_cast<std::size_t>(current) < g_remoteApps.size())
            LaunchApp(g_remoteApps[static_cast<std::size_t>(current)].m_strPath);
        current = next;
    }
}

void CChatView::OnLButtonDblClk(UINT, POINT point) {
    const int item = ItemAt(point);
    if (item >= 0 && static_cast<std::size_t>(item) < g_remoteApps.size())
        LaunchApp(g_remoteApps[static_cast<std::size_t>(item)].m_strPath);
    Default();
}
