#include "catalogue/catalogue_rules.h"

#include <algorithm>

namespace {

constexpr std::string_view kWantedExtensions[] = {".rdp"};

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only the ASCII letters change case: a byte of a double-byte character never does, so a
// multibyte name is never lower-cased into a false match.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool UpperLess(const std::string& a, const std::string& b) {
    const auto upper = [](char c) { return static_cast<unsigned char>(Upper(c)); };
    const bool less =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [&](char x, char y) { return upper(x) < upper(y); });
    if (less)
        return true;
    // Names equal but for case (possible on a case-sensitive file system) keep a fixed order.
    const bool greater =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                     [&](char x, char y) { return upper(x) < upper(y); });
    return !greater && a < b;
}

} // namespace

std::string GetFolderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\')
        result.push_back('\\');
    return result;
}

bool IsConnectionFile(std::string_view path) {
    const std::size_t nameStart = path.find_last_of("\\/:");
    const std::string_view name =
        nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot);
    return std::any_of(
        std::begin(kWantedExtensions), std::end(kWantedExtensions),
        [&](std::string_view wanted) { return EqualIgnoringCase(extension, wanted); });
}

void SortFolderEntries(std::vector<FolderEntry>& entries) {
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return UpperLess(a.name, b.name); });
}
