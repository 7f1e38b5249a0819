#include "session/chat_socket.h"

#include "session/chat_doc.h"

void CChatSocket::OnReceive(int nErrorCode) {
    CSocket::OnReceive(nErrorCode);
    // The reply handling may close the session and delete this socket: nothing of this
    // object may be touched once the document has read.
    m_pDoc->ProcessPendingRead();
}
