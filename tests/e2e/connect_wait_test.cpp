// A connect made while the window is shown, to a server that takes no more connections: the
// window goes on taking its input during the whole wait, and closing it ends the program at
// once without any box.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/full_listener.h"
#include "tests/support/window_control.h"

#include <commctrl.h>

#include <algorithm>
#include <iostream>

namespace e2e {
namespace {

using ConnectWaitTest = SandboxTest;

constexpr support::Millis kAnsweredWithin{250};
constexpr ULONGLONG kProbeForMs = 3000;

int Selected(HWND list) {
    DWORD_PTR item = 0;
    SendMessageTimeoutA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, SMTO_NORMAL,
                        20000, &item);
    return static_cast<int>(static_cast<INT_PTR>(item));
}

TEST_F(ConnectWaitTest, NewDocumentAgainstAFullServerLeavesTheWindowAnsweringAndClosable) {
    ASSERT_TRUE(WriteConnectionFile("a.rdp", "A"));
    ASSERT_TRUE(WriteConnectionFile("b.rdp", "B"));
    Program& program = StartProgram();
    const HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    const HWND list = ListOf(main);
    ASSERT_TRUE(Server().WaitForClientClose(0)) << "the start's handshake is done";
    // The listener needs Windows Sockets after the server has let go of them.
    struct Sockets {
        Sockets() { started = WSAStartup(MAKEWORD(2, 2), &data) == 0; }
        ~Sockets() {
            if (started)
                WSACleanup();
        }
        WSADATA data{};
        bool started = false;
    } sockets;
    ASSERT_TRUE(sockets.started);
    Server().Stop();
    support::FullListener full(support::ScriptedServer::kDefaultPort);
    ASSERT_NE(full.Port(), 0u);

    ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
    // Each key moves the selection between the two items; the time until it has moved is
    // how long the window took to take the key.
    ULONGLONG longest = 0;
    int probes = 0;
    const ULONGLONG end = GetTickCount64() + kProbeForMs;
    while (GetTickCount64() < end) {
        const int before = Selected(list);
        const ULONGLONG posted = GetTickCount64();
        ASSERT_TRUE(support::PressKey(main, before == 1 ? VK_UP : VK_DOWN));
        // Bounded past the connect's own 10 s, so a frozen window shows as the time it froze.
        support::WaitFor([&] { return Selected(list) != before; }, support::Millis{20000});
        longest = std::max(longest, GetTickCount64() - posted);
        ++probes;
    }
    std::cout << "longest answer " << longest << " ms over " << probes << " keys\n";
    EXPECT_LE(longest, static_cast<ULONGLONG>(kAnsweredWithin.count()));

    const ULONGLONG closed = GetTickCount64();
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.process.WaitForExit(support::Millis{5000}).has_value());
    std::cout << "ended " << GetTickCount64() - closed << " ms after the close\n";
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
}

} // namespace
} // namespace e2e
