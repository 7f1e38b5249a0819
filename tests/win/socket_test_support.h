// Shared pieces of the socket tests: Winsock start-up, a loopback listener and its accepted
// peers in plain blocking Winsock (nothing shared with the classes under test), sockets that
// record their notifications, and message pumping with deadlines.
#pragma once

#include "framework/socket.h"
#include "tests/support/loopback.h"

#include <gtest/gtest.h>

#include <ws2tcpip.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sockettest {

// Bounds every wait of the tests, so a fault fails a test instead of hanging it.
constexpr DWORD kDeadlineMs = 10000;

// Starts Winsock before any member of a derived fixture is made.
class SocketTest : public testing::Test {
protected:
    SocketTest() {
        WSADATA data;
        m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~SocketTest() override {
        if (m_started)
            WSACleanup();
    }
    void SetUp() override { ASSERT_TRUE(m_started); }

private:
    bool m_started = false;
};

// The server side of one accepted connection; blocking, each call bounded by kDeadlineMs.
class Peer {
public:
    explicit Peer(SOCKET socket) : m_socket(socket) {
        const DWORD bound = kDeadlineMs;
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&bound),
                   sizeof bound);
        setsockopt(m_socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&bound),
                   sizeof bound);
    }
    Peer(Peer&& other) noexcept : m_socket(std::exchange(other.m_socket, INVALID_SOCKET)) {}
    Peer& operator=(Peer&& other) noexcept {
        if (this != &other) {
            Close();
            m_socket = std::exchange(other.m_socket, INVALID_SOCKET);
        }
        return *this;
    }
    ~Peer() { Close(); }

    bool Valid() const { return m_socket != INVALID_SOCKET; }

    bool SendAll(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const int sent =
                send(m_socket, bytes.data() + done,
                     static_cast<int>(std::min<std::size_t>(bytes.size() - done, 65536)), 0);
            if (sent <= 0)
                return false;
            done += static_cast<std::size_t>(sent);
        }
        return true;
    }

    // Up to count bytes, fewer only when the connection ended or failed.
    std::string ReceiveUpTo(std::size_t count) {
        std::string bytes;
        std::vector<char> buffer(65536);
        while (bytes.size() < count) {
            const int got =
                recv(m_socket, buffer.data(),
                     static_cast<int>(std::min(buffer.size(), count - bytes.size())), 0);
            if (got <= 0)
                break;
            bytes.append(buffer.data(), static_cast<std::size_t>(got));
        }
        return bytes;
    }

    // Closes with a reset instead of an orderly close.
    void Reset() {
        const linger abortive{1, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                   sizeof abortive);
        Close();
    }

    void Close() {
        if (m_socket != INVALID_SOCKET)
            closesocket(std::exchange(m_socket, INVALID_SOCKET));
    }

private:
    SOCKET m_socket;
};

// Listens on 127.0.0.1 at a port the system picks. A client's connect completes through the
// backlog, so a test may connect first and accept afterwards on its own thread.
class Listener {
public:
    Listener() : m_socket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
        sockaddr_in address = support::LoopbackAddress(0);
        int length = sizeof address;
        if (bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(m_socket, 8) == 0 &&
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    ~Listener() { closesocket(m_socket); }

    UINT Port() const { return m_port; }

    // The next connection, or an invalid peer after kDeadlineMs.
    Peer Accept() {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_socket, &ready);
        timeval bound{static_cast<long>(kDeadlineMs / 1000), 0};
        if (select(0, &ready, nullptr, nullptr, &bound) != 1)
            return Peer(INVALID_SOCKET);
        return Peer(accept(m_socket, nullptr, nullptr));
    }

private:
    SOCKET m_socket;
    UINT m_port = 0;
};

// A port on which nothing listens: bound once to learn a free number, then released.
inline UINT RefusingPort() {
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = support::LoopbackAddress(0);
    int length = sizeof address;
    UINT port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    closesocket(probe);
    return port;
}

struct Event {
    long event;
    int error;
    bool operator==(const Event&) const = default;
};

// A socket that records each notification handed to it; onReceive, when set, runs on reads.
template <typename Base> class Recording : public Base {
public:
    using CAsyncSocket::NotificationMessage;
    using CAsyncSocket::NotificationWindow;

    void OnReceive(int error) override {
        events.push_back({FD_READ, error});
        if (onReceive)
            onReceive();
    }
    void OnSend(int error) override { events.push_back({FD_WRITE, error}); }
    void OnOutOfBandData(int error) override { events.push_back({FD_OOB, error}); }
    void OnAccept(int error) override { events.push_back({FD_ACCEPT, error}); }
    void OnConnect(int error) override { events.push_back({FD_CONNECT, error}); }
    void OnClose(int error) override { events.push_back({FD_CLOSE, error}); }

    std::size_t Count(long event) const {
        std::size_t count = 0;
        for (const Event& seen : events)
            count += seen.event == event ? 1 : 0;
        return count;
    }

    std::vector<Event> events;
    std::function<void()> onReceive;
};

// Dispatches this thread's messages until done() holds; false when deadlineMs passed first.
inline bool PumpUntil(const std::function<bool()>& done, DWORD deadlineMs = kDeadlineMs) {
    const ULONGLONG deadline = GetTickCount64() + deadlineMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT, 0);
    }
}

// Dispatches every message queued now.
inline void PumpQueued() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// Waits until a notification of event for socket is queued, leaving the queue as it was.
inline bool WaitQueued(const CAsyncSocket& socket, long event) {
    const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    for (;;) {
        std::vector<MSG> queued;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_APP, 0xBFFF, PM_REMOVE))
            queued.push_back(msg);
        bool found = false;
        for (const MSG& each : queued) {
            found = found || (each.wParam == socket.m_hSocket &&
                              WSAGETSELECTEVENT(each.lParam) == static_cast<WORD>(event));
            PostMessageA(each.hwnd, each.message, each.wParam, each.lParam);
        }
        if (found)
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_POSTMESSAGE,
                                    0);
    }
}

} // namespace sockettest
