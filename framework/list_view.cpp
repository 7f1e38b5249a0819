#include "framework/list_view.h"

BOOL CListView::PreCreateWindow(CREATESTRUCTA& cs) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    if (!registered)
        return FALSE;
    cs.lpszClass = WC_LISTVIEWA;
    return CView::PreCreateWindow(cs);
}

LRESULT CListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

int CListView::GetItemCount() const {
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

int CListView::InsertItem(int nItem, const std::string& text, int nImage) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = nImage;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListView::InsertColumn(int nCol, const std::string& heading, int nFormat, int nWidth) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<char*>(heading.c_str());
    return static_cast<int>(
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(&column)));
}

HIMAGELIST CListView::SetImageList(HIMAGELIST hImageList, int nImageListType) {
    return reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                                             reinterpret_cast<LPARAM>(hImageList)));
}

HIMAGELIST CListView::GetImageList(int nImageListType) const {
    return reinterpret_cast<HIMAGELIST>(
        Send(LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType)));
}

int CListView::GetNextItem(int nItem, int nFlags) const {
    return static_cast<int>(
        Send(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), MAKELPARAM(nFlags, 0)));
}

int CListView::HitTest(POINT point, UINT* pFlags) const {
    LVHITTESTINFO info{};
    info.pt = point;
    const int item = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return item;
}

BOOL CListView::GetItemRect(int nItem, RECT* rect, int nCode) const {
    rect->left = nCode;
    return Send(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(rect)) != 0;
}

BOOL CListView::GetItem(LVITEMA* item) const {
    return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)) != 0;
}

BOOL CListView::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}
