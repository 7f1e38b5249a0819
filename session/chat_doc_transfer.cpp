// Sending and receiving wire messages over the open connection.
#include "session/chat_doc.h"

#include "framework/exceptions.h"
#include "framework/resource_string.h"
#include "session/msg.h"
#include "ui/resource.h"

void CChatDoc::SendMsg(const std::string& text) {
    if (m_pArchiveOut == nullptr)
        return;
    CMsg msg;
    msg.m_strText = m_strHandle + text;
    try {
        msg.Serialize(*m_pArchiveOut);
        m_pArchiveOut->Flush();
    } catch (const CFileException&) {
        // The reading side stays: the server's last words may still arrive.
        m_pArchiveOut->Abort();
        delete m_pArchiveOut;
        m_pArchiveOut = nullptr;
        DisplayMsg(AfxLoadString(IDS_CONNECTION_RESET));
    }
}

namespace {

// Whether a read would find bytes or the end of the stream at once. A read notification can
// come for bytes the archive has already taken (a message longer than its buffer is read in
// several receives, and the socket announces the rest again): such a notification is spent.
bool ReadWouldProgress(CChatSocket& socket) {
    char next;
    if (socket.CAsyncSocket::Receive(&next, 1, MSG_PEEK) != SOCKET_ERROR)
        return true;
    return CAsyncSocket::GetLastError() != WSAEWOULDBLOCK;
}

} // namespace

void CChatDoc::ProcessPendingRead() {
    if (m_pArchiveIn == nullptr)
        return;
    if (m_pArchiveIn->IsBufferEmpty() && !ReadWouldProgress(*m_pSocket))
        return;
    // Only what the archive holds is read here: bytes still in the socket raise a notification
    // of their own. The reply handling may close the session between two messages.
    do
        ReceiveMsg();
    while (m_pSocket != nullptr && m_pArchiveIn != nullptr && !m_pArchiveIn->IsBufferEmpty());
}

void CChatDoc::ReceiveMsg() {
    CMsg msg;
    bool closing = false;
    bool received = false;
    // A message begun in the buffer, or any byte read from the stream for it, means a stream
    // that ends now ends inside the message.
    const bool begunInBuffer = !m_pArchiveIn->IsBufferEmpty();
    const std::size_t bytesBefore = m_pFile->GetBytesRead();
    try {
        msg.Serialize(*m_pArchiveIn);
        received = true;
    } catch (const CFileException&) {
        closing = true;
        ReportConnectionReset();
    } catch (const CArchiveException& error) {
        // A torn or malformed message leaves the stream out of step: the connection goes as
        // after a read error. Ending between two messages is the server's plain close.
        closing = true;
        const bool endedInside = begunInBuffer || m_pFile->GetBytesRead() != bytesBefore;
        if (error.m_cause != CArchiveException::endOfFile || endedInside)
            ReportConnectionReset();
        else
            DisplayMsg(AfxLoadString(IDS_CLOSING_CONNECTION));
    }

    if (received) {
        closing = msg.m_bClose != 0;
        try {
            OnServerReply(msg.m_strText);
            for (const std::string& line : msg.m_strList)
                DisplayMsg(line);
        } catch (const CFileException&) {
            closing = true;
            ReportConnectionReset();
        }
    }
    if (closing)
        CloseConnection(false);
}

void CChatDoc::ReportConnectionReset() {
    if (m_pArchiveOut != nullptr)
        m_pArchiveOut->Abort();
    DisplayMsg(AfxLoadString(IDS_CONNECTION_RESET));
    DisplayMsg(AfxLoadString(IDS_CLOSING_CONNECTION));
}
