// The catalogue half of the list view: the folder walk and the connection-file reader.
#include "catalogue/app_name.h"
#include "catalogue/catalogue_rules.h"
#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "catalogue/file_scanner.h"
#include "framework/text_convert.h"
#include "framework/wait_cursor.h"
#include "framework/win_app.h"

#include <list>
#include <optional>

namespace {

// The file's bytes, at most what a connection file can hold; nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char chunk[16384];
    DWORD got = 0;
    while (bytes.size() < kMaxConnectionFileBytes &&
           ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

} // namespace

std::string CChatView::GetFolder(const std::string& path) {
    return GetFolderOf(path);
}

void CChatView::LoadCatalogue() {
    const std::string folder = GetFolder(AfxGetModulePath()) + "apps";
    std::list<std::string> paths;
    CFileScanner scanner;
    CWaitCursor wait;
    if (!scanner.Scan(folder, &paths))
        return;
    for (const std::string& path : paths) {
        RemoteAppItem item;
        if (MakeAppItem(path, item)) {
            item.m_nIndex = static_cast<std::int32_t>(g_remoteApps.size());
            g_remoteApps.push_back(item);
            ++m_nCount;
        }
    }
}

BOOL CChatView::MakeAppItem(std::string path, RemoteAppItem& item) {
    item.m_strPath = path;
    item.m_widePath = AnsiToWide(path);
    std::string name;
    if (!ReadAppName(std::move(path), name) || name.empty())
        return FALSE;
    item.m_strName = name;
    return TRUE;
}

BOOL CChatView::ReadAppName(std::string path, std::string& name) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    const AppNameResult result =
        bytes ? ReadAppNameFromBytes(*bytes) : AppNameResult{AppNameResult::notFound, {}};
    switch (result.outcome) {
    case AppNameResult::found:
        name = result.name;
        return TRUE;
    case AppNameResult::empty:
        return FALSE;
    case AppNameResult::notFound:
        break;
    }
    MessageBox(catalogue_texts::kNameNotFound, path.c_str(), MB_OK);
    return FALSE;
}
