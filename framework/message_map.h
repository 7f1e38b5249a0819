// Message maps. A class that handles messages or commands declares one table: each row names
// a window message (or a command id) and the member function that handles it. The base
// class's table is searched after the class's own, so a row overrides its base's row.
//
//   const MessageEntry CMainFrame::messageEntries[] = {
//       MessageRow<&CMainFrame::OnCreate>(WM_CREATE),
//       CommandRow<&CMainFrame::OnOpenHomePage>(ID_HELP),
//       UpdateRow<&CMainFrame::OnUpdateRegisterUser>(ID_REGISTER_USER),
//   };
//   const MessageMap CMainFrame::messageMap{&CFrameWnd::messageMap, messageEntries};
//
// A message handler's signature says how the message's parameters reach it (see
// MessageCall below). A message reflected back to the control that sent it (WM_DRAWITEM,
// WM_NOTIFY, WM_CTLCOLORSTATIC, WM_COMMAND from a control) arrives in the control's own table
// through a ReflectedRow: a row kind of its own, so it can never be mistaken for a message of
// the same number that the control receives itself (the common controls take 0x2000 upwards).
#pragma once

#include <windows.h>

#include <span>

class CCmdTarget;
class CCmdUI;

struct MessageEntry {
    enum Kind : unsigned char { message, reflected, command, updateCommandUI };
    Kind kind;
    UINT id; // window message number (also for a reflected row), or command id
    // Calls the row's member on the target. A command-UI row receives its CCmdUI* in lParam.
    LRESULT (*call)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* base; // null only for the root table
    std::span<const MessageEntry> entries;

    // The first row of that kind and id, in this table or else in its bases' tables.
    const MessageEntry* Find(MessageEntry::Kind kind, UINT id) const;
};

// How a handler's signature receives the message.
template <auto Handler, class Signature = decltype(Handler)> struct MessageCall;

// Anything: the raw parameters, the result goes back to Windows.
template <auto Handler, class C> struct MessageCall<Handler, LRESULT (C::*)(WPARAM, LPARAM)> {
    static LRESULT Call(CCmdTarget& target, WPARAM wParam, LPARAM lParam) {
        return (static_cast<C&>(target).*Handler)(wParam, lParam);
    }
};

// A message whose parameters the handler does not need; the result is 0.
template <auto Handler, class C> struct MessageCall<Handler, void (C::*)()> {
    static LRESULT Call(CCmdTarget& target, WPARAM, LPARAM) {
        (static_cast<C&>(target).*Handler)();
        return 0;
    }
};

// WM_CREATE: the creation structure; 0 lets the window be created, -1 fails it.
template <auto Handler, class C> struct MessageCall<Handler, int (C::*)(LPCREATESTRUCTA)> {
    static LRESULT Call(CCmdTarget& target, WPARAM, LPARAM lParam) {
        return (static_cast<C&>(target).*Handler)(reinterpret_cast<LPCREATESTRUCTA>(lParam));
    }
};

// WM_TIMER: the timer id.
template <auto Handler, class C> struct MessageCall<Handler, void (C::*)(UINT_PTR)> {
    static LRESULT Call(CCmdTarget& target, WPARAM wParam, LPARAM) {
        (static_cast<C&>(target).*Handler)(wParam);
        return 0;
    }
};

// WM_SIZE: the kind of sizing, the new client width and height.
template <auto Handler, class C> struct MessageCall<Handler, void (C::*)(UINT, int, int)> {
    static LRESULT Call(CCmdTarget& target, WPARAM wParam, LPARAM lParam) {
        (static_cast<C&>(target).*Handler)(static_cast<UINT>(wParam),
                                           static_cast<short>(LOWORD(lParam)),
                                           static_cast<short>(HIWORD(lParam)));
        return 0;
    }
};

// Mouse buttons and moves: the key flags and the point in client co-ordinates.
template <auto Handler, class C> struct MessageCall<Handler, void (C::*)(UINT, POINT)> {
    static LRESULT Call(CCmdTarget& target, WPARAM wParam, LPARAM lParam) {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        (static_cast<C&>(target).*Handler)(static_cast<UINT>(wParam), point);
        return 0;
    }
};

template <auto Handler> constexpr MessageEntry MessageRow(UINT message) {
    return {MessageEntry::message, message, &MessageCall<Handler>::Call};
}

// A message that a child control sent to its parent, handled by the control's own object.
template <auto Handler> constexpr MessageEntry ReflectedRow(UINT message) {
    return {MessageEntry::reflected, message, &MessageCall<Handler>::Call};
}

template <auto Handler> struct CommandCall;
template <class C, void (C::*Handler)()> struct CommandCall<Handler> {
    static LRESULT Call(CCmdTarget& target, WPARAM, LPARAM) {
        (static_cast<C&>(target).*Handler)();
        return 0;
    }
};

template <auto Handler> constexpr MessageEntry CommandRow(UINT id) {
    return {MessageEntry::command, id, &CommandCall<Handler>::Call};
}

template <auto Handler> struct UpdateCall;
template <class C, void (C::*Handler)(CCmdUI*)> struct UpdateCall<Handler> {
    static LRESULT Call(CCmdTarget& target, WPARAM, LPARAM lParam) {
        (static_cast<C&>(target).*Handler)(reinterpret_cast<CCmdUI*>(lParam));
        return 0;
    }
};

template <auto Handler> constexpr MessageEntry UpdateRow(UINT id) {
    return {MessageEntry::updateCommandUI, id, &UpdateCall<Handler>::Call};
}
