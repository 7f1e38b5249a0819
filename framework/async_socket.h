// A Winsock socket whose events arrive as window messages on the thread that created it.
//
// Each socket object holds a notification message number of its own for as long as it lives,
// so a notification still queued for a closed socket is recognised as stale and dropped even
// when a new socket has been given the same handle value. A socket is used only on the thread
// that created it.
#pragma once

#include <winsock2.h>

#include <string>

class CException;

class CAsyncSocket {
public:
    enum { receives = SD_RECEIVE, sends = SD_SEND, both = SD_BOTH };
    static constexpr long kAllEvents =
        FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE;

    // Reports a framework error that escaped a socket handler; called on the socket's thread.
    using ErrorReporter = void (*)(const CException& error);

    CAsyncSocket() = default;
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;
    virtual ~CAsyncSocket();

    // Makes an IPv4 socket bound to port (0 = any) on address (nullptr = any; dotted or a
    // host name), and asks for the given events. FALSE with the Winsock error set on failure.
    BOOL Create(UINT port = 0, int type = SOCK_STREAM, long events = kAllEvents,
                const char* address = nullptr);
    // host is a dotted IPv4 address or a name, resolved first. Here the connect does not wait:
    // FALSE with WSAEWOULDBLOCK means it goes on and OnConnect tells the outcome.
    virtual BOOL Connect(const std::string& host, UINT port);
    // Both return SOCKET_ERROR on failure (WSAEWOULDBLOCK when nothing can be done now).
    virtual int Send(const void* data, int length, int flags = 0);
    virtual int Receive(void* buffer, int length, int flags = 0);
    BOOL ShutDown(int how = sends);
    // Also cancels the notifications: none reaches this object afterwards.
    void Close();
    static int GetLastError() { return WSAGetLastError(); }

    // At the program's end: handles this thread's socket notifications and timers, and
    // nothing else, until no socket is left or ms have passed, so sockets that finish on
    // their own (a goodbye's drain) get their time.
    static void FinishAll(DWORD ms);

    // The application's reporter replaces the default plain message box.
    static void SetErrorReporter(ErrorReporter reporter);

    // Timers of this socket, ids 1 to 15: OnTimer(id) after ms milliseconds, again each
    // period until killed. Setting an id that runs restarts it. They end with the socket, so
    // none can reach an object that has gone. FALSE while closed.
    BOOL SetTimer(UINT_PTR id, UINT ms);
    void KillTimer(UINT_PTR id);
    bool TimerRuns(UINT_PTR id) const { return id < 32 && (m_nTimers & (1u << id)) != 0; }
    virtual void OnTimer(UINT_PTR id);

    // Notification handlers; errorCode is the Winsock error of the event, 0 when none.
    virtual void OnReceive(int errorCode);
    virtual void OnSend(int errorCode);
    virtual void OnOutOfBandData(int errorCode);
    virtual void OnAccept(int errorCode);
    virtual void OnConnect(int errorCode);
    virtual void OnClose(int errorCode);

    SOCKET m_hSocket = INVALID_SOCKET;

protected:
    // The hidden window that receives this thread's socket notifications (nullptr when it
    // cannot be made), and this socket's message number there (0 while closed).
    static HWND NotificationWindow();
    UINT NotificationMessage() const { return m_message; }

private:
    UINT m_message = 0;
    unsigned m_nTimers = 0; // bit i: timer i runs
};
