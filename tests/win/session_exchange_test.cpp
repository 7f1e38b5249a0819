// The session's conversation with a loopback server: the bytes of the handshake and the
// goodbye, and what each kind of server message does to the connection.
#include "tests/win/session_test_support.h"

#include "catalogue/chat_view.h"
#include "deployment.h"
#include "session/chat_doc.h"

using namespace sessiontest;

namespace {

constexpr std::size_t kHandshakeBytes = 15;

class SessionExchangeTest : public sockettest::SocketTest {
protected:
    TestApp m_app;
    CChatDoc m_doc;
};

TEST_F(SessionExchangeTest, HandshakeAndGoodbyeCarryTheHandleInFront) {
    for (const std::string handle : {"", "h", "handle-with-many-characters"}) {
        std::string received;
        {
            LoopbackServer server([&](sockettest::Peer& peer) { received = ReadToEnd(peer); });
            BoxAnswerer boxes;
            ASSERT_TRUE(m_doc.ConnectWithHandshake(handle, "127.0.0.1", server.Port()));
            EXPECT_TRUE(m_doc.m_bVersionPending);
            m_doc.DeleteContents();
            EXPECT_EQ(m_doc.m_pSocket, nullptr);
            EXPECT_TRUE(m_doc.m_bVersionPending) << "closing leaves the handshake state";
            EXPECT_TRUE(boxes.Seen().empty());
        }
        EXPECT_EQ(received, Wire(0, handle + "SKDV000001") + Wire(1, handle + "SKDS1"))
            << "handle '" << handle << "'";
    }
    EXPECT_EQ(Wire(0, "SKDV000001").size(), kHandshakeBytes);
}

TEST_F(SessionExchangeTest, WithoutAConnectionNothingIsSentShownOrAwaited) {
    const struct {
        const char* what;
        std::function<void(CChatDoc&)> call;
    } cases[] = {
        {"SendMsg", [](CChatDoc& doc) { doc.SendMsg("SKDR0006000000"); }},
        {"DeleteContents", [](CChatDoc& doc) { doc.DeleteContents(); }},
        {"ProcessPendingRead", [](CChatDoc& doc) { doc.ProcessPendingRead(); }},
        {"handshake time-out", [](CChatDoc& doc) { doc.OnHandshakeTimeout(); }},
    };
    for (const auto& test : cases) {
        BoxAnswerer boxes;
        test.call(m_doc);
        EXPECT_EQ(m_doc.m_pSocket, nullptr) << test.what;
        EXPECT_EQ(m_doc.m_pArchiveOut, nullptr) << test.what;
        EXPECT_TRUE(boxes.Seen().empty()) << test.what;
    }
}

// Each server message arrives after the handshake; the server then reads until the client
// has closed. What it read after the handshake tells whether a goodbye was sent.
TEST_F(SessionExchangeTest, EachReplyKindEndsOrKeepsTheConnection) {
    const std::string goodbye = Wire(1, "SKDS1");
    const BoxSeen upgrade{"Skiffdesk",
                          std::string("The Server has upgraded. Please download the client "
                                      "application at ") +
                              deployment::kWebAddress + " and update it"};
    const struct {
        const char* what;
        std::string sent; // in one write
        std::string expectedAfterHandshake;
        BOOL registered;
        BOOL versionPending;
        std::vector<BoxSeen> boxes;
    } cases[] = {
        {"version accepted", Wire(0, "SKDV1"), goodbye, FALSE, FALSE, {}},
        {"version accepted, close flag set", Wire(1, "SKDV1"), goodbye, FALSE, FALSE, {}},
        {"version refused", Wire(0, "SKDV0"), goodbye, FALSE, FALSE, {upgrade}},
        {"version without result", Wire(0, "SKDV"), goodbye, FALSE, FALSE, {upgrade}},
        {"version with another result",
         Wire(0, "SKDVx", {"line"}),
         goodbye,
         FALSE,
         FALSE,
         {upgrade}},
        {"sign-up accepted", Wire(0, "SKDR1"), goodbye, TRUE, TRUE, {}},
        {"sign-up refused", Wire(0, "SKDR0"), goodbye, FALSE, TRUE, {}},
        // Closed by the server, the handshake can no longer be answered.
        {"close flag on a text that is no reply",
         Wire(1, "SKDX1", {"a", "b"}),
         "",
         FALSE,
         FALSE,
         {}},
        {"lower case is no reply: the next message is read",
         Wire(0, "skdv1") + Wire(0, "SKDR1"),
         goodbye,
         TRUE,
         TRUE,
         {}},
        {"handle before the prefix is no reply",
         Wire(0, "hSKDV1") + Wire(0, "SKDR1"),
         goodbye,
         TRUE,
         TRUE,
         {}},
        {"another kind keeps the connection",
         Wire(0, "SKDX1", {"a"}) + Wire(1, "SKD"),
         "",
         FALSE,
         FALSE,
         {}},
        {"bytes queued behind a closing reply are dropped with the socket",
         Wire(0, "SKDV1") + Wire(0, "SKDR1") + Wire(0, "SKDV0"),
         goodbye,
         FALSE,
         FALSE,
         {}},
        {"a torn message queued behind a closing reply",
         Wire(0, "SKDV1") + "\x01\x00\x09SK",
         goodbye,
         FALSE,
         FALSE,
         {}},
    };
    for (const auto& test : cases) {
        CChatDoc doc;
        CChatView view;
        doc.AddView(&view);
        std::string afterHandshake;
        {
            LoopbackServer server([&](sockettest::Peer& peer) {
                if (peer.ReceiveUpTo(kHandshakeBytes).size() == kHandshakeBytes &&
                    peer.SendAll(test.sent))
                    afterHandshake = ReadToEnd(peer);
            });
            BoxAnswerer boxes;
            ASSERT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", server.Port())) << test.what;
            EXPECT_TRUE(sockettest::PumpUntil([&] { return doc.m_pSocket == nullptr; }))
                << test.what;
            EXPECT_EQ(boxes.Seen(), test.boxes) << test.what;
        }
        EXPECT_EQ(afterHandshake, test.expectedAfterHandshake) << test.what;
        EXPECT_EQ(doc.m_bRegistered, test.registered) << test.what;
        EXPECT_EQ(doc.m_bVersionPending, test.versionPending) << test.what;
        EXPECT_EQ(doc.m_pReader, nullptr) << test.what;
        EXPECT_EQ(doc.m_pFile, nullptr) << test.what;
    }
}

// The upgrade box runs its own message loop, in which the handshake time-out may close the
// session: the reply's own close that follows finds nothing left, and nothing touches the
// socket deleted under it.
TEST_F(SessionExchangeTest, ATimeOutInsideTheUpgradeBoxLeavesTheReplyNothingToClose) {
    CChatView view;
    m_doc.AddView(&view);
    std::string afterHandshake;
    {
        LoopbackServer server([&](sockettest::Peer& peer) {
            if (peer.ReceiveUpTo(kHandshakeBytes).size() == kHandshakeBytes &&
                peer.SendAll(Wire(0, "SKDV0")))
                afterHandshake = ReadToEnd(peer);
        });
        ThreadCall timeOut([&] { m_doc.OnHandshakeTimeout(); });
        BoxAnswerer boxes({}, [&] { timeOut.Run(); });
        ASSERT_TRUE(m_doc.ConnectWithHandshake("", "127.0.0.1", server.Port()));
        EXPECT_TRUE(sockettest::PumpUntil([&] { return m_doc.m_pSocket == nullptr; }));
        EXPECT_EQ(boxes.Seen().size(), 1u);
    }
    EXPECT_EQ(afterHandshake, Wire(1, "SKDS1"));
    EXPECT_FALSE(m_doc.m_bVersionPending);
}

} // namespace
