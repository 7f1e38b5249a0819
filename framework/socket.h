// A socket whose connect, send and receive wait for their outcome. While a call waits, only
// this socket's notifications (which it takes for itself; a read one is raised again when the
// call ends and bytes wait) and painting are handled, so no other user-interface work runs inside
// it; a connect may instead be asked to handle every message of the thread while it waits.
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
    // With this set, a later connect handles every message of the thread while it waits
    // (painting, input, timers, other sockets; not the accelerators), so a shown window stays
    // alive. Such a wait ends early, failing with WSAEINTR, when CancelConnectWaits is called
    // or the thread is asked to quit.
    void SetConnectWaitDispatches(bool dispatches) { m_bDispatchWhileConnecting = dispatches; }
    // Whether a connect that handles every message waits now: what it dispatches must not
    // start another connect.
    static bool ConnectWaits() { return s_nDispatchingWaits > 0; }
    // Ends the connect waits that handle every message; false when none runs.
    static bool CancelConnectWaits();

    BOOL Connect(const std::string& host, UINT port) override;
    // Sends all length bytes; returns length, or SOCKET_ERROR.
    int Send(const void* data, int length, int flags = 0) override;
    // Returns the byte count received, 0 when the peer has closed, or SOCKET_ERROR.
    int Receive(void* buffer, int length, int flags = 0) override;

private:
    struct Repost; // calls RepostTakenRead when a call ends

    ULONGLONG Deadline() const;
    // Waits until this socket may have progressed; false when the deadline (0 = none) passed.
    bool WaitForNotification(ULONGLONG deadline);
    // The same, handling every other message meanwhile: 0, or why the wait ended (WSAETIMEDOUT,
    // WSAEINTR when cancelled).
    int WaitDispatching(ULONGLONG deadline);
    // The waits take this socket's notifications for themselves. When one of them was a read
    // or close notification and a read would now find bytes or the end, a read notification
    // is posted once the call ends: the system raises no new one until the next receive, so
    // bytes that came during a send would otherwise wait unseen.
    void RepostTakenRead();
    // true once a started connect has ended, with error 0 on success.
    bool ConnectEnded(int& error) const;

    static int s_nDispatchingWaits;
    static bool s_bCancelWaits;

    DWORD m_timeout = 0;
    bool m_bDispatchWhileConnecting = false;
    bool m_bReadTaken = false; // a wait took a read or close notification
};
