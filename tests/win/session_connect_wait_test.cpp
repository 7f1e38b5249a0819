// A connect to a server that never answers, made while the window is shown: the window goes on
// taking its messages, a new document is not started inside the wait, and closing the window
// ends the wait at once.
#include "tests/win/session_test_support.h"

#include "framework/frame_wnd.h"
#include "tests/support/full_listener.h"
#include "session/chat_doc.h"
#include "ui/resource.h"

#include <algorithm>
#include <iostream>

using namespace sessiontest;

namespace {

constexpr ULONGLONG kAnsweredWithinMs = 250;
constexpr int kPosts = 30;
constexpr DWORD kPostEveryMs = 50;

class SessionConnectWaitTest : public sockettest::SocketTest {};

TEST_F(SessionConnectWaitTest, TheShownWindowIsAnsweredThroughoutAndItsCloseEndsTheWait) {
    support::FullListener server;
    ASSERT_NE(server.Port(), 0u);
    TestApp app;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    frame->m_bAutoDelete = true;
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    app.m_pMainWnd = frame;
    const HWND window = frame->m_hWnd;
    CChatDoc doc;

    // Each post carries its time; the longest wait for its handling is kept.
    ULONGLONG longest = 0;
    int answered = 0;
    BOOL newDocument = TRUE;
    HWND probe =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    struct Probe {
        ULONGLONG* longest;
        int* answered;
        std::function<void()> onFirst;
        WNDPROC proc;
    } state{&longest, &answered, [&] { newDocument = doc.OnNewDocument(); }, nullptr};
    SetPropA(probe, "probe", &state);
    state.proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        probe, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            auto* self = static_cast<Probe*>(GetPropA(hwnd, "probe"));
            if (message != WM_APP)
                return CallWindowProcA(self->proc, hwnd, message, wParam, lParam);
            *self->longest = std::max(*self->longest, GetTickCount64() - wParam);
            if ((*self->answered)++ == 0)
                self->onFirst();
            return LRESULT{0};
        })));
    std::thread poster([&] {
        for (int i = 0; i < kPosts; ++i) {
            PostMessageA(probe, WM_APP, static_cast<WPARAM>(GetTickCount64()), 0);
            Sleep(kPostEveryMs);
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    const ULONGLONG start = GetTickCount64();
    BOOL connected = TRUE;
    std::vector<BoxSeen> boxes;
    {
        BoxAnswerer answerer;
        connected = doc.ConnectSocket("", "127.0.0.1", server.Port());
        boxes = answerer.Seen();
    }
    const ULONGLONG waited = GetTickCount64() - start;
    poster.join();
    std::cout << "connect waited " << waited << " ms; longest answer " << longest << " ms over "
              << answered << " posts\n";
    EXPECT_FALSE(connected);
    EXPECT_TRUE(boxes.empty()) << "a connect ended by the close offers nothing";
    EXPECT_EQ(answered, kPosts);
    EXPECT_LE(longest, kAnsweredWithinMs);
    EXPECT_LT(waited, CChatDoc::kStallMs / 2);
    EXPECT_FALSE(newDocument) << "no new document inside the wait";
    EXPECT_TRUE(IsWindow(window)) << "the window closes after the connect has returned";
    EXPECT_TRUE(sockettest::PumpUntil([&] { return !IsWindow(window); }));
    DestroyWindow(probe);
}

} // namespace
