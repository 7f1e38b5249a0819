// The program's one top-level window: the application list above the text pane, in a
// two-row splitter.
#pragma once

#include "framework/frame_wnd.h"
#include "framework/splitter_wnd.h"

class CMainFrame : public CFrameWnd {
public:
    // The text pane's share of the client height when the window opens, at 96 DPI.
    static constexpr int kTextPaneHeight = 150;

    // The caption is the frame's title alone, "Skiffdesk", whatever the document is called.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CSplitterWnd m_splitter;

protected:
    // Two rows: the context's view (the list) on top, the text pane below; the list becomes
    // the active view.
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
};
