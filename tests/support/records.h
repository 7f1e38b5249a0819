// What the recording doubles wrote (see record_format.h).
#pragma once

#include <string>
#include <vector>

#include "tests/support/wait.h"

namespace support {

// The lines in <folder>\<name>.record, oldest first; empty while the file does not exist.
std::vector<std::string> ReadRecord(const std::string& folder, const std::string& name);
// Waits until the record holds at least count lines; returns what it holds then.
std::vector<std::string> WaitForRecord(const std::string& folder, const std::string& name,
                                       std::size_t count = 1, Millis timeout = kDefaultTimeout);

// A command line without its first word, the program (quoted or not), and the blanks after it.
std::string ArgumentsOf(const std::string& commandLine);

} // namespace support
