// The application list view: the upper pane of the main frame and the first view of the
// document. It shows the catalogue of remote applications, starts them, and carries the
// program's one-shot timers; it relays status texts from the document to the text pane.
#pragma once

#include "catalogue/list_view_ex.h"
#include "catalogue/remote_app_item.h"
#include "framework/image_list.h"
#include "session/session_view.h"

#include <string>
#include <unordered_map>
#include <vector>

class CCmdUI;
class CFindBox;

class CChatView : public CListViewEx, public ISessionView {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // The view's one-shot timers: the watchdog of a sign-up reply, the delay before the
    // automatic sign-up dialog, and the handshake time-out (armed once, at creation).
    static constexpr UINT_PTR kSignUpReplyTimer = 3;
    static constexpr UINT_PTR kSignUpDialogTimer = 4;
    static constexpr UINT kSignUpDialogDelayMs = 2500;
    static constexpr UINT_PTR kHandshakeTimer = 5;
    static constexpr UINT kHandshakeTimeoutMs = 2000;

    // The framework's creation, then the start-up work that needs the window: the stored
    // account or the sign-up delay, the catalogue, the list, the handshake time-out. Returns
    // the creation's result.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) override;
    // Starts in the details view; several items may be selected.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The pictures and the one column.
    void OnInitialUpdate() override;
    // The large and small pictures at the window's DPI, made anew and given to the list; the
    // applications' own icons are read again as they are drawn.
    void BuildImageLists();

    // Hands text to the document's second view when that is the text pane.
    void ForwardMessage(const std::string& text) override;
    void StopSignUpWatchdog() override;

    // Sign-up (catalogue/chat_view_signup.cpp). Timer 4 opens the sign-up dialog once, a
    // while after start, when no account is stored; timer 3 watches for the sign-up reply.
    static constexpr UINT kSignUpReplyMs = 5000;
    // At creation: the stored account into the document, or timer 4 when there is none.
    void LoadAccountOrArmSignUp();
    // Timer 4 and "Register user": the dialog, then the exchange and its watchdog.
    void OnSignUpDialogDue();
    // Timer 3: "Failed to register!" unless a sign-up has succeeded.
    void OnSignUpReplyDue();
    void OnRegisterUser();
    // The catalogue: every connection file under "apps" beside the executable, into
    // g_remoteApps. Messages are boxes owned by this view (no window: owned by none).
    void LoadCatalogue();
    BOOL MakeAppItem(std::wstring path, RemoteAppItem& item);
    BOOL ReadAppName(std::wstring path, std::string& name);
    static std::wstring GetFolder(const std::wstring& path);

    // One item per catalogue entry, in catalogue order (only the matches while a search is
    // typed). The list holds no copies: it asks for each item's text and picture as it draws.
    BOOL FillList();

    // Find as you type (catalogue/chat_view_find.cpp). Item i of the list is catalogue entry
    // i while nothing is typed and the i-th match otherwise; every use of an item goes
    // through AppOfItem. -1: no such item.
    int AppOfItem(int nItem) const;
    // Shows only the applications whose names contain text; all of them when it is empty.
    void SetFindText(const std::string& text);
    const std::string& GetFindText() const { return m_strFind; }
    // "N of M applications" while a search is typed; empty otherwise.
    std::string GetFindStatus() const;
    // The box in the toolbar that types into SetFindText.
    void SetFindBox(CFindBox* pFindBox) { m_pFindBox = pFindBox; }
    // The focus into the list, at the focused item or else the first.
    void FocusList();
    // Starts every selected application.
    void StartSelection() { OnConnect(); }

    // The picture of catalogue entry nApp: its own icon once read, else the globe (0)
    // (catalogue/chat_view_icons.cpp).
    int ImageOfApp(int nApp);
    // Item states that the view keeps for the list, which keeps only selection and focus.
    static constexpr UINT kViewKeptStates =
        LVIS_DROPHILITED | LVIS_CUT | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;
    // Private message: reads the icons asked for during the last paint.
    static constexpr UINT kReadIconsMessage = WM_APP + 1;
    // The item menu and the view-type menu at a point on the screen; FALSE when the menu
    // cannot be loaded.
    BOOL ShowItemMenu(POINT screen);
    BOOL ShowViewMenu(POINT screen);
    // The catalogue read again from the folder into a list rebuilt in the same view type.
    void ReloadCatalogue();

    // Starts the remote desktop client on a connection file; tells the user when it cannot.
    void LaunchApp(const std::wstring& path);

    int m_nCount = 0;
    CImageList m_imageLarge;
    CImageList m_imageSmall;

protected:
    // The font, the pictures and the column's width at the new DPI.
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnRButtonDown(UINT nFlags, POINT point);
    void OnLButtonDblClk(UINT nFlags, POINT point);
    // The keyboard's context menu (lParam -1): the item menu at the chosen item, or the view
    // menu at the list's corner. The mouse's is opened on the button's press.
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    // Enter starts the selection; F5 reloads the catalogue.
    LRESULT OnNotifyReflected(WPARAM wParam, LPARAM lParam);
    void OnConnect();
    void OnViewBigIcons();
    void OnViewSmallIcons();
    void OnViewList();
    void OnViewDetails();
    void OnUpdateViewBigIcons(CCmdUI* pCmdUI);
    void OnUpdateViewSmallIcons(CCmdUI* pCmdUI);
    void OnUpdateViewList(CCmdUI* pCmdUI);
    void OnUpdateViewDetails(CCmdUI* pCmdUI);
    // Ctrl+F.
    void OnFindApp();
    // A character typed in the list starts a search with it.
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnReadIcons(WPARAM wParam, LPARAM lParam);
    // States the list keeps only for items it holds itself (drop target, cut, overlay, state
    // image) are kept here, per catalogue entry; selection and focus stay the control's.
    LRESULT OnSetItemState(WPARAM wParam, LPARAM lParam);

private:
    DWORD ViewType() const { return GetStyle() & LVS_TYPEMASK; }
    void SetViewType(DWORD type);
    // The item under point, on its icon, label or state icon; -1 elsewhere.
    int ItemAt(POINT point) const;
    // The list item that shows catalogue entry nApp, or -1.
    int ItemOfApp(int nApp) const;
    // The list's item count from the search; the status bar says how many are shown.
    void ShowMatches();
    void ClearSelection();
    // The item texts and pictures the list asks for.
    void GetDispInfo(NMHDR* header);
    void ForgetIcons();
    // Reads nApp's icon file into both image lists; the index, or 0 (the globe).
    int ReadIcon(int nApp);

    std::string m_strFind;
    std::vector<int> m_shownApps; // while a search is typed: the entries shown, in order
    std::vector<int> m_appImages; // per entry: its picture, or kIconUnread / kIconQueued
    std::vector<int> m_iconQueue; // entries drawn with the globe until their icons are read
    std::unordered_map<int, UINT> m_appStates; // per entry: the states kept by the view
    CFindBox* m_pFindBox = nullptr;

    static const MessageEntry messageEntries[];
};
