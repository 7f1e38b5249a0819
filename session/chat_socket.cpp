#include "session/chat_socket.h"

#include "session/chat_doc.h"

#include <algorithm>
#include <climits>

std::size_t CChatSocket::s_nLingering = 0;

CChatSocket::~CChatSocket() {
    if (m_bLingering)
        --s_nLingering;
}

int CChatSocket::Send(const void* data, int length, int) {
    if (length < 0) {
        WSASetLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    m_strQueue.append(static_cast<const char*>(data), static_cast<std::size_t>(length));
    return SendQueued() ? length : SOCKET_ERROR;
}

bool CChatSocket::SendQueued() {
    bool progressed = false;
    while (QueuedBytes() > 0) {
        const int piece = static_cast<int>(std::min<std::size_t>(QueuedBytes(), INT_MAX));
        const int sent = CAsyncSocket::Send(m_strQueue.data() + m_nQueueSent, piece);
        if (sent == SOCKET_ERROR) {
            if (GetLastError() != WSAEWOULDBLOCK) {
                m_strQueue.clear();
                m_nQueueSent = 0;
                return false;
            }
            break;
        }
        m_nQueueSent += static_cast<std::size_t>(sent);
        progressed = true;
    }
    if (QueuedBytes() == 0) {
        m_strQueue.clear();
        m_nQueueSent = 0;
        KillTimer(kSendStallTimer);
        if (m_bLingering && !m_bShutDown)
            m_bShutDown = ShutDown(sends) != FALSE;
    } else if (!m_bLingering && (progressed || !TimerRuns(kSendStallTimer))) {
        // Counted from the last progress: a send may take long, but not stand still.
        SetTimer(kSendStallTimer, CChatDoc::kStallMs);
    }
    return true;
}

void CChatSocket::Linger(std::unique_ptr<CChatSocket> socket, UINT drainMs) {
    CChatSocket* self = socket.release();
    self->m_pDoc = nullptr;
    self->m_bLingering = true;
    ++s_nLingering;
    self->KillTimer(kReadTimer);
    self->KillTimer(kMessageStallTimer);
    self->KillTimer(kSendStallTimer);
    if (!self->SetTimer(kDrainTimer, drainMs)) {
        delete self;
        return;
    }
    if (self->QueuedBytes() == 0)
        self->m_bShutDown = self->ShutDown(sends) != FALSE;
    self->Drain();
}

void CChatSocket::Drain() {
    char discard[512];
    for (;;) {
        const int received = CAsyncSocket::Receive(discard, sizeof discard);
        if (received > 0)
            continue;
        if (received == SOCKET_ERROR && GetLastError() == WSAEWOULDBLOCK)
            return;
        delete this; // the server has closed, or the connection broke
        return;
    }
}

void CChatSocket::OnReceive(int) {
    // Reading may close the session and delete this socket: nothing of it is touched after.
    if (m_bLingering)
        Drain();
    else
        m_pDoc->OnReadNotification();
}

void CChatSocket::OnClose(int nErrorCode) {
    OnReceive(nErrorCode);
}

void CChatSocket::OnSend(int) {
    if (SendQueued())
        return;
    if (m_bLingering)
        delete this;
    else
        m_pDoc->OnConnectionBroken();
}

void CChatSocket::OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (m_bLingering) {
        if (id == kDrainTimer)
            delete this;
        return;
    }
    switch (id) {
    case kReadTimer:
        m_pDoc->ContinueReading();
        break;
    case kMessageStallTimer:
    case kSendStallTimer:
        m_pDoc->OnConnectionBroken();
        break;
    default:
        break;
    }
}
