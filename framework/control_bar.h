// A bar along an edge of its frame: the toolbar and the status bar. The frame lays its bars
// out around the client pane. A bar with docking enabled carries a gripper: dragged by it, it
// docks at the frame edge it is dropped near, or floats in a small window of its own.
#pragma once

#include "framework/wnd.h"

class CFrameWnd;

// Bar styles: the side the bar sits on, and what the pointer over it shows.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_TOOLTIPS 0x0010L // the buttons' tooltips
#define CBRS_FLYBY 0x0020L    // the buttons' prompts in the status bar
#define CBRS_TOP CBRS_ALIGN_TOP
#define CBRS_BOTTOM CBRS_ALIGN_BOTTOM

class CControlBar : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The sides (CBRS_ALIGN_...) the bar may be docked on; 0 keeps it where it is.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockingStyle() const { return m_dwDockStyle; }

    // The bar's size docked along a horizontal (bHorz) or vertical edge, or floating.
    virtual SIZE CalcFixedLayout(BOOL bHorz) = 0;
    // Refreshes the state its elements show from the commands routed through pTarget.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget) = 0;

    // Docks at the frame's side (one CBRS_ALIGN_ bit).
    void Dock(DWORD dwSide);
    // Floats in a window of its own whose top-left corner is at the screen point.
    void Float(POINT screenPoint);
    BOOL IsFloating() const { return m_hWndFloat != nullptr; }
    // Shown, either docked or in its floating window.
    BOOL IsVisible() const;
    void Show(BOOL bShow);
    HWND GetFloatingWindow() const { return m_hWndFloat; }

    // How near an edge of the frame's client area a drop docks the bar there.
    static constexpr int kDockSnap = 32;
    static constexpr int kGripper = 8;

protected:
    // The bar window; registers with the frame when the parent is one.
    BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // Space the gripper takes at the start of the bar.
    int GripperSize() const { return m_dwDockStyle != 0 ? kGripper : 0; }
    // The bar's own control fills the rest of the bar.
    virtual void LayoutControl() = 0;
    // The bar turns along a horizontal or vertical edge.
    virtual void OnOrientation(BOOL bHorz);

    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, POINT point);
    void OnLButtonUp(UINT nFlags, POINT point);
    void OnCaptureChanged();
    void OnDestroy();

    CFrameWnd* m_pDockSite = nullptr;
    DWORD m_dwStyle = 0;

private:
    // Where a drop at the screen point puts the bar: a side, or 0 to float.
    DWORD DockSideAt(POINT screenPoint) const;
    void CloseFloatingWindow();

    static const MessageEntry messageEntries[];
    DWORD m_dwDockStyle = 0;
    HWND m_hWndFloat = nullptr;
    bool m_bDragging = false;
};
