// The byte stream of one client's connected POSIX socket, for its archives.
#pragma once

#include "framework/file.h"

#include <chrono>
#include <cstddef>

class ClientStream : public CFile {
public:
    using Clock = std::chrono::steady_clock;

    explicit ClientStream(int fd) : m_fd(fd) {}

    // Bounds the reads of the next message: past `maxBytes` more bytes Read throws
    // CFileException with EMSGSIZE, and once `deadline` has passed with ETIMEDOUT, so a
    // client can neither make the server hold an endless message nor trickle one in
    // forever.
    void StartMessage(std::size_t maxBytes, Clock::time_point deadline) {
        m_budget = maxBytes;
        m_read = 0;
        m_deadline = deadline;
    }
    std::size_t BytesReadOfMessage() const { return m_read; }

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;

private:
    void WaitReadable();

    int m_fd;
    std::size_t m_budget = 0;
    std::size_t m_read = 0;
    Clock::time_point m_deadline;
};
