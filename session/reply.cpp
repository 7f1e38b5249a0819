#include "session/reply.h"

namespace {
constexpr std::string_view kPrefix = "SKD";
constexpr std::size_t kKindPos = 3;
constexpr std::size_t kResultPos = 4;
} // namespace

Reply ReadReply(std::string_view text) {
    Reply reply;
    if (text.size() <= kKindPos || text.substr(0, kPrefix.size()) != kPrefix)
        return reply;
    switch (text[kKindPos]) {
    case 'V':
        reply.kind = ReplyKind::Version;
        break;
    case 'R':
        reply.kind = ReplyKind::Registration;
        break;
    default:
        reply.kind = ReplyKind::Other;
        break;
    }
    reply.success = text.size() > kResultPos && text[kResultPos] == '1';
    return reply;
}
