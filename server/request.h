// What a client asks of the server: the request found in a message's text.
#pragma once

#include <string>

enum class RequestKind {
    handshake, // "SKDV" + version
    signUp,    // "SKDR" + framed fields
    goodbye,   // "SKDS1"
    unknown,   // anything else: no reply
};

struct Request {
    RequestKind kind = RequestKind::unknown;
    std::string body; // the text after the four request letters
};

// The client may put its handle in front of the request, so the request starts at the
// first "SKDV", "SKDR" or "SKDS" in the text (at position 0 when there is no handle).
Request ParseRequest(const std::string& text);
