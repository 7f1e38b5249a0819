// Opening the session: connect, stream and archives, the version handshake, and what the user
// is offered when the server cannot be reached.
#include "session/chat_doc.h"

#include "deployment.h"
#include "framework/message_box.h"
#include "session/protocol.h"
#include "ui/resource.h"

#include <shellapi.h>

#include <memory>

BOOL CChatDoc::ConnectSocket(const std::string& handle, const std::string& address, UINT port) {
    // One connection at a time: one still open is closed as the new-document command would.
    CloseConnection(true);
    m_strHandle = handle;
    // The socket joins the document only once it is connected: the retry box runs its own
    // message loop, in which a time-out may close the session, and must find nothing
    // half-made. Each attempt gets a new socket, as one whose connect has failed cannot be
    // connected again everywhere.
    std::unique_ptr<CChatSocket> socket;
    for (;;) {
        socket = std::make_unique<CChatSocket>(this);
        if (!socket->Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents)) {
            AfxMessageBox(IDS_SOCKET_CREATE_FAILED, MB_OK);
            return FALSE;
        }
        // The one wait on the network: the user waits for the connect anyway, but not forever.
        socket->SetTimeout(kStallMs);
        if (socket->Connect(address, port))
            break;
        socket.reset();
        if (AfxMessageBox(IDS_CONNECT_RETRY, MB_YESNO) == IDNO)
            return FALSE;
    }
    m_pSocket = socket.release();
    ++m_nConnections;
    m_pFile = new CSocketFile(m_pSocket);
    m_pReader = new CMsgReader;
    m_pArchiveOut = new CArchive(m_pFile, CArchive::store, CArchive::kDefaultBufferSize);
    return TRUE;
}

BOOL CChatDoc::ConnectWithHandshake(const std::string& handle, const std::string& address,
                                    UINT port) {
    if (!ConnectSocket(handle, address, port))
        return OfferClientDownload();
    SendMsg(protocol::Handshake());
    m_bVersionPending = TRUE;
    return TRUE;
}

BOOL CChatDoc::OfferClientDownload() {
    if (AfxMessageBox(IDS_CONNECT_UPDATE, MB_YESNO) == IDNO)
        return FALSE;
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", deployment::kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        const std::string text = std::string("The Program does not launch your web browser to "
                                             "access ") +
                                 deployment::kHomePage +
                                 " ,\nPlease launch your web browser and input the URL manually.";
        MessageBoxA(GetActiveWindow(), text.c_str(), "Unknown error", MB_OK);
    }
    // The program runs on without a connection; the sign-up connects on its own.
    return TRUE;
}
