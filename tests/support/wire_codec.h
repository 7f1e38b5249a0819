// Wire messages as bytes, through the program's own codec: what the scripted server sends and
// how it reads what it received.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/msg.h"

namespace support {

CMsg MakeMsg(std::string text, bool close = false, std::vector<std::string> lines = {});
std::string EncodeMsg(const CMsg& msg);

struct DecodedMessages {
    std::vector<CMsg> messages; // every whole message, in order
    bool partial = false;       // bytes of an unfinished message follow the last one
    bool malformed = false;     // a message could not be decoded; nothing after it is read
};
DecodedMessages DecodeMessages(std::string_view bytes);

} // namespace support
