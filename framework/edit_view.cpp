#include "framework/edit_view.h"

BOOL CEditView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = "EDIT";
    cs.style |= WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL |
                ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL;
    return CView::PreCreateWindow(cs);
}
