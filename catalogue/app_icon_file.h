// An application's own icon: the icon file that stands beside its connection file under the
// same base name (Word.ico beside Word.rdp), and the check that decides whether such a file
// is handed to the system at all.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Icon files larger than this are not read: no sensible icon comes near it.
constexpr std::size_t kMaxIconFileBytes = 4u << 20;

// The path with the extension of its final component replaced by ".ico"; with no extension,
// ".ico" is appended.
std::wstring IconPathFor(std::wstring_view connectionFile);

// TRUE when bytes (a whole file) are an icon file whose every image lies inside it and is a
// bitmap or PNG image of at most 256 by 256 pixels. Empty, cut short, oversized and other
// formats give FALSE.
bool IsUsableIconFile(std::string_view bytes);
