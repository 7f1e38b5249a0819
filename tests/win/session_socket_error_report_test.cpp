// A framework error escaping a socket's notification handler is told to the user as one
// escaping a window's handler: a message box with the error's text and the program's title.
#include "tests/win/session_test_support.h"

#include "framework/exceptions.h"

using namespace sessiontest;

namespace {

class SessionSocketErrorReportTest : public sockettest::SocketTest {};

class ThrowingSocket : public CSocket {
public:
    explicit ThrowingSocket(std::function<void()> fail) : m_fail(std::move(fail)) {}
    void OnReceive(int) override { m_fail(); }

private:
    std::function<void()> m_fail;
};

TEST_F(SessionSocketErrorReportTest, AnErrorFromAReadNotificationIsShownWithTheProgramsTitle) {
    const struct {
        std::string text;
        std::function<void()> fail;
    } cases[] = {
        {"The data ended before the item being read was complete.",
         [] { throw CArchiveException(CArchiveException::endOfFile); }},
        {"A read or write error occurred on the file or connection. (system error 10054)",
         [] { throw CFileException(CFileException::generic, WSAECONNRESET); }},
    };
    TestApp app;
    for (const auto& test : cases) {
        sockettest::Listener listener;
        ThrowingSocket socket(test.fail);
        ASSERT_TRUE(socket.Create());
        ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
        sockettest::Peer peer = listener.Accept();
        ASSERT_TRUE(peer.SendAll("x"));
        BoxAnswerer boxes;
        EXPECT_TRUE(sockettest::PumpUntil([&] { return !boxes.Seen().empty(); })) << test.text;
        EXPECT_EQ(boxes.Seen(), (std::vector<BoxSeen>{{"Skiffdesk", test.text}}));
    }
}

} // namespace
