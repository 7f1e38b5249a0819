// Texts of the string table.
#pragma once

#include <windows.h>

#include <string>

// String nID of the program's string table; "" when there is none.
std::string AfxLoadString(UINT nID);

// Field index (from 0) of a text whose fields are separated by '\n'; "" past the last one.
std::string AfxExtractSubString(const std::string& text, int index);
