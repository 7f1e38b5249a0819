#include "framework/async_socket.h"

#include "framework/exceptions.h"
#include "framework/framework_ids.h"

#include <ws2tcpip.h>

#include <unordered_map>

namespace {

// The private range of notification numbers. They are handed out round-robin, skipping the
// ones held, so a number comes back only after the whole range has gone round: a notification
// queued for a closed socket has long been dispatched (and dropped) by then.
constexpr UINT kFirstMessage = AFX_WM_SOCKET_FIRST;
constexpr UINT kLastMessage = AFX_WM_SOCKET_LAST;
static_assert(kFirstMessage >= WM_APP);
constexpr char kWindowClass[] = "SkiffSocketNotifications";

void ShowError(const CException& error) {
    MessageBoxA(nullptr, error.GetErrorMessage().c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

CAsyncSocket::ErrorReporter g_reportError = ShowError;

LRESULT CALLBACK NotificationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One thread's notification window and the sockets that hold a message number on it.
class ThreadNotifications {
public:
    ThreadNotifications() = default;
    ThreadNotifications(const ThreadNotifications&) = delete;
    ThreadNotifications& operator=(const ThreadNotifications&) = delete;
    ~ThreadNotifications() {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }

    HWND Window() {
        if (m_window == nullptr && RegisterWindowClass())
            m_window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        return m_window;
    }

    // A free message number now held by socket, or 0 when the whole range is held.
    UINT Add(CAsyncSocket* socket) {
        constexpr UINT rangeSize = kLastMessage - kFirstMessage + 1;
        for (UINT tried = 0; tried < rangeSize; ++tried) {
            const UINT message = m_next;
            m_next = message == kLastMessage ? kFirstMessage : message + 1;
            if (m_sockets.emplace(message, socket).second)
                return message;
        }
        return 0;
    }

    void Remove(UINT message) { m_sockets.erase(message); }

    bool Empty() const { return m_sockets.empty(); }

    CAsyncSocket* Find(UINT message) const {
        const auto found = m_sockets.find(message);
        return found == m_sockets.end() ? nullptr : found->second;
    }

private:
    static bool RegisterWindowClass() {
        static const ATOM atom = [] {
            WNDCLASSEXA windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = NotificationProc;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.lpszClassName = kWindowClass;
            return RegisterClassExA(&windowClass);
        }();
        return atom != 0;
    }

    HWND m_window = nullptr;
    std::unordered_map<UINT, CAsyncSocket*> m_sockets;
    UINT m_next = kFirstMessage;
};

thread_local ThreadNotifications t_notifications;

void Dispatch(CAsyncSocket& socket, long event, int errorCode) {
    switch (event) {
    case FD_READ:
        socket.OnReceive(errorCode);
        break;
    case FD_WRITE:
        socket.OnSend(errorCode);
        break;
    case FD_OOB:
        socket.OnOutOfBandData(errorCode);
        break;
    case FD_ACCEPT:
        socket.OnAccept(errorCode);
        break;
    case FD_CONNECT:
        socket.OnConnect(errorCode);
        break;
    case FD_CLOSE:
        socket.OnClose(errorCode);
        break;
    default:
        break;
    }
}

// A socket's timer runs on the notification window under an id made of the socket's message
// number and its own id, so the window tells the sockets' timers apart.
constexpr UINT_PTR kTimerIdBits = 4;
constexpr UINT_PTR kMaxTimerId = (1u << kTimerIdBits) - 1;

UINT_PTR WindowTimerId(UINT message, UINT_PTR id) {
    return (static_cast<UINT_PTR>(message) << kTimerIdBits) | id;
}

void DispatchTimer(UINT_PTR windowTimerId) {
    CAsyncSocket* socket = t_notifications.Find(static_cast<UINT>(windowTimerId >> kTimerIdBits));
    if (socket == nullptr)
        return;
    try {
        socket->OnTimer(windowTimerId & kMaxTimerId);
    } catch (const CException& error) {
        g_reportError(error);
    }
}

LRESULT CALLBACK NotificationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        DispatchTimer(wParam);
        return 0;
    }
    if (message < kFirstMessage || message > kLastMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    // Unknown number or another handle: the notification outlived its socket.
    CAsyncSocket* socket = t_notifications.Find(message);
    if (socket == nullptr || socket->m_hSocket != static_cast<SOCKET>(wParam))
        return 0;
    // An exception must not unwind through the system's message dispatch.
    try {
        Dispatch(*socket, WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    } catch (const CException& error) {
        g_reportError(error);
    }
    return 0;
}

// host is a dotted IPv4 address or a name; false with the Winsock error set.
bool ResolveIPv4(const char* host, UINT port, sockaddr_in& address) {
    if (port > 65535) {
        WSASetLastError(WSAEINVAL);
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int error = getaddrinfo(host, nullptr, &hints, &found);
    if (error != 0 || found == nullptr) {
        WSASetLastError(error != 0 ? error : WSAHOST_NOT_FOUND);
        return false;
    }
    address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address.sin_port = htons(static_cast<u_short>(port));
    freeaddrinfo(found);
    return true;
}

} // namespace

CAsyncSocket::~CAsyncSocket() {
    Close();
}

BOOL CAsyncSocket::Create(UINT port, int type, long events, const char* address) {
    if (m_hSocket != INVALID_SOCKET) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    if (port > 65535) {
        WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<u_short>(port));
    if (address != nullptr && !ResolveIPv4(address, port, local))
        return FALSE;
    const HWND window = NotificationWindow();
    if (window == nullptr) {
        WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    m_hSocket = socket(AF_INET, type, 0);
    if (m_hSocket == INVALID_SOCKET)
        return FALSE;
    m_message = t_notifications.Add(this);
    int error = m_message == 0 ? WSAEMFILE : 0;
    if (error == 0 &&
        (bind(m_hSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR ||
         WSAAsyncSelect(m_hSocket, window, m_message, events) == SOCKET_ERROR))
        error = WSAGetLastError();
    if (error != 0) {
        Close();
        WSASetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CAsyncSocket::Connect(const std::string& host, UINT port) {
    sockaddr_in remote{};
    if (host.find('\0') != std::string::npos) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return FALSE;
    }
    if (!ResolveIPv4(host.c_str(), port, remote))
        return FALSE;
    return connect(m_hSocket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) !=
           SOCKET_ERROR;
}

int CAsyncSocket::Send(const void* data, int length, int flags) {
    return send(m_hSocket, static_cast<const char*>(data), length, flags);
}

int CAsyncSocket::Receive(void* buffer, int length, int flags) {
    return recv(m_hSocket, static_cast<char*>(buffer), length, flags);
}

BOOL CAsyncSocket::ShutDown(int how) {
    return shutdown(m_hSocket, how) != SOCKET_ERROR;
}

void CAsyncSocket::Close() {
    for (UINT_PTR id = 1; id <= kMaxTimerId; ++id)
        KillTimer(id);
    if (m_hSocket != INVALID_SOCKET) {
        closesocket(m_hSocket); // also ends the notifications of the handle
        m_hSocket = INVALID_SOCKET;
    }
    if (m_message != 0) {
        t_notifications.Remove(m_message);
        m_message = 0;
    }
}

void CAsyncSocket::SetErrorReporter(ErrorReporter reporter) {
    g_reportError = reporter != nullptr ? reporter : ShowError;
}

BOOL CAsyncSocket::SetTimer(UINT_PTR id, UINT ms) {
    if (m_message == 0 || id == 0 || id > kMaxTimerId)
        return FALSE;
    if (::SetTimer(NotificationWindow(), WindowTimerId(m_message, id), ms, nullptr) == 0)
        return FALSE;
    m_nTimers |= 1u << id;
    return TRUE;
}

void CAsyncSocket::KillTimer(UINT_PTR id) {
    if (m_message == 0 || id == 0 || id > kMaxTimerId || (m_nTimers & (1u << id)) == 0)
        return;
    ::KillTimer(NotificationWindow(), WindowTimerId(m_message, id));
    m_nTimers &= ~(1u << id);
}

void CAsyncSocket::FinishAll(DWORD ms) {
    const HWND window = t_notifications.Window();
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (window != nullptr && !t_notifications.Empty()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return;
        MSG msg;
        while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (!t_notifications.Empty())
            MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now),
                                        QS_POSTMESSAGE | QS_TIMER, 0);
    }
}

HWND CAsyncSocket::NotificationWindow() {
    return t_notifications.Window();
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}
void CAsyncSocket::OnTimer(UINT_PTR) {}
