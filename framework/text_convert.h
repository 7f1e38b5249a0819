// Conversion of UTF-16 text to the 8-bit ANSI code page the program works in.
#pragma once

#include <cstddef>
#include <string>

// Characters the code page cannot hold become its default character ('?').
std::string WideToAnsi(const char16_t* text, std::size_t length);
// The other way: ANSI text as UTF-16 (Windows builds only).
std::wstring AnsiToWide(const std::string& text);
