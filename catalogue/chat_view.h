// The application list view: the upper pane of the main frame and the first view of the
// document. Its window carries the program's one-shot timers, and it relays status texts from
// the document to the text pane.
#pragma once

#include "framework/view.h"

#include <string>

class CChatView : public CView {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // The handshake time-out: armed once, when the window is created.
    static constexpr UINT_PTR kHandshakeTimer = 5;
    static constexpr UINT kHandshakeTimeoutMs = 2000;

    // The framework's creation, then the start-up work that needs the window; returns the
    // creation's result.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) override;
    // Hands text to the document's second view when that is the text pane.
    void ForwardMessage(const std::string& text);

protected:
    void OnTimer(UINT_PTR nIDEvent);

private:
    static const MessageEntry messageEntries[];
};
