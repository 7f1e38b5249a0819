// A server that takes no more connections: it listens with its backlog already full, so a
// further connect neither completes nor fails until its own bound runs out, as against a
// host that drops packets.
#pragma once

#include "tests/support/loopback.h"

#include <vector>

namespace support {

class FullListener {
public:
    // On port, or on one the system picks (0).
    explicit FullListener(unsigned short port = 0)
        : m_socket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address = LoopbackAddress(port);
        const BOOL reuse = TRUE; // a server that has just left the port may leave it waiting
        setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
                   sizeof reuse);
        int length = sizeof address;
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(m_socket, 0) != 0 ||
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        for (int i = 0; i < 16; ++i) {
            const SOCKET filler = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            u_long nonBlocking = 1;
            ioctlsocket(filler, FIONBIO, &nonBlocking);
            connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            m_fillers.push_back(filler);
            fd_set done;
            FD_ZERO(&done);
            FD_SET(filler, &done);
            timeval bound{0, 300000};
            if (select(0, nullptr, &done, nullptr, &bound) == 0) {
                m_port = ntohs(address.sin_port); // this one waits: the backlog is full
                return;
            }
        }
    }
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;
    ~FullListener() {
        for (SOCKET filler : m_fillers)
            closesocket(filler);
        closesocket(m_socket);
    }

    UINT Port() const { return m_port; } // 0 when the backlog could not be filled

private:
    SOCKET m_socket;
    std::vector<SOCKET> m_fillers;
    UINT m_port = 0;
};

} // namespace support
