// A view: a child window of a frame that shows its document. Commands that reach a view go
// to the view first and then to its document.
#pragma once

#include "framework/dpi_font.h"
#include "framework/wnd.h"

class CDocument;
struct CCreateContext;

class CView : public CWnd {
public:
    ~CView() override; // leaves its document's list of views

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Creates the window, then joins the context's document as its newest view.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext);
    // Once the frame and the document are ready, before the frame is first shown.
    virtual void OnInitialUpdate();

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL OnCmdMsg(UINT nID, CmdMode mode, CCmdUI* pCmdUI) override;

protected:
    // A click into the view makes it the frame's active view.
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    // The view's font follows the DPI.
    void OnDpiChanged(UINT previousDpi, UINT dpi) override;
    // F6 and Shift+F6: the next or previous pane of the splitter the view sits in.
    void OnNextPane();
    void OnPrevPane();

private:
    friend class CDocument;
    static const MessageEntry messageEntries[];
    CDocument* m_pDocument = nullptr;
    CDpiFont m_font;
};
