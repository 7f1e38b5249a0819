#include "catalogue/file_scanner.h"

#include "catalogue/catalogue_rules.h"
#include "catalogue/catalogue_texts.h"
#include "framework/file_find.h"
#include "framework/message_box.h"

#include <windows.h>

#include <vector>

CFileScanner::CFileScanner()
    : m_report([](const std::string& text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }) {}

CFileScanner::CFileScanner(Report report) : m_report(std::move(report)) {}

BOOL CFileScanner::Scan(std::string folder, std::list<std::string>* result) {
    m_strRoot = WithBackslash(folder);
    m_pResult = result;
    const DWORD attributes = GetFileAttributesA(m_strRoot.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        m_report(m_strRoot + catalogue_texts::kFolderError);
        return FALSE;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        m_report(m_strRoot + catalogue_texts::kNotAFolder);
        return FALSE;
    }
    m_visited.clear();
    FirstVisit(m_strRoot);
    m_dirQueue.push_back(m_strRoot);
    while (!m_dirQueue.empty())
        ScanNextDir();
    return TRUE;
}

BOOL CFileScanner::ScanNextDir() {
    const std::string dir = m_dirQueue.front();
    std::vector<FolderEntry> entries;
    CFileFind finder;
    BOOL more = finder.FindFile(dir + "*.*");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            entries.push_back({finder.GetFileName(), finder.IsDirectory() != FALSE});
    }
    finder.Close();
    SortFolderEntries(entries);
    for (const FolderEntry& entry : entries) {
        const std::string path = dir + entry.name;
        if (entry.isFolder) {
            const std::string sub = path + "\\";
            if (FirstVisit(sub))
                m_dirQueue.push_back(sub);
        } else if (IsWantedFile(path) && m_pResult != nullptr) {
            m_pResult->push_back(path);
        }
    }
    m_dirQueue.pop_front();
    return TRUE;
}

bool CFileScanner::FirstVisit(const std::string& dir) {
    const HANDLE folder =
        CreateFileA(dir.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    // A folder that cannot be identified cannot be listed either; a loop through such folders
    // still ends when the path grows too long to list.
    if (folder == INVALID_HANDLE_VALUE)
        return true;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known)
        return true;
    return m_visited.emplace(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow)
        .second;
}

BOOL CFileScanner::IsWantedFile(const std::string& path) {
    return IsConnectionFile(path);
}

std::string CFileScanner::WithBackslash(const std::string& path) {
    return WithTrailingBackslash(path);
}
