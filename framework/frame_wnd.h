// A frame: a top-level window with a caption, menu, icon and accelerators from one resource
// number, whose client area holds the views. Commands go to the active view (and so its
// document) first, then to the frame, then to the application object.
#pragma once

#include "framework/framework_ids.h"
#include "framework/wnd.h"

#include <string>
#include <vector>

class CControlBar;
class CDocument;
class CView;
struct CCreateContext;

// Frame style: the caption shows the document's name before the frame's title.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Creates the frame from resource nIDResource: its caption is the first field of that
    // string, and its menu, icon and accelerators carry the same number. The client area is
    // made by OnCreateClient with the context.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                   CCreateContext* pContext);

    CView* GetActiveView() const { return m_pViewActive; }
    // With bNotify the view takes the focus when the frame is the active window.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    CDocument* GetActiveDocument() const;

    // Makes a view of the context's class as child nID of this frame; null on failure.
    CView* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // The views' initial update, the caption, and (bMakeVisible) showing the frame.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Sets the caption; with FWS_ADDTOTITLE and bAddToTitle it names the active document.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // The caption becomes "<document name> - <title>", or the title alone with no name.
    void UpdateFrameTitleForDocument(const char* lpszDocName);
    const std::string& GetTitle() const { return m_strTitle; }

    // Called when the message loop falls idle: the frame's bars refresh their commands here.
    virtual void OnIdleUpdateCmdUI();
    // Lays the shown, docked bars along their edges and fits the client pane (child
    // AFX_IDW_PANE_FIRST) into what is left.
    virtual void RecalcLayout();

    // Bars (framework/frame_wnd_bars.cpp). A bar created with the frame as parent joins it.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CControlBar* GetControlBar(UINT nID) const;
    // The sides (CBRS_ALIGN_...) on which bars may dock.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    // Docks the bar on the side its style names, the top when it names none it may take.
    void DockControlBar(CControlBar* pBar);
    void ShowControlBar(CControlBar* pBar, BOOL bShow);
    // The status bar's message pane: a text, or a command's prompt (its string's first field).
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nID);
    void SetPromptText(UINT nID);
    // What the message pane shows when nothing else is said ("Ready"); a frame may say more.
    virtual std::string GetIdleMessage() const;
    void ShowIdleMessage() { SetMessageText(GetIdleMessage()); }

    BOOL OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI) override;

    HACCEL m_hAccelTable = nullptr;

protected:
    // Default client area: one view of the context's class.
    virtual BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext);
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus();
    // WM_DPICHANGED: the frame keeps the new DPI, tells its windows and floating bars, and
    // takes the rectangle the system suggests.
    LRESULT OnDpiChangedMessage(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;
    // A menu opening: its items' states from their update handlers.
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    // The prompt of the menu item under the pointer, "Ready" once the menu closes.
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    void OnExitMenuLoop();
    void OnViewToolBar();
    void OnViewStatusBar();
    void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);

    std::string m_strTitle;

private:
    static const MessageEntry messageEntries[];
    CCreateContext* m_pCreateContext = nullptr; // only while LoadFrame runs
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_listControlBars; // in creation order
    DWORD m_dwDockStyle = 0;
};
