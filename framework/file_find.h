// Folder listings: the entries of one folder that match a pattern, one at a time, with their
// names as the file system holds them (UTF-16: a name may lie outside the ANSI code page).
//
//   CFileFind finder;
//   BOOL more = finder.FindFile(folder + L"*.*");
//   while (more) {
//       more = finder.FindNextFile(); // steps onto the next entry; FALSE on the last one
//       ... finder.GetFileName() ...
//   }
#pragma once

#include <windows.h>

#include <string>

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a listing; FALSE when it cannot be started or nothing matches.
    BOOL FindFile(const std::wstring& pattern);
    // Makes the next entry current; FALSE when it is the listing's last.
    BOOL FindNextFile();
    BOOL IsDirectory() const;
    BOOL IsDots() const; // "." or ".."
    std::wstring GetFileName() const;
    void Close();

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW m_next{};    // the entry FindNextFile moves to
    WIN32_FIND_DATAW m_current{}; // the entry the getters describe
    bool m_bHasNext = false;
};
