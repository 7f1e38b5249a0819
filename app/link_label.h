// A static text that behaves like a hyperlink: link colours, red while the mouse is over it,
// a hand cursor, a tooltip with its target, and a click that opens the target in the browser.
#pragma once

#include "framework/font.h"
#include "framework/static.h"
#include "framework/tool_tip_ctrl.h"

#include <string>

class CLinkLabel : public CStatic {
public:
    enum { UNDERLINE_HOVER = -1, UNDERLINE_NEVER = 0, UNDERLINE_ALWAYS = 1 };

    CLinkLabel() = default;
    ~CLinkLabel() override;

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    BOOL DestroyWindow() override;
    // Relays every message to the tooltip.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The address a click opens; the control is fitted to its text and the tooltip shows it.
    void SetTarget(const std::string& target);
    void SetUnderlineMode(int nMode);

    // Opens address in the browser: through the shell, else through the command registered
    // for ".htm" pages. Returns the last attempt's result code (above 32 is success).
    static INT_PTR OpenTarget(const std::string& address, int nShowCmd);
    static void ShowOpenError(INT_PTR nCode);
    // The default value of root\subKey; an error code when it cannot be read whole.
    static LONG ReadRegDefault(HKEY root, const std::string& subKey, std::string& out);

    COLORREF m_crNormal = RGB(0, 0, 238);
    COLORREF m_crVisited = RGB(85, 26, 139);
    COLORREF m_crHot = RGB(255, 0, 0);
    BOOL m_bHot = FALSE;     // the mouse is over the control
    BOOL m_bVisited = FALSE; // the last click opened the target
    int m_nUnderlineMode = UNDERLINE_HOVER;
    BOOL m_bFitToText = TRUE;
    std::string m_strTarget;

protected:
    void PreSubclassWindow() override;
    // Moves and sizes the control around its text, as its alignment style says.
    void FitToText();
    void LoadHandCursor();

private:
    LRESULT CtlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, POINT point);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnClicked(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);
    void SelectFont(const CFont& font);
    void Redraw();

    static const MessageEntry messageEntries[];
    CFont m_fontUnderlined;
    CFont m_fontPlain;
    HCURSOR m_hHandCursor = nullptr;
    CToolTipCtrl m_toolTip;
    UINT m_nHoverTimer = 100;
};
