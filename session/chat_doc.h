// The session document: the program's one document. It holds the one connection to the
// application server (socket, stream and an archive each way), sends texts over it, reads the
// server's messages and hands them to the reply handling, and closes the connection again.
//
// A connection for a request (the handshake, a sign-up) lasts until its reply, whose handling
// closes it with the goodbye; one made from the command line stays open until the server
// closes it or the document is closed. All of it runs on the user-interface thread; connect,
// send and receive block while handling only the socket's own notifications.
#pragma once

#include "framework/archive.h"
#include "framework/document.h"
#include "session/chat_socket.h"
#include "session/counted_socket_file.h"

#include <string>

class CChatDoc : public CDocument {
public:
    CChatDoc() = default;
    ~CChatDoc() override;

    // Empties the session: closes an open connection with the goodbye, then waits (at most
    // kDrainMs after the goodbye) for the server to close its side. A send error of the
    // goodbye reaches the caller as CFileException.
    void DeleteContents() override;
    // Closes an open connection, then connects as the command line says (no handshake), or
    // with the default settings and the version handshake. FALSE when the user gives up.
    BOOL OnNewDocument() override;

    // Connects to address:port and makes the stream and both archives; nothing is sent.
    // Failures are told in message boxes (the connect is offered again); FALSE when given up.
    BOOL ConnectSocket(const std::string& handle, const std::string& address, UINT port);
    // What OnNewDocument does with the default settings: connect, then send the version
    // handshake; when the user gives up the connect, offer the web site. FALSE on No there.
    BOOL ConnectWithHandshake(const std::string& handle, const std::string& address, UINT port);
    // Sends m_strHandle + text as one message; nothing happens without a storing archive.
    void SendMsg(const std::string& text);
    // Reads every message that has arrived, as long as the connection stays open.
    void ProcessPendingRead();
    // Reads one message and hands it to the reply handling; drops the connection when the
    // server sets the close flag, when the stream fails or when it ends.
    void ReceiveMsg();
    // Shows a text in the text pane, through each CChatView among the views.
    void DisplayMsg(const std::string& text);
    // The reply handling for the text of one message from the server; always TRUE.
    BOOL OnServerReply(const std::string& text);
    // The handshake time-out: closes a session whose version reply is still outstanding.
    void OnHandshakeTimeout();

    // Sign-up (account/chat_doc_register.cpp): connects to the deployment's server and sends
    // the request with the sign-up details; when the server cannot be reached, offers the web
    // site. FALSE when that offer is declined.
    BOOL RegisterAccount();
    // Closes an older connection, connects and sends the sign-up request. FALSE when no
    // connection was made.
    BOOL ConnectAndRegister(const std::string& handle, const std::string& address, UINT port);
    // A sign-up reply: the outcome in the text pane, the account kept on success, then the
    // connection closed.
    void OnSignUpReply(bool bSuccess);

    // How long the goodbye waits for the server's close.
    static constexpr unsigned kDrainMs = 5000;
    // How long a receive inside a begun message, or a send, may make no progress before the
    // connection counts as broken: a server that stalls half-way must not freeze the program.
    static constexpr unsigned kStallMs = 10000;

    std::string m_strHandle;               // in front of every text sent
    CChatSocket* m_pSocket = nullptr;      // the connection
    CCountedSocketFile* m_pFile = nullptr; // the byte stream over m_pSocket
    CArchive* m_pArchiveIn = nullptr;      // loading archive over m_pFile
    CArchive* m_pArchiveOut = nullptr;     // storing archive over m_pFile
    std::string m_strAccountName;          // sign-up details
    std::string m_strEmail;
    std::string m_strPassword;
    BOOL m_bRegistered = FALSE;     // result of the last sign-up reply
    BOOL m_bVersionPending = FALSE; // the version handshake awaits its reply

private:
    // After a read or send error: drops the storing archive and tells the user.
    void ReportConnectionReset();
    // The one teardown of the connection objects: the storing archive, the loading archive,
    // the stream and the socket, in this order. With bGoodbye, the goodbye goes first (when
    // the sending side is there) and the socket is shut down and drained before it goes; a
    // file error of the goodbye still tears everything down, then reaches the caller.
    void CloseConnection(bool bGoodbye);
    // The user gave up the default connect: offers the web site. FALSE when declined.
    BOOL OfferClientDownload();
    void OnVersionReply(bool bSuccess);
};
