// Paths as the file system names them. The program's texts are 8-bit, but a folder may be
// named with characters the ANSI code page lacks (a user profile in another language): every
// path that is opened, listed or handed to another program stays UTF-16 from the system's
// answer to the system's call, and only its shown form is converted.
#pragma once

#include <string>

// The full path of the running program's executable; empty when the system cannot tell it.
std::wstring AfxGetModulePathW();
// The full path of a file in the system folder (whether or not it exists); empty when the
// system folder cannot be told. Programs and libraries of the system are started by this path,
// never by a bare name, which the system would look for in the program's folder first.
std::wstring AfxGetSystemFilePathW(const wchar_t* fileName);
// The path as it is shown: in the ANSI code page, characters it lacks as the system converts
// them.
std::string PathForDisplay(const std::wstring& path);
