#include "server/client_stream.h"

#include "framework/exceptions.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>

void ClientStream::WaitReadable() {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now());
        if (left.count() <= 0)
            throw CFileException(CFileException::generic, ETIMEDOUT);
        pollfd fd{m_fd, POLLIN, 0};
        const int ready = ::poll(&fd, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return;
        if (ready < 0 && errno != EINTR)
            throw CFileException(CFileException::generic, errno);
    }
}

std::size_t ClientStream::Read(void* buffer, std::size_t count) {
    if (m_read >= m_budget)
        throw CFileException(CFileException::generic, EMSGSIZE);
    if (count > m_budget - m_read)
        count = m_budget - m_read;
    for (;;) {
        WaitReadable();
        const ssize_t n = ::recv(m_fd, buffer, count, MSG_DONTWAIT);
        if (n >= 0) {
            m_read += static_cast<std::size_t>(n);
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            throw CFileException(CFileException::generic, errno);
    }
}

void ClientStream::Write(const void* buffer, std::size_t count) {
    const char* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        // MSG_NOSIGNAL: a client gone away must cost an error, not the process.
        const ssize_t n = ::send(m_fd, bytes, count, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw CFileException(CFileException::generic, errno);
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}
