// Find as you type: the list shows the catalogue entries whose names contain the text of the
// find box, and every use of a list item goes through the mapping from item to entry.
#include "catalogue/app_filter.h"
#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "catalogue/find_box.h"
#include "framework/control_bar.h"
#include "framework/frame_wnd.h"
#include "framework/framework_ids.h"

#include <algorithm>

namespace {

constexpr LRESULT kFewItems = 64;

// Case and double-byte characters as the system's ANSI code page has them.
const AnsiCase& SystemCase() {
    static const AnsiCase rules = [] {
        AnsiCase system;
        for (std::size_t c = 0; c < 256; ++c) {
            char one[2] = {static_cast<char>(c), '\0'};
            system.leadByte[c] = IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE;
            if (!system.leadByte[c])
                CharLowerBuffA(one, 1);
            system.lower[c] = static_cast<unsigned char>(one[0]);
        }
        return system;
    }();
    return rules;
}

} // namespace

int CChatView::AppOfItem(int nItem) const {
    if (nItem < 0)
        return -1;
    const auto item = static_cast<std::size_t>(nItem);
    if (m_strFind.empty())
        return item < g_remoteApps.size() ? nItem : -1;
    // The matches may be older than a catalogue being read again.
    return item < m_shownApps.size() &&
                   static_cast<std::size_t>(m_shownApps[item]) < g_remoteApps.size()
               ? m_shownApps[item]
               : -1;
}

int CChatView::ItemOfApp(int nApp) const {
    if (nApp < 0 || m_strFind.empty())
        return nApp < m_nCount ? nApp : -1;
    const auto at = std::lower_bound(m_shownApps.begin(), m_shownApps.end(), nApp);
    return at != m_shownApps.end() && *at == nApp ? static_cast<int>(at - m_shownApps.begin()) : -1;
}

void CChatView::ShowMatches() {
    if (m_strFind.empty())
        std::vector<int>().swap(m_shownApps);
    else
        m_shownApps = MatchingApps(g_remoteApps, m_strFind, SystemCase());
    const std::size_t shown = m_strFind.empty() ? g_remoteApps.size() : m_shownApps.size();
    SendMessage(LVM_SETITEMCOUNT, shown, 0);
    // While a search is typed the caret is in the find box, and the match that Enter starts
    // stays highlighted there.
    if (m_strFind.empty() ? ModifyStyle(LVS_SHOWSELALWAYS, 0) : ModifyStyle(0, LVS_SHOWSELALWAYS))
        InvalidateRect(m_hWnd, nullptr, FALSE);
    if (CFrameWnd* frame = GetParentFrame())
        frame->ShowIdleMessage();
}

void CChatView::SetFindText(const std::string& text) {
    if (text == m_strFind)
        return;
    const int focusedApp = AppOfItem(GetNextItem(-1, LVNI_FOCUSED));
    m_strFind = text;
    ShowMatches();
    // A search offers its first match; the whole list comes back where the user was.
    ClearSelection();
    const int item = m_strFind.empty() ? ItemOfApp(focusedApp) : (m_shownApps.empty() ? -1 : 0);
    if (item == -1)
        return;
    LVITEMA chosen{};
    chosen.state = chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&chosen));
    SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

void CChatView::ClearSelection() {
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    const auto clear = [&](int item) {
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&none));
    };
    // Item by item while they are few: clearing all at once visits every item of a large
    // list, and so does looking past the last selected one.
    const LRESULT selected = SendMessage(LVM_GETSELECTEDCOUNT);
    if (selected > kFewItems) {
        clear(-1);
        return;
    }
    int item = -1;
    for (LRESULT n = 0; n < selected && (item = GetNextItem(item, LVNI_SELECTED)) != -1; ++n)
        clear(item);
    if (const int focused = GetNextItem(-1, LVNI_FOCUSED); focused != -1)
        clear(focused);
}

std::string CChatView::GetFindStatus() const {
    if (m_strFind.empty())
        return {};
    return std::to_string(m_shownApps.size()) + catalogue_texts::kFindCountMiddle +
           std::to_string(m_nCount) + catalogue_texts::kFindCountEnd;
}

void CChatView::FocusList() {
    SetFocus();
    if (GetItemCount() > 0 && GetNextItem(-1, LVNI_FOCUSED) == -1) {
        LVITEMA first{};
        first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }
}

void CChatView::OnFindApp() {
    if (m_pFindBox == nullptr || m_pFindBox->m_hWnd == nullptr)
        return;
    // The box lives in the toolbar: a hidden toolbar is shown again for the search.
    CFrameWnd* frame = GetParentFrame();
    CControlBar* bar = frame != nullptr ? frame->GetControlBar(AFX_IDW_TOOLBAR) : nullptr;
    if (bar != nullptr && !bar->IsVisible())
        frame->ShowControlBar(bar, TRUE);
    if (IsWindowVisible(m_pFindBox->m_hWnd))
        m_pFindBox->Activate();
}

LRESULT CChatView::OnChar(WPARAM wParam, LPARAM) {
    // Letters and the like go to the find box; a space starts nothing but a search under way.
    const bool printable =
        wParam >= 0x20 && wParam != 0x7F && (wParam != ' ' || !m_strFind.empty());
    if (!printable || m_pFindBox == nullptr || m_pFindBox->m_hWnd == nullptr ||
        !IsWindowVisible(m_pFindBox->m_hWnd))
        return Default();
    m_pFindBox->TypeChar(wParam);
    return 0;
}
