// Sending and receiving wire messages over the open connection. Nothing here waits: a send
// is queued when the connection cannot take it, and a read takes only what has arrived.
#include "session/chat_doc.h"

#include "framework/exceptions.h"
#include "framework/resource_string.h"
#include "session/msg.h"
#include "ui/resource.h"

#include <vector>

namespace {

// What one read takes at most: the pending bytes stay within a message's bound and this.
constexpr int kReadBytes = 65536;

} // namespace

void CChatDoc::SendMsg(const std::string& text) {
    if (m_pArchiveOut == nullptr)
        return;
    CMsg msg;
    msg.m_strText = m_strHandle + text;
    try {
        msg.Serialize(*m_pArchiveOut);
        m_pArchiveOut->Flush();
    } catch (const CFileException&) {
        m_pArchiveOut->Abort();
        OnConnectionBroken();
    }
}

void CChatDoc::OnReadNotification() {
    // While a slice waits for its timer the window has its turn: a notification must not
    // start reading before it.
    if (!m_bYielding)
        ProcessPendingRead();
}

void CChatDoc::ContinueReading() {
    m_bYielding = false;
    ProcessPendingRead();
}

void CChatDoc::OnConnectionBroken() {
    if (m_pSocket == nullptr)
        return;
    ReportConnectionReset();
    CloseConnection(false);
}

void CChatDoc::ProcessPendingRead() {
    // A reply's box runs its own message loop inside a slice. What comes meanwhile is read
    // when the slice goes on after the box: messages keep their order, one box shows at a
    // time, and a reply that arrives while the upgrade box is open is not handled.
    if (m_pSocket == nullptr || m_bReading || m_bYielding)
        return;
    m_bReading = true;
    const std::size_t connection = m_nConnection;
    const ULONGLONG sliceEnd = GetTickCount64() + kReadSliceMs;
    auto open = [&] { return IsOpen(connection); };
    bool yield = false;
    for (;;) {
        CMsg msg;
        const CMsgReader::Status status = m_pReader->Next(msg);
        if (status == CMsgReader::Status::malformed) {
            // A message that cannot be one leaves the stream out of step: as after a reset.
            OnConnectionBroken();
            break;
        }
        if (status == CMsgReader::Status::message)
            ReceiveMsg(msg);
        if (!open())
            break;
        if (GetTickCount64() >= sliceEnd) {
            yield = true;
            break;
        }
        if (status == CMsgReader::Status::incomplete && !ReadArrived())
            break;
    }
    m_bReading = false;
    ShowHeldText();
    if (!open()) {
        // A connection made inside a box of this slice found the slice running when its
        // bytes came: it is read next.
        if (m_pSocket != nullptr) {
            m_bYielding = true;
            m_pSocket->SetTimer(CChatSocket::kReadTimer, 0);
        }
        return;
    }
    if (yield) {
        m_bYielding = true;
        m_pSocket->SetTimer(CChatSocket::kReadTimer, 0);
    }
    WatchMessageStall();
}

bool CChatDoc::ReadArrived() {
    static std::vector<char> buffer(kReadBytes);
    const int received = m_pSocket->CAsyncSocket::Receive(buffer.data(), kReadBytes);
    if (received > 0) {
        m_pReader->Append(buffer.data(), static_cast<std::size_t>(received));
        return true;
    }
    if (received == SOCKET_ERROR && CAsyncSocket::GetLastError() == WSAEWOULDBLOCK)
        return false;
    // The end between two messages is the server's plain close; inside one, or an error
    // (a reset among them), the connection is broken.
    if (received == 0 && !m_pReader->Begun()) {
        ShowNow(AfxLoadString(IDS_CLOSING_CONNECTION));
        CloseConnection(false);
    } else {
        OnConnectionBroken();
    }
    return false;
}

void CChatDoc::WatchMessageStall() {
    if (!m_pReader->Begun()) {
        m_pSocket->KillTimer(CChatSocket::kMessageStallTimer);
        return;
    }
    // Counted from the message's first byte, so bytes that drip in cannot stretch it.
    if (!m_pSocket->TimerRuns(CChatSocket::kMessageStallTimer) ||
        m_nStallMessage != m_pReader->MessagesTaken()) {
        m_nStallMessage = m_pReader->MessagesTaken();
        m_pSocket->SetTimer(CChatSocket::kMessageStallTimer, kStallMs);
    }
}

void CChatDoc::ReceiveMsg(CMsg& msg) {
    const std::size_t connection = m_nConnection;
    OnServerReply(msg.m_strText);
    for (std::string& line : msg.m_strList)
        DisplayMsg(std::move(line));
    // The close flag drops the connection the message came on, without a goodbye.
    if (msg.m_bClose != 0 && IsOpen(connection))
        CloseConnection(false);
}

void CChatDoc::ReportConnectionReset() {
    ShowNow(AfxLoadString(IDS_CONNECTION_RESET));
    ShowNow(AfxLoadString(IDS_CLOSING_CONNECTION));
}
