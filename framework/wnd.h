// A window and the C++ object that handles its messages. One static window procedure finds
// the object (attached when the window is born) and hands the message to its WindowProc,
// which looks the message up in the object's message map.
//
// A window of a class other than the framework's own (an EDIT or list-view control) is that
// system control subclassed: its messages reach the object's table first, and the default
// processing of a message is the control's own window procedure.
#pragma once

#include "framework/cmd_target.h"

#include <windows.h>

#include <string>

class CFrameWnd;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override; // a window still attached is destroyed with its object

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // The object attached to a window, or null when no object of ours handles it.
    static CWnd* FromHandle(HWND hWnd);

    // Creates the window after PreCreateWindow has had its say on every field. With no class
    // name the window is of the framework's own class. Returns FALSE when no window was made.
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU nIDorHMenu);
    // A child window with the given id.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL DestroyWindow();
    // Takes over an existing window (a dialog's control): the object is attached, then
    // PreSubclassWindow runs, then the window's messages come to the object's table first.
    BOOL SubclassWindow(HWND hWnd);
    // A message on its way to this window or one of its children, before it is dispatched;
    // TRUE when it was used up. Modal dialogs ask each window from the target up to the dialog.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Routes a message to its row in the message map; messages without a row get the
    // framework's handling of commands and reflection, then the default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled right now.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The DPI the window is drawn at went from previousDpi to dpi: this window's object, then
    // those of its children, each before its own children, make their sizes follow.
    void TellDpiChanged(UINT previousDpi, UINT dpi);

    // Thin wrappers over the window functions of the same names.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // A message box owned by this window; with no caption it carries the application's title.
    int MessageBox(const std::string& text, const char* caption = nullptr, UINT type = MB_OK);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    DWORD GetStyle() const;
    CWnd* GetParent() const;
    // The nearest frame among the window's parents, or null.
    CFrameWnd* GetParentFrame() const;
    CWnd* GetDlgItem(int nID) const;
    void GetClientRect(RECT* rect) const;
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    void SetFocus();

    HWND m_hWnd = nullptr;
    // Set by the owner once the window exists, when the window is to own the object: the
    // object is then deleted after the window's last message.
    bool m_bAutoDelete = false;

protected:
    virtual void PreSubclassWindow();
    // A window whose sizes depend on the DPI makes them anew here (see TellDpiChanged).
    virtual void OnDpiChanged(UINT previousDpi, UINT dpi);
    // Called after the window's last message (WM_NCDESTROY), once the object is detached.
    virtual void PostNcDestroy();
    // WM_COMMAND: a control's notification goes to the control's own object first (reflected);
    // menu items, accelerators and button clicks are routed as commands. TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a child's notification to the child's object's reflected rows.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr; // the system control's own procedure, when subclassed
};
