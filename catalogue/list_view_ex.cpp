#include "catalogue/list_view_ex.h"

#include "catalogue/text_fit.h"
#include "framework/dc.h"

#include <algorithm>

namespace {

// Spaces around the text, at 96 DPI.
constexpr int kFirstColumnOffset = 4;
constexpr int kOtherColumnOffset = 12;
constexpr int kFirstColumnMargin = 2;
constexpr int kOtherColumnMargin = 6;
constexpr std::size_t kTextBufferSize = 260;
constexpr UINT kImageBlend = ILD_TRANSPARENT | ILD_BLEND50;

RECT Narrowed(RECT rect, int by) {
    rect.left += by;
    rect.right -= by;
    return rect;
}

} // namespace

const MessageEntry CListViewEx::messageEntries[] = {
    MessageRow<&CListViewEx::OnSize>(WM_SIZE),
    MessageRow<&CListViewEx::OnPaint>(WM_PAINT),
    MessageRow<&CListViewEx::OnSetFocus>(WM_SETFOCUS),
    MessageRow<&CListViewEx::OnKillFocus>(WM_KILLFOCUS),
    MessageRow<&CListViewEx::OnLvmSetImageList>(LVM_SETIMAGELIST),
    MessageRow<&CListViewEx::OnLvmSetTextBkColor>(LVM_SETTEXTBKCOLOR),
    MessageRow<&CListViewEx::OnLvmSetBkColor>(LVM_SETBKCOLOR),
    ReflectedRow<&CListViewEx::OnDrawItemReflected>(WM_DRAWITEM),
};
const MessageMap CListViewEx::messageMap{&CListView::messageMap, messageEntries};

BOOL CListViewEx::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    const BOOL created =
        CListView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
    if (m_hWnd != nullptr) {
        RECT client{};
        GetClientRect(&client);
        m_nClientWidth = client.right - client.left;
    }
    return created;
}

BOOL CListViewEx::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style = static_cast<LONG>((static_cast<DWORD>(cs.style) & ~LVS_TYPEMASK) | LVS_REPORT |
                                 LVS_OWNERDRAWFIXED);
    m_bFullRowSelect = TRUE;
    return CListView::PreCreateWindow(cs);
}

BOOL CListViewEx::EnableFullRowSelect(BOOL bFullRowSelect) {
    LockWindowUpdate(m_hWnd);
    m_bFullRowSelect = bFullRowSelect;
    const BOOL changed =
        bFullRowSelect ? ModifyStyle(0, LVS_OWNERDRAWFIXED) : ModifyStyle(LVS_OWNERDRAWFIXED, 0);
    if (changed && IsReport())
        InvalidateRect(m_hWnd, nullptr, TRUE);
    LockWindowUpdate(nullptr);
    return changed;
}

std::string CListViewEx::FitTextToColumn(const CDC& dc, const std::string& text, int nColumnLen,
                                         int nOffset) {
    return FitTextToWidth(text, nColumnLen, nOffset,
                          [&dc](std::string_view part) { return dc.GetTextWidth(part); });
}

void CListViewEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const HDC hDC = lpDrawItemStruct->hDC;
    RECT rowRect = lpDrawItemStruct->rcItem;
    const int row = static_cast<int>(lpDrawItemStruct->itemID);
    UINT imageFlags = ILD_TRANSPARENT;
    COLORREF imageColour = m_clrListBk;
    const bool hasFocus = GetFocus() == m_hWnd;

    char text[kTextBufferSize] = {};
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text);
    if (!GetItem(&item))
        return;
    // A control may hand back a pointer to its own copy instead of filling the buffer.
    const std::string itemText = item.pszText != nullptr ? item.pszText : "";

    const bool isSelected =
        (item.state & LVIS_DROPHILITED) != 0 ||
        ((item.state & LVIS_SELECTED) != 0 && (hasFocus || (GetStyle() & LVS_SHOWSELALWAYS) != 0));

    RECT highlightRect{};
    RECT labelRect{};
    GetItemRect(row, &highlightRect, LVIR_BOUNDS);
    GetItemRect(row, &labelRect, LVIR_LABEL);
    highlightRect.left = labelRect.left;
    if (m_bHighlightToClientEdge && highlightRect.right < m_nClientWidth)
        highlightRect.right = m_nClientWidth;

    COLORREF previousText = 0;
    COLORREF previousBk = 0;
    if (isSelected) {
        previousText = SetTextColor(hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
        previousBk = SetBkColor(hDC, GetSysColor(COLOR_HIGHLIGHT));
    }
    const HBRUSH brush =
        CreateSolidBrush(isSelected ? GetSysColor(COLOR_HIGHLIGHT) : m_clrItemTextBk);
    FillRect(hDC, &highlightRect, brush);
    DeleteObject(brush);

    if ((item.state & LVIS_CUT) != 0) {
        imageColour = m_clrListBk;
        imageFlags = kImageBlend;
    } else if (isSelected) {
        imageColour = GetSysColor(COLOR_HIGHLIGHT);
        imageFlags = kImageBlend;
    }

    if ((item.state & LVIS_STATEIMAGEMASK) != 0) {
        const int stateImage = static_cast<int>(((item.state & LVIS_STATEIMAGEMASK) >> 12) - 1);
        if (HIMAGELIST states = GetImageList(LVSIL_STATE))
            ImageList_Draw(states, stateImage, hDC, rowRect.left, rowRect.top, ILD_TRANSPARENT);
    }

    RECT iconRect{};
    GetItemRect(row, &iconRect, LVIR_ICON);
    HIMAGELIST small = GetImageList(LVSIL_SMALL);
    int iconWidth = 0;
    int iconHeight = 0;
    if (small != nullptr && rowRect.left < rowRect.right - 1 &&
        ImageList_GetIconSize(small, &iconWidth, &iconHeight))
        ImageList_DrawEx(small, item.iImage, hDC, iconRect.left, iconRect.top, iconWidth,
                         iconHeight, m_clrListBk, imageColour,
                         imageFlags | (item.state & LVIS_OVERLAYMASK));

    rowRect = labelRect;
    rowRect.right -= m_nStateImageIndent;
    const std::string label = FitTextToColumn(CDC(hDC), itemText, rowRect.right - rowRect.left,
                                              Scaled(kFirstColumnOffset));
    RECT labelText = Narrowed(rowRect, Scaled(kFirstColumnMargin));
    DrawTextA(hDC, label.c_str(), -1, &labelText,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER);

    DrawOtherColumns(hDC, rowRect, row);

    if ((item.state & LVIS_FOCUSED) != 0 && hasFocus)
        DrawFocusRect(hDC, &highlightRect);
    if (isSelected) {
        SetTextColor(hDC, previousText);
        SetBkColor(hDC, previousBk);
    }
}

void CListViewEx::DrawOtherColumns(HDC hDC, RECT rowRect, int row) {
    for (int column = 1;; ++column) {
        LVCOLUMNA format{};
        format.mask = LVCF_FMT | LVCF_WIDTH;
        if (SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                        reinterpret_cast<LPARAM>(&format)) == 0)
            return;
        rowRect.left = rowRect.right;
        rowRect.right += format.cx;

        char text[kTextBufferSize] = {};
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = text;
        sub.cchTextMax = static_cast<int>(sizeof text);
        SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
        if (text[0] == '\0')
            continue;
        const std::string fitted = FitTextToColumn(CDC(hDC), text, rowRect.right - rowRect.left,
                                                   Scaled(kOtherColumnOffset));
        UINT justify = DT_LEFT;
        if (fitted == text) {
            switch (format.fmt & LVCFMT_JUSTIFYMASK) {
            case LVCFMT_RIGHT:
                justify = DT_RIGHT;
                break;
            case LVCFMT_CENTER:
                justify = DT_CENTER;
                break;
            default:
                break;
            }
        }
        RECT cell = Narrowed(rowRect, Scaled(kOtherColumnMargin));
        DrawTextA(hDC, fitted.c_str(), -1, &cell,
                  justify | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER);
    }
}

