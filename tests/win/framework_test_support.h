// Shared pieces of the framework tests: an application object set up like the program's,
// message pumping with a deadline, and answering the next message box from a helper thread.
#pragma once

#include "framework/win_app.h"
#include "tests/support/message_box.h"

#include <windows.h>

#include <chrono>
#include <future>
#include <optional>

namespace frameworktest {

constexpr std::chrono::milliseconds kDeadline{10000};

// The application object of one test: names and resources come from win_tests.exe, whose
// string table is the program's.
class TestApp : public CWinApp {
public:
    TestApp() { InitApplication(GetModuleHandleA(nullptr), "", SW_SHOWNOACTIVATE); }
};

// Dispatches this thread's messages until done() holds or the deadline passes.
template <class Done> bool PumpUntil(Done done, std::chrono::milliseconds deadline = kDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Waits on another thread for this process's next message box, presses button and hands
// back what the box showed (nothing if no box came before the deadline).
inline std::future<std::optional<support::MessageBoxView>> AnswerNextBox(int button) {
    return std::async(std::launch::async, [button] {
        std::optional<support::MessageBoxView> box =
            support::WaitForMessageBox(GetCurrentProcessId(), kDeadline);
        if (box)
            support::AnswerMessageBox(*box, button, kDeadline);
        return box;
    });
}

} // namespace frameworktest
