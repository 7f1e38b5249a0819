#include "catalogue/file_scanner.h"

#include "catalogue/catalogue_rules.h"
#include "catalogue/catalogue_texts.h"
#include "framework/file_find.h"
#include "framework/message_box.h"
#include "framework/wide_path.h"

#include <windows.h>

#include <vector>

namespace {

// The 128-bit file id (Windows 8 on; the program also runs where only the 64-bit index exists,
// so the record and its class number are spelled out here).
struct FileId128 {
    ULONGLONG volumeSerialNumber;
    BYTE identifier[16];
};
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

std::wstring ResolvedPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = GetFinalPathNameByHandleW(
            handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length + 1); // too small: length is the size needed
    }
    return {};
}

} // namespace

CFileScanner::CFileScanner()
    : m_report([](const std::string& text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }) {}

CFileScanner::CFileScanner(Report report) : m_report(std::move(report)) {}

BOOL CFileScanner::Scan(std::wstring folder, std::list<std::wstring>* result) {
    m_strRoot = WithBackslash(folder);
    m_pResult = result;
    const DWORD attributes = GetFileAttributesW(m_strRoot.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        m_report(PathForDisplay(m_strRoot) + catalogue_texts::kFolderError);
        return FALSE;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        m_report(PathForDisplay(m_strRoot) + catalogue_texts::kNotAFolder);
        return FALSE;
    }
    m_visited.clear();
    const Folder root = Identify(m_strRoot);
    m_resolvedRoot = root.resolved ? std::get<3>(root.id) : std::wstring();
    if (root.known)
        m_visited.insert(root.id);
    m_dirQueue.push_back(m_strRoot);
    while (!m_dirQueue.empty())
        ScanNextDir();
    return TRUE;
}

BOOL CFileScanner::ScanNextDir() {
    const std::wstring dir = m_dirQueue.front();
    std::vector<FolderEntry> entries;
    CFileFind finder;
    BOOL more = finder.FindFile(dir + L"*.*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            entries.push_back({finder.GetFileName(), finder.IsDirectory() != FALSE});
    }
    finder.Close();
    SortFolderEntries(entries);
    for (const FolderEntry& entry : entries) {
        const std::wstring path = dir + entry.name;
        if (entry.isFolder) {
            const std::wstring sub = path + L"\\";
            if (ShouldWalk(sub))
                m_dirQueue.push_back(sub);
        } else if (IsWantedFile(path) && m_pResult != nullptr) {
            m_pResult->push_back(path);
        }
    }
    m_dirQueue.pop_front();
    return TRUE;
}

CFileScanner::Folder CFileScanner::Identify(const std::wstring& dir) {
    const HANDLE handle =
        CreateFileW(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    Folder folder;
    auto& [volume, idHigh, idLow, resolved] = folder.id;
    FileId128 id{};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandleEx(handle, kFileIdInfo, &id, sizeof id)) {
        volume = id.volumeSerialNumber;
        for (int i = 0; i < 8; ++i) {
            idLow |= static_cast<unsigned long long>(id.identifier[i]) << (8 * i);
            idHigh |= static_cast<unsigned long long>(id.identifier[8 + i]) << (8 * i);
        }
        folder.known = true;
    } else if (GetFileInformationByHandle(handle, &info)) {
        volume = info.dwVolumeSerialNumber;
        idLow = static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
        folder.known = true;
    }
    resolved = ResolvedPath(handle);
    CloseHandle(handle);
    folder.resolved = !resolved.empty();
    // Without the resolved path the identity falls back to the path the walk formed.
    if (!folder.resolved)
        resolved = dir.substr(0, dir.size() - 1);
    return folder;
}

bool CFileScanner::ShouldWalk(const std::wstring& dir) {
    const Folder folder = Identify(dir);
    // A folder that cannot be identified cannot be listed either; a loop through such folders
    // still ends when the path grows too long to list.
    if (!folder.known)
        return true;
    if (folder.resolved && !m_resolvedRoot.empty() &&
        !IsInsideFolder(m_resolvedRoot, std::get<3>(folder.id)))
        return false;
    return m_visited.insert(folder.id).second;
}

BOOL CFileScanner::IsWantedFile(const std::wstring& path) {
    return IsConnectionFile(path);
}

std::wstring CFileScanner::WithBackslash(const std::wstring& path) {
    return WithTrailingBackslash(path);
}
