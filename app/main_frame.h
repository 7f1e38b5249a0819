// The program's one top-level window.
#pragma once

#include "framework/frame_wnd.h"

class CMainFrame : public CFrameWnd {
public:
    // The caption is the frame's title alone, "Skiffdesk", whatever the document is called.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
};
