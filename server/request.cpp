#include "server/request.h"

namespace {

RequestKind KindOf(char letter, const std::string& body) {
    switch (letter) {
    case 'V':
        return RequestKind::handshake;
    case 'R':
        return RequestKind::signUp;
    case 'S':
        return body == "1" ? RequestKind::goodbye : RequestKind::unknown;
    default:
        return RequestKind::unknown;
    }
}

} // namespace

Request ParseRequest(const std::string& text) {
    for (std::size_t at = text.find("SKD"); at != std::string::npos;
         at = text.find("SKD", at + 1)) {
        const std::size_t letter = at + 3;
        if (letter < text.size() && std::string("VRS").find(text[letter]) != std::string::npos) {
            std::string body = text.substr(letter + 1);
            const RequestKind kind = KindOf(text[letter], body);
            return {kind, std::move(body)};
        }
    }
    return {};
}
