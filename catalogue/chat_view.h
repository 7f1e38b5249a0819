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

    // The view's one-shot timers: the watchdog of a sign-up reply, the delay before the
    // automatic sign-up dialog, and the handshake time-out (armed once, at creation).
    static constexpr UINT_PTR kSignUpReplyTimer = 3;
    static constexpr UINT_PTR kSignUpDialogTimer = 4;
    static constexpr UINT_PTR kHandshakeTimer = 5;
    static constexpr UINT kHandshakeTimeoutMs = 2000;

    // The framework's creation, then the start-up work that needs the window; returns the
    // creation's result.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext) override;
    // Hands text to the document's second view when that is the text pane.
    void ForwardMessage(const std::string& text);
    // A reply has come: the sign-up watchdog has nothing left to watch.
    void StopSignUpWatchdog();

    // Sign-up (catalogue/chat_view_signup.cpp). Timer 4 opens the sign-up dialog once, a
    // while after start, when no account is stored; timer 3 watches for the sign-up reply.
    static constexpr UINT kSignUpReplyMs = 5000;
    static constexpr UINT kSignUpDialogDelayMs = 2500;
    // At creation: the stored account into the document, or timer 4 when there is none.
    void LoadAccountOrArmSignUp();
    // Timer 4 and "Register user": the dialog, then the exchange and its watchdog.
    void OnSignUpDialogDue();
    // Timer 3: "Failed to register!" unless a sign-up has succeeded.
    void OnSignUpReplyDue();
    void OnRegisterUser();

protected:
    void OnTimer(UINT_PTR nIDEvent);

private:
    static const MessageEntry messageEntries[];
};
