// The session's socket stream: a CSocketFile that counts the bytes it has handed to its
// reader, so the session can tell a connection that ends between two messages from one that
// ends inside a message.
#pragma once

#include "framework/socket_file.h"

class CCountedSocketFile : public CSocketFile {
public:
    using CSocketFile::CSocketFile;

    std::size_t Read(void* buffer, std::size_t count) override {
        const std::size_t received = CSocketFile::Read(buffer, count);
        m_nBytesRead += received;
        return received;
    }

    std::size_t GetBytesRead() const { return m_nBytesRead; }

private:
    std::size_t m_nBytesRead = 0;
};
