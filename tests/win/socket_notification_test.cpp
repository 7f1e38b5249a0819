// Notifications reach the socket that holds them and no other, even after handle reuse.
#include "tests/win/socket_test_support.h"

#include "framework/exceptions.h"

#include <memory>

using namespace sockettest;

namespace {

using AsyncRecorder = Recording<CAsyncSocket>;

class SocketNotificationTest : public SocketTest {};

TEST_F(SocketNotificationTest, PostedNotificationsReachOnlyTheSocketThatHoldsNumberAndHandle) {
    auto closed = std::make_unique<AsyncRecorder>();
    ASSERT_TRUE(closed->Create());
    const UINT closedMessage = closed->NotificationMessage();
    const SOCKET closedHandle = closed->m_hSocket;
    closed.reset();

    AsyncRecorder live;
    ASSERT_TRUE(live.Create());
    const HWND window = live.NotificationWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(live.NotificationMessage(), closedMessage);
    const SOCKET otherHandle = closedHandle != live.m_hSocket ? closedHandle : live.m_hSocket + 4;

    struct Case {
        const char* what;
        UINT message;
        SOCKET handle;
        LPARAM lParam;
        std::vector<Event> expected;
    };
    const Case cases[] = {
        {"closed socket's number, handle now reused",
         closedMessage,
         live.m_hSocket,
         WSAMAKESELECTREPLY(FD_READ, 0),
         {}},
        {"own number, another handle",
         live.NotificationMessage(),
         otherHandle,
         WSAMAKESELECTREPLY(FD_READ, 0),
         {}},
        {"number never handed out", 0xBFFE, live.m_hSocket, WSAMAKESELECTREPLY(FD_READ, 0), {}},
        {"own number and handle: read",
         live.NotificationMessage(),
         live.m_hSocket,
         WSAMAKESELECTREPLY(FD_READ, 0),
         {{FD_READ, 0}}},
        {"own number and handle: close with its error",
         live.NotificationMessage(),
         live.m_hSocket,
         WSAMAKESELECTREPLY(FD_CLOSE, WSAECONNRESET),
         {{FD_CLOSE, WSAECONNRESET}}},
        {"own number and handle: out-of-band",
         live.NotificationMessage(),
         live.m_hSocket,
         WSAMAKESELECTREPLY(FD_OOB, 0),
         {{FD_OOB, 0}}},
    };
    for (const Case& test : cases) {
        live.events.clear();
        ASSERT_TRUE(PostMessageA(window, test.message, test.handle, test.lParam));
        PumpQueued();
        EXPECT_EQ(live.events, test.expected) << test.what;
    }
}

TEST_F(SocketNotificationTest, QueuedReadOfADeletedSocketNeverReachesItsSuccessor) {
    Listener listener;
    auto first = std::make_unique<AsyncRecorder>();
    ASSERT_TRUE(first->Create());
    first->Connect("127.0.0.1", listener.Port());
    Peer peer = listener.Accept();
    ASSERT_TRUE(peer.Valid());
    ASSERT_TRUE(peer.SendAll("x"));
    ASSERT_TRUE(WaitQueued(*first, FD_READ));
    const SOCKET firstHandle = first->m_hSocket;
    first.reset();

    AsyncRecorder second;
    ASSERT_TRUE(second.Create());
    RecordProperty("handle_reused", second.m_hSocket == firstHandle ? "yes" : "no");
    PumpQueued();
    EXPECT_TRUE(second.events.empty());
}

TEST_F(SocketNotificationTest, DataLeftBehindRaisesReadAgainUntilAllIsTaken) {
    Listener listener;
    Recording<CSocket> socket;
    ASSERT_TRUE(socket.Create());
    ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
    Peer peer = listener.Accept();
    ASSERT_TRUE(peer.Valid());

    std::string received;
    socket.onReceive = [&] {
        char byte = 0;
        if (socket.Receive(&byte, 1) == 1)
            received += byte;
    };
    ASSERT_TRUE(peer.SendAll("abcde"));
    EXPECT_TRUE(PumpUntil([&] { return received.size() == 5; }));
    EXPECT_EQ(received, "abcde");
}

TEST_F(SocketNotificationTest, ANumberHeldByALiveSocketIsNotHandedOutWhenTheRangeWraps) {
    AsyncRecorder held;
    ASSERT_TRUE(held.Create());
    const UINT heldMessage = held.NotificationMessage();
    // More sockets than the range has numbers, each closed before the next is made.
    for (int made = 0; made < 0x4000; ++made) {
        AsyncRecorder passing;
        ASSERT_TRUE(passing.Create(0, SOCK_STREAM, 0));
        ASSERT_NE(passing.NotificationMessage(), heldMessage) << "socket " << made;
    }
    ASSERT_TRUE(PostMessageA(held.NotificationWindow(), heldMessage, held.m_hSocket,
                             WSAMAKESELECTREPLY(FD_READ, 0)));
    PumpQueued();
    EXPECT_EQ(held.Count(FD_READ), 1u);
}

// Throws from its read handler, as an archive does when a message is cut short.
class ThrowingSocket : public AsyncRecorder {
public:
    void OnReceive(int) override { throw CArchiveException(CArchiveException::endOfFile); }
};

std::vector<std::string> g_reported;

TEST_F(SocketNotificationTest, AnErrorEscapingAHandlerIsReportedAndPumpingGoesOn) {
    CAsyncSocket::SetErrorReporter(
        [](const CException& error) { g_reported.push_back(error.GetErrorMessage()); });
    ThrowingSocket throwing;
    AsyncRecorder quiet;
    ASSERT_TRUE(throwing.Create());
    ASSERT_TRUE(quiet.Create());
    ASSERT_TRUE(PostMessageA(throwing.NotificationWindow(), throwing.NotificationMessage(),
                             throwing.m_hSocket, WSAMAKESELECTREPLY(FD_READ, 0)));
    ASSERT_TRUE(PostMessageA(quiet.NotificationWindow(), quiet.NotificationMessage(),
                             quiet.m_hSocket, WSAMAKESELECTREPLY(FD_READ, 0)));
    PumpQueued();
    CAsyncSocket::SetErrorReporter(nullptr);

    const std::vector<std::string> expected = {
        "The data ended before the item being read was complete."};
    EXPECT_EQ(g_reported, expected);
    EXPECT_EQ(quiet.Count(FD_READ), 1u);
}

} // namespace
