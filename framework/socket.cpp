#include "framework/socket.h"

#include <algorithm>
#include <optional>

namespace {

// The calls retry now and then even without a notification: under load Wine, at least, may
// post no read notification for data that arrives just after a receive found none, and a
// retry costs one system call.
constexpr DWORD kRetryMs = 100;

// Fails the call in progress because its bound passed.
template <typename Result> Result TimedOut(Result result) {
    WSASetLastError(WSAETIMEDOUT);
    return result;
}

// How long the next wait may last: kRetryMs, cut to what is left before deadline (0: none);
// nothing once the deadline has passed.
std::optional<DWORD> WaitBefore(ULONGLONG deadline) {
    if (deadline == 0)
        return kRetryMs;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline)
        return std::nullopt;
    return static_cast<DWORD>(std::min<ULONGLONG>(kRetryMs, deadline - now));
}

} // namespace

int CSocket::s_nDispatchingWaits = 0;
bool CSocket::s_bCancelWaits = false;

struct CSocket::Repost {
    CSocket& socket;
    ~Repost() { socket.RepostTakenRead(); }
};

BOOL CSocket::Create(UINT port, int type, long events, const char* address) {
    return CAsyncSocket::Create(port, type, events | kWaitEvents, address);
}

BOOL CSocket::Connect(const std::string& host, UINT port) {
    const Repost repost{*this};
    if (CAsyncSocket::Connect(host, port))
        return TRUE;
    if (GetLastError() != WSAEWOULDBLOCK)
        return FALSE;
    const ULONGLONG deadline = Deadline();
    for (;;) {
        int error = 0;
        if (ConnectEnded(error)) {
            WSASetLastError(error);
            return error == 0;
        }
        if (!m_bDispatchWhileConnecting) {
            if (!WaitForNotification(deadline))
                return TimedOut(FALSE);
        } else if (const int ended = WaitDispatching(deadline); ended != 0) {
            WSASetLastError(ended);
            return FALSE;
        }
    }
}

bool CSocket::CancelConnectWaits() {
    if (s_nDispatchingWaits == 0)
        return false;
    s_bCancelWaits = true;
    return true;
}

int CSocket::WaitDispatching(ULONGLONG deadline) {
    struct Counted {
        Counted() { ++s_nDispatchingWaits; }
        ~Counted() {
            if (--s_nDispatchingWaits == 0)
                s_bCancelWaits = false;
        }
    } counted;
    const HWND window = NotificationWindow();
    const UINT message = NotificationMessage();
    MSG msg;
    while (!s_bCancelWaits && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The loop that called the connect must see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            s_bCancelWaits = true;
            break;
        }
        if (msg.hwnd == window && msg.message == message) {
            const WORD event = WSAGETSELECTEVENT(msg.lParam);
            m_bReadTaken = m_bReadTaken || event == FD_READ || event == FD_CLOSE;
            return 0;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (deadline != 0 && GetTickCount64() >= deadline)
            return WSAETIMEDOUT;
    }
    if (s_bCancelWaits)
        return WSAEINTR;
    const std::optional<DWORD> wait = WaitBefore(deadline);
    if (!wait)
        return WSAETIMEDOUT;
    MsgWaitForMultipleObjectsEx(0, nullptr, *wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return 0;
}

int CSocket::Send(const void* data, int length, int flags) {
    const Repost repost{*this};
    const char* bytes = static_cast<const char*>(data);
    const ULONGLONG deadline = Deadline();
    int sent = 0;
    while (sent < length) {
        const int count = CAsyncSocket::Send(bytes + sent, length - sent, flags);
        if (count != SOCKET_ERROR)
            sent += count;
        else if (GetLastError() != WSAEWOULDBLOCK)
            return SOCKET_ERROR;
        else if (!WaitForNotification(deadline))
            return TimedOut(SOCKET_ERROR);
    }
    return length;
}

int CSocket::Receive(void* buffer, int length, int flags) {
    const Repost repost{*this};
    const ULONGLONG deadline = Deadline();
    for (;;) {
        const int count = CAsyncSocket::Receive(buffer, length, flags);
        if (count != SOCKET_ERROR || GetLastError() != WSAEWOULDBLOCK)
            return count;
        if (!WaitForNotification(deadline))
            return TimedOut(SOCKET_ERROR);
    }
}

ULONGLONG CSocket::Deadline() const {
    return m_timeout == 0 ? 0 : GetTickCount64() + m_timeout;
}

bool CSocket::WaitForNotification(ULONGLONG deadline) {
    const HWND window = NotificationWindow();
    const UINT message = NotificationMessage();
    for (;;) {
        const std::optional<DWORD> wait = WaitBefore(deadline);
        if (!wait)
            return false;
        MSG msg;
        bool notified = false;
        while (PeekMessageA(&msg, window, message, message, PM_REMOVE)) {
            notified = true;
            const WORD event = WSAGETSELECTEVENT(msg.lParam);
            m_bReadTaken = m_bReadTaken || event == FD_READ || event == FD_CLOSE;
        }
        if (notified)
            return true;
        if (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&msg);
        // QS_POSTMESSAGE is cleared by the filtered peek above, so messages for other windows
        // that stay queued do not wake this wait again.
        if (MsgWaitForMultipleObjectsEx(
                0, nullptr, *wait, QS_POSTMESSAGE | QS_PAINT | QS_SENDMESSAGE, 0) == WAIT_TIMEOUT)
            return true;
    }
}

void CSocket::RepostTakenRead() {
    if (!m_bReadTaken)
        return;
    m_bReadTaken = false;
    // The call's own outcome is told by the error code, which the look below must not change.
    const int error = WSAGetLastError();
    char next;
    if (recv(m_hSocket, &next, 1, MSG_PEEK) != SOCKET_ERROR || WSAGetLastError() != WSAEWOULDBLOCK)
        PostMessageA(NotificationWindow(), NotificationMessage(), static_cast<WPARAM>(m_hSocket),
                     WSAMAKESELECTREPLY(FD_READ, 0));
    WSASetLastError(error);
}

bool CSocket::ConnectEnded(int& error) const {
    fd_set connected;
    fd_set failed;
    FD_ZERO(&connected);
    FD_ZERO(&failed);
    FD_SET(m_hSocket, &connected);
    FD_SET(m_hSocket, &failed);
    timeval now{};
    if (select(0, nullptr, &connected, &failed, &now) == SOCKET_ERROR) {
        error = WSAGetLastError();
        return true;
    }
    if (FD_ISSET(m_hSocket, &failed)) {
        int length = sizeof error;
        if (getsockopt(m_hSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) ==
            SOCKET_ERROR)
            error = WSAGetLastError();
        return true;
    }
    error = 0;
    return FD_ISSET(m_hSocket, &connected) != 0;
}
