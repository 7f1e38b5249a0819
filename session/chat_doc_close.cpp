// Closing the session: the goodbye, then the socket is let go to wait for the server's close
// on its own.
#include "session/chat_doc.h"

#include "framework/exceptions.h"
#include "framework/resource_string.h"
#include "session/msg.h"
#include "ui/resource.h"

#include <memory>

void CChatDoc::DeleteContents() {
    CloseConnection(true);
}

void CChatDoc::CloseConnection(bool bGoodbye) {
    if (bGoodbye && m_pArchiveOut != nullptr) {
        CMsg goodbye;
        goodbye.m_bClose = 1;
        goodbye.m_strText = m_strHandle + AfxLoadString(IDS_GOODBYE);
        try {
            goodbye.Serialize(*m_pArchiveOut);
            m_pArchiveOut->Flush();
        } catch (const CFileException&) {
            // The server is gone already: as any reset, the connection just ends.
            m_pArchiveOut->Abort();
            bGoodbye = false;
            ReportConnectionReset();
        }
    }
    delete m_pArchiveOut;
    m_pArchiveOut = nullptr;
    delete m_pReader;
    m_pReader = nullptr;
    delete m_pFile;
    m_pFile = nullptr;
    std::unique_ptr<CChatSocket> socket(m_pSocket);
    m_pSocket = nullptr;
    m_nConnection = 0;
    m_bYielding = false;
    // Closed without the goodbye, by the server or a reset: a handshake sent on it can no
    // longer be answered.
    if (socket != nullptr && !bGoodbye)
        m_bVersionPending = FALSE;
    // A server that never closes must not hold the program: the socket waits on its own, with
    // a bound, while the program goes on.
    if (socket != nullptr && bGoodbye)
        CChatSocket::Linger(std::move(socket), kDrainMs);
}
