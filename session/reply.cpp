#include "session/reply.h"

#include "session/protocol.h"

Reply ReadReply(std::string_view text) {
    Reply reply;
    if (text.size() <= protocol::kKindPos ||
        text.substr(0, protocol::kPrefix.size()) != protocol::kPrefix)
        return reply;
    switch (text[protocol::kKindPos]) {
    case protocol::kVersionKind:
        reply.kind = ReplyKind::Version;
        break;
    case protocol::kSignUpKind:
        reply.kind = ReplyKind::Registration;
        break;
    default:
        reply.kind = ReplyKind::Other;
        break;
    }
    reply.success =
        text.size() > protocol::kResultPos && text[protocol::kResultPos] == protocol::kSuccess;
    return reply;
}
