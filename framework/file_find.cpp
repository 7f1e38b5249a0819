#include "framework/file_find.h"

#include <cwchar>

BOOL CFileFind::FindFile(const std::wstring& pattern) {
    Close();
    m_hFind = FindFirstFileW(pattern.c_str(), &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile() {
    if (!m_bHasNext)
        return FALSE;
    m_current = m_next;
    m_bHasNext = ::FindNextFileW(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

BOOL CFileFind::IsDirectory() const {
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

BOOL CFileFind::IsDots() const {
    return IsDirectory() && (std::wcscmp(m_current.cFileName, L".") == 0 ||
                             std::wcscmp(m_current.cFileName, L"..") == 0);
}

std::wstring CFileFind::GetFileName() const {
    return m_current.cFileName;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasNext = false;
}
