#include "server/request.h"

#include "session/protocol.h"

namespace {

RequestKind KindOf(char letter, const std::string& body) {
    switch (letter) {
    case protocol::kVersionKind:
        return RequestKind::handshake;
    case protocol::kSignUpKind:
        return RequestKind::signUp;
    case protocol::kGoodbyeKind:
        return body == protocol::kGoodbyeBody ? RequestKind::goodbye : RequestKind::unknown;
    default:
        return RequestKind::unknown;
    }
}

bool IsRequestKind(char letter) {
    return letter == protocol::kVersionKind || letter == protocol::kSignUpKind ||
           letter == protocol::kGoodbyeKind;
}

} // namespace

Request ParseRequest(const std::string& text) {
    for (std::size_t at = text.find(protocol::kPrefix); at != std::string::npos;
         at = text.find(protocol::kPrefix, at + 1)) {
        const std::size_t letter = at + protocol::kKindPos;
        if (letter < text.size() && IsRequestKind(text[letter])) {
            std::string body = text.substr(letter + 1);
            const RequestKind kind = KindOf(text[letter], body);
            return {kind, std::move(body)};
        }
    }
    return {};
}
