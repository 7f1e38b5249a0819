// CSocket's connect, send and receive wait for their outcome, pumping only what they may.
#include "tests/win/socket_test_support.h"

#include <thread>

using namespace sockettest;

namespace {

using BlockingRecorder = Recording<CSocket>;

class SocketBlockingTest : public SocketTest {};

std::string Pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed + i / 7919) & 0xFF);
    return bytes;
}

// A CSocket connected to listener, with the server's side of the connection.
struct Connection {
    explicit Connection(Listener& listener) {
        ok = socket.Create() && socket.Connect("127.0.0.1", listener.Port());
        if (ok) {
            peer = listener.Accept();
            ok = peer.Valid();
        }
    }
    BlockingRecorder socket;
    Peer peer{INVALID_SOCKET};
    bool ok = false;
};

TEST_F(SocketBlockingTest, ConnectReportsTheOutcome) {
    Listener listener;
    const UINT refusing = RefusingPort();
    struct Case {
        std::string host;
        UINT port;
        BOOL connected;
        int error; // checked when not connected
    };
    const Case cases[] = {
        {"127.0.0.1", listener.Port(), TRUE, 0},
        {"localhost", listener.Port(), TRUE, 0},
        {"127.0.0.1", refusing, FALSE, WSAECONNREFUSED},
        {"127.0.0.1", 70000, FALSE, WSAEINVAL},
        {std::string("127.0.0.1\0.junk", 15), listener.Port(), FALSE, WSAHOST_NOT_FOUND},
    };
    for (const Case& test : cases) {
        CSocket socket;
        ASSERT_TRUE(socket.Create());
        EXPECT_EQ(socket.Connect(test.host, test.port), test.connected)
            << test.host << ":" << test.port;
        if (!test.connected)
            EXPECT_EQ(CAsyncSocket::GetLastError(), test.error) << test.host << ":" << test.port;
        else
            EXPECT_TRUE(listener.Accept().Valid());
    }
}

TEST_F(SocketBlockingTest, LargePayloadCrossesBothWaysWhole) {
    constexpr std::size_t kSize = 16u * 1024u * 1024u; // well beyond the socket buffers
    const std::string upload = Pattern(kSize, 1);
    const std::string download = Pattern(kSize, 2);
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);

    std::string uploaded;
    std::jthread server([&] {
        uploaded = link.peer.ReceiveUpTo(kSize);
        link.peer.SendAll(download);
    });
    ASSERT_EQ(link.socket.Send(upload.data(), static_cast<int>(kSize)), static_cast<int>(kSize));
    std::string downloaded(kSize, '\0');
    std::size_t got = 0;
    while (got < kSize) {
        const int count =
            link.socket.Receive(downloaded.data() + got, static_cast<int>(kSize - got));
        ASSERT_GT(count, 0) << "after " << got << " bytes, error " << CAsyncSocket::GetLastError();
        got += static_cast<std::size_t>(count);
    }
    server.join();
    EXPECT_TRUE(uploaded == upload) << "server received " << uploaded.size() << " bytes";
    EXPECT_TRUE(downloaded == download);
}

TEST_F(SocketBlockingTest, ReceiveGivesZeroOnceThePeerHasClosed) {
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    ASSERT_TRUE(link.peer.SendAll("abc"));
    link.peer.Close();

    std::string received;
    char buffer[16];
    int count = 0;
    while ((count = link.socket.Receive(buffer, sizeof buffer)) > 0)
        received.append(buffer, static_cast<std::size_t>(count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(received, "abc");
    EXPECT_EQ(link.socket.Receive(buffer, sizeof buffer), 0);
}

TEST_F(SocketBlockingTest, ReceiveFailsWithTimedOutWhenTheBoundPasses) {
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    link.socket.SetTimeout(1000);

    char byte = 0;
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(link.socket.Receive(&byte, 1), SOCKET_ERROR);
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAETIMEDOUT);
    EXPECT_GE(elapsed, 900u);
    EXPECT_LE(elapsed, 5000u);

    // The bound ends the wait only: the socket still works.
    ASSERT_TRUE(link.peer.SendAll("z"));
    EXPECT_EQ(link.socket.Receive(&byte, 1), 1);
    EXPECT_EQ(byte, 'z');
}

// A visible window that counts its paints and the posted messages it is handed.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SocketTestCountingWindow";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                   64, 64, nullptr, nullptr, windowClass.hInstance, this);
        if (m_window != nullptr) {
            SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            UpdateWindow(m_window);
        }
    }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;
    ~CountingWindow() { DestroyWindow(m_window); }

    HWND Handle() const { return m_window; }
    int paints = 0;
    int posted = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_PAINT) {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            ++self->paints;
            return 0;
        }
        if (self != nullptr && message == WM_USER) {
            ++self->posted;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
};

