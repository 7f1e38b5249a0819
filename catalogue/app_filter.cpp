#include "catalogue/app_filter.h"

namespace {

// Bytes of the character that starts at text[at]: two for a lead byte with its trail, else one.
std::size_t CharLength(std::string_view text, std::size_t at, const AnsiCase& rules) {
    const auto byte = static_cast<unsigned char>(text[at]);
    return rules.leadByte[byte] && at + 1 < text.size() ? 2 : 1;
}

bool SameChar(std::string_view a, std::string_view b, const AnsiCase& rules) {
    if (a.size() != b.size())
        return false;
    if (a.size() == 2)
        return a == b;
    return rules.lower[static_cast<unsigned char>(a[0])] ==
           rules.lower[static_cast<unsigned char>(b[0])];
}

// TRUE when typed matches name from byte at on, character by character.
bool MatchesAt(std::string_view name, std::size_t at, std::string_view typed,
               const AnsiCase& rules) {
    std::size_t t = 0;
    while (t < typed.size()) {
        if (at >= name.size())
            return false;
        const std::size_t nameChar = CharLength(name, at, rules);
        const std::size_t typedChar = CharLength(typed, t, rules);
        if (!SameChar(name.substr(at, nameChar), typed.substr(t, typedChar), rules))
            return false;
        at += nameChar;
        t += typedChar;
    }
    return true;
}

} // namespace

AnsiCase AnsiCase::Ascii() {
    AnsiCase rules;
    for (int c = 0; c < 256; ++c)
        rules.lower[static_cast<std::size_t>(c)] =
            static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return rules;
}

bool NameContains(std::string_view name, std::string_view typed, const AnsiCase& rules) {
    if (typed.empty())
        return true;
    for (std::size_t at = 0; at < name.size(); at += CharLength(name, at, rules)) {
        if (name.size() - at < typed.size())
            return false;
        if (MatchesAt(name, at, typed, rules))
            return true;
    }
    return false;
}

std::vector<int> MatchingApps(const std::vector<RemoteAppItem>& apps, std::string_view typed,
                              const AnsiCase& rules) {
    std::vector<int> found;
    for (std::size_t i = 0; i < apps.size(); ++i)
        if (NameContains(apps[i].m_strName, typed, rules))
            found.push_back(static_cast<int>(i));
    return found;
}
