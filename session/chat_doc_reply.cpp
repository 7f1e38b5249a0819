// What the client does with the text of a message from the server: the replies to the version
// handshake and to a sign-up each end the connection.
#include "session/chat_doc.h"

#include "catalogue/chat_view.h"
#include "deployment.h"
#include "framework/message_box.h"
#include "session/reply.h"

namespace {

std::string UpgradeNotice() {
    return std::string("The Server has upgraded. Please download the client application at ") +
           deployment::kWebAddress + " and update it";
}

} // namespace

BOOL CChatDoc::OnServerReply(const std::string& text) {
    const Reply reply = ReadReply(text);
    switch (reply.kind) {
    case ReplyKind::Version:
        OnVersionReply(reply.success);
        break;
    case ReplyKind::Registration:
        m_bRegistered = reply.success ? TRUE : FALSE;
        DeleteContents();
        break;
    case ReplyKind::None:
    case ReplyKind::Other:
        break;
    }
    return TRUE;
}

void CChatDoc::OnVersionReply(bool bSuccess) {
    if (!bSuccess) {
        // What the messages before this one showed is in the pane while the box is up.
        ShowHeldText();
        // The views are read afresh each turn: the box runs its own message loop.
        for (std::size_t i = 0; i < GetViews().size(); ++i) {
            auto* chatView = dynamic_cast<CChatView*>(GetViews()[i]);
            if (chatView == nullptr)
                continue;
            chatView->StopSignUpWatchdog();
            AfxMessageBox(UpgradeNotice(), MB_OK);
        }
    }
    m_bVersionPending = FALSE;
    DeleteContents();
}
