// Text requests made of fields: the protocol's prefix and a kind letter (protocol.h), a
// four-digit total, then each field as two length digits and its text. The total counts
// everything after itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxFramedFieldLength = 99;
inline constexpr std::size_t kMaxFramedTotal = 9999;

// std::nullopt when a field or the total would not fit its digits; callers refuse such
// input before anything is sent.
std::optional<std::string> FrameRequest(char kind, const std::vector<std::string>& fields);

struct FramedRequest {
    char kind = 0;
    std::vector<std::string> fields;
};

// The reverse of FrameRequest: std::nullopt unless the text is exactly one framed request.
std::optional<FramedRequest> ParseFramedRequest(std::string_view text);
// The fields of the body after the kind letter (the total, then the fields): std::nullopt
// unless the body is exactly that.
std::optional<std::vector<std::string>> ParseFramedFields(std::string_view body);
