#include "app/link_label.h"

#include "app/link_rules.h"
#include "framework/dpi.h"
#include "framework/message_box.h"

#include <shellapi.h>

#include <cstring>

namespace {

constexpr UINT kHoverPeriodMs = 100;
constexpr UINT_PTR kToolId = 1;
// The area redrawn when the mouse leaves reaches below the control (by this much at 96 DPI),
// where an underline of a taller font than the control's could have been drawn.
constexpr int kLeaveRedrawMargin = 10;

} // namespace

const MessageEntry CLinkLabel::messageEntries[] = {
    ReflectedRow<&CLinkLabel::CtlColor>(WM_CTLCOLORSTATIC),
    MessageRow<&CLinkLabel::OnSetCursor>(WM_SETCURSOR),
    MessageRow<&CLinkLabel::OnMouseMove>(WM_MOUSEMOVE),
    MessageRow<&CLinkLabel::OnTimer>(WM_TIMER),
    ReflectedRow<&CLinkLabel::OnClicked>(WM_COMMAND),
    MessageRow<&CLinkLabel::OnEraseBkgnd>(WM_ERASEBKGND),
};
const MessageMap CLinkLabel::messageMap{&CStatic::messageMap, messageEntries};

CLinkLabel::~CLinkLabel() {
    m_toolTip.DestroyWindow();
    m_fontUnderlined.DeleteObject();
    m_fontPlain.DeleteObject();
}

void CLinkLabel::PreSubclassWindow() {
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(GetStyle() | SS_NOTIFY));
    const std::string text = GetWindowText();
    if (m_strTarget.empty())
        m_strTarget = text;
    if (text.empty())
        SetWindowText(m_strTarget);

    auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    if (font == nullptr)
        font = GetStockObject(DEFAULT_GUI_FONT);
    if (font == nullptr)
        font = GetStockObject(ANSI_VAR_FONT);
    LOGFONTA logFont{};
    GetObjectA(font, sizeof logFont, &logFont);
    m_fontPlain.CreateFontIndirect(logFont);
    logFont.lfUnderline = TRUE;
    m_fontUnderlined.CreateFontIndirect(logFont);

    FitToText();
    LoadHandCursor();
    if (m_nUnderlineMode != UNDERLINE_HOVER) {
        SelectFont(m_fontPlain);
        Redraw();
        m_nUnderlineMode = UNDERLINE_HOVER;
    }
    RECT client{};
    GetClientRect(&client);
    if (m_toolTip.Create(this))
        m_toolTip.AddTool(this, m_strTarget, client, kToolId);
    CStatic::PreSubclassWindow();
}

BOOL CLinkLabel::DestroyWindow() {
    if (m_hWnd != nullptr)
        KillTimer(m_nHoverTimer);
    return CStatic::DestroyWindow();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* pMsg) {
    m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

void CLinkLabel::SetTarget(const std::string& target) {
    m_strTarget = target;
    if (m_hWnd == nullptr)
        return;
    FitToText();
    m_toolTip.UpdateTipText(m_strTarget, this, kToolId);
}

void CLinkLabel::SetUnderlineMode(int nMode) {
    if (nMode == m_nUnderlineMode)
        return;
    if (m_hWnd != nullptr) {
        SelectFont(nMode == UNDERLINE_ALWAYS ? m_fontUnderlined : m_fontPlain);
        Redraw();
    }
    m_nUnderlineMode = nMode;
}

void CLinkLabel::FitToText() {
    if (m_hWnd == nullptr || !m_bFitToText)
        return;
    RECT window{};
    RECT client{};
    GetWindowRect(m_hWnd, &window);
    GetClientRect(&client);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (const HWND parent = ::GetParent(m_hWnd)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&client), 2);
    }
    const std::string text = GetWindowText();
    SIZE extent{};
    const HDC dc = GetDC(m_hWnd);
    const HGDIOBJ old = SelectObject(dc, m_fontUnderlined);
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int cx = extent.cx + width - (client.right - client.left);
    const int cy = extent.cy + height - (client.bottom - client.top);

    const DWORD style = GetStyle();
    if ((style & SS_CENTERIMAGE) != 0) {
        const int shrink = (height - cy) / 2;
        window.top += shrink;
        window.bottom -= shrink;
    } else {
        window.bottom = window.top + cy;
    }
    // The alignment is a value of the style's type field, not a set of bits.
    const DWORD alignment = style & SS_TYPEMASK;
    if (alignment == SS_CENTER) {
        const int shrink = (width - cx) / 2;
        window.left += shrink;
        window.right -= shrink;
    } else if (alignment == SS_RIGHT) {
        window.left = window.right - cx;
    } else {
        window.right = window.left + cx;
    }
    SetWindowPos(m_hWnd, nullptr, window.left, window.top, window.right - window.left,
                 window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLinkLabel::LoadHandCursor() {
    if (m_hHandCursor == nullptr)
        m_hHandCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_HAND));
}

