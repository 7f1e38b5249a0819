// What the text pane shows of the server's messages, and how the session ends when the stream
// ends, breaks or carries a length that cannot be right: the connection is dropped without a
// goodbye and without an error box.
#include "tests/win/session_test_support.h"

#include "framework/archive.h"
#include "framework/mem_file.h"
#include "session/chat_doc.h"
#include "session/msg.h"

using namespace sessiontest;

namespace {

constexpr std::size_t kHandshakeBytes = 15;
const std::string kReset = "Server has reset the connection";
const std::string kClosing = "Closing connection";

class SessionStreamEndTest : public sockettest::SocketTest {
protected:
    TestApp m_app;
};

TEST_F(SessionStreamEndTest, LinesAreShownAndATornOrMalformedMessageDropsTheConnection) {
    enum Then { closes, resets, waitsForTheClient };
    const struct {
        const char* what;
        std::string sent; // in one write, after the handshake
        Then then;
        std::vector<std::string> texts;
        std::string afterHandshake; // when the server waits for the client
    } cases[] = {
        // Each line replaces the one before it: the pane is set once, with the last.
        {"lines of another kind, then the close flag",
         Wire(0, "SKDX1", {"a", "b"}) + Wire(1, ""),
         waitsForTheClient,
         {"b"},
         ""},
        {"lines of a reply are shown after its close",
         Wire(0, "SKDV1", {"x"}),
         waitsForTheClient,
         {"x"},
         Wire(1, "SKDS1")},
        {"stream ends after one byte of a message",
         std::string(1, '\0'),
         closes,
         {kReset, kClosing},
         ""},
        {"stream ends inside the text",
         std::string("\0\0\x05SK", 5),
         closes,
         {kReset, kClosing},
         ""},
        {"stream ends inside the second message",
         Wire(0, "SKDX1", {"a"}) + std::string("\0", 1),
         closes,
         {"a", kReset, kClosing},
         ""},
        {"reset inside a message", std::string("\0\0\x05SK", 5), resets, {kReset, kClosing}, ""},
        {"text length beyond any message",
         std::string("\0\0", 2) + std::string(15, '\xFF'),
         waitsForTheClient,
         {kReset, kClosing},
         ""},
        {"list count beyond any message",
         std::string("\0\0\0\xFF\xFF", 5) + std::string(4, '\xFF'),
         waitsForTheClient,
         {kReset, kClosing},
         ""},
    };
    for (const auto& test : cases) {
        CChatDoc doc;
        PaneRecorder pane(doc);
        ASSERT_TRUE(pane.Ready());
        std::string afterHandshake;
        {
            LoopbackServer server([&](sockettest::Peer& peer) {
                if (peer.ReceiveUpTo(kHandshakeBytes).size() != kHandshakeBytes ||
                    !peer.SendAll(test.sent))
                    return;
                if (test.then == resets)
                    peer.Reset();
                else if (test.then == waitsForTheClient)
                    afterHandshake = ReadToEnd(peer);
            });
            BoxAnswerer boxes;
            ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port())) << test.what;
            EXPECT_TRUE(sockettest::PumpUntil([&] { return doc.m_pSocket == nullptr; }))
                << test.what;
            EXPECT_TRUE(boxes.Seen().empty()) << test.what;
        }
        EXPECT_EQ(pane.Texts(), test.texts) << test.what;
        EXPECT_EQ(afterHandshake, test.afterHandshake) << test.what;
        EXPECT_EQ(doc.m_pReader, nullptr) << test.what;
    }
}

// A server that stops half-way through a message cannot freeze the program: the read gives
// up after the stall bound and the connection goes as after a read error.
TEST_F(SessionStreamEndTest, AMessageStalledHalfWayDropsTheConnectionAfterTheBound) {
    CChatDoc doc;
    PaneRecorder pane(doc);
    ASSERT_TRUE(pane.Ready());
    const HANDLE released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ULONGLONG stalledFor = 0;
    {
        LoopbackServer server([&](sockettest::Peer& peer) {
            if (peer.ReceiveUpTo(kHandshakeBytes).size() == kHandshakeBytes &&
                peer.SendAll(std::string("\0\0\x05SK", 5)))
                WaitForSingleObject(released, 3 * CChatDoc::kStallMs);
        });
        BoxAnswerer boxes;
        ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port()));
        const ULONGLONG start = GetTickCount64();
        EXPECT_TRUE(sockettest::PumpUntil([&] { return doc.m_pSocket == nullptr; },
                                          2 * CChatDoc::kStallMs));
        stalledFor = GetTickCount64() - start;
        SetEvent(released);
        EXPECT_TRUE(boxes.Seen().empty());
    }
    CloseHandle(released);
    EXPECT_GE(stalledFor, CChatDoc::kStallMs * 8 / 10);
    EXPECT_LT(stalledFor, CChatDoc::kStallMs * 2);
    EXPECT_EQ(pane.Texts(), (std::vector<std::string>{kReset, kClosing}));
}

