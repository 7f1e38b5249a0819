#include "framework/status_bar.h"

#include "framework/dpi.h"
#include "framework/resource_string.h"
#include "framework/win_app.h"

#include <commctrl.h>

#include <vector>

namespace {

// Margins at 96 DPI: around an indicator's text, and above and below the bar's text.
constexpr int kIndicatorMargin = 12;
constexpr int kTextMargin = 8;

int TextWidth(HWND control, const std::string& text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

int KeyFor(UINT id) {
    switch (id) {
    case ID_INDICATOR_CAPS:
        return VK_CAPITAL;
    case ID_INDICATOR_NUM:
        return VK_NUMLOCK;
    default:
        return 0;
    }
}

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateBar(pParentWnd, dwStyle, nID))
        return FALSE;
    m_hWndStatus = CreateWindowExA(
        0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 0, 0,
        0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(),
        nullptr);
    if (m_hWndStatus == nullptr) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (m_hWndStatus == nullptr || lpIDArray == nullptr || nIDCount <= 0 || nIDCount > 255)
        return FALSE;
    std::vector<Pane> panes;
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane{lpIDArray[i], {}, 0};
        if (pane.id != ID_SEPARATOR) {
            pane.text = AfxLoadString(pane.id);
            if (pane.text.empty())
                return FALSE;
            pane.width = IndicatorWidth(pane.text);
        }
        panes.push_back(pane);
    }
    m_panes = std::move(panes);
    LayoutControl();
    for (int i = 0; i < GetCount(); ++i)
        SetPaneText(i, m_panes[static_cast<std::size_t>(i)].id == ID_SEPARATOR
                           ? AfxLoadString(AFX_IDS_IDLEMESSAGE)
                           : std::string());
    return TRUE;
}

int CStatusBar::IndicatorWidth(const std::string& text) const {
    return TextWidth(m_hWndStatus, text) + ScaleForWindow(m_hWnd, kIndicatorMargin);
}

void CStatusBar::OnDpiChanged(UINT previousDpi, UINT dpi) {
    m_font.Follow(m_hWndStatus, previousDpi, dpi);
    for (Pane& pane : m_panes)
        if (pane.id != ID_SEPARATOR)
            pane.width = IndicatorWidth(pane.text);
    LayoutControl();
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<std::size_t>(nIndex)].id
                                              : ID_SEPARATOR;
}

void CStatusBar::SetPaneText(int nIndex, const std::string& text) {
    if (nIndex < 0 || nIndex >= GetCount() || GetPaneText(nIndex) == text)
        return;
    ::SendMessageA(m_hWndStatus, SB_SETTEXTA, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CStatusBar::GetPaneText(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        return {};
    const LRESULT length =
        LOWORD(::SendMessageA(m_hWndStatus, SB_GETTEXTLENGTHA, static_cast<WPARAM>(nIndex), 0));
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(m_hWndStatus, SB_GETTEXTA, static_cast<WPARAM>(nIndex),
                   reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

SIZE CStatusBar::CalcFixedLayout(BOOL) {
    TEXTMETRICA metrics{};
    const HDC dc = GetDC(m_hWndStatus);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWndStatus, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hWndStatus, dc);
    return SIZE{32767, metrics.tmHeight + ScaleForWindow(m_hWnd, kTextMargin)};
}

void CStatusBar::LayoutControl() {
    if (m_hWndStatus == nullptr)
        return;
    RECT client{};
    GetClientRect(&client);
    ::MoveWindow(m_hWndStatus, 0, 0, client.right, client.bottom, TRUE);
    if (m_panes.empty())
        return;
    // Right edges, from the right: the indicators keep their widths.
    std::vector<int> edges(m_panes.size());
    int right = client.right;
    for (std::size_t i = m_panes.size(); i-- > 0;) {
        edges[i] = i + 1 == m_panes.size() ? -1 : right;
        if (m_panes[i].id != ID_SEPARATOR)
            right -= m_panes[i].width;
    }
    ::SendMessageA(m_hWndStatus, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd*) {
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& pane = m_panes[static_cast<std::size_t>(i)];
        if (const int key = KeyFor(pane.id))
            SetPaneText(i, (GetKeyState(key) & 1) != 0 ? pane.text : std::string());
    }
}
