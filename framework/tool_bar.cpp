#include "framework/tool_bar.h"

#include "framework/cmd_ui.h"
#include "framework/dpi.h"
#include "framework/frame_wnd.h"
#include "framework/resource_string.h"
#include "framework/text_convert.h"
#include "framework/win_app.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kPad = 2; // around the buttons

// The height an edit needs for a line of its font inside its sunken edge.
int EditLineHeight(HWND window) {
    const HDC dc = GetDC(window);
    if (dc == nullptr)
        return 0;
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics{};
    const BOOL measured = GetTextMetricsA(dc, &metrics);
    if (previous != nullptr)
        SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return measured ? metrics.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE) + 3 : 0;
}

class CToolCmdUI : public CCmdUI {
public:
    CToolCmdUI(HWND toolBar, UINT nID) : CCmdUI(nID), m_hWndToolBar(toolBar) {}

protected:
    void ApplyEnable(BOOL bOn) override {
        ::SendMessageA(m_hWndToolBar, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void ApplyCheck(int nCheck) override {
        ::SendMessageA(m_hWndToolBar, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0));
    }

private:
    HWND m_hWndToolBar;
};

} // namespace

const MessageEntry CToolBar::messageEntries[] = {
    MessageRow<&CToolBar::OnNotify>(WM_NOTIFY),
};
const MessageMap CToolBar::messageMap{&CControlBar::messageMap, messageEntries};

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!CreateBar(pParentWnd, dwStyle, nID))
        return FALSE;
    m_nScale = WholeScaleForWindow(m_hWnd);
    if (!CreateControl(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                       CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER)) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CToolBar::CreateControl(DWORD dwStyle) {
    m_hWndToolBar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", dwStyle, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd))),
                        AfxGetInstanceHandle(), nullptr);
    if (m_hWndToolBar == nullptr)
        return FALSE;
    ::SendMessageA(m_hWndToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    const SIZE image = Scaled(kImageSize);
    ::SendMessageA(m_hWndToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    return TRUE;
}

void CToolBar::OnDpiChanged(UINT previousDpi, UINT dpi) {
    // The window after the buttons is the control's child, which is no window of ours.
    if (CWnd* trailing = FromHandle(m_hWndTrailing))
        trailing->TellDpiChanged(previousDpi, dpi);
    const int scale = WholeScaleForWindow(m_hWnd);
    if (m_hWndToolBar == nullptr)
        return;
    if (scale == m_nScale) {
        // The pictures keep their size; the window after them has a new font and width.
        ApplyButtonSize();
        LayoutControl();
        return;
    }
    // The control takes a picture size only before its first picture: a new control.
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(m_hWndToolBar, GWL_STYLE));
    // The window after the buttons lives on in the bar while its control is made anew.
    if (m_hWndTrailing != nullptr)
        ::SetParent(m_hWndTrailing, m_hWnd);
    ::DestroyWindow(m_hWndToolBar);
    m_hWndToolBar = nullptr;
    // The pictures stay while the control that was given them lives.
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_nImages = 0;
    m_nScale = scale;
    if (!CreateControl(style))
        return;
    if (m_hWndTrailing != nullptr)
        ::SetParent(m_hWndTrailing, m_hWndToolBar);
    if (m_nIDBitmap != 0)
        LoadBitmap(m_nIDBitmap);
    const std::vector<UINT> ids = m_buttonIds;
    SetButtons(ids.data(), static_cast<int>(ids.size()));
    if (IsFloating()) {
        RECT window{};
        ::GetWindowRect(GetFloatingWindow(), &window);
        Float(POINT{window.left, window.top});
    } else {
        OnOrientation(!IsVertical());
    }
}

