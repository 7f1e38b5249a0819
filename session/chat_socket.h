// The session's connection. Its connect waits, bounded, as CSocket's does; after that nothing
// waits: the document takes what arrives on each read notification, and a send goes out as
// far as the connection takes it, the rest queued for the write notifications. Once the
// document lets it go, it ends on its own: queued bytes out, its sending side shut, what the
// server still sends read and dropped until the server closes or the drain bound passes.
#pragma once

#include "framework/socket.h"

#include <cstddef>
#include <memory>
#include <string>

class CChatDoc;

class CChatSocket : public CSocket {
public:
    // Its timers: the document's next slice of reading, a begun message and a queued send
    // that make no progress, the drain of a socket let go.
    enum : UINT_PTR { kReadTimer = 1, kMessageStallTimer, kSendStallTimer, kDrainTimer };

    explicit CChatSocket(CChatDoc* pDoc) : m_pDoc(pDoc) {}
    ~CChatSocket() override;

    // Sends what the connection takes now and queues the rest; returns length, or
    // SOCKET_ERROR once the connection is broken.
    int Send(const void* data, int length, int flags = 0) override;
    std::size_t QueuedBytes() const { return m_strQueue.size() - m_nQueueSent; }

    // The document lets the connection go; at most drainMs later the socket is gone.
    static void Linger(std::unique_ptr<CChatSocket> socket, UINT drainMs);
    // Sockets let go that have not ended yet.
    static std::size_t LingeringCount() { return s_nLingering; }

    void OnReceive(int nErrorCode) override;
    void OnSend(int nErrorCode) override;
    void OnClose(int nErrorCode) override;
    void OnTimer(UINT_PTR id) override;

    CChatDoc* m_pDoc; // null once let go

private:
    // Sends queued bytes until the connection takes no more; false once it is broken.
    bool SendQueued();
    // A socket let go: reads and drops what has come; deletes itself at the end or an error.
    void Drain();

    static std::size_t s_nLingering;
    std::string m_strQueue;
    std::size_t m_nQueueSent = 0;
    bool m_bLingering = false;
    bool m_bShutDown = false;
};
