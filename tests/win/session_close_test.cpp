// Closing the session: the goodbye's wait for the server's close has a bound of its own, and
// a connection made from the command line carries its handle to the goodbye.
#include "tests/win/session_test_support.h"

#include "session/chat_doc.h"

#include <atomic>

using namespace sessiontest;

namespace {

constexpr std::size_t kHandshakeAndGoodbyeBytes = 25;

class SessionCloseTest : public sockettest::SocketTest {};

// The close returns at once; the socket then waits on its own for the server's close, at
// most five seconds after the goodbye, while the thread goes on handling its messages.
TEST_F(SessionCloseTest, TheWaitForTheServersCloseEndsAtItsCloseOrFiveSecondsAfterTheGoodbye) {
    enum Behaviour { closes, silent, chatty };
    const struct {
        const char* what;
        Behaviour behaviour;
        ULONGLONG minMs;
        ULONGLONG maxMs;
    } cases[] = {
        {"server closes after the goodbye", closes, 0, 3000},
        {"server never closes and sends nothing", silent, 4000, 9000},
        // A bound given afresh to each receive would never run out here.
        {"server never closes and keeps sending", chatty, 4000, 9000},
    };
    TestApp app;
    for (const auto& test : cases) {
        std::atomic<bool> clientDone{false};
        std::string received;
        CChatDoc doc;
        {
            LoopbackServer server([&](sockettest::Peer& peer) {
                received = peer.ReceiveUpTo(kHandshakeAndGoodbyeBytes);
                if (test.behaviour == closes)
                    return;
                const ULONGLONG deadline = GetTickCount64() + 2 * kDeadlineMs;
                while (!clientDone && GetTickCount64() < deadline) {
                    if (test.behaviour == chatty && !peer.SendAll("0123456789"))
                        return;
                    Sleep(50);
                }
            });
            ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port())) << test.what;
            const ULONGLONG start = GetTickCount64();
            doc.DeleteContents();
            EXPECT_LT(GetTickCount64() - start, 1000u) << test.what;
            EXPECT_EQ(doc.m_pSocket, nullptr) << test.what;
            EXPECT_EQ(CChatSocket::LingeringCount(), 1u) << test.what;
            EXPECT_TRUE(sockettest::PumpUntil([] { return CChatSocket::LingeringCount() == 0; }))
                << test.what;
            const ULONGLONG elapsed = GetTickCount64() - start;
            clientDone = true;
            EXPECT_GE(elapsed, test.minMs) << test.what;
            EXPECT_LE(elapsed, test.maxMs) << test.what;
        }
        EXPECT_EQ(received, Wire(0, "SKDV000001") + Wire(1, "SKDS1")) << test.what;
    }
}

TEST_F(SessionCloseTest, ACommandLineConnectSendsNoHandshakeAndPutsItsHandleInFront) {
    std::string received;
    {
        LoopbackServer server([&](sockettest::Peer& peer) { received = ReadToEnd(peer); });
        const std::string commandLine = "  h\t127.0.0.1   " + std::to_string(server.Port()) + " ";
        TestApp app(commandLine.c_str());
        CChatDoc doc;
        BoxAnswerer boxes;
        ASSERT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(doc.m_strHandle, "h");
        EXPECT_FALSE(doc.m_bVersionPending);
        doc.SendMsg("text");
        doc.DeleteContents();
        EXPECT_TRUE(boxes.Seen().empty());
    }
    EXPECT_EQ(received, Wire(0, "htext") + Wire(1, "hSKDS1"));
}

} // namespace
