// A toolbar: a row of image buttons, each a command, with separators between groups. Its
// buttons are enabled and checked from the commands' update handlers when the program falls
// idle; with CBRS_TOOLTIPS a button shows its tooltip (the second field of the command's
// string), with CBRS_FLYBY its prompt (the first field) goes to the frame's status bar.
#pragma once

#include "framework/control_bar.h"
#include "framework/framework_ids.h"

#include <string>
#include <vector>

class CToolBar : public CControlBar {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Sizes at 96 DPI; from 192 DPI on the bar is drawn twice as large, and so on. A change
    // of DPI across such a step makes the bar anew.
    static constexpr SIZE kImageSize{16, 15};
    static constexpr SIZE kButtonSize{23, 22};
    static constexpr int kSeparatorWidth = 6;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // The images: bitmap nIDResource, a strip of kImageSize images.
    BOOL LoadBitmap(UINT nIDResource);
    // One button per id, with the next image each; ID_SEPARATOR is a gap without an image.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    // The toolbar control inside the bar.
    HWND GetToolBarCtrl() const { return m_hWndToolBar; }
    // The command of button nIndex (ID_SEPARATOR for a gap).
    UINT GetItemID(int nIndex) const;
    int GetCount() const;
    // A window of the caller's (an edit), a child of the toolbar control, laid out in the row
    // after the last button, at most nWidth pixels wide at 96 DPI; hidden while the bar stands
    // upright. The buttons grow as tall as a line of its font needs.
    void SetTrailingWindow(HWND hWnd, int nWidth);

    SIZE CalcFixedLayout(BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget) override;

protected:
    void LayoutControl() override;
    void OnOrientation(BOOL bHorz) override;
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);

private:
    static const MessageEntry messageEntries[];
    SIZE Scaled(SIZE size) const { return SIZE{size.cx * m_nScale, size.cy * m_nScale}; }
    // The buttons' size: the pictures', and tall enough for the window after them.
    SIZE ButtonSize() const;
    // Gives the buttons again when the control's size is not ButtonSize().
    void ApplyButtonSize();
    // The toolbar control, its pictures sized for m_nScale; FALSE when it cannot be made.
    BOOL CreateControl(DWORD dwStyle);
    // Whether the bar stands along a side, its buttons in a column.
    bool IsVertical() const;
    void PlaceTrailingWindow();

    HWND m_hWndToolBar = nullptr;
    int m_nScale = 1; // the whole factor of the window's DPI over 96
    int m_nImages = 0;
    HWND m_hWndTrailing = nullptr;
    int m_nTrailingWidth = 0; // at 96 DPI
    // What the bar was given, to make it anew at another DPI.
    UINT m_nIDBitmap = 0;
    HBITMAP m_hBitmap = nullptr; // the pictures the control was given
    std::vector<UINT> m_buttonIds;
    std::string m_strTip; // the tooltip text handed out last
    std::wstring m_wstrTip;
};
