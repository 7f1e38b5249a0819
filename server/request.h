// What a client asks of the server: the request found in a message's text.
#pragma once

#include <string>

enum class RequestKind {
    handshake, // the version kind + the client's version
    signUp,    // the sign-up kind + framed fields
    goodbye,   // the goodbye
    unknown,   // anything else: no reply
};

struct Request {
    RequestKind kind = RequestKind::unknown;
    std::string body; // the text after the prefix and the kind letter
};

// The client may put its handle in front of the request, so the request starts at the
// first prefix followed by a request's kind letter (at position 0 when there is no handle).
Request ParseRequest(const std::string& text);
