// The messages of a stream that arrives in pieces. Each piece is appended as it comes, and
// every whole message among the pending bytes is taken out in order; a partial message stays
// pending until more bytes come. The decoding is the message's own (CMsgLoader over an
// archive), resumed between items, so no byte is decoded twice and a string's text is read
// only once all of it is there.
//
// Bounds: a message whose bytes pass CMsg::kMaxMessageBytes is malformed as soon as its
// lengths say so, so the pending bytes never hold more than that bound, the prefixes of one
// item and the last piece appended.
#pragma once

#include "session/msg.h"

#include <cstddef>
#include <string>

class CMsgReader {
public:
    enum class Status {
        message,    // the next whole message was taken
        incomplete, // the pending bytes hold no whole message (or none at all)
        malformed,  // the bytes cannot be a message; nothing after them is read
    };

    void Append(const char* data, std::size_t size);
    Status Next(CMsg& msg);

    // Bytes of a message have come that do not make a whole one yet.
    bool Begun() const { return m_nMessageBytes > 0 || m_pending.size() > m_nPos; }
    std::size_t PendingBytes() const { return m_pending.size() - m_nPos + m_nMessageBytes; }
    // How many messages have been taken; tells one begun message from the next.
    std::size_t MessagesTaken() const { return m_nTaken; }

private:
    Status Fail();

    std::string m_pending;
    std::size_t m_nPos = 0;          // the first pending byte not loaded yet
    std::size_t m_nMessageBytes = 0; // bytes of the current message loaded so far
    std::size_t m_nTaken = 0;
    CMsgLoader m_loader;
    bool m_bMalformed = false;
};
