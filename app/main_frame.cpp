#include "app/main_frame.h"

#include "catalogue/chat_view.h"
#include "deployment.h"
#include "framework/create_context.h"
#include "framework/dpi.h"
#include "ui/resource.h"
#include "ui/send_view.h"

#include <shellapi.h>

#include <iterator>

namespace {

constexpr UINT kToolBarButtons[] = {
    ID_REGISTER_USER, ID_SEPARATOR,       ID_APP_ABOUT, ID_SEPARATOR,
    ID_VIEW_BIGICONS, ID_VIEW_SMALLICONS, ID_VIEW_LIST, ID_VIEW_DETAILS,
};

constexpr UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};

} // namespace

const MessageEntry CMainFrame::messageEntries[] = {
    MessageRow<&CMainFrame::OnCreate>(WM_CREATE),
    UpdateRow<&CMainFrame::OnUpdateRegisterUser>(ID_REGISTER_USER),
    CommandRow<&CMainFrame::OnOpenHomePage>(ID_HELP),
};
const MessageMap CMainFrame::messageMap{&CFrameWnd::messageMap, messageEntries};

int CMainFrame::OnCreate(LPCREATESTRUCTA lpcs) {
    MapSharedFolder();
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!CreateToolBar())
        return -1;
    CreateFindBox();
    if (!CreateStatusBar())
        return -1;
    DockToolBar();
    SetSharedDriveLabel();
    return 0;
}

BOOL CMainFrame::CreateToolBar() {
    return m_toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) &&
           m_toolBar.LoadBitmap(IDR_MAINFRAME) &&
           m_toolBar.SetButtons(kToolBarButtons, static_cast<int>(std::size(kToolBarButtons)));
}

void CMainFrame::CreateFindBox() {
    auto* list = dynamic_cast<CChatView*>(m_splitter.GetPane(0, 0));
    if (list == nullptr || !m_findBox.Create(m_toolBar.GetToolBarCtrl(), IDC_FIND_APP, list))
        return;
    list->SetFindBox(&m_findBox);
    m_toolBar.SetTrailingWindow(m_findBox.m_hWnd, CFindBox::kWidth);
}

std::string CMainFrame::GetIdleMessage() const {
    const auto* list =
        m_splitter.m_hWnd != nullptr ? dynamic_cast<CChatView*>(m_splitter.GetPane(0, 0)) : nullptr;
    const std::string found = list != nullptr ? list->GetFindStatus() : std::string();
    return found.empty() ? CFrameWnd::GetIdleMessage() : found;
}

BOOL CMainFrame::CreateStatusBar() {
    return m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
           m_statusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
}

void CMainFrame::DockToolBar() {
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    m_toolBar.SetBarStyle(m_toolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
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

void CMainFrame::OnUpdateRegisterUser(CCmdUI*) {
    if (m_splitter.m_hWnd != nullptr && GetActiveView() != m_splitter.GetPane(0, 0))
        m_splitter.SetActivePane(0, 0);
}

void CMainFrame::OnOpenHomePage() {
    ShellExecuteA(nullptr, "open", deployment::kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}
