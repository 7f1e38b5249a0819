// Client-supplied text made safe for one log line.
#pragma once

#include <cstddef>
#include <string>

// Printable ASCII stays as it is; '\'', '\\' and every other byte become \xNN. Longer
// text is cut at `maxBytes` input bytes and marked with "...".
std::string LogText(const std::string& text, std::size_t maxBytes = 64);
