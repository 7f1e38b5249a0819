#include "catalogue/chat_view.h"

#include "framework/document.h"
#include "session/chat_doc.h"
#include "ui/resource.h"
#include "ui/send_view.h"

const MessageEntry CChatView::messageEntries[] = {
    MessageRow<&CChatView::OnTimer>(WM_TIMER),
    CommandRow<&CChatView::OnRegisterUser>(ID_REGISTER_USER),
};
const MessageMap CChatView::messageMap{&CView::messageMap, messageEntries};

BOOL CChatView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    const BOOL created =
        CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
    // Without a window a timer would belong to the thread and never be stopped.
    if (m_hWnd != nullptr) {
        LoadAccountOrArmSignUp();
        SetTimer(kHandshakeTimer, kHandshakeTimeoutMs);
    }
    return created;
}

void CChatView::ForwardMessage(const std::string& text) {
    const CDocument* doc = GetDocument();
    if (doc == nullptr || doc->GetViews().size() < 2)
        return;
    if (auto* pane = dynamic_cast<CSendView*>(doc->GetViews()[1]))
        pane->ShowMessage(text);
}

void CChatView::StopSignUpWatchdog() {
    if (m_hWnd != nullptr)
        KillTimer(kSignUpReplyTimer);
}

void CChatView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kHandshakeTimer) {
        KillTimer(nIDEvent);
        if (auto* doc = dynamic_cast<CChatDoc*>(GetDocument()))
            doc->OnHandshakeTimeout();
    } else if (nIDEvent == kSignUpDialogTimer || nIDEvent == kSignUpReplyTimer) {
        // Both run a modal box or dialog, during which the window may be closed.
        const HWND self = m_hWnd;
        if (nIDEvent == kSignUpDialogTimer)
            OnSignUpDialogDue();
        else
            OnSignUpReplyDue();
        if (FromHandle(self) != this)
            return;
    }
    Default();
}