void CListViewEx::OnSize(UINT, int cx, int) {
    m_nClientWidth = cx;
    Default();
}

LRESULT CListViewEx::OnPaint(WPARAM wParam, LPARAM lParam) {
    if (m_bHighlightToClientEdge && m_bFullRowSelect && IsReport() && GetItemCount() > 0) {
        RECT bounds{};
        if (GetItemRect(0, &bounds, LVIR_BOUNDS) && bounds.right < m_nClientWidth) {
            PAINTSTRUCT paint{};
            const HDC hDC = BeginPaint(m_hWnd, &paint);
            RECT clip{};
            GetClipBox(hDC, &clip);
            EndPaint(m_hWnd, &paint);
            clip.left = std::min(clip.left, bounds.right - 1);
            clip.right = m_nClientWidth;
            InvalidateRect(m_hWnd, &clip, FALSE);
        }
    }
    return DefWindowProc(WM_PAINT, wParam, lParam);
}

LRESULT CListViewEx::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProc(WM_SETFOCUS, wParam, lParam);
    FocusMoved(reinterpret_cast<HWND>(wParam));
    return result;
}

LRESULT CListViewEx::OnKillFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefWindowProc(WM_KILLFOCUS, wParam, lParam);
    FocusMoved(reinterpret_cast<HWND>(wParam));
    return result;
}

void CListViewEx::FocusMoved(HWND other) {
    if (other != nullptr && ::GetParent(other) == m_hWnd)
        return;
    if (m_bFullRowSelect && IsReport())
        InvalidateSelectedRows();
}

void CListViewEx::InvalidateSelectedRows() {
    const auto invalidateRow = [this](int row) {
        RECT bounds{};
        RECT label{};
        GetItemRect(row, &bounds, LVIR_BOUNDS);
        GetItemRect(row, &label, LVIR_LABEL);
        bounds.left = label.left;
        InvalidateRect(m_hWnd, &bounds, FALSE);
    };
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused != -1)
        invalidateRow(focused);
    if ((GetStyle() & LVS_SHOWSELALWAYS) == 0) {
        // Counted: asking past the last selected row would visit every row of a large list.
        const LRESULT selected = SendMessage(LVM_GETSELECTEDCOUNT);
        int row = -1;
        for (LRESULT n = 0; n < selected && (row = GetNextItem(row, LVNI_SELECTED)) != -1; ++n)
            invalidateRow(row);
    }
    UpdateWindow(m_hWnd);
}

LRESULT CListViewEx::OnLvmSetImageList(WPARAM wParam, LPARAM lParam) {
    // Old systems draw the state image inside the first column's label.
    const DWORD version = GetVersion();
    if (static_cast<int>(wParam) == LVSIL_STATE && LOBYTE(LOWORD(version)) < 4) {
        int cx = 0;
        int cy = 0;
        m_nStateImageIndent =
            ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(lParam), &cx, &cy) ? cx : 0;
    }
    return DefWindowProc(LVM_SETIMAGELIST, wParam, lParam);
}

LRESULT CListViewEx::OnLvmSetTextBkColor(WPARAM wParam, LPARAM lParam) {
    m_clrItemTextBk = static_cast<COLORREF>(lParam);
    return DefWindowProc(LVM_SETTEXTBKCOLOR, wParam, lParam);
}

LRESULT CListViewEx::OnLvmSetBkColor(WPARAM wParam, LPARAM lParam) {
    m_clrListBk = static_cast<COLORREF>(lParam);
    return DefWindowProc(LVM_SETBKCOLOR, wParam, lParam);
}

LRESULT CListViewEx::OnDrawItemReflected(WPARAM, LPARAM lParam) {
    if (lParam != 0)
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}
