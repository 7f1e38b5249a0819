// A menu loaded from the resources, for the context menus a view shows at the cursor.
#pragma once

#include <windows.h>

class CWnd;

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT nIDResource);
    // The popup at nPos of the loaded menu, or null; it belongs to this menu.
    HMENU GetSubMenu(int nPos) const;
    BOOL DestroyMenu();

    // nFlags: MF_BYPOSITION or MF_BYCOMMAND with MF_CHECKED or MF_UNCHECKED.
    static void CheckMenuItem(HMENU hPopup, UINT nItem, UINT nFlags);
    // Shows the popup at x, y (screen) until the user chooses or dismisses it; the chosen
    // command goes to pWnd as WM_COMMAND.
    static BOOL TrackPopupMenu(HMENU hPopup, UINT nFlags, int x, int y, const CWnd& wnd);

    HMENU m_hMenu = nullptr;
};
