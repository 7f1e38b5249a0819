// What the session document asks of the views that show its session: the text pane's texts
// go through them, and a reply ends the sign-up's watchdog they carry.
#pragma once

#include <string>

class ISessionView {
public:
    // Shows text in the text pane.
    virtual void ForwardMessage(const std::string& text) = 0;
    // A reply has come: the sign-up watchdog has nothing left to watch.
    virtual void StopSignUpWatchdog() = 0;

protected:
    ~ISessionView() = default;
};
