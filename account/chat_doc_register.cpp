// The sign-up exchange of the session document: its own connection to the application
// server, the request, and what a sign-up reply does.
#include "session/chat_doc.h"

#include "account/account_settings.h"
#include "account/signup_texts.h"
#include "catalogue/chat_view.h"
#include "deployment.h"
#include "framework/exceptions.h"
#include "framework/win_app.h"
#include "session/request_framing.h"

BOOL CChatDoc::RegisterAccount() {
    // Always the deployment's server, whatever the command line named.
    if (ConnectAndRegister(m_strHandle, deployment::kAppServerHost, deployment::kAppServerPort))
        return TRUE;
    return OfferClientDownload();
}

BOOL CChatDoc::ConnectAndRegister(const std::string& handle, const std::string& address,
                                  UINT port) {
    const std::optional<std::string> request =
        FrameRequest('R', {m_strAccountName, m_strEmail, m_strPassword});
    if (!request)
        return FALSE;
    // One connection at a time: an older one (an unanswered handshake, or a sign-up whose
    // reply never came) says goodbye before the new one takes its place. Its handshake can
    // no longer be answered, so its time-out must not close the new connection.
    if (m_pSocket != nullptr) {
        m_bVersionPending = FALSE;
        try {
            DeleteContents();
        } catch (const CFileException&) {
            // A broken old connection is gone all the same; the sign-up goes on.
        }
    }
    if (!ConnectSocket(handle, address, port))
        return FALSE;
    SendMsg(*request);
    return TRUE;
}

void CChatDoc::OnSignUpReply(bool bSuccess) {
    m_bRegistered = bSuccess ? TRUE : FALSE;
    for (CView* view : GetViews()) {
        auto* chatView = dynamic_cast<CChatView*>(view);
        if (chatView == nullptr)
            continue;
        chatView->StopSignUpWatchdog();
        chatView->ForwardMessage(bSuccess ? signup_text::kCreated : signup_text::kRefused);
        if (bSuccess && AfxGetApp() != nullptr)
            account_settings::Save(*AfxGetApp(), {m_strAccountName, m_strEmail, m_strPassword});
    }
    DeleteContents();
}
