#include "framework/splitter_wnd.h"

#include "framework/create_context.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"

#include <algorithm>

const MessageEntry CSplitterWnd::messageEntries[] = {
    MessageRow<&CSplitterWnd::OnSize>(WM_SIZE),
    MessageRow<&CSplitterWnd::OnPaint>(WM_PAINT),
    MessageRow<&CSplitterWnd::OnSetCursor>(WM_SETCURSOR),
    MessageRow<&CSplitterWnd::OnLButtonDown>(WM_LBUTTONDOWN),
    MessageRow<&CSplitterWnd::OnMouseMove>(WM_MOUSEMOVE),
    MessageRow<&CSplitterWnd::OnLButtonUp>(WM_LBUTTONUP),
    MessageRow<&CSplitterWnd::OnCaptureChanged>(WM_CAPTURECHANGED),
};
const MessageMap CSplitterWnd::messageMap{&CWnd::messageMap, messageEntries};

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    // Pane ids hold the row and the column in 4 bits each.
    if (nRows < 1 || nRows > 16 || nCols < 1 || nCols > 16)
        return FALSE;
    m_rows.assign(static_cast<std::size_t>(nRows), Track());
    m_cols.assign(static_cast<std::size_t>(nCols), Track());
    const RECT none{0, 0, 0, 0};
    return Create(nullptr, nullptr, dwStyle, none, pParentWnd, nID);
}

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    // The splitter paints only its bars.
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CSplitterWnd::CreateView(int row, int col, Factory<CView> pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (row < 0 || col < 0 || row >= static_cast<int>(m_rows.size()) ||
        col >= static_cast<int>(m_cols.size()) || GetPane(row, col) != nullptr)
        return FALSE;
    CView* view = pViewClass();
    const RECT none{0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, none, this, IdFromRowCol(row, col),
                      pContext)) {
        delete view;
        return FALSE;
    }
    view->m_bAutoDelete = true;
    m_rows[static_cast<std::size_t>(row)].ideal = std::max(0, static_cast<int>(sizeInit.cy));
    m_cols[static_cast<std::size_t>(col)].ideal = std::max(0, static_cast<int>(sizeInit.cx));
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    return FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

void CSplitterWnd::SetActivePane(int row, int col) {
    auto* view = dynamic_cast<CView*>(GetPane(row, col));
    CFrameWnd* frame = GetParentFrame();
    if (view != nullptr && frame != nullptr)
        frame->SetActiveView(view);
}

void CSplitterWnd::ActivateNext(BOOL bPrev) {
    const int rows = static_cast<int>(m_rows.size());
    const int cols = static_cast<int>(m_cols.size());
    const int count = rows * cols;
    const CFrameWnd* frame = GetParentFrame();
    const CView* active = frame != nullptr ? frame->GetActiveView() : nullptr;
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (active != nullptr && GetPane(i / cols, i % cols) == active)
            current = i;
    }
    const int next = current < 0 ? 0 : (current + (bPrev ? count - 1 : 1)) % count;
    SetActivePane(next / cols, next % cols);
}

// Each track but the last takes its wanted size as far as the extent allows, with a bar
// after it; the last takes the rest.
void CSplitterWnd::Lay(std::vector<Track>& tracks, int extent) {
    int pos = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const int left = std::max(0, extent - pos);
        Track& track = tracks[i];
        track.pos = pos;
        track.size = i + 1 == tracks.size() ? left : std::min(track.ideal, left);
        pos += track.size + kBarSize;
    }
}

void CSplitterWnd::RecalcLayout() {
    RECT client{};
    GetClientRect(&client);
    Lay(m_rows, client.bottom - client.top);
    Lay(m_cols, client.right - client.left);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        for (std::size_t c = 0; c < m_cols.size(); ++c) {
            const HWND pane =
                ::GetDlgItem(m_hWnd, IdFromRowCol(static_cast<int>(r), static_cast<int>(c)));
            if (pane != nullptr)
                ::MoveWindow(pane, m_cols[c].pos, m_rows[r].pos, m_cols[c].size, m_rows[r].size,
                             TRUE);
        }
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSplitterWnd::OnDpiChanged(UINT previousDpi, UINT dpi) {
    if (previousDpi == 0 || previousDpi == dpi)
        return;
    for (std::vector<Track>* tracks : {&m_rows, &m_cols})
        for (Track& track : *tracks)
            track.ideal = MulDiv(track.ideal, static_cast<int>(dpi), static_cast<int>(previousDpi));
    RecalcLayout();
}

void CSplitterWnd::OnSize(UINT nType, int, int) {
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CSplitterWnd::OnPaint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(m_hWnd, &ps);
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(m_hWnd, &ps);
}

int CSplitterWnd::RowBarAt(POINT point) const {
    for (std::size_t r = 0; r + 1 < m_rows.size(); ++r) {
        const int top = m_rows[r].pos + m_rows[r].size;
        if (point.y >= top && point.y < top + kBarSize)
            return static_cast<int>(r);
    }
    return -1;
}

LRESULT CSplitterWnd::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(m_hWnd, &point);
    if (reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT &&
        RowBarAt(point) >= 0) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_SIZENS)));
        return TRUE;
    }
    return Default();
}

void CSplitterWnd::OnLButtonDown(UINT, POINT point) {
    m_nTrackingRow = RowBarAt(point);
    if (m_nTrackingRow >= 0)
        SetCapture(m_hWnd);
}

void CSplitterWnd::OnMouseMove(UINT, POINT point) {
    if (m_nTrackingRow < 0)
        return;
    Track& row = m_rows[static_cast<std::size_t>(m_nTrackingRow)];
    // The pointer holds the bar where it took it: its middle.
    const int size = std::max(0, static_cast<int>(point.y) - row.pos - kBarSize / 2);
    if (size != row.size) {
        row.ideal = size;
        RecalcLayout();
    }
}

void CSplitterWnd::OnLButtonUp(UINT, POINT) {
    if (m_nTrackingRow >= 0) {
        m_nTrackingRow = -1;
        ReleaseCapture();
    }
}

void CSplitterWnd::OnCaptureChanged() {
    m_nTrackingRow = -1;
}
