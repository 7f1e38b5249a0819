// The words of the wire protocol, shared by the client and the reference server: every text
// starts with the prefix and a kind letter; a request carries its body after them, a reply its
// result digit. Text requests made of fields follow the framing in request_framing.h.
#pragma once

#include <string>
#include <string_view>

namespace protocol {

inline constexpr std::string_view kPrefix = "SKD";
inline constexpr std::size_t kKindPos = kPrefix.size();
inline constexpr std::size_t kResultPos = kKindPos + 1;

inline constexpr char kVersionKind = 'V'; // the version handshake and its reply
inline constexpr char kSignUpKind = 'R';  // a sign-up and its reply
inline constexpr char kGoodbyeKind = 'S'; // the goodbye, sent with the close flag

inline constexpr std::string_view kClientVersion = "000001";
inline constexpr std::string_view kGoodbyeBody = "1";
inline constexpr char kSuccess = '1';
inline constexpr char kFailure = '0';

// Prefix, kind letter, body: "SKDV000001", "SKDS1".
inline std::string Text(char kind, std::string_view body) {
    std::string text(kPrefix);
    text.push_back(kind);
    text.append(body);
    return text;
}

inline std::string Handshake() {
    return Text(kVersionKind, kClientVersion);
}
// "SKDV1", "SKDR0"...
inline std::string ReplyText(char kind, bool success) {
    return Text(kind, std::string_view(success ? "1" : "0"));
}

} // namespace protocol
