#include "framework/file_find.h"

#include <cstring>

BOOL CFileFind::FindFile(const std::string& pattern) {
    Close();
    m_hFind = FindFirstFileA(pattern.c_str(), &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return FALSE;
    m_current = m_next;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

BOOL CFileFind::IsDirectory() const {
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CFileFind::IsDots() const {
    return IsDirectory() && (std::strcmp(m_current.cFileName, ".") == 0 ||
                             std::strcmp(m_current.cFileName, "..") == 0);
}

std::string CFileFind::GetFileName() const {
    return m_current.cFileName;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasNext = false;
}
