// The catalogue half of the list view: the folder walk and the connection-file reader.
#include "catalogue/app_name.h"
#include "catalogue/catalogue_rules.h"
#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "catalogue/file_scanner.h"
#include "framework/wait_cursor.h"
#include "framework/wide_path.h"

#include <list>

namespace {

// Reads the file only as far as the reader needs; FALSE when it cannot be opened. A name the
// system takes for a device (COM1.rdp) is never opened: it could wait for the device forever.
bool ReadConnectionFile(const std::wstring& path, AppNameReader& reader) {
    if (IsDeviceName(path))
        return false;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[16384];
    DWORD got = 0;
    while (!reader.Done() && ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        reader.Feed(std::string_view(chunk, got));
    CloseHandle(file);
    return true;
}

} // namespace

std::wstring CChatView::GetFolder(const std::wstring& path) {
    return GetFolderOf(path);
}

void CChatView::LoadCatalogue() {
    const std::wstring folder = GetFolder(AfxGetModulePathW()) + L"apps";
    std::list<std::wstring> paths;
    CFileScanner scanner;
    CWaitCursor wait;
    if (!scanner.Scan(folder, &paths))
        return;
    for (const std::wstring& path : paths) {
        RemoteAppItem item;
        if (MakeAppItem(path, item)) {
            item.m_nIndex = static_cast<std::int32_t>(g_remoteApps.size());
            g_remoteApps.push_back(item);
            ++m_nCount;
        }
    }
}

BOOL CChatView::MakeAppItem(std::wstring path, RemoteAppItem& item) {
    item.m_strPath = PathForDisplay(path);
    item.m_widePath = path;
    std::string name;
    if (!ReadAppName(std::move(path), name) || name.empty())
        return FALSE;
    item.m_strName = name;
    return TRUE;
}

BOOL CChatView::ReadAppName(std::wstring path, std::string& name) {
    AppNameReader reader;
    const AppNameResult result = ReadConnectionFile(path, reader)
                                     ? reader.Finish()
                                     : AppNameResult{AppNameResult::notFound, {}};
    switch (result.outcome) {
    case AppNameResult::found:
        name = result.name;
        return TRUE;
    case AppNameResult::empty:
        return FALSE;
    case AppNameResult::notFound:
        break;
    }
    MessageBox(catalogue_texts::kNameNotFound, PathForDisplay(path).c_str(), MB_OK);
    return FALSE;
}
