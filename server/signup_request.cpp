#include "server/signup_request.h"

#include <cstddef>

namespace {

// Reads `width` decimal digits at `pos`; no sign, no spaces.
std::optional<std::size_t> ReadDigits(const std::string& text, std::size_t pos, std::size_t width) {
    if (pos > text.size() || text.size() - pos < width)
        return std::nullopt;
    std::size_t value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<SignUpFields> ParseSignUpFields(const std::string& body) {
    const std::optional<std::size_t> total = ReadDigits(body, 0, 4);
    if (!total || *total != body.size() - 4)
        return std::nullopt;

    std::string fields[3];
    std::size_t pos = 4;
    for (std::string& field : fields) {
        const std::optional<std::size_t> length = ReadDigits(body, pos, 2);
        if (!length)
            return std::nullopt;
        pos += 2;
        if (body.size() - pos < *length)
            return std::nullopt;
        field = body.substr(pos, *length);
        pos += *length;
    }
    if (pos != body.size())
        return std::nullopt;
    return SignUpFields{std::move(fields[0]), std::move(fields[1]), std::move(fields[2])};
}
