#include "framework/control_bar.h"

#include "framework/frame_wnd.h"
#include "framework/win_app.h"

#include <memory>

namespace {

// The small window a floating bar lives in. Closing it hides the bar.
class CFloatWnd : public CWnd {
public:
    explicit CFloatWnd(CControlBar* pBar) : m_pBar(pBar) {}
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    void OnClose() { m_pBar->Show(FALSE); }
    static const MessageEntry messageEntries[];
    CControlBar* m_pBar;
};

const MessageEntry CFloatWnd::messageEntries[] = {
    MessageRow<&CFloatWnd::OnClose>(WM_CLOSE),
};
const MessageMap CFloatWnd::messageMap{&CWnd::messageMap, messageEntries};

bool IsHorizontal(DWORD side) {
    return (side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) == 0;
}

} // namespace

const MessageEntry CControlBar::messageEntries[] = {
    MessageRow<&CControlBar::OnSize>(WM_SIZE),
    MessageRow<&CControlBar::OnPaint>(WM_PAINT),
    MessageRow<&CControlBar::OnLButtonDown>(WM_LBUTTONDOWN),
    MessageRow<&CControlBar::OnLButtonUp>(WM_LBUTTONUP),
    MessageRow<&CControlBar::OnCaptureChanged>(WM_CAPTURECHANGED),
    MessageRow<&CControlBar::OnDestroy>(WM_DESTROY),
};
const MessageMap CControlBar::messageMap{&CWnd::messageMap, messageEntries};

BOOL CControlBar::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_dwStyle = dwStyle & 0xFFFF;
    const RECT none{0, 0, 0, 0};
    if (!Create(nullptr, nullptr, (dwStyle & 0xFFFF0000) | WS_CLIPCHILDREN, none, pParentWnd, nID))
        return FALSE;
    m_pDockSite = dynamic_cast<CFrameWnd*>(pParentWnd);
    if (m_pDockSite != nullptr)
        m_pDockSite->AddControlBar(this);
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle & 0xFFFF;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
    LayoutControl();
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CControlBar::IsVisible() const {
    if (m_hWnd == nullptr || (GetStyle() & WS_VISIBLE) == 0)
        return FALSE;
    return m_hWndFloat == nullptr || IsWindowVisible(m_hWndFloat);
}

void CControlBar::Show(BOOL bShow) {
    if (m_hWnd == nullptr)
        return;
    ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    if (m_hWndFloat != nullptr)
        ::ShowWindow(m_hWndFloat, bShow ? SW_SHOWNA : SW_HIDE);
    if (m_pDockSite != nullptr)
        m_pDockSite->RecalcLayout();
}

void CControlBar::Dock(DWORD dwSide) {
    dwSide &= CBRS_ALIGN_ANY;
    if (m_pDockSite == nullptr || dwSide == 0)
        return;
    if (m_hWndFloat != nullptr) {
        ::SetParent(m_hWnd, m_pDockSite->m_hWnd);
        CloseFloatingWindow();
    }
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | dwSide;
    OnOrientation(IsHorizontal(dwSide));
    m_pDockSite->RecalcLayout();
}

void CControlBar::Float(POINT screenPoint) {
    if (m_pDockSite == nullptr)
        return;
    OnOrientation(TRUE);
    const SIZE size = CalcFixedLayout(TRUE);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT frame{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (m_hWndFloat == nullptr) {
        auto floatWnd = std::make_unique<CFloatWnd>(this);
        if (!floatWnd->CreateEx(exStyle, nullptr, m_pDockSite->GetTitle().c_str(), style,
                                screenPoint.x, screenPoint.y, width, height, m_pDockSite->m_hWnd,
                                nullptr))
            return;
        floatWnd->m_bAutoDelete = true;
        m_hWndFloat = floatWnd.release()->m_hWnd;
        ::SetParent(m_hWnd, m_hWndFloat);
    } else {
        ::SetWindowPos(m_hWndFloat, nullptr, screenPoint.x, screenPoint.y, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    ::ShowWindow(m_hWndFloat, (GetStyle() & WS_VISIBLE) != 0 ? SW_SHOWNA : SW_HIDE);
    m_pDockSite->RecalcLayout();
}

void CControlBar::CloseFloatingWindow() {
    const HWND floatWnd = m_hWndFloat;
    m_hWndFloat = nullptr;
    ::DestroyWindow(floatWnd);
}

DWORD CControlBar::DockSideAt(POINT screenPoint) const {
    if (m_pDockSite == nullptr)
        return 0;
    RECT client{};
    m_pDockSite->GetClientRect(&client);
    MapWindowPoints(m_pDockSite->m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (!PtInRect(&client, screenPoint))
        return 0;
    const DWORD allowed = m_dwDockStyle & m_pDockSite->GetDockingStyle();
    const struct {
        DWORD side;
        LONG distance;
    } edges[] = {
        {CBRS_ALIGN_TOP, screenPoint.y - client.top},
        {CBRS_ALIGN_BOTTOM, client.bottom - screenPoint.y},
        {CBRS_ALIGN_LEFT, screenPoint.x - client.left},
        {CBRS_ALIGN_RIGHT, client.right - screenPoint.x},
    };
    DWORD best = 0;
    LONG bestDistance = kDockSnap + 1;
    for (const auto& edge : edges) {
        if ((allowed & edge.side) != 0 && edge.distance < bestDistance) {
            best = edge.side;
            bestDistance = edge.distance;
        }
    }
    return best;
}

void CControlBar::OnOrientation(BOOL) {}

void CControlBar::OnSize(UINT, int, int) {
    LayoutControl();
}

void CControlBar::OnPaint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_hWnd, &paint);
    if (GripperSize() > 0) {
        RECT client{};
        GetClientRect(&client);
        RECT grip = client;
        if (IsHorizontal(m_dwStyle & CBRS_ALIGN_ANY) || IsFloating()) {
            grip.left += 2;
            grip.right = grip.left + 3;
            InflateRect(&grip, 0, -2);
        } else {
            grip.top += 2;
            grip.bottom = grip.top + 3;
            InflateRect(&grip, -2, 0);
        }
        DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(m_hWnd, &paint);
}

void CControlBar::OnLButtonDown(UINT, POINT) {
    if (m_dwDockStyle == 0 || m_pDockSite == nullptr) {
        Default();
        return;
    }
    m_bDragging = true;
    SetCapture(m_hWnd);
}

void CControlBar::OnLButtonUp(UINT, POINT point) {
    if (!m_bDragging) {
        Default();
        return;
    }
    m_bDragging = false;
    ReleaseCapture();
    ClientToScreen(m_hWnd, &point);
    if (const DWORD side = DockSideAt(point))
        Dock(side);
    else
        Float(point);
}

void CControlBar::OnCaptureChanged() {
    m_bDragging = false;
}

void CControlBar::OnDestroy() {
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    Default();
}
