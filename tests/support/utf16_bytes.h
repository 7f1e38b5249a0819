// ASCII text as the bytes of UTF-16LE, the encoding of connection files (no byte-order mark).
#pragma once

#include <string>

namespace support {

inline std::string Utf16Bytes(const std::string& ascii) {
    std::string out;
    for (const char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

} // namespace support
