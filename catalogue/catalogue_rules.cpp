#include "catalogue/catalogue_rules.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kWantedExtensions[] = {L".rdp"};
constexpr std::wstring_view kDevices[] = {
    L"CON",  L"PRN",  L"AUX",  L"NUL",       L"CONIN$",    L"CONOUT$",
    L"COM1", L"COM2", L"COM3", L"COM4",      L"COM5",      L"COM6",
    L"COM7", L"COM8", L"COM9", L"COM\u00B9", L"COM\u00B2", L"COM\u00B3",
    L"LPT1", L"LPT2", L"LPT3", L"LPT4",      L"LPT5",      L"LPT6",
    L"LPT7", L"LPT8", L"LPT9", L"LPT\u00B9", L"LPT\u00B2", L"LPT\u00B3",
};

// Only the ASCII letters change case, so no locale's rule can make a false match.
wchar_t Upper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return Upper(x) == Upper(y); });
}

bool UpperLess(const std::wstring& a, const std::wstring& b) {
    const auto upper = [](wchar_t c) { return static_cast<unsigned>(Upper(c)); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [&](wchar_t x, wchar_t y) { return upper(x) < upper(y); });
    if (less)
        return true;
    // Names equal but for case (possible on a case-sensitive file system) keep a fixed order.
    const bool greater =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                     [&](wchar_t x, wchar_t y) { return upper(x) < upper(y); });
    return !greater && a < b;
}

std::wstring_view FinalComponent(std::wstring_view path) {
    const std::size_t start = path.find_last_of(L"\\/:");
    return start == std::wstring_view::npos ? path : path.substr(start + 1);
}

} // namespace

std::wstring GetFolderOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring()
                                            : std::wstring(path.substr(0, slash + 1));
}

std::wstring WithTrailingBackslash(std::wstring_view path) {
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\')
        result.push_back(L'\\');
    return result;
}

bool IsConnectionFile(std::wstring_view path) {
    const std::wstring_view name = FinalComponent(path);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring_view::npos)
        return false;
    const std::wstring_view extension = name.substr(dot);
    return std::any_of(
        std::begin(kWantedExtensions), std::end(kWantedExtensions),
        [&](std::wstring_view wanted) { return EqualIgnoringCase(extension, wanted); });
}

bool IsDeviceName(std::wstring_view path) {
    std::wstring_view stem = FinalComponent(path);
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    return std::any_of(std::begin(kDevices), std::end(kDevices),
                       [&](std::wstring_view device) { return EqualIgnoringCase(stem, device); });
}

bool IsInsideFolder(std::wstring_view folder, std::wstring_view path) {
    if (!folder.empty() && folder.back() == L'\\')
        folder.remove_suffix(1);
    return path.size() > folder.size() + 1 && path[folder.size()] == L'\\' &&
           EqualIgnoringCase(path.substr(0, folder.size()), folder);
}

void SortFolderEntries(std::vector<FolderEntry>& entries) {
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return UpperLess(a.name, b.name); });
}