BOOL CToolBar::LoadBitmap(UINT nIDResource) {
    if (m_hWndToolBar == nullptr)
        return FALSE;
    // The standard greys, black and white of the images follow the system's button colours.
    m_nIDBitmap = nIDResource;
    HBITMAP bitmap = CreateMappedBitmap(AfxGetInstanceHandle(), nIDResource, 0, nullptr, 0);
    if (bitmap == nullptr)
        return FALSE;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const int images = info.bmWidth / kImageSize.cx;
    if (m_nScale > 1) {
        const HBITMAP enlarged =
            CopyStretched(bitmap, Scaled(SIZE{info.bmWidth, info.bmHeight}), false);
        DeleteObject(bitmap);
        if (enlarged == nullptr)
            return FALSE;
        bitmap = enlarged;
    }
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bitmap)};
    if (images <= 0 || ::SendMessageA(m_hWndToolBar, TB_ADDBITMAP, static_cast<WPARAM>(images),
                                      reinterpret_cast<LPARAM>(&add)) == -1) {
        DeleteObject(bitmap);
        return FALSE;
    }
    m_nImages = images;
    m_hBitmap = bitmap;
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    if (m_hWndToolBar == nullptr || lpIDArray == nullptr || nIDCount < 0)
        return FALSE;
    m_buttonIds.assign(lpIDArray, lpIDArray + nIDCount);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button{};
        if (lpIDArray[i] == ID_SEPARATOR) {
            button.iBitmap = kSeparatorWidth * m_nScale;
            button.fsStyle = BTNS_SEP;
        } else {
            if (image >= m_nImages)
                return FALSE;
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }
    while (::SendMessageA(m_hWndToolBar, TB_BUTTONCOUNT, 0, 0) > 0)
        ::SendMessageA(m_hWndToolBar, TB_DELETEBUTTON, 0, 0);
    // The control takes a button size only while it has no buttons.
    const SIZE size = ButtonSize();
    ::SendMessageA(m_hWndToolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy));
    if (!buttons.empty() && !::SendMessageA(m_hWndToolBar, TB_ADDBUTTONSA, buttons.size(),
                                            reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    LayoutControl();
    return TRUE;
}

int CToolBar::GetCount() const {
    return static_cast<int>(::SendMessageA(m_hWndToolBar, TB_BUTTONCOUNT, 0, 0));
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button{};
    if (!::SendMessageA(m_hWndToolBar, TB_GETBUTTON, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(&button)))
        return ID_SEPARATOR;
    return (button.fsStyle & BTNS_SEP) != 0 ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

SIZE CToolBar::ButtonSize() const {
    SIZE button = Scaled(kButtonSize);
    // One pixel free above and below the window after the buttons.
    if (m_hWndTrailing != nullptr)
        button.cy = std::max<LONG>(button.cy, EditLineHeight(m_hWndTrailing) + 2);
    return button;
}

void CToolBar::ApplyButtonSize() {
    const SIZE button = ButtonSize();
    const LRESULT current = ::SendMessageA(m_hWndToolBar, TB_GETBUTTONSIZE, 0, 0);
    if (LOWORD(current) == button.cx && HIWORD(current) == button.cy)
        return;
    const std::vector<UINT> ids = m_buttonIds;
    SetButtons(ids.data(), static_cast<int>(ids.size()));
}

SIZE CToolBar::CalcFixedLayout(BOOL bHorz) {
    SIZE extent = ButtonSize();
    const int pad = kPad * m_nScale;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (::SendMessageA(m_hWndToolBar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(&item))) {
            extent.cx = std::max(extent.cx, item.right);
            extent.cy = std::max(extent.cy, item.bottom);
        }
    }
    const bool across = bHorz || IsFloating();
    if (across && m_hWndTrailing != nullptr)
        extent.cx += kSeparatorWidth * m_nScale + ScaleForWindow(m_hWnd, m_nTrailingWidth);
    return across ? SIZE{extent.cx + GripperSize() + 2 * pad, extent.cy + 2 * pad}
                  : SIZE{extent.cx + 2 * pad, extent.cy + GripperSize() + 2 * pad};
}

void CToolBar::SetTrailingWindow(HWND hWnd, int nWidth) {
    m_hWndTrailing = hWnd;
    m_nTrailingWidth = nWidth;
    if (m_hWndToolBar != nullptr)
        ApplyButtonSize();
    PlaceTrailingWindow();
}

void CToolBar::PlaceTrailingWindow() {
    const int count = GetCount();
    RECT last{};
    if (m_hWndTrailing == nullptr || count == 0 ||
        !::SendMessageA(m_hWndToolBar, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                        reinterpret_cast<LPARAM>(&last)))
        return;
    RECT client{};
    ::GetClientRect(m_hWndToolBar, &client);
    const int left = last.right + kSeparatorWidth * m_nScale;
    const int width = std::min<int>(ScaleForWindow(m_hWnd, m_nTrailingWidth), client.right - left);
    if (IsVertical() || width <= 0) {
        ::ShowWindow(m_hWndTrailing, SW_HIDE);
        return;
    }
    ::MoveWindow(m_hWndTrailing, left, last.top + 1, width, last.bottom - last.top - 2, TRUE);
    ::ShowWindow(m_hWndTrailing, SW_SHOWNA);
}

void CToolBar::LayoutControl() {
    if (m_hWndToolBar == nullptr)
        return;
    RECT client{};
    GetClientRect(&client);
    const bool vertical = IsVertical();
    const int pad = kPad * m_nScale;
    const int left = vertical ? pad : GripperSize() + pad;
    const int top = vertical ? GripperSize() + pad : pad;
    ::MoveWindow(m_hWndToolBar, left, top, std::max(0L, client.right - left - pad),
                 std::max(0L, client.bottom - top - pad), TRUE);
    PlaceTrailingWindow();
}

bool CToolBar::IsVertical() const {
    const DWORD side = GetBarStyle() & CBRS_ALIGN_ANY;
    return !IsFloating() && (side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
}

void CToolBar::OnOrientation(BOOL bHorz) {
    const LONG_PTR style = GetWindowLongPtrA(m_hWndToolBar, GWL_STYLE);
    SetWindowLongPtrA(m_hWndToolBar, GWL_STYLE, bHorz ? (style & ~CCS_VERT) : (style | CCS_VERT));
    // Standing up, every button ends its own row.
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        ::SendMessageA(m_hWndToolBar, TB_GETBUTTONINFOA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&info));
        info.fsState = bHorz ? (info.fsState & ~TBSTATE_WRAP) : (info.fsState | TBSTATE_WRAP);
        ::SendMessageA(m_hWndToolBar, TB_SETBUTTONINFOA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&info));
    }
    LayoutControl();
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget) {
    if (pTarget == nullptr || m_hWndToolBar == nullptr)
        return;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        const UINT id = GetItemID(i);
        if (id == ID_SEPARATOR)
            continue;
        CToolCmdUI state(m_hWndToolBar, id);
        state.DoUpdate(*pTarget);
    }
}

