// A socket whose connect, send and receive wait for their outcome. While a call waits, only
// this socket's notifications (which it takes for itself: they reach no handler) and painting
// are handled, so no other user-interface work runs inside it.
#pragma once

#include "framework/async_socket.h"

class CSocket : public CAsyncSocket {
public:
    // The waits are woken by these notifications, so they are asked for whatever events says.
    static constexpr long kWaitEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;

    BOOL Create(UINT port = 0, int type = SOCK_STREAM, long events = kAllEvents,
                const char* address = nullptr);
    // Bounds each later connect, send or receive to ms milliseconds (0 = no bound); a call
    // that runs out fails with WSAETIMEDOUT.
    void SetTimeout(DWORD ms) { m_timeout = ms; }

    BOOL Connect(const std::string& host, UINT port) override;
    // Sends all length bytes; returns length, or SOCKET_ERROR.
    int Send(const void* data, int length, int flags = 0) override;
    // Returns the byte count received, 0 when the peer has closed, or SOCKET_ERROR.
    int Receive(void* buffer, int length, int flags = 0) override;

private:
    ULONGLONG Deadline() const;
    // Waits until this socket may have progressed; false when the deadline (0 = none) passed.
    bool WaitForNotification(ULONGLONG deadline);
    // true once a started connect has ended, with error 0 on success.
    bool ConnectEnded(int& error) const;

    DWORD m_timeout = 0;
};
