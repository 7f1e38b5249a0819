// The connection-file reading the program replaced, kept here only to be measured against:
// text mode, the byte-order mark read, then fgets chunks of at most 511 bytes, each converted
// and searched, one byte skipped after each.
#pragma once

#include <string>

bool ReadAppNameByChunks(const std::string& path, std::string& name);
