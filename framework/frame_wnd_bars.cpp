// The frame's bars: layout around the client pane, showing and hiding, docking, the menu's
// command states and the status bar's prompts.
#include "framework/frame_wnd.h"

#include "framework/control_bar.h"
#include "framework/menu_cmd_ui.h"
#include "framework/resource_string.h"
#include "framework/status_bar.h"

#include <algorithm>

void CFrameWnd::AddControlBar(CControlBar* pBar) {
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) ==
        m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
    std::erase(m_listControlBars, pBar);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const {
    for (CControlBar* bar : m_listControlBars)
        if (bar->m_hWnd != nullptr && static_cast<UINT>(GetDlgCtrlID(bar->m_hWnd)) == nID)
            return bar;
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::DockControlBar(CControlBar* pBar) {
    if (pBar == nullptr)
        return;
    DWORD side = pBar->GetBarStyle() & CBRS_ALIGN_ANY & pBar->GetDockingStyle() & m_dwDockStyle;
    // Of several sides the first of top, bottom, left, right.
    for (const DWORD candidate :
         {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
        if ((side & candidate) != 0 || side == 0) {
            side = candidate;
            break;
        }
    }
    pBar->Dock(side);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow) {
    if (pBar != nullptr)
        pBar->Show(bShow);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    // A copy: an update handler may change the bars.
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* bar : bars)
        if (bar->IsVisible())
            bar->OnUpdateCmdUI(this);
}

void CFrameWnd::RecalcLayout() {
    RECT rest{};
    GetClientRect(&rest);
    // The last bar made lies outermost: the status bar below a toolbar docked at the bottom.
    for (auto it = m_listControlBars.rbegin(); it != m_listControlBars.rend(); ++it) {
        CControlBar* bar = *it;
        if (bar->m_hWnd == nullptr || bar->IsFloating() || (bar->GetStyle() & WS_VISIBLE) == 0)
            continue;
        const DWORD side = bar->GetBarStyle() & CBRS_ALIGN_ANY;
        const bool horizontal = (side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) == 0;
        const SIZE size = bar->CalcFixedLayout(horizontal);
        RECT place = rest;
        if (side & CBRS_ALIGN_BOTTOM) {
            place.top = std::max(rest.top, rest.bottom - size.cy);
            rest.bottom = place.top;
        } else if (side & CBRS_ALIGN_LEFT) {
            place.right = std::min(rest.right, rest.left + size.cx);
            rest.left = place.right;
        } else if (side & CBRS_ALIGN_RIGHT) {
            place.left = std::max(rest.left, rest.right - size.cx);
            rest.right = place.left;
        } else {
            place.bottom = std::min(rest.bottom, rest.top + size.cy);
            rest.top = place.bottom;
        }
        bar->MoveWindow(place);
    }
    const HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (pane != nullptr)
        ::MoveWindow(pane, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top,
                     TRUE);
}

void CFrameWnd::SetMessageText(const std::string& text) {
    if (auto* status = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR)))
        status->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT nID) {
    SetMessageText(AfxLoadString(nID));
}

std::string CFrameWnd::GetIdleMessage() const {
    return AfxLoadString(AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::SetPromptText(UINT nID) {
    SetMessageText(AfxExtractSubString(AfxLoadString(nID), 0));
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    const auto menu = reinterpret_cast<HMENU>(wParam);
    if (HIWORD(lParam) != 0 || menu == nullptr)
        return Default(); // the window menu is the system's
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // a separator or a submenu
        CMenuCmdUI state(menu, static_cast<UINT>(i), id);
        state.DoUpdate(*this);
    }
    return 0;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0)
        ShowIdleMessage();
    else if ((flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) != 0)
        SetMessageText(std::string());
    else
        SetPromptText(LOWORD(wParam));
    return 0;
}

void CFrameWnd::OnExitMenuLoop() {
    ShowIdleMessage();
}

void CFrameWnd::OnViewToolBar() {
    if (CControlBar* bar = GetControlBar(AFX_IDW_TOOLBAR))
        ShowControlBar(bar, !bar->IsVisible());
}

void CFrameWnd::OnViewStatusBar() {
    if (CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR))
        ShowControlBar(bar, !bar->IsVisible());
}

void CFrameWnd::OnUpdateViewToolBar(CCmdUI* pCmdUI) {
    const CControlBar* bar = GetControlBar(AFX_IDW_TOOLBAR);
    if (bar == nullptr)
        pCmdUI->Enable(FALSE);
    else
        pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

void CFrameWnd::OnUpdateViewStatusBar(CCmdUI* pCmdUI) {
    const CControlBar* bar = GetControlBar(AFX_IDW_STATUS_BAR);
    if (bar == nullptr)
        pCmdUI->Enable(FALSE);
    else
        pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}
