// Native builds stand in Windows-1252 for the ANSI code page: the code page of the systems
// the program meets, and the one the unit tests expect.
#include "framework/text_convert.h"

#include <array>

namespace {

constexpr char kDefaultChar = '?';

// Characters of the bytes 0x80..0x9F. The five bytes the code page leaves undefined map to
// the control character of the same number, as the system's own table does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

char ToCodePage(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return kDefaultChar;
}

} // namespace

std::string WideToAnsi(const char16_t* text, std::size_t length) {
    std::string result;
    result.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t c = text[i];
        // A pair stands for one character outside the code page: one default character.
        if (IsHighSurrogate(c) && i + 1 < length && IsLowSurrogate(text[i + 1]))
            ++i;
        result.push_back(ToCodePage(c));
    }
    return result;
}
