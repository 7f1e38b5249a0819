// A static splitter: a fixed grid of panes, each a view made once by CreateView, with bars
// between them. The user drags the bar between two rows to share the height anew; nothing
// remembers where it was.
#pragma once

#include "framework/factory.h"
#include "framework/framework_ids.h"
#include "framework/wnd.h"

#include <vector>

class CView;
struct CCreateContext;

class CSplitterWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    static constexpr int kBarSize = 5; // pixels between two panes

    // The splitter window itself, for a grid of nRows by nCols panes.
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Makes the pane at row, col: a view of the given class on the context's document. Its
    // row takes sizeInit.cy and its column sizeInit.cx; the last row and column take what is
    // left.
    BOOL CreateView(int row, int col, Factory<CView> pViewClass, SIZE sizeInit,
                    CCreateContext* pContext);

    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    // Makes the pane the frame's active view; it takes the focus when the frame is active.
    void SetActivePane(int row, int col);
    // The pane after (bPrev: before) the active one, in row order, becomes active.
    void ActivateNext(BOOL bPrev);
    // Places the panes in the client area by the rows' and columns' sizes.
    void RecalcLayout();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The rows' and columns' wanted sizes grow or shrink with the DPI.
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnCaptureChanged();

private:
    struct Track {
        int ideal = 0; // wanted size
        int pos = 0;   // from the last layout
        int size = 0;
    };
    // The row above the bar under point, or -1 when point is not on a bar between rows.
    int RowBarAt(POINT point) const;
    static void Lay(std::vector<Track>& tracks, int extent);

    static const MessageEntry messageEntries[];
    std::vector<Track> m_rows;
    std::vector<Track> m_cols;
    int m_nTrackingRow = -1; // the row whose lower bar is being dragged
};
