// The status bar: a message pane that stretches (prompts, "Ready" when idle), then the
// indicator panes, each showing its string while its key state is on.
#pragma once

#include "framework/control_bar.h"
#include "framework/dpi_font.h"
#include "framework/framework_ids.h"

#include <string>
#include <vector>

class CStatusBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id: ID_SEPARATOR is the message pane; any other id needs a string, which
    // sets the pane's width. FALSE when a string is missing.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    void SetPaneText(int nIndex, const std::string& text);
    std::string GetPaneText(int nIndex) const;
    UINT GetItemID(int nIndex) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    HWND GetStatusBarCtrl() const { return m_hWndStatus; }

    SIZE CalcFixedLayout(BOOL bHorz) override;
    // The key indicators follow their keys' states.
    void OnUpdateCmdUI(CFrameWnd* pTarget) override;

protected:
    void LayoutControl() override;
    // The font, the indicators' widths and so the bar's height follow the DPI.
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;

private:
    struct Pane {
        UINT id;
        std::string text; // what an indicator shows when on
        int width;        // pixels; the message pane takes the rest
    };
    // An indicator's width: its text in the bar's font, and a margin.
    int IndicatorWidth(const std::string& text) const;

    HWND m_hWndStatus = nullptr;
    std::vector<Pane> m_panes;
    CDpiFont m_font;
};
