#include "framework/frame_wnd.h"

#include "framework/control_bar.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/dpi.h"
#include "framework/exceptions.h"
#include "framework/message_box.h"
#include "framework/resource_string.h"
#include "framework/socket.h"
#include "framework/view.h"
#include "framework/win_app.h"

const MessageEntry CFrameWnd::messageEntries[] = {
    MessageRow<&CFrameWnd::OnCreate>(WM_CREATE),
    MessageRow<&CFrameWnd::OnClose>(WM_CLOSE),
    MessageRow<&CFrameWnd::OnSize>(WM_SIZE),
    MessageRow<&CFrameWnd::OnSetFocus>(WM_SETFOCUS),
    MessageRow<&CFrameWnd::OnDpiChangedMessage>(WM_DPICHANGED),
    MessageRow<&CFrameWnd::OnInitMenuPopup>(WM_INITMENUPOPUP),
    MessageRow<&CFrameWnd::OnMenuSelect>(WM_MENUSELECT),
    MessageRow<&CFrameWnd::OnExitMenuLoop>(WM_EXITMENULOOP),
    CommandRow<&CFrameWnd::OnViewToolBar>(ID_VIEW_TOOLBAR),
    CommandRow<&CFrameWnd::OnViewStatusBar>(ID_VIEW_STATUS_BAR),
    UpdateRow<&CFrameWnd::OnUpdateViewToolBar>(ID_VIEW_TOOLBAR),
    UpdateRow<&CFrameWnd::OnUpdateViewStatusBar>(ID_VIEW_STATUS_BAR),
};
const MessageMap CFrameWnd::messageMap{&CWnd::messageMap, messageEntries};

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
    const HINSTANCE instance = AfxGetInstanceHandle();
    m_strTitle = AfxExtractSubString(AfxLoadString(nIDResource), 0);
    const HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(nIDResource));
    m_pCreateContext = pContext;
    const BOOL created = CreateEx(0, nullptr, m_strTitle.c_str(), dwDefaultStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, menu);
    m_pCreateContext = nullptr;
    if (!created) {
        if (menu != nullptr)
            DestroyMenu(menu);
        return FALSE;
    }
    const auto loadIcon = [instance, nIDResource](int metricX, int metricY) {
        return reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(nIDResource),
                                                   IMAGE_ICON, GetSystemMetrics(metricX),
                                                   GetSystemMetrics(metricY), LR_SHARED));
    };
    SendMessage(WM_SETICON, ICON_BIG, loadIcon(SM_CXICON, SM_CYICON));
    SendMessage(WM_SETICON, ICON_SMALL, loadIcon(SM_CXSMICON, SM_CYSMICON));
    m_hAccelTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(nIDResource));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA lpcs) {
    if (!OnCreateClient(lpcs, m_pCreateContext))
        return -1;
    // A hidden window gets its first WM_SIZE only when shown: lay the client out now.
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return TRUE;
    return CreateView(pContext) != nullptr;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CView* view = pContext->m_pNewViewClass();
    const RECT none{0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, none, this, nID,
                      pContext)) {
        delete view;
        return nullptr;
    }
    view->m_bAutoDelete = true;
    return view;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    if (pViewNew == m_pViewActive)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr && GetActiveWindow() == m_hWnd)
        pViewNew->SetFocus();
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    if (m_pViewActive == nullptr) {
        if (auto* pane = dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST)))
            SetActiveView(pane, FALSE);
    }
    if (pDoc != nullptr) {
        // A copy: a view's initial update may add or remove views.
        const std::vector<CView*> views = pDoc->GetViews();
        for (CView* view : views) {
            if (view->GetParentFrame() == this)
                view->OnInitialUpdate();
        }
    }
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        const CWinApp* app = AfxGetApp();
        ShowWindow(app != nullptr ? app->m_nCmdShow : SW_SHOW);
        UpdateWindow(m_hWnd);
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    const CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc != nullptr ? doc->GetTitle().c_str() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* lpszDocName) {
    std::string caption = m_strTitle;
    if (lpszDocName != nullptr && *lpszDocName != '\0')
        caption = std::string(lpszDocName) + " - " + m_strTitle;
    if (GetWindowText() != caption)
        SetWindowText(caption);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI) {
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, mode, pCmdUI))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, mode, pCmdUI))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, mode, pCmdUI);
}

void CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_pMainWnd != this) {
        DestroyWindow();
        return;
    }
    // A connect that waits inside a handler is ended first, and the window closes once that
    // handler has returned: closing it under the handler would delete what it works on.
    if (CSocket::CancelConnectWaits()) {
        PostMessage(WM_CLOSE);
        return;
    }
    // The document closes first, while its views still exist. The window goes even when
    // closing the document fails, or the program could never be closed; but only after the
    // user has seen why, as the window's end ends the message loop and any box with it.
    try {
        app->CloseAllDocuments();
    } catch (const CException& error) {
        AfxMessageBox(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int, int) {
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus() {
    if (m_pViewActive != nullptr)
        m_pViewActive->SetFocus();
    else
        Default();
}

LRESULT CFrameWnd::OnDpiChangedMessage(WPARAM wParam, LPARAM lParam) {
    const UINT previousDpi = GetWindowDpi(m_hWnd);
    const UINT dpi = HIWORD(wParam); // the vertical DPI; the system gives both alike
    SetToldDpi(m_hWnd, dpi);
    TellDpiChanged(previousDpi, dpi);
    // A floating bar lies in a window of its own, outside the frame.
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* bar : bars)
        if (bar->IsFloating())
            bar->TellDpiChanged(previousDpi, dpi);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The bars' sizes change even where the frame's does not.
    RecalcLayout();
    return 0;
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    CWnd::PostNcDestroy();
}
