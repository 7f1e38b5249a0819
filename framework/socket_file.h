// The byte stream of a connected CSocket, for archives: reads and writes go through the
// socket's own calls (which wait, unless the socket queues its sends), and a socket error
// becomes a CFileException carrying the Winsock error.
#pragma once

#include "framework/file.h"

class CSocket;

class CSocketFile : public CFile {
public:
    // The socket stays the caller's and must outlive the stream.
    explicit CSocketFile(CSocket* socket) : m_pSocket(socket) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;

private:
    CSocket* m_pSocket;
};
