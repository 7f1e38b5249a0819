// Finding applications by a part of their names: the text typed is looked for anywhere in a
// name, ignoring case, one character at a time in the ANSI code page, so a double-byte
// character is never matched by half or folded as if its bytes were letters.
#pragma once

#include "catalogue/remote_app_item.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// What the matching needs to know of a code page: the lower-case form of each single-byte
// character, and which bytes begin a double-byte character.
struct AnsiCase {
    std::array<unsigned char, 256> lower{};
    std::array<bool, 256> leadByte{};

    // ASCII letters fold, no byte leads a double-byte character.
    static AnsiCase Ascii();
};

// TRUE when typed occurs in name at a character boundary, ignoring case; an empty typed text
// is in every name.
bool NameContains(std::string_view name, std::string_view typed, const AnsiCase& rules);

// The positions (ascending) of the catalogue entries whose names contain typed.
std::vector<int> MatchingApps(const std::vector<RemoteAppItem>& apps, std::string_view typed,
                              const AnsiCase& rules);
