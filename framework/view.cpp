#include "framework/view.h"

#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/splitter_wnd.h"

const MessageEntry CView::messageEntries[] = {
    MessageRow<&CView::OnMouseActivate>(WM_MOUSEACTIVATE),
    MessageRow<&CView::OnDestroy>(WM_DESTROY),
    CommandRow<&CView::OnNextPane>(ID_NEXT_PANE),
    CommandRow<&CView::OnPrevPane>(ID_PREV_PANE),
};
const MessageMap CView::messageMap{&CWnd::messageMap, messageEntries};

CView::~CView() {
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                   const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    if (!CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return TRUE;
}

void CView::OnInitialUpdate() {
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CView::OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI) {
    if (CWnd::OnCmdMsg(nID, mode, pCmdUI))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, mode, pCmdUI);
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM) {
    const LRESULT result = Default();
    if (result != MA_NOACTIVATE && result != MA_NOACTIVATEANDEAT) {
        if (CFrameWnd* frame = GetParentFrame())
            frame->SetActiveView(this);
    }
    return result;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame != nullptr && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::OnDpiChanged(UINT previousDpi, UINT dpi) {
    m_font.Follow(m_hWnd, previousDpi, dpi);
}

void CView::OnNextPane() {
    if (auto* splitter = dynamic_cast<CSplitterWnd*>(GetParent()))
        splitter->ActivateNext(FALSE);
}

void CView::OnPrevPane() {
    if (auto* splitter = dynamic_cast<CSplitterWnd*>(GetParent()))
        splitter->ActivateNext(TRUE);
}
