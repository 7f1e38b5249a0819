// A server that cannot be reached: the connect is offered again until the user gives up, then
// (with the default settings) the web site is offered.
#include "tests/win/session_test_support.h"

#include "deployment.h"
#include "session/chat_doc.h"

#include <thread>

using namespace sessiontest;

namespace {

class SessionConnectTest : public sockettest::SocketTest {};

TEST_F(SessionConnectTest, AnUnreachableServerIsOfferedAgainUntilTheUserGivesUp) {
    const BoxSeen retry{"Skiffdesk", "Failed to connect to server\nTry again?"};
    const BoxSeen download{"Skiffdesk",
                           std::string("Can not connect the server. Please download the client "
                                       "application at ") +
                               deployment::kWebAddress + " and update it."};
    const UINT port = sockettest::RefusingPort();
    const std::string commandLine = "h 127.0.0.1 " + std::to_string(port);
    enum Call { connect, withHandshake, commandLineNewDocument };
    const struct {
        const char* what;
        Call call;
        std::vector<int> answers;
        std::vector<BoxSeen> expected;
    } cases[] = {
        {"connect, given up at once", connect, {IDNO}, {retry}},
        {"connect, tried again twice", connect, {IDYES, IDYES, IDNO}, {retry, retry, retry}},
        {"default settings: then the web site is declined",
         withHandshake,
         {IDNO, IDNO},
         {retry, download}},
        {"default settings, tried again",
         withHandshake,
         {IDYES, IDNO, IDNO},
         {retry, retry, download}},
        {"command line: no web site offered", commandLineNewDocument, {IDNO}, {retry}},
    };
    for (const auto& test : cases) {
        TestApp app(test.call == commandLineNewDocument ? commandLine.c_str() : "");
        CChatDoc doc;
        BOOL result = TRUE;
        {
            BoxAnswerer boxes(test.answers);
            switch (test.call) {
            case connect:
                result = doc.ConnectSocket("h", "127.0.0.1", port);
                break;
            case withHandshake:
                result = doc.ConnectWithHandshake("", "127.0.0.1", port);
                break;
            case commandLineNewDocument:
                result = doc.OnNewDocument();
                break;
            }
            EXPECT_EQ(boxes.Seen(), test.expected) << test.what;
        }
        EXPECT_FALSE(result) << test.what;
        EXPECT_EQ(doc.m_pSocket, nullptr) << test.what;
        EXPECT_EQ(doc.m_pArchiveOut, nullptr) << test.what;
        EXPECT_FALSE(doc.m_bVersionPending) << test.what;
    }
}

// The retry uses the same socket again; it must get through once the server is there.
TEST_F(SessionConnectTest, ARetryAfterTheServerHasComeUpConnects) {
    const UINT port = sockettest::RefusingPort();
    SOCKET listening = INVALID_SOCKET;
    std::string received;
    std::thread server;
    TestApp app;
    CChatDoc doc;
    {
        // While the retry box is up, the server starts listening.
        BoxAnswerer boxes({IDYES}, [&] {
            if (listening != INVALID_SOCKET)
                return;
            listening = ListenAt(port);
            server = std::thread([&] {
                sockettest::Peer peer = AcceptWithin(listening);
                if (peer.Valid())
                    received = ReadToEnd(peer);
            });
        });
        EXPECT_TRUE(doc.ConnectWithHandshake("", "127.0.0.1", port));
        doc.DeleteContents();
        EXPECT_EQ(boxes.Seen(),
                  (std::vector<BoxSeen>{{"Skiffdesk", "Failed to connect to server\nTry again?"}}));
    }
    if (server.joinable())
        server.join();
    closesocket(listening);
    EXPECT_EQ(received, Wire(0, "SKDV000001") + Wire(1, "SKDS1"));
}

} // namespace
