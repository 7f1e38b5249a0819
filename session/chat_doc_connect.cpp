// Opening the session: connect, stream and archives, the version handshake, and what the user
// is offered when the server cannot be reached.
#include "session/chat_doc.h"

#include "deployment.h"
#include "framework/message_box.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
#include "session/protocol.h"
#include "session/session_texts.h"
#include "ui/resource.h"

#include <shellapi.h>

#include <memory>

namespace {

// Before the window is shown the user waits for the start anyway, and the connect handles
// nothing else meanwhile.
bool WindowShown() {
    const CWinApp* app = AfxGetApp();
    return app != nullptr && app->m_pMainWnd != nullptr &&
           IsWindowVisible(app->m_pMainWnd->m_hWnd) != FALSE;
}

} // namespace

BOOL CChatDoc::ConnectSocket(const std::string& handle, const std::string& address, UINT port) {
    return Connect(handle, address, port) == ConnectResult::connected;
}

bool CChatDoc::ConnectWaits() {
    return CSocket::ConnectWaits();
}

CChatDoc::ConnectResult CChatDoc::Connect(const std::string& handle, const std::string& address,
                                          UINT port) {
    // One connection at a time: one still open is closed as the new-document command would.
    CloseConnection(true);
    m_strHandle = handle;
    // The socket joins the document only once it is connected: the retry box runs its own
    // message loop, in which a time-out may close the session or a sign-up connect, and must
    // find nothing half-made. A connect made there is newer and keeps its place. Each attempt
    // gets a new socket, as one whose connect has failed cannot be connected again everywhere.
    const std::size_t identity = ++m_nLastConnect;
    auto superseded = [&] { return m_nLastConnect != identity; };
    std::unique_ptr<CChatSocket> socket;
    for (;;) {
        socket = std::make_unique<CChatSocket>(this);
        if (!socket->Create(0, SOCK_STREAM, CAsyncSocket::kAllEvents)) {
            AfxMessageBox(IDS_SOCKET_CREATE_FAILED, MB_OK);
            return superseded() ? ConnectResult::superseded : ConnectResult::givenUp;
        }
        // The one wait on the network: the user waits for the connect anyway, but not forever,
        // and a shown window goes on painting and taking input meanwhile.
        socket->SetTimeout(kStallMs);
        socket->SetConnectWaitDispatches(WindowShown());
        if (socket->Connect(address, port))
            break;
        if (CAsyncSocket::GetLastError() == WSAEINTR)
            return ConnectResult::cancelled; // the window closes
        socket.reset();
        const int answer = AfxMessageBox(IDS_CONNECT_RETRY, MB_YESNO);
        if (superseded())
            return ConnectResult::superseded;
        if (answer == IDNO)
            return ConnectResult::givenUp;
    }
    m_pSocket = socket.release();
    m_nConnection = identity;
    m_pFile = new CSocketFile(m_pSocket);
    m_pReader = new CMsgReader;
    m_pArchiveOut = new CArchive(m_pFile, CArchive::store, CArchive::kDefaultBufferSize);
    return ConnectResult::connected;
}

BOOL CChatDoc::ConnectWithHandshake(const std::string& handle, const std::string& address,
                                    UINT port) {
    switch (Connect(handle, address, port)) {
    case ConnectResult::connected:
        break;
    case ConnectResult::givenUp:
        return OfferClientDownload();
    case ConnectResult::cancelled:
        return FALSE;
    case ConnectResult::superseded:
        return TRUE; // the newer connection carries the session on
    }
    SendMsg(protocol::Handshake());
    // A send that found the connection broken has closed it already.
    if (m_pSocket != nullptr) {
        m_nHandshakeConnection = m_nConnection;
        m_bVersionPending = TRUE;
    }
    return TRUE;
}

BOOL CChatDoc::OfferClientDownload() {
    if (AfxMessageBox(IDS_CONNECT_UPDATE, MB_YESNO) == IDNO)
        return FALSE;
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", deployment::kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        const std::string text = session_texts::kBrowserFailed +
                                 std::string(deployment::kHomePage) +
                                 session_texts::kBrowserFailedEnd;
        MessageBoxA(nullptr, text.c_str(), session_texts::kBrowserFailedCaption, MB_OK);
    }
    // The program runs on without a connection; the sign-up connects on its own.
    return TRUE;
}
