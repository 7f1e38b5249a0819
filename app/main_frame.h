// The program's one top-level window: menu, accelerators, a toolbar and a status bar around
// the application list above the text pane, in a two-row splitter.
#pragma once

#include "framework/frame_wnd.h"
#include "framework/splitter_wnd.h"
#include "framework/status_bar.h"
#include "framework/tool_bar.h"

class CMainFrame : public CFrameWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // The text pane's share of the client height when the window opens.
    static constexpr int kTextPaneHeight = 150;

    // The caption is the frame's title alone, "Skiffdesk", whatever the document is called.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CSplitterWnd m_splitter;
    CStatusBar m_statusBar;
    CToolBar m_toolBar;

protected:
    // The frame with its client area, then the toolbar and the status bar; -1 when one of
    // them cannot be made.
    int OnCreate(LPCREATESTRUCTA lpcs);
    // Two rows: the context's view (the list) on top, the text pane below; the list becomes
    // the active view.
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
    // Refreshing "Register user" makes the list the active view again, so the command always
    // reaches it and the text pane keeps the focus only until the next idle moment.
    void OnUpdateRegisterUser(CCmdUI* pCmdUI);
    // "Help": the service's home page in the browser; nothing is said when none opens.
    void OnOpenHomePage();

private:
    BOOL CreateToolBar();
    BOOL CreateStatusBar();
    void DockToolBar();

    static const MessageEntry messageEntries[];
};
