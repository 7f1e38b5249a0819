#include "framework/resource_string.h"

#include "framework/win_app.h"

#include <vector>

std::string AfxLoadString(UINT nID) {
    // LoadStringA cuts a string that does not fit, so grow the buffer until it does; a
    // string resource holds at most 65535 characters.
    for (std::size_t size = 256; size <= 65536; size *= 2) {
        std::vector<char> buffer(size);
        const int length =
            LoadStringA(AfxGetInstanceHandle(), nID, buffer.data(), static_cast<int>(size));
        if (length <= 0)
            return {};
        if (static_cast<std::size_t>(length) < size - 1 || size == 65536)
            return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    return {};
}

std::string AfxExtractSubString(const std::string& text, int index) {
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    const std::size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
