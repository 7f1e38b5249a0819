// A list view that, in the details layout, paints each row itself, so that a selected row is
// highlighted across its whole width up to the window's right edge. Texts too wide for their
// column end in "..."; the highlight follows the focus.
#pragma once

#include "framework/dpi.h"
#include "framework/list_view.h"

#include <string>

class CDC;

class CListViewEx : public CListView {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // The control's first WM_SIZE comes before it is subclassed: the width is read here.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) override;
    // The layout becomes report with owner-drawn rows, whatever else the style asks for.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Switches full-row painting; TRUE when the window style really changed.
    BOOL EnableFullRowSelect(BOOL bFullRowSelect);
    BOOL IsFullRowSelect() const { return m_bFullRowSelect; }

    // text, or its head and "...", so that it fits nColumnLen with nOffset pixels of margins.
    static std::string FitTextToColumn(const CDC& dc, const std::string& text, int nColumnLen,
                                       int nOffset);

protected:
    void InvalidateSelectedRows();
    bool IsReport() const { return (GetStyle() & LVS_TYPEMASK) == LVS_REPORT; }

    BOOL m_bFullRowSelect = FALSE;
    BOOL m_bHighlightToClientEdge = TRUE;
    int m_nClientWidth = 0;
    int m_nStateImageIndent = 0;
    COLORREF m_clrItemTextBk = GetSysColor(COLOR_WINDOW);
    COLORREF m_clrListBk = GetSysColor(COLOR_WINDOW);

private:
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnLvmSetImageList(WPARAM wParam, LPARAM lParam);
    LRESULT OnLvmSetTextBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnLvmSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItemReflected(WPARAM wParam, LPARAM lParam);
    // After the focus moved to or from other: repaints the selection unless other is a child
    // (the label editor).
    void FocusMoved(HWND other);
    void DrawOtherColumns(HDC hDC, RECT rowRect, int row);
    // pixels96 (a size at 96 DPI) at the list's DPI.
    int Scaled(int pixels96) const { return ScaleForWindow(m_hWnd, pixels96); }

    static const MessageEntry messageEntries[];
};
