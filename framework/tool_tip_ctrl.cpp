#include "framework/tool_tip_ctrl.h"

#include <commctrl.h>

namespace {

// The tool record as every version of the common controls reads it.
TTTOOLINFOA ToolInfo(CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = pWnd->m_hWnd;
    info.uId = nIDTool;
    return info;
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    if (!registered)
        return FALSE;
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const std::string& text, const RECT& rect,
                           UINT_PTR nIDTool) {
    TTTOOLINFOA info = ToolInfo(pWnd, nIDTool);
    info.rect = rect;
    info.lpszText = const_cast<char*>(text.c_str());
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::UpdateTipText(const std::string& text, CWnd* pWnd, UINT_PTR nIDTool) {
    TTTOOLINFOA info = ToolInfo(pWnd, nIDTool);
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    if (m_hWnd != nullptr)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
