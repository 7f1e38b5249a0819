// The signature of a remote desktop connection file, as the remote desktop client checks it:
// the line "signscope:s:" names the covered settings, "signature:s:" holds in base64 a 12-byte
// header and a detached PKCS#7 signature over the covered lines (in signscope order, each
// followed by CR LF), then the signscope line, CR LF and one NUL character, all UTF-16LE.
// Reads the file's bytes only; checking the signature itself is the platform's crypto.
#pragma once

#include <string>
#include <string_view>

struct RdpSignature {
    enum Outcome {
        notSigned,  // neither line: an ordinary file
        signedFile, // content and signature are what the platform must verify
        broken,     // signed in part, or in a way that leaves a covered setting unchecked
    };
    Outcome outcome = notSigned;
    std::string content;   // the covered bytes, UTF-16LE
    std::string signature; // the PKCS#7 signature in DER, without its header
};

// Lines end at LF (a CR before it belongs to the end); setting names and the two lines'
// keys are matched whatever their case. A file is broken when the two lines do not come one
// each, when signscope names a setting that is unknown, named twice or missing from the file,
// when a covered setting appears twice, or when the file holds a covered setting that
// signscope leaves out (added after signing). The first two bytes are the byte-order mark.
RdpSignature ReadRdpSignature(std::string_view fileBytes);
