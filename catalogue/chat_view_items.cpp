// The virtual list's items: the control keeps only their number, selection and focus, and
// asks the view for each item's text, picture and other states as it needs them.
#include "catalogue/chat_view.h"
#include "framework/text_convert.h"

#include <commctrl.h>

#include <algorithm>

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
