// A byte stream that archives read from and write to.
#pragma once

#include <cstddef>

class CFile {
public:
    virtual ~CFile() = default;
    // Reads up to count bytes; blocks until at least one byte is there. Returns 0 only
    // when the stream has ended. Throws CFileException on an error of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or throws CFileException.
    virtual void Write(const void* buffer, std::size_t count) = 0;
    virtual void Flush() {}
};
