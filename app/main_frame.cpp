#include "app/main_frame.h"

#include "catalogue/chat_view.h"
#include "framework/create_context.h"
#include "framework/dpi.h"
#include "ui/send_view.h"

const MessageEntry CMainFrame::messageEntries[] = {
    MessageRow<&CMainFrame::OnCreate>(WM_CREATE),
};
const MessageMap CMainFrame::messageMap{&CFrameWnd::messageMap, messageEntries};

int CMainFrame::OnCreate(LPCREATESTRUCTA lpcs) {
    MapSharedFolder();
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    SetSharedDriveLabel();
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) {
    if (!m_splitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    // The client area as it is now: the bars that will take their share do not exist yet.
    RECT client{};
    GetClientRect(&client);
    const int textHeight = ScaleForWindow(m_hWnd, kTextPaneHeight);
    const SIZE listSize{client.right - client.left, client.bottom - client.top - textHeight};
    if (!m_splitter.CreateView(0, 0, NewObject<CView, CChatView>, listSize, pContext))
        return FALSE;
    if (!m_splitter.CreateView(1, 0, NewObject<CView, CSendView>, SIZE{0, 0}, pContext))
        return FALSE;
    m_splitter.SetActivePane(0, 0);
    return TRUE;
}

void CMainFrame::OnUpdateFrameTitle(BOOL) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    UpdateFrameTitleForDocument(nullptr);
}
