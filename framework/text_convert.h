// Conversion of UTF-16 text to the 8-bit ANSI code page the program works in.
#pragma once

#include <cstddef>
#include <string>

// Characters the code page lacks become what the system's conversion makes of them: a
// look-alike where the code page has one (best-fit mapping: U+0100 as 'A', a full-width 'A'
// as 'A'), else the default character ('?'). The native builds map without best fit, so there
// every such character is '?'.
std::string WideToAnsi(const char16_t* text, std::size_t length);
// The other way: ANSI text as UTF-16 (Windows builds only).
std::wstring AnsiToWide(const std::string& text);
