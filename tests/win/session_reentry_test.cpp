// A box runs its own message loop, in which a sign-up may connect: the code that opened the
// box, and a time-out armed earlier, then act only on their own connection.
#include "tests/win/session_test_support.h"

#include "session/chat_doc.h"

#include <thread>

using namespace sessiontest;

namespace {

const std::string kSignUp = Wire(0, "SKDR001201n02e@03Pw1");
constexpr std::size_t kHandshakeBytes = 15;
constexpr DWORD kReplyWithinMs = 5000;

class SessionReentryTest : public sockettest::SocketTest {
protected:
    SessionReentryTest() {
        m_doc.m_strAccountName = "n";
        m_doc.m_strEmail = "e@";
        m_doc.m_strPassword = "Pw1";
    }
    ~SessionReentryTest() override {
        m_doc.DeleteContents();
        sockettest::PumpUntil([] { return CChatSocket::LingeringCount() == 0; });
    }
    void SignUp(UINT port) { m_doc.ConnectAndRegister("", "127.0.0.1", port); }
    bool Registered() {
        return sockettest::PumpUntil([&] { return m_doc.m_bRegistered != FALSE; }, kReplyWithinMs);
    }

    TestApp m_app;
    CChatDoc m_doc;
};

TEST_F(SessionReentryTest, ASignUpMadeInsideTheConnectRetryBoxKeepsItsConnection) {
    const UINT port = sockettest::RefusingPort();
    SOCKET listening = INVALID_SOCKET;
    ThreadCall signUp([&] { SignUp(port); });
    {
        // The server comes up while the retry box is open; the sign-up connects inside the box,
        // then the user answers Yes.
        BoxAnswerer boxes({IDYES}, [&] {
            if (listening != INVALID_SOCKET)
                return;
            listening = ListenAt(port);
            signUp.Run();
        });
        EXPECT_TRUE(m_doc.ConnectWithHandshake("", "127.0.0.1", port));
    }
    EXPECT_FALSE(m_doc.m_bVersionPending) << "no handshake on the sign-up's connection";
    sockettest::Peer peer = AcceptWithin(listening);
    ASSERT_TRUE(peer.Valid());
    EXPECT_EQ(peer.ReceiveUpTo(kSignUp.size()), kSignUp);
    ASSERT_TRUE(peer.SendAll(Wire(0, "SKDR1")));
    EXPECT_TRUE(Registered()) << "the reply reaches the document";
    fd_set pending;
    FD_ZERO(&pending);
    FD_SET(listening, &pending);
    timeval now{};
    EXPECT_EQ(select(0, &pending, nullptr, nullptr, &now), 0) << "no second connection";
    closesocket(listening);
}

TEST_F(SessionReentryTest, ASignUpMadeInsideTheUpgradeBoxOutlivesTheVersionReply) {
    sockettest::Listener listener;
    PaneRecorder views(m_doc);
    ASSERT_TRUE(views.Ready());
    ASSERT_TRUE(m_doc.ConnectWithHandshake("", "127.0.0.1", listener.Port()));
    sockettest::Peer version = listener.Accept();
    ASSERT_TRUE(version.Valid());
    std::string signUpReceived;
    std::thread signUpServer([&] {
        sockettest::Peer peer = listener.Accept();
        signUpReceived = peer.ReceiveUpTo(kSignUp.size());
        peer.SendAll(Wire(0, "SKDR1"));
        ReadToEnd(peer);
    });
    ThreadCall signUp([&] { SignUp(listener.Port()); });
    {
        BoxAnswerer boxes({}, [&] { signUp.Run(); });
        ASSERT_TRUE(version.SendAll(Wire(0, "SKDV0")));
        EXPECT_TRUE(Registered()) << "the sign-up's reply is read after the box";
        EXPECT_EQ(boxes.Seen().size(), 1u);
    }
    m_doc.DeleteContents();
    signUpServer.join();
    EXPECT_EQ(signUpReceived, kSignUp);
}

// Closed by the server before any reply, the handshake can no longer be answered: the
// time-out armed for it must leave a sign-up made since then alone.
TEST_F(SessionReentryTest, TheHandshakeTimeOutLeavesALaterSignUpAlone) {
    for (const bool reset : {false, true}) {
        sockettest::Listener listener;
        ASSERT_TRUE(m_doc.ConnectWithHandshake("", "127.0.0.1", listener.Port()));
        {
            sockettest::Peer version = listener.Accept();
            version.ReceiveUpTo(kHandshakeBytes);
            reset ? version.Reset() : version.Close();
        }
        EXPECT_TRUE(sockettest::PumpUntil([&] { return m_doc.m_pSocket == nullptr; }));
        EXPECT_FALSE(m_doc.m_bVersionPending) << "reset " << reset;
        SignUp(listener.Port());
        sockettest::Peer peer = listener.Accept();
        m_doc.OnHandshakeTimeout();
        EXPECT_NE(m_doc.m_pSocket, nullptr) << "reset " << reset;
        EXPECT_EQ(peer.ReceiveUpTo(kSignUp.size()), kSignUp) << "reset " << reset;
        ASSERT_TRUE(peer.SendAll(Wire(0, "SKDR1")));
        EXPECT_TRUE(Registered()) << "reset " << reset;
        m_doc.m_bRegistered = FALSE;
    }
}

} // namespace