TEST_F(SocketBlockingTest, AWaitPumpsOnlyItsOwnNotificationsAndPainting) {
    Listener listener;
    Recording<CAsyncSocket> other;
    ASSERT_TRUE(other.Create());
    other.Connect("127.0.0.1", listener.Port());
    Peer otherPeer = listener.Accept();
    ASSERT_TRUE(otherPeer.Valid());
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    ASSERT_TRUE(PumpUntil([&] { return other.Count(FD_CONNECT) == 1; }));
    PumpQueued();

    CountingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    const int paintsBefore = window.paints;
    InvalidateRect(window.Handle(), nullptr, FALSE);
    ASSERT_TRUE(PostMessageA(window.Handle(), WM_USER, 0, 0));
    ASSERT_TRUE(otherPeer.SendAll("o"));
    ASSERT_TRUE(WaitQueued(other, FD_READ));

    link.socket.SetTimeout(500);
    char byte = 0;
    EXPECT_EQ(link.socket.Receive(&byte, 1), SOCKET_ERROR);
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAETIMEDOUT);
    EXPECT_GT(window.paints, paintsBefore);
    EXPECT_EQ(window.posted, 0);
    EXPECT_EQ(other.Count(FD_READ), 0u);

    // What the wait left queued is delivered afterwards.
    EXPECT_TRUE(PumpUntil([&] { return other.Count(FD_READ) == 1 && window.posted == 1; }));
}

TEST_F(SocketBlockingTest, ANotificationTakenByAWaitIsNotDeliveredAgain) {
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    PumpQueued();
    link.socket.events.clear();

    ASSERT_TRUE(link.peer.SendAll("12"));
    ASSERT_TRUE(WaitQueued(link.socket, FD_READ));
    char buffer[8];
    ASSERT_EQ(link.socket.Receive(buffer, sizeof buffer), 2);
    // Nothing left to read: this wait takes the queued read notification and runs out.
    link.socket.SetTimeout(300);
    EXPECT_EQ(link.socket.Receive(buffer, sizeof buffer), SOCKET_ERROR);
    PumpQueued();
    EXPECT_EQ(link.socket.Count(FD_READ), 0u);

    // New data raises a new notification as usual.
    ASSERT_TRUE(link.peer.SendAll("3"));
    EXPECT_TRUE(PumpUntil([&] { return link.socket.Count(FD_READ) == 1; }));
}

// Bytes that come while a send still waits are announced once the send has ended, although
// the wait took their notification.
TEST_F(SocketBlockingTest, BytesThatCameDuringASendAreAnnouncedAfterIt) {
    constexpr std::size_t kSize = 16u * 1024u * 1024u; // more than the buffers hold
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    PumpQueued();
    link.socket.events.clear();
    std::jthread server([&] {
        Sleep(300);
        link.peer.SendAll("x");
        Sleep(300);
        link.peer.ReceiveUpTo(kSize);
    });
    const std::string payload = Pattern(kSize, 4);
    ASSERT_EQ(link.socket.Send(payload.data(), static_cast<int>(kSize)), static_cast<int>(kSize));
    EXPECT_TRUE(PumpUntil([&] { return link.socket.Count(FD_READ) >= 1; }))
        << link.socket.events.size() << " events";
}

TEST_F(SocketBlockingTest, SendFailsWithTimedOutWhenThePeerNeverReads) {
    Listener listener;
    Connection link(listener);
    ASSERT_TRUE(link.ok);
    link.socket.SetTimeout(1000);
    const std::string payload = Pattern(64u * 1024u * 1024u, 3); // more than the buffers hold
    EXPECT_EQ(link.socket.Send(payload.data(), static_cast<int>(payload.size())), SOCKET_ERROR);
    EXPECT_EQ(CAsyncSocket::GetLastError(), WSAETIMEDOUT);
}

} // namespace
