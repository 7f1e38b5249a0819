#include "framework/menu.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

BOOL CMenu::LoadMenu(UINT nIDResource) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource));
    return m_hMenu != nullptr;
}

HMENU CMenu::GetSubMenu(int nPos) const {
    return m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, nPos) : nullptr;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    const BOOL destroyed = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return destroyed;
}

void CMenu::CheckMenuItem(HMENU hPopup, UINT nItem, UINT nFlags) {
    ::CheckMenuItem(hPopup, nItem, nFlags);
}

BOOL CMenu::TrackPopupMenu(HMENU hPopup, UINT nFlags, int x, int y, const CWnd& wnd) {
    return ::TrackPopupMenu(hPopup, nFlags, x, y, 0, wnd.m_hWnd, nullptr);
}
