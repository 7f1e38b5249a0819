// Closing the session: the goodbye, then a bounded wait for the server's close.
#include "session/chat_doc.h"

#include "framework/exceptions.h"
#include "framework/resource_string.h"
#include "session/msg.h"
#include "ui/resource.h"

namespace {

// Reads and drops what the server still sends until it closes its side, a receive fails, or
// the deadline passes. Each receive is bounded by the time left.
void DrainUntilClosed(CChatSocket& socket, ULONGLONG deadline) {
    char discard[50];
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return;
        socket.SetTimeout(static_cast<DWORD>(deadline - now));
        if (socket.Receive(discard, sizeof discard) <= 0)
            return;
    }
}

} // namespace

void CChatDoc::DeleteContents() {
    CloseConnection(true);
}

void CChatDoc::CloseConnection(bool bGoodbye) {
    if (bGoodbye && m_pSocket != nullptr && m_pFile != nullptr && m_pArchiveOut != nullptr) {
        CMsg goodbye;
        goodbye.m_bClose = 1;
        goodbye.m_strText = m_strHandle + AfxLoadString(IDS_GOODBYE);
        try {
            goodbye.Serialize(*m_pArchiveOut);
            m_pArchiveOut->Flush();
        } catch (const CFileException&) {
            // The connection is broken: it goes, and the caller learns why.
            m_pArchiveOut->Abort();
            CloseConnection(false);
            throw;
        }
    }
    // A server that never closes must not hold the program: the wait has a bound of its own.
    const ULONGLONG drainDeadline = GetTickCount64() + kDrainMs;

    delete m_pArchiveOut;
    m_pArchiveOut = nullptr;
    delete m_pArchiveIn;
    m_pArchiveIn = nullptr;
    delete m_pFile;
    m_pFile = nullptr;
    if (m_pSocket != nullptr && bGoodbye) {
        m_pSocket->ShutDown(CAsyncSocket::sends);
        DrainUntilClosed(*m_pSocket, drainDeadline);
    }
    delete m_pSocket;
    m_pSocket = nullptr;
}
