// CWinApp's settings in the registry.
#include "framework/win_app.h"

#include "framework/text_convert.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr const char* kRecentFileSection = "Recent File List";
constexpr const char* kRecentFileEntry = "File"; // followed by the entry's number from 1
constexpr const char* kPreviewSection = "Settings";
constexpr const char* kPreviewEntry = "PreviewPages";

class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() {
        if (m_hKey != nullptr)
            RegCloseKey(m_hKey);
    }
    bool Open(const std::string& path) {
        return RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &m_hKey) ==
               ERROR_SUCCESS;
    }
    bool Create(const std::string& path) {
        return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, &m_hKey, nullptr) == ERROR_SUCCESS;
    }
    HKEY get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

} // namespace

void CWinApp::SetRegistryKey(const char* lpszCompany) {
    m_strRegistryKey = lpszCompany != nullptr ? lpszCompany : "";
}

std::string CWinApp::SectionKey(const char* lpszSection) const {
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppName + "\\" + lpszSection;
}

UINT CWinApp::GetProfileInt(const char* lpszSection, const char* lpszEntry, int nDefault) const {
    RegKey key;
    if (m_strRegistryKey.empty() || !key.Open(SectionKey(lpszSection)))
        return static_cast<UINT>(nDefault);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* lpszSection, const char* lpszEntry, int nValue) {
    RegKey key;
    if (m_strRegistryKey.empty() || !key.Create(SectionKey(lpszSection)))
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    return RegSetValueExA(key.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(const char* lpszSection, const char* lpszEntry,
                                      const char* lpszDefault) const {
    const std::string fallback = lpszDefault != nullptr ? lpszDefault : "";
    RegKey key;
    if (m_strRegistryKey.empty() || !key.Open(SectionKey(lpszSection)))
        return fallback;
    // The value may grow between asking its size and reading it; ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), lpszEntry, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return fallback;
        std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
        DWORD read = size;
        const LONG result = RegQueryValueExA(key.get(), lpszEntry, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return fallback;
        // The stored bytes need not end in a NUL; the text ends at the first one.
        const std::string text(data.data(), std::min(read, size));
        return text.substr(0, text.find('\0'));
    }
    return fallback;
}

std::wstring CWinApp::GetProfileStringW(const char* lpszSection, const char* lpszEntry,
                                        const std::wstring& fallback) const {
    RegKey key;
    if (m_strRegistryKey.empty() || !key.Open(SectionKey(lpszSection)))
        return fallback;
    const std::wstring entry = AnsiToWide(lpszEntry);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), entry.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return fallback;
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD read = size;
        const LONG result = RegQueryValueExW(key.get(), entry.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return fallback;
        const std::wstring text(data.data(), std::min(read, size) / sizeof(wchar_t));
        return text.substr(0, text.find(L'\0'));
    }
    return fallback;
}

BOOL CWinApp::WriteProfileString(const char* lpszSection, const char* lpszEntry,
                                 const char* lpszValue) {
    RegKey key;
    if (m_strRegistryKey.empty() || lpszValue == nullptr || !key.Create(SectionKey(lpszSection)))
        return FALSE;
    const std::string value = lpszValue;
    return RegSetValueExA(key.get(), lpszEntry, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_recentFiles.assign(nMaxMRU, std::string());
    for (UINT i = 0; i < nMaxMRU; ++i) {
        const std::string entry = kRecentFileEntry + std::to_string(i + 1);
        m_recentFiles[i] = GetProfileString(kRecentFileSection, entry.c_str());
    }
    m_nNumPreviewPages = static_cast<int>(GetProfileInt(kPreviewSection, kPreviewEntry, 0));
    m_bStdProfileLoaded = true;
}

// Entries that are empty are not written, so a program that never opened a file leaves no
// trace of the list; the page count is written only once it differs from the default.
void CWinApp::SaveStdProfileSettings() {
    for (std::size_t i = 0; i < m_recentFiles.size(); ++i) {
        if (m_recentFiles[i].empty())
            continue;
        const std::string entry = kRecentFileEntry + std::to_string(i + 1);
        WriteProfileString(kRecentFileSection, entry.c_str(), m_recentFiles[i].c_str());
    }
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(kPreviewSection, kPreviewEntry, m_nNumPreviewPages);
}
