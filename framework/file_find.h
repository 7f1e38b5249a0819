// Folder listings: the entries of one folder that match a pattern, one at a time.
//
//   CFileFind finder;
//   BOOL more = finder.FindFile(folder + "*.*");
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
    BOOL FindFile(const std::string& pattern);
    // Makes the next entry current; FALSE when it is the listing's last.
    BOOL FindNextFile();
    BOOL IsDirectory() const;
    BOOL IsDots() const; // "." or ".."
    std::string GetFileName() const;
    void Close();

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next{};    // the entry FindNextFile moves to
    WIN32_FIND_DATAA m_current{}; // the entry the getters describe
    bool m_bHasNext = false;
};
