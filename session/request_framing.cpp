#include "session/request_framing.h"

#include <cstddef>

namespace {

constexpr std::string_view kPrefix = "SKD";
constexpr std::size_t kTotalPos = kPrefix.size() + 1; // right after the kind letter
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
    std::string request(kPrefix);
    request.push_back(kind);
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
    if (text.substr(0, kPrefix.size()) != kPrefix || text.size() <= kPrefix.size())
        return std::nullopt;
    const auto total = ReadDigits(text, kTotalPos, kTotalDigits);
    std::size_t pos = kTotalPos + kTotalDigits;
    if (!total || text.size() - pos != *total)
        return std::nullopt;

    FramedRequest request;
    request.kind = text[kPrefix.size()];
    while (pos < text.size()) {
        const auto length = ReadDigits(text, pos, kLengthDigits);
        pos += kLengthDigits;
        if (!length || text.size() - pos < *length)
            return std::nullopt;
        request.fields.emplace_back(text.substr(pos, *length));
        pos += *length;
    }
    return request;
}
