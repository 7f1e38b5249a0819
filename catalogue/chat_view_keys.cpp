// The list view's keyboard: Enter, the context-menu keys, F5.
#include "catalogue/chat_view.h"

#include "framework/text_convert.h"

#include <commctrl.h>

#include <algorithm>

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

void CChatView::GetDispInfo(NMHDR* header) {
    // The text is copied into the caller's buffer, which may be another process's request
    // passed through the control.
    auto* item = &reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    const int app = AppOfItem(item->iItem);
    if ((item->mask & LVIF_IMAGE) != 0)
        item->iImage = ImageOfApp(app);
    if ((item->mask & LVIF_STATE) != 0) {
        const auto kept = m_appStates.find(app);
        item->state = (item->state & ~kViewKeptStates) |
                      (kept != m_appStates.end() ? kept->second & item->stateMask : 0);
    }
    if ((item->mask & LVIF_TEXT) == 0 || item->pszText == nullptr || item->cchTextMax <= 0)
        return;
    // The name is the only column; other subitems are empty.
    const std::string& name = app != -1 && item->iSubItem == 0
                                  ? g_remoteApps[static_cast<std::size_t>(app)].m_strName
                                  : std::string();
    if (header->code == LVN_GETDISPINFOW) {
        const std::wstring wide = AnsiToWide(name);
        auto* text = reinterpret_cast<wchar_t*>(item->pszText);
        const std::size_t n = std::min(wide.size(), static_cast<std::size_t>(item->cchTextMax - 1));
        wide.copy(text, n);
        text[n] = L'\0';
    } else {
        const std::size_t n = std::min(name.size(), static_cast<std::size_t>(item->cchTextMax - 1));
        name.copy(item->pszText, n);
        item->pszText[n] = '\0';
    }
}

LRESULT CChatView::OnSetItemState(WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
    if (item == nullptr)
        return Default();
    const int nItem = static_cast<int>(wParam);
    const UINT kept = item->stateMask & kViewKeptStates;
    if (kept != 0) {
        const auto keep = [&](int app) {
            if (app == -1)
                return;
            const UINT state = (m_appStates[app] & ~kept) | (item->state & kept);
            if (state == 0)
                m_appStates.erase(app);
            else
                m_appStates[app] = state;
        };
        if (nItem == -1) {
            for (int i = 0, count = GetItemCount(); i < count; ++i)
                keep(AppOfItem(i));
            InvalidateRect(m_hWnd, nullptr, FALSE);
        } else {
            keep(AppOfItem(nItem));
            SendMessage(LVM_REDRAWITEMS, wParam, static_cast<LPARAM>(wParam));
        }
    }
    if ((item->stateMask & ~kViewKeptStates) == 0)
        return TRUE;
    LVITEMA forwarded = *item;
    forwarded.stateMask &= ~kViewKeptStates;
    return DefWindowProc(LVM_SETITEMSTATE, wParam, reinterpret_cast<LPARAM>(&forwarded));
}

void CChatView::ReloadCatalogue() {
    SendMessage(LVM_DELETEALLITEMS);
    g_remoteApps.clear();
    m_nCount = 0;
    LoadCatalogue();
    FillList();
}