// A message longer than the archive's buffer is read in several receives, and the socket
// announces the bytes after the first one again. That late notification finds nothing to read:
// it must neither wait for the server nor count as a broken connection.
TEST_F(SessionStreamEndTest, ANotificationForBytesAlreadyReadKeepsTheConnectionAsItIs) {
    CChatDoc doc;
    PaneRecorder pane(doc);
    ASSERT_TRUE(pane.Ready());
    const std::string longLine(3 * CArchive::kDefaultBufferSize, 'x');
    CMsg reply;
    reply.m_strText = "SKDX1";
    reply.m_strList = {longLine};
    CMemFile encoded;
    CArchive archive(&encoded, CArchive::store);
    reply.Serialize(archive);
    archive.Flush();
    const HANDLE released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        LoopbackServer server([&](sockettest::Peer& peer) {
            if (peer.ReceiveUpTo(kHandshakeBytes).size() == kHandshakeBytes &&
                peer.SendAll(encoded.Output()))
                WaitForSingleObject(released, 3 * CChatDoc::kStallMs);
        });
        BoxAnswerer boxes;
        ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port()));
        EXPECT_TRUE(sockettest::PumpUntil([&] { return !pane.Texts().empty(); }));
        // Let every notification still queued arrive; none may block.
        const ULONGLONG start = GetTickCount64();
        while (GetTickCount64() - start < 500) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, 0);
        }
        EXPECT_LT(GetTickCount64() - start, 2000u);
        EXPECT_NE(doc.m_pSocket, nullptr);
        SetEvent(released);
        EXPECT_TRUE(boxes.Seen().empty());
    }
    CloseHandle(released);
    EXPECT_EQ(pane.Texts(), std::vector<std::string>{longLine});
}

// Ending between two messages is the server's plain close: the connection goes with
// "Closing connection" only. The read is what a read notification would start.
TEST_F(SessionStreamEndTest, AStreamEndingBetweenMessagesClosesQuietly) {
    CChatDoc doc;
    PaneRecorder pane(doc);
    ASSERT_TRUE(pane.Ready());
    {
        LoopbackServer server([&](sockettest::Peer& peer) {
            if (peer.ReceiveUpTo(kHandshakeBytes).size() == kHandshakeBytes)
                peer.SendAll(Wire(0, "SKDX1", {"line"}));
        });
        BoxAnswerer boxes;
        ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port()));
        EXPECT_TRUE(sockettest::PumpUntil([&] { return !pane.Texts().empty(); }));
        doc.ProcessPendingRead();
        EXPECT_TRUE(boxes.Seen().empty());
    }
    EXPECT_EQ(pane.Texts(), (std::vector<std::string>{"line", kClosing}));
    EXPECT_EQ(doc.m_pSocket, nullptr);
}

// A send that finds the server gone ends the connection as a reset one: no box, nothing
// left behind, and later sends do nothing.
TEST_F(SessionStreamEndTest, AFailedSendClosesTheConnectionAsAReset) {
    CChatDoc doc;
    PaneRecorder pane(doc);
    ASSERT_TRUE(pane.Ready());
    LoopbackServer server([&](sockettest::Peer& peer) {
        peer.ReceiveUpTo(kHandshakeBytes);
        peer.Reset();
    });
    BoxAnswerer boxes;
    ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port()));
    // The reset reaches the client at some send after it has arrived; no notification is
    // handled meanwhile, so the send is what finds it.
    const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    while (doc.m_pSocket != nullptr && GetTickCount64() < deadline) {
        doc.SendMsg("SKDR0006000000");
        Sleep(20);
    }
    EXPECT_EQ(doc.m_pSocket, nullptr);
    EXPECT_EQ(doc.m_pArchiveOut, nullptr);
    EXPECT_EQ(doc.m_pReader, nullptr);
    doc.SendMsg("SKDR0006000000");
    doc.DeleteContents();
    EXPECT_EQ(pane.Texts(), (std::vector<std::string>{kReset, kClosing}));
    EXPECT_TRUE(boxes.Seen().empty());
}

} // namespace
