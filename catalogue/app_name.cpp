#include "catalogue/app_name.h"

#include "framework/text_convert.h"

namespace {

constexpr char16_t kLineFeed = 0x000A;
constexpr char16_t kCarriageReturn = 0x000D;

char16_t UnitAt(std::string_view bytes, std::size_t offset) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[offset]) |
                                 static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

// The line's text in the ANSI code page: up to its CR LF, or to a unit 0 inside it.
std::string LineText(std::u16string& line) {
    const std::size_t zero = line.find(char16_t{0});
    if (zero != std::u16string::npos)
        line.resize(zero);
    else if (!line.empty() && line.back() == kCarriageReturn)
        line.pop_back();
    return WideToAnsi(line.data(), line.size());
}

bool FindKey(std::u16string& line, AppNameResult& result) {
    const std::string text = LineText(line);
    const std::size_t at = text.find(kAppNameKey);
    if (at == std::string::npos)
        return false;
    result.outcome = AppNameResult::found;
    result.name = text.substr(at + kAppNameKey.size());
    return true;
}

} // namespace

AppNameResult ReadAppNameFromBytes(std::string_view bytes) {
    AppNameResult result;
    if (bytes.empty()) {
        result.outcome = AppNameResult::empty;
        return result;
    }
    if (bytes.size() > kMaxConnectionFileBytes)
        bytes = bytes.substr(0, kMaxConnectionFileBytes);
    std::u16string line;
    // The byte-order mark's value does not matter.
    for (std::size_t offset = 2; offset + 1 < bytes.size(); offset += 2) {
        const char16_t unit = UnitAt(bytes, offset);
        if (unit != kLineFeed) {
            line.push_back(unit);
            continue;
        }
        if (FindKey(line, result))
            return result;
        line.clear();
    }
    if (!line.empty())
        FindKey(line, result);
    return result;
}
