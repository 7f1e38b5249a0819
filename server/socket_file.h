// CFile over a connected POSIX socket, for the archives of one client.
#pragma once

#include "framework/file.h"

#include <cstddef>

class SocketFile : public CFile {
public:
    explicit SocketFile(int fd) : m_fd(fd) {}

    // Allows `bytes` more to be read; past them Read throws CFileException with EMSGSIZE,
    // so a client cannot make the server hold an endless message in memory.
    void SetReadBudget(std::size_t bytes) {
        m_budget = bytes;
        m_read = 0;
    }
    std::size_t BytesReadOfBudget() const { return m_read; }

    // A receive time-out of the socket throws CFileException with EAGAIN or EWOULDBLOCK.
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;

private:
    int m_fd;
    std::size_t m_budget = 0;
    std::size_t m_read = 0;
};
