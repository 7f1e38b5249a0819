// A tooltip control: tools over windows of the program, each with its text.
#pragma once

#include "framework/wnd.h"

#include <string>

class CToolTipCtrl : public CWnd {
public:
    // A tooltip window owned by pParentWnd, with dwStyle added to the popup style.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // A tool over rect of pWnd's client area, known by nIDTool.
    BOOL AddTool(CWnd* pWnd, const std::string& text, const RECT& rect, UINT_PTR nIDTool);
    void UpdateTipText(const std::string& text, CWnd* pWnd, UINT_PTR nIDTool);
    // Hands a mouse message meant for a tool's window to the tooltip.
    void RelayEvent(MSG* pMsg);
};
