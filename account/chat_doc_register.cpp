// The sign-up exchange of the session document: its own connection to the application
// server, the request, and what a sign-up reply does.
#include "session/chat_doc.h"

#include "account/account_settings.h"
#include "account/signup_texts.h"
#include "deployment.h"
#include "framework/win_app.h"
#include "session/request_framing.h"

BOOL CChatDoc::RegisterAccount() {
    // Always the deployment's server, whatever the command line named.
    switch (ConnectAndSignUp(m_strHandle, deployment::kAppServerHost, deployment::kAppServerPort)) {
    case ConnectResult::connected:
    case ConnectResult::superseded: // a newer connect made inside its retry box carries on
        return TRUE;
    case ConnectResult::cancelled:
        return FALSE;
    case ConnectResult::givenUp:
        break;
    }
    return OfferClientDownload();
}

BOOL CChatDoc::ConnectAndRegister(const std::string& handle, const std::string& address,
                                  UINT port) {
    return ConnectAndSignUp(handle, address, port) == ConnectResult::connected;
}

CChatDoc::ConnectResult CChatDoc::ConnectAndSignUp(const std::string& handle,
                                                   const std::string& address, UINT port) {
    const std::optional<std::string> request =
        FrameRequest('R', {m_strAccountName, m_strEmail, m_strPassword});
    if (!request)
        return ConnectResult::givenUp;
    // One connection at a time: an older one (an unanswered handshake, or a sign-up whose
    // reply never came) says goodbye as the new one starts; its handshake can no longer be
    // answered.
    if (m_pSocket != nullptr)
        m_bVersionPending = FALSE;
    const ConnectResult result = Connect(handle, address, port);
    if (result == ConnectResult::connected)
        SendMsg(*request);
    return result;
}

void CChatDoc::OnSignUpReply(bool bSuccess) {
    m_bRegistered = bSuccess ? TRUE : FALSE;
    for (ISessionView* view : SessionViews())
        view->StopSignUpWatchdog();
    // The outcome goes the way of every text: shown after what came before it in the slice.
    const char* outcome = signup_text::kRefused;
    if (bSuccess) {
        CWinApp* app = AfxGetApp();
        const bool saved =
            app != nullptr &&
            account_settings::Save(*app, {m_strAccountName, m_strEmail, m_strPassword});
        outcome = saved ? signup_text::kCreated : signup_text::kCreatedNotSaved;
    }
    DisplayMsg(outcome);
    DeleteContents();
}
