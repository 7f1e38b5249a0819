// A connect to a server that never answers, made while the window is shown: timers go on
// inside the wait, a new document is not started there, and closing the window ends the
// wait at once and closes the window after it.
#include "tests/win/session_test_support.h"

#include "framework/frame_wnd.h"
#include "framework/framework_ids.h"
#include "session/chat_doc.h"
#include "tests/support/full_listener.h"
#include "ui/resource.h"

using namespace sessiontest;

namespace {

constexpr UINT kTickMs = 100;
constexpr int kExitAtTick = 5;

CChatDoc* g_doc = nullptr;
int g_ticks = 0;
BOOL g_newDocument = TRUE;

// The first tick tries a new document; a later one chooses Exit, as from the menu.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (++g_ticks == 1)
        g_newDocument = g_doc->OnNewDocument();
    if (g_ticks == kExitAtTick)
        AfxGetApp()->m_pMainWnd->PostMessage(WM_COMMAND, ID_APP_EXIT);
}

class SessionConnectWaitTest : public sockettest::SocketTest {};

TEST_F(SessionConnectWaitTest, TimersGoOnAndTheWindowsCloseEndsTheWait) {
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
    g_doc = &doc;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);

    const ULONGLONG start = GetTickCount64();
    BOOL connected = TRUE;
    std::vector<BoxSeen> boxes;
    {
        BoxAnswerer answerer;
        connected = doc.ConnectSocket("", "127.0.0.1", server.Port());
        boxes = answerer.Seen();
    }
    const ULONGLONG waited = GetTickCount64() - start;
    KillTimer(nullptr, timer);
    EXPECT_FALSE(connected);
    EXPECT_TRUE(boxes.empty()) << "a connect ended by the close offers nothing";
    EXPECT_GE(g_ticks, kExitAtTick);
    EXPECT_LT(waited, CChatDoc::kStallMs / 2);
    EXPECT_FALSE(g_newDocument) << "no new document inside the wait";
    EXPECT_TRUE(IsWindow(window)) << "the window closes after the connect has returned";
    EXPECT_TRUE(sockettest::PumpUntil([&] { return !IsWindow(window); }));
}

} // namespace
