// The list view's part in signing up: it owns the dialog's delay timer and the reply's
// watchdog, and handles "Register user".
#include "catalogue/chat_view.h"

#include "account/account_settings.h"
#include "account/register_dlg.h"
#include "account/signup_texts.h"
#include "framework/win_app.h"
#include "session/chat_doc.h"

void CChatView::LoadAccountOrArmSignUp() {
    const CWinApp* app = AfxGetApp();
    auto* doc = dynamic_cast<CChatDoc*>(GetDocument());
    if (app == nullptr || doc == nullptr)
        return;
    if (!account_settings::IsRegistered(*app)) {
        // Without a window a timer would belong to the thread and never be stopped.
        if (m_hWnd != nullptr)
            SetTimer(kSignUpDialogTimer, kSignUpDialogDelayMs);
        return;
    }
    const account_settings::Account account = account_settings::Load(*app);
    doc->m_strAccountName = account.name;
    doc->m_strEmail = account.email;
    doc->m_strPassword = account.password;
}

void CChatView::OnRegisterUser() {
    OnSignUpDialogDue();
}

void CChatView::OnSignUpDialogDue() {
    // The user waits for a connect that runs: the dialog's timer ticks again later, and the
    // command may be chosen again.
    if (CChatDoc::ConnectWaits())
        return;
    KillTimer(kSignUpDialogTimer);
    auto* doc = dynamic_cast<CChatDoc*>(GetDocument());
    if (doc == nullptr)
        return;
    CRegisterDlg dialog;
    dialog.m_strAccountName = doc->m_strAccountName;
    dialog.m_strEmail = doc->m_strEmail;
    const HWND self = m_hWnd;
    const INT_PTR result = dialog.DoModal();
    // The window may have been closed while the dialog ran, taking this view with it.
    if (result != IDOK || FromHandle(self) != this)
        return;
    doc->m_strAccountName = dialog.m_strAccountName;
    doc->m_strEmail = dialog.m_strEmail;
    doc->m_strPassword = dialog.m_strPassword;
    doc->RegisterAccount();
    if (FromHandle(self) == this)
        SetTimer(kSignUpReplyTimer, kSignUpReplyMs);
}

void CChatView::OnSignUpReplyDue() {
    KillTimer(kSignUpReplyTimer);
    // The connection stays open: a late reply is still handled.
    const auto* doc = dynamic_cast<const CChatDoc*>(GetDocument());
    if (doc != nullptr && !doc->m_bRegistered)
        MessageBox(signup_text::kNoReply, signup_text::kNoReplyCaption, MB_OK);
}
