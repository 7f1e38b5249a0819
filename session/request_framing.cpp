#include "session/request_framing.h"

#include "session/protocol.h"

#include <cstddef>

namespace {

constexpr std::size_t kTotalPos = protocol::kKindPos + 1; // right after the kind letter
constexpr std::size_t kTotalDigits = 4;
constexpr std::size_t kLengthDigits = 2;

std::string Digits(std::size_t value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    return text;
}

// Exactly `width` decimal digits at `pos`; no sign, no blanks.
std::optional<std::size_t> ReadDigits(std::string_view text, std::size_t pos, std::size_t width) {
    if (text.size() < pos + width)
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

std::optional<std::string> FrameRequest(char kind, const std::vector<std::string>& fields) {
    std::string request = protocol::Text(kind, {});
    for (const std::string& field : fields) {
        if (field.size() > kMaxFramedFieldLength)
            return std::nullopt;
        request += Digits(field.size(), kLengthDigits);
        request += field;
        if (request.size() - kTotalPos > kMaxFramedTotal)
            return std::nullopt;
    }
    request.insert(kTotalPos, Digits(request.size() - kTotalPos, kTotalDigits));
    return request;
}

std::optional<FramedRequest> ParseFramedRequest(std::string_view text) {
    if (text.size() <= protocol::kKindPos ||
        text.substr(0, protocol::kKindPos) != protocol::kPrefix)
        return std::nullopt;
    std::optional<std::vector<std::string>> fields = ParseFramedFields(text.substr(kTotalPos));
    if (!fields)
        return std::nullopt;
    return FramedRequest{text[protocol::kKindPos], std::move(*fields)};
}

std::optional<std::vector<std::string>> ParseFramedFields(std::string_view body) {
    const auto total = ReadDigits(body, 0, kTotalDigits);
    std::size_t pos = kTotalDigits;
    if (!total || body.size() - pos != *total)
        return std::nullopt;

    std::vector<std::string> fields;
    while (pos < body.size()) {
        const auto length = ReadDigits(body, pos, kLengthDigits);
        pos += kLengthDigits;
        if (!length || body.size() - pos < *length)
            return std::nullopt;
        fields.emplace_back(body.substr(pos, *length));
        pos += *length;
    }
    return fields;
}
