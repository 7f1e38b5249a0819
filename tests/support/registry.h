// Registry access for setting up and checking a test: the program's settings and the shell
// associations the doubles stand behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace support {

// Removes the key and everything under it; true also when it did not exist.
bool DeleteRegistryTree(HKEY root, const std::string& subKey);
// Creates the key as needed. An empty name sets the key's default value.
bool WriteRegistryString(HKEY root, const std::string& subKey, const std::string& name,
                         const std::string& value);
bool WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& name, DWORD value);
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& subKey,
                                              const std::string& name);
std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& subKey,
                                       const std::string& name);

} // namespace support