BOOL CToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A button's click is the frame's command, wherever the bar is.
    if (reinterpret_cast<HWND>(lParam) == m_hWndToolBar && HIWORD(wParam) == BN_CLICKED &&
        m_pDockSite != nullptr) {
        m_pDockSite->PostMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}

LRESULT CToolBar::OnNotify(WPARAM, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr)
        return 0;
    const UINT code = header->code;
    if (code == TTN_GETDISPINFOA || code == TTN_GETDISPINFOW) {
        const UINT id = static_cast<UINT>(header->idFrom);
        m_strTip = (GetBarStyle() & CBRS_TOOLTIPS) != 0 ? AfxExtractSubString(AfxLoadString(id), 1)
                                                        : std::string();
        if (code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            info->hinst = nullptr;
            info->lpszText = m_strTip.data();
        } else {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            m_wstrTip = AnsiToWide(m_strTip);
            info->hinst = nullptr;
            info->lpszText = m_wstrTip.data();
        }
        return 0;
    }
    if (code == TBN_HOTITEMCHANGE && (GetBarStyle() & CBRS_FLYBY) != 0 && m_pDockSite != nullptr) {
        const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
        if ((hot->dwFlags & HICF_LEAVING) != 0)
            m_pDockSite->ShowIdleMessage();
        else
            m_pDockSite->SetPromptText(static_cast<UINT>(hot->idNew));
        return 0;
    }
    return Default();
}
