// The list view's keyboard (Enter, the context-menu keys, F5) and the notifications of its
// control.
#include "catalogue/chat_view.h"

#include <commctrl.h>

namespace {

// The item the keyboard's menu is about: the focused item when it is selected, else the
// first selected one; -1 when nothing is selected.
int KeyboardMenuItem(const CListView& list) {
    const int focused = list.GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    return focused != -1 ? focused : list.GetNextItem(-1, LVNI_SELECTED);
}

} // namespace

LRESULT CChatView::OnContextMenu(WPARAM, LPARAM lParam) {
    // Both co-ordinates -1: the keyboard asked.
    if (static_cast<short>(LOWORD(lParam)) != -1 || static_cast<short>(HIWORD(lParam)) != -1)
        return Default();
    const int item = KeyboardMenuItem(*this);
    POINT at{0, 0};
    RECT label{};
    if (item != -1) {
        SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
        if (GetItemRect(item, &label, LVIR_LABEL))
            at = POINT{label.left, label.bottom};
    }
    ClientToScreen(m_hWnd, &at);
    if (item != -1)
        ShowItemMenu(at);
    else
        ShowViewMenu(at);
    return 0;
}

LRESULT CChatView::OnNotifyReflected(WPARAM, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOA || header->code == LVN_GETDISPINFOW) {
        GetDispInfo(header);
        return 0;
    }
    if (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW)
        return -1; // typing goes to the find box instead
    if (header->code != LVN_KEYDOWN)
        return 0;
    // Enter is read here rather than from NM_RETURN, which some controls send only while an
    // item has the focus: a selection is enough to start.
    switch (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey) {
    case VK_RETURN:
        OnConnect();
        break;
    case VK_F5:
        ReloadCatalogue();
        break;
    default:
        break;
    }
    return 0;
}

void CChatView::ReloadCatalogue() {
    SendMessage(LVM_DELETEALLITEMS);
    g_remoteApps.clear();
    m_nCount = 0;
    LoadCatalogue();
    FillList();
}
