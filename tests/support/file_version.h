// The version a Windows file carries in its version resource.
#pragma once

#include <string>

namespace support {

// The four numbers of the file's fixed version block as "a.b.c.d"; empty when it has none.
std::string FileVersion(const std::string& path);

} // namespace support
