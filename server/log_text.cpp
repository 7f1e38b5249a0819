#include "server/log_text.h"

std::string LogText(const std::string& text, std::size_t maxBytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    const std::size_t shown = text.size() < maxBytes ? text.size() : maxBytes;
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= ' ' && c < 0x7F && c != '\'' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    if (shown < text.size())
        out += "...";
    return out;
}