LRESULT CLinkLabel::CtlColor(WPARAM wParam, LPARAM) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, m_bHot ? m_crHot : m_bVisited ? m_crVisited : m_crNormal);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CLinkLabel::OnEraseBkgnd(WPARAM wParam, LPARAM) {
    RECT client{};
    GetClientRect(&client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CLinkLabel::OnSetCursor(WPARAM, LPARAM) {
    if (m_hHandCursor == nullptr)
        return FALSE;
    SetCursor(m_hHandCursor);
    return TRUE;
}

void CLinkLabel::OnMouseMove(UINT, POINT) {
    if (!m_bHot) {
        m_bHot = TRUE;
        if (m_nUnderlineMode == UNDERLINE_HOVER)
            SelectFont(m_fontUnderlined);
        Redraw();
        SetTimer(m_nHoverTimer, kHoverPeriodMs);
    }
    Default();
}

void CLinkLabel::OnTimer(UINT_PTR) {
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(m_hWnd, &point);
    RECT client{};
    GetClientRect(&client);
    if (!PtInRect(&client, point)) {
        m_bHot = FALSE;
        KillTimer(m_nHoverTimer);
        if (m_nUnderlineMode != UNDERLINE_ALWAYS)
            SelectFont(m_fontPlain);
        client.bottom += ScaleForWindow(m_hWnd, kLeaveRedrawMargin);
        InvalidateRect(m_hWnd, &client, TRUE);
    }
    Default();
}

LRESULT CLinkLabel::OnClicked(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != STN_CLICKED)
        return 0;
    m_bHot = FALSE;
    const INT_PTR code = OpenTarget(m_strTarget, SW_SHOW);
    m_bVisited = code > 32;
    if (m_bVisited) {
        Redraw();
        return 0;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    ShowOpenError(code);
    return 0;
}

INT_PTR CLinkLabel::OpenTarget(const std::string& address, int nShowCmd) {
    const auto code = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, nShowCmd));
    if (code > 32)
        return code;
    std::string pageClass;
    if (ReadRegDefault(HKEY_CLASSES_ROOT, linkrules::kPageType, pageClass) != ERROR_SUCCESS)
        return code;
    const std::optional<std::string> key = linkrules::OpenCommandKey(pageClass);
    std::string registered;
    if (!key || ReadRegDefault(HKEY_CLASSES_ROOT, *key, registered) != ERROR_SUCCESS)
        return code;
    const std::optional<std::string> command = linkrules::FallbackCommandLine(registered, address);
    if (!command)
        return code;
    return static_cast<INT_PTR>(WinExec(command->c_str(), static_cast<UINT>(nShowCmd)));
}

void CLinkLabel::ShowOpenError(INT_PTR nCode) {
    AfxMessageBox(linkrules::OpenErrorText(nCode), MB_OK | MB_ICONEXCLAMATION);
}

LONG CLinkLabel::ReadRegDefault(HKEY root, const std::string& subKey, std::string& out) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (opened != ERROR_SUCCESS)
        return opened;
    char value[linkrules::kRegValueBuffer] = {};
    LONG size = sizeof value;
    // A value too long for the buffer is refused whole, never cut.
    const LONG read = RegQueryValueA(key, nullptr, value, &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return read;
    out.assign(value, strnlen(value, sizeof value));
    return ERROR_SUCCESS;
}

void CLinkLabel::SelectFont(const CFont& font) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), TRUE);
}

void CLinkLabel::Redraw() {
    InvalidateRect(m_hWnd, nullptr, TRUE);
}
