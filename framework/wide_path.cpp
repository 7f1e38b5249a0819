#include "framework/wide_path.h"

#include "framework/text_convert.h"

#include <windows.h>

#include <vector>

std::wstring AfxGetModulePathW() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::wstring(path.data(), length);
        if (path.size() >= 32768) // longer than any path the system has
            return {};
        path.resize(path.size() * 2);
    }
}

std::wstring AfxGetSystemFilePathW(const wchar_t* fileName) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\" + fileName;
}

std::string PathForDisplay(const std::wstring& path) {
    return WideToAnsi(reinterpret_cast<const char16_t*>(path.data()), path.size());
}
