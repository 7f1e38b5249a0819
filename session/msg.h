// One wire message: close flag, a text and further text lines, in that order on the wire,
// with no header of its own. Messages follow each other back to back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CArchive;

class CMsg {
public:
    // A received list longer than this is malformed rather than a reason to allocate.
    static constexpr std::size_t kMaxListCount = 1048576;

    // Stores or loads the three members in wire order. Loading appends to m_strList.
    // Archive and stream exceptions pass through to the caller.
    void Serialize(CArchive& ar);

    std::string m_strText;
    std::int32_t m_bClose = 0; // non-zero: the sender closes the connection after this message
    std::vector<std::string> m_strList;
};
