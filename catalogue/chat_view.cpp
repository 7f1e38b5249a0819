#include "catalogue/chat_view.h"

#include "catalogue/catalogue_texts.h"
#include "framework/cmd_ui.h"
#include "framework/document.h"
#include "framework/dpi.h"
#include "framework/menu.h"
#include "framework/win_app.h"
#include "session/chat_doc.h"
#include "ui/resource.h"
#include "ui/send_view.h"

namespace {

constexpr int kColumnWidth = 280;
constexpr COLORREF kTransparent = RGB(255, 255, 255);
constexpr int kLargePicture = 32;
constexpr int kSmallPicture = 16;

// Position of each view type in the view-type menu.
int ViewMenuPosition(DWORD type) {
    switch (type) {
    case LVS_ICON:
        return 0;
    case LVS_SMALLICON:
        return 1;
    case LVS_LIST:
        return 2;
    default:
        return 3;
    }
}

} // namespace

const MessageEntry CChatView::messageEntries[] = {
    MessageRow<&CChatView::OnTimer>(WM_TIMER),
    CommandRow<&CChatView::OnRegisterUser>(ID_REGISTER_USER),
    MessageRow<&CChatView::OnRButtonDown>(WM_RBUTTONDOWN),
    CommandRow<&CChatView::OnConnect>(ID_CONNECT),
    CommandRow<&CChatView::OnViewBigIcons>(ID_VIEW_BIGICONS),
    CommandRow<&CChatView::OnViewSmallIcons>(ID_VIEW_SMALLICONS),
    CommandRow<&CChatView::OnViewList>(ID_VIEW_LIST),
    CommandRow<&CChatView::OnViewDetails>(ID_VIEW_DETAILS),
    UpdateRow<&CChatView::OnUpdateViewBigIcons>(ID_VIEW_BIGICONS),
    UpdateRow<&CChatView::OnUpdateViewList>(ID_VIEW_LIST),
    UpdateRow<&CChatView::OnUpdateViewDetails>(ID_VIEW_DETAILS),
    UpdateRow<&CChatView::OnUpdateViewSmallIcons>(ID_VIEW_SMALLICONS),
    MessageRow<&CChatView::OnLButtonDblClk>(WM_LBUTTONDBLCLK),
    MessageRow<&CChatView::OnContextMenu>(WM_CONTEXTMENU),
    ReflectedRow<&CChatView::OnNotifyReflected>(WM_NOTIFY),
    CommandRow<&CChatView::OnFindApp>(ID_FIND_APP),
    MessageRow<&CChatView::OnChar>(WM_CHAR),
    MessageRow<&CChatView::OnReadIcons>(kReadIconsMessage),
    MessageRow<&CChatView::OnSetItemState>(LVM_SETITEMSTATE),
};
const MessageMap CChatView::messageMap{&CListViewEx::messageMap, messageEntries};

BOOL CChatView::PreCreateWindow(CREATESTRUCTA& cs) {
    // The view frees its image lists itself; a control that freed them too would free them
    // twice. The items' texts and pictures stay in the catalogue (owner data).
    cs.style |= LVS_REPORT | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS | LVS_OWNERDATA;
    return CListViewEx::PreCreateWindow(cs);
}

BOOL CChatView::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
    const BOOL created = CListViewEx::Create(lpszClassName, lpszWindowName, dwStyle, rect,
                                             pParentWnd, nID, pContext);
    // The account is in the document before the catalogue's boxes can run.
    LoadAccountOrArmSignUp();
    LoadCatalogue();
    FillList();
    // Without a window a timer would belong to the thread and never be stopped.
    if (m_hWnd != nullptr) {
        SendMessage(LVM_SETCALLBACKMASK, kViewKeptStates);
        SetTimer(kHandshakeTimer, kHandshakeTimeoutMs);
    }
    return created;
}

void CChatView::OnInitialUpdate() {
    CListViewEx::OnInitialUpdate();
    BuildImageLists();
    InsertColumn(0, catalogue_texts::kColumnTitle, LVCFMT_LEFT,
                 ScaleForWindow(m_hWnd, kColumnWidth));
}

void CChatView::OnDpiChanged(UINT previousDpi, UINT dpi) {
    CListViewEx::OnDpiChanged(previousDpi, dpi);
    BuildImageLists();
    // The width the user may have dragged the column to, at the new DPI.
    const auto width = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, 0));
    if (width > 0 && previousDpi != 0)
        SendMessage(
            LVM_SETCOLUMNWIDTH, 0,
            MAKELPARAM(MulDiv(width, static_cast<int>(dpi), static_cast<int>(previousDpi)), 0));
}

