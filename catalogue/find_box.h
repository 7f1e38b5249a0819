// The find box: an edit in the toolbar's free space whose text narrows the application list
// at each keystroke. Enter starts the list's selection, Down moves into the list, Esc empties
// the box and goes back to the list.
#pragma once

#include "framework/dpi_font.h"
#include "framework/font.h"
#include "framework/wnd.h"

class CChatView;

class CFindBox : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Width at 96 DPI.
    static constexpr int kWidth = 220;

    // The edit, a child of parent with id nID, serving list.
    BOOL Create(HWND hWndParent, UINT nID, CChatView* list);
    // The caret into the box, its text selected.
    void Activate();
    // The caret at the end of the box, then the character typed there.
    void TypeChar(WPARAM ch);

protected:
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;

private:
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandReflected(WPARAM wParam, LPARAM lParam);

    static const MessageEntry messageEntries[];
    CChatView* m_pList = nullptr;
    CFont m_font;
    CDpiFont m_dpiFont;
};
