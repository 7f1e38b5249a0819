// The session document: the program's one document. It holds the one connection to the
// application server (socket, stream, the storing archive and the reader of what arrives),
// sends texts over it, hands the server's messages to the reply handling, and closes the
// connection again.
//
// Each connection gets an identity of its own. Boxes and dialogs run their own message
// loops, in which another connection may be made; code that returns from one acts only on
// the connection it began with. A connection is closed by the reply to its request (any
// version or sign-up reply that comes on it), by the handshake time-out while its handshake
// is unanswered, by the server (its close, a reset, the close flag, a message that cannot be
// one or stands still), by a newer connection (Ctrl+N, a sign-up) and by the document's close. So
// one made from the command line, or a sign-up whose reply never comes, stays open until one of
// those. All of it runs on the user-interface thread, and only the connect waits for the network
// (bounded; while the window is shown it keeps handling the window's messages): each read
// notification takes what has arrived, sends are queued when the connection cannot take them at
// once, every bound is a timer, and a long run of messages is handled in slices between which the
// window takes its input.
#pragma once

#include "framework/archive.h"
#include "framework/document.h"
#include "framework/socket_file.h"
#include "session/chat_socket.h"
#include "session/msg_reader.h"
#include "session/session_view.h"

#include <string>
#include <vector>

class CChatDoc : public CDocument {
public:
    CChatDoc() = default;
    ~CChatDoc() override;

    // Empties the session: closes an open connection with the goodbye. The socket then waits
    // on its own, at most kDrainMs, for the server to close its side.
    void DeleteContents() override;
    // Closes an open connection, then connects as the command line says (no handshake), or
    // with the default settings and the version handshake. FALSE when the user gives up.
    BOOL OnNewDocument() override;

    // Connects to address:port and makes the stream, the storing archive and the reader;
    // nothing is sent. Failures are told in message boxes (the connect is offered again);
    // FALSE when given up, when the window closed during the wait, or when a newer connect
    // made inside one of its boxes took its place.
    BOOL ConnectSocket(const std::string& handle, const std::string& address, UINT port);
    // What OnNewDocument does with the default settings: connect, then send the version
    // handshake; when the user gives up the connect, offer the web site. FALSE on No there.
    BOOL ConnectWithHandshake(const std::string& handle, const std::string& address, UINT port);
    // Sends m_strHandle + text as one message; nothing happens without a connection. A
    // connection found broken is closed as a reset one.
    void SendMsg(const std::string& text);
    // Takes what has arrived and handles every whole message in it, for one slice of time;
    // a message that cannot be one, a reset and the server's close end the connection.
    void ProcessPendingRead();
    // Hands one message to the reply handling, shows its lines (moved out of msg) and obeys
    // its close flag.
    void ReceiveMsg(CMsg& msg);
    // Shows a text in the text pane, through each CChatView among the views; inside a slice
    // of reading, the slice's last text is shown when it ends. Taken by value: a server's
    // text may be megabytes, and a held one is moved, not copied.
    void DisplayMsg(std::string text);
    // The reply handling for the text of one message from the server; always TRUE.
    BOOL OnServerReply(const std::string& text);
    // The handshake time-out: closes the connection the handshake went on while its reply is
    // still outstanding.
    void OnHandshakeTimeout();
    // A connect waits and handles the window's messages meanwhile: what they start must not
    // connect again.
    static bool ConnectWaits();

    // Sign-up (account/chat_doc_register.cpp): connects to the deployment's server and sends
    // the request with the sign-up details; when the server cannot be reached, offers the web
    // site. FALSE when that offer is declined.
    BOOL RegisterAccount();
    // Closes an older connection, connects and sends the sign-up request. FALSE when no
    // connection was made (as ConnectSocket).
    BOOL ConnectAndRegister(const std::string& handle, const std::string& address, UINT port);
    // A sign-up reply: the outcome in the text pane, the account kept on success, then the
    // connection closed.
    void OnSignUpReply(bool bSuccess);

    // From the socket: a read notification; the next slice of reading; a broken connection
    // (a failed queued send, or a message or a send that has stood still past kStallMs).
    void OnReadNotification();
    void ContinueReading();
    void OnConnectionBroken();

    // How long the goodbye waits for the server's close.
    static constexpr unsigned kDrainMs = 5000;
    // How long a begun message may take to be whole, counted from its first byte, and how
    // long a queued send may stand still, before the connection counts as broken.
    static constexpr unsigned kStallMs = 10000;
    // How long one slice of reading may run before the window takes its input again.
    static constexpr unsigned kReadSliceMs = 40;

    std::string m_strHandle;           // in front of every text sent
    CChatSocket* m_pSocket = nullptr;  // the connection
    CSocketFile* m_pFile = nullptr;    // the byte stream over m_pSocket
    CMsgReader* m_pReader = nullptr;   // what has arrived and is not handled yet
    CArchive* m_pArchiveOut = nullptr; // storing archive over m_pFile
    std::string m_strAccountName;      // sign-up details
    std::string m_strEmail;
    std::string m_strPassword;
    BOOL m_bRegistered = FALSE;     // result of the last sign-up reply
    BOOL m_bVersionPending = FALSE; // the version handshake awaits its reply (and can get one)

private:
    // Tells the user the connection was reset and that it closes.
    void ReportConnectionReset();
    // The one teardown of the connection objects: the storing archive, the reader, the
    // stream and the socket, in this order. With bGoodbye, the goodbye goes first (when the
    // sending side is there) and the socket is let go to finish on its own; without, it goes
    // at once. A connection that breaks while the goodbye goes is closed as a reset one.
    void CloseConnection(bool bGoodbye);
    // Takes one read's worth of what has arrived into the reader; false when nothing has come
    // (or the connection has ended, which is then handled).
    bool ReadArrived();
    enum class ConnectResult { connected, givenUp, cancelled, superseded };
    ConnectResult Connect(const std::string& handle, const std::string& address, UINT port);
    ConnectResult ConnectAndSignUp(const std::string& handle, const std::string& address,
                                   UINT port);
    // The connection with this identity is still the document's.
    bool IsOpen(std::size_t connection) const {
        return m_pSocket != nullptr && m_nConnection == connection;
    }
    // The views that show the session, in the document's order.
    std::vector<ISessionView*> SessionViews() const;
    // Shows the text a slice of reading has held back, if any (before a box, at its end).
    void ShowHeldText();
    // Shows a text at once, after the one held back: the end of a connection comes once and
    // is told in full.
    void ShowNow(std::string text);
    // Arms the bound of a begun message at its first byte; stops it when none is begun.
    void WatchMessageStall();
    // The user gave up the default connect: offers the web site. FALSE when declined.
    BOOL OfferClientDownload();
    void OnVersionReply(bool bSuccess);

    std::size_t m_nLastConnect = 0;         // the identity the latest connect took
    std::size_t m_nConnection = 0;          // the identity of the connection held, 0 for none
    std::size_t m_nHandshakeConnection = 0; // the connection the last handshake went on
    bool m_bReading = false;         // a slice of reading runs (a reply's box may be open in it)
    bool m_bYielding = false;        // a slice was cut short; the read timer goes on with it
    std::size_t m_nStallMessage = 0; // the message the stall bound was armed for
    std::string m_strHeldText;       // the last text of the slice of reading that runs
    bool m_bTextHeld = false;
};