void CChatView::BuildImageLists() {
    // The globes are drawn at 100%, 150% and 200%; the list shows the one for its DPI.
    static constexpr UINT kLargeDrawings[] = {IDB_APP_LARGE, IDB_APP_LARGE_150, IDB_APP_LARGE_200};
    static constexpr UINT kSmallDrawings[] = {IDB_APP_SMALL, IDB_APP_SMALL_150, IDB_APP_SMALL_200};
    const int large = ScaleForWindow(m_hWnd, kLargePicture);
    const int small = ScaleForWindow(m_hWnd, kSmallPicture);
    // The list lets go of the old lists before they are destroyed.
    SetImageList(nullptr, LVSIL_NORMAL);
    SetImageList(nullptr, LVSIL_SMALL);
    m_imageLarge.DeleteImageList();
    m_imageSmall.DeleteImageList();
    m_imageLarge.Create(kLargeDrawings, large, large, 1, kTransparent);
    m_imageSmall.Create(kSmallDrawings, small, small, 1, kTransparent);
    SetImageList(m_imageLarge.m_hImageList, LVSIL_NORMAL);
    SetImageList(m_imageSmall.m_hImageList, LVSIL_SMALL);
    ForgetIcons();
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CChatView::FillList() {
    // Each entry's position is its item's while nothing is typed (set as it joined the
    // catalogue), so filling touches no entry.
    m_nCount = static_cast<int>(g_remoteApps.size());
    ForgetIcons();
    m_appStates.clear();
    ShowMatches();
    return TRUE;
}

void CChatView::ForwardMessage(const std::string& text) {
    const CDocument* doc = GetDocument();
    if (doc == nullptr || doc->GetViews().size() < 2)
        return;
    if (auto* pane = dynamic_cast<CSendView*>(doc->GetViews()[1]))
        pane->ShowMessage(text);
}

void CChatView::StopSignUpWatchdog() {
    if (m_hWnd != nullptr)
        KillTimer(kSignUpReplyTimer);
}

void CChatView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kHandshakeTimer) {
        KillTimer(nIDEvent);
        if (auto* doc = dynamic_cast<CChatDoc*>(GetDocument()))
            doc->OnHandshakeTimeout();
    } else if (nIDEvent == kSignUpDialogTimer || nIDEvent == kSignUpReplyTimer) {
        // Both run a modal box or dialog, during which the window may be closed.
        const HWND self = m_hWnd;
        if (nIDEvent == kSignUpDialogTimer)
            OnSignUpDialogDue();
        else
            OnSignUpReplyDue();
        if (FromHandle(self) != this)
            return;
    }
    Default();
}

void CChatView::SetViewType(DWORD type) {
    if (ViewType() == type)
        return;
    ModifyStyle(LVS_TYPEMASK, type);
    // The control repaints only where its new layout puts items; rows of the old layout
    // elsewhere would stay on screen.
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CChatView::OnViewBigIcons() {
    SetViewType(LVS_ICON);
}

void CChatView::OnViewSmallIcons() {
    SetViewType(LVS_SMALLICON);
}

void CChatView::OnViewList() {
    SetViewType(LVS_LIST);
}

void CChatView::OnViewDetails() {
    if (ViewType() == LVS_REPORT && IsFullRowSelect())
        return;
    EnableFullRowSelect(TRUE);
    SetViewType(LVS_REPORT);
}

void CChatView::OnUpdateViewBigIcons(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(ViewType() == LVS_ICON);
}

void CChatView::OnUpdateViewSmallIcons(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(ViewType() == LVS_SMALLICON);
}

void CChatView::OnUpdateViewList(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(ViewType() == LVS_LIST);
}

void CChatView::OnUpdateViewDetails(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(ViewType() == LVS_REPORT && IsFullRowSelect());
}

int CChatView::ItemAt(POINT point) const {
    UINT flags = 0;
    const int item = HitTest(point, &flags);
    return (flags & LVHT_ONITEM) != 0 ? item : -1;
}

void CChatView::OnRButtonDown(UINT, POINT point) {
    // The control first makes the item under the pointer the selection.
    Default();
    POINT cursor{};
    GetCursorPos(&cursor);
    if (ItemAt(point) == -1)
        ShowViewMenu(cursor);
    else
        ShowItemMenu(cursor);
}

BOOL CChatView::ShowItemMenu(POINT screen) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_APP_POPUP))
        return FALSE;
    CMenu::TrackPopupMenu(menu.GetSubMenu(0), TPM_RIGHTBUTTON, screen.x, screen.y, *this);
    return TRUE;
}

BOOL CChatView::ShowViewMenu(POINT screen) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEW_POPUP))
        return FALSE;
    const HMENU popup = menu.GetSubMenu(0);
    const DWORD type = ViewType();
    if (type != LVS_REPORT || IsFullRowSelect())
        CMenu::CheckMenuItem(popup, static_cast<UINT>(ViewMenuPosition(type)),
                             MF_BYPOSITION | MF_CHECKED);
    CMenu::TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, *this);
    return TRUE;
}
