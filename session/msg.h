// One wire message: close flag, a text and further text lines, in that order on the wire,
// with no header of its own. Messages follow each other back to back.
#pragma once

#include "framework/archive.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CMsg {
public:
    // A received list longer than this is malformed rather than a reason to allocate.
    static constexpr std::size_t kMaxListCount = 1048576;
    // A received message holds at most this many bytes in all: its strings together when
    // decoded, and its whole encoding when read in pieces. Past that it is malformed.
    static constexpr std::size_t kMaxMessageBytes = 16u * 1024u * 1024u;

    // Stores or loads the three members in wire order. Loading appends to m_strList.
    // Archive and stream exceptions pass through to the caller.
    void Serialize(CArchive& ar);

    std::string m_strText;
    std::int32_t m_bClose = 0; // non-zero: the sender closes the connection after this message
    std::vector<std::string> m_strList;
};

// Loads one message item by item (the close flag, each string's length and then its text,
// the list count), so that a reader fed in pieces can stop between two items and go on when
// more bytes have come. CMsg::Serialize loads through it too.
class CMsgLoader {
public:
    bool Done() const { return m_step == Step::done; }
    // Whether the next item is a string's text, and then its size (known from its length);
    // the other items are prefixes of a few bytes, whose size shows only as they are read.
    bool TextIsNext() const { return m_step == Step::text || m_step == Step::line; }
    std::size_t TextBytesNext() const { return TextIsNext() ? m_header.Bytes() : 0; }
    // Loads the next item. Throws as the archive does; a list or a message too long is
    // CArchiveException::generic. After a throw the loader must not be used again, except
    // after an end of file, when the same item can be loaded again from the same byte.
    void LoadNext(CArchive& ar);
    // The loaded message, once Done; the loader then starts afresh.
    CMsg Take();

private:
    enum class Step { close, textHeader, text, count, lineHeader, line, done };
    void CountText(const CArchive::StringHeader& header);

    Step m_step = Step::close;
    CMsg m_msg;
    CArchive::StringHeader m_header;
    std::size_t m_nLinesLeft = 0;
    std::size_t m_nTextBytes = 0; // declared by the strings so far
};
