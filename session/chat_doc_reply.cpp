// What the client does with the text of a message from the server: the replies to the version
// handshake and to a sign-up each end the connection.
#include "session/chat_doc.h"

#include "deployment.h"
#include "framework/message_box.h"
#include "session/reply.h"
#include "session/session_texts.h"

namespace {

std::string UpgradeNotice() {
    return session_texts::kUpgraded + std::string(deployment::kWebAddress) +
           session_texts::kUpgradedEnd;
}

} // namespace

BOOL CChatDoc::OnServerReply(const std::string& text) {
    const Reply reply = ReadReply(text);
    switch (reply.kind) {
    case ReplyKind::Version:
        OnVersionReply(reply.success);
        break;
    case ReplyKind::Registration:
        OnSignUpReply(reply.success);
        break;
    case ReplyKind::None:
    case ReplyKind::Other:
        break;
    }
    return TRUE;
}

void CChatDoc::OnVersionReply(bool bSuccess) {
    const std::size_t connection = m_nConnection;
    const std::size_t lastConnect = m_nLastConnect;
    if (!bSuccess) {
        // What the messages before this one showed is in the pane while the box is up.
        ShowHeldText();
        const std::vector<ISessionView*> views = SessionViews();
        for (ISessionView* view : views)
            view->StopSignUpWatchdog();
        if (!views.empty())
            AfxMessageBox(UpgradeNotice(), MB_OK);
    }
    // The box runs its own message loop: a sign-up may have connected meanwhile, and neither
    // its connection nor a new handshake's flag is this reply's.
    if (m_nLastConnect == lastConnect)
        m_bVersionPending = FALSE;
    if (IsOpen(connection))
        DeleteContents();
}
