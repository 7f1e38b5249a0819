// Reading a reply text from the application server: the protocol's prefix at position 0, then
// a kind letter, then a result digit ('1' is success). Nothing after the result is looked at.
#pragma once

#include <string_view>

enum class ReplyKind {
    None,         // no prefix, or too short to carry a kind letter: not a reply
    Version,      // 'V': answer to the version handshake
    Registration, // 'R': answer to a sign-up
    Other,        // any other kind letter
};

struct Reply {
    ReplyKind kind = ReplyKind::None;
    bool success = false; // result '1'; a missing result is a failure
};

Reply ReadReply(std::string_view text);
