// How connections end: a new document closes the open one before it connects again, a server
// that goes away inside a message, a reply that closes with more bytes behind it, and a server
// that never closes after the goodbye.
#include "tests/e2e/session_expectations.h"
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/window_control.h"
#include "tests/support/wire_codec.h"

namespace e2e {
namespace {

using support::ConnectionRecord;
using support::ConnectionScript;
using support::Reply;
using support::ScriptedServer;

using SessionCloseTest = SandboxTest;

TEST_F(SessionCloseTest, NewDocumentWhileConnectedSaysGoodbyeThenHandshakesAgain) {
    // No replies: only the first connection has a time-out, so the second stays open.
    Server().SetScript(ConnectionScript::Silent());
    Program& program = StartProgram();
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Server().WaitForEnd(0)) << "the time-out closes the first connection";

    ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
    ASSERT_TRUE(Server().WaitForMessages(1, 1));
    ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
    ASSERT_TRUE(Server().WaitForMessages(2, 1));

    const std::vector<ConnectionRecord> records = Server().Connections();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].received, kHandshakeBytes + GoodbyeBytes());
    EXPECT_TRUE(records[1].clientClosed);
    EXPECT_LE(records[1].clientClosedAt, records[2].acceptedAt)
        << "the old connection is closed before the new one is opened";
    EXPECT_EQ(records[2].received, kHandshakeBytes);
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
}

// The server goes away after part of a reply. Under Wine a reset reads as the end of the
// stream, so both show as a message cut short.
TEST_F(SessionCloseTest, ServerGoneInsideAMessageClosesTheConnection) {
    const std::string reply = support::EncodeMsg(support::MakeMsg("SKDV1", false, {"line"}));
    const struct {
        const char* what;
        Reply end;
    } cases[] = {{"reset", Reply::Reset()}, {"close", Reply::Close()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t connection = Server().Connections().size();
        Server().SetScript(
            ConnectionScript().After(1, Reply::Raw(reply.substr(0, 5))).After(1, c.end));
        Program& program = StartProgram();
        HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        // "Server has reset the connection" comes just before and is replaced at once.
        EXPECT_TRUE(support::WaitFor([&] { return PaneShows(TextPane(main), kClosingConnection); }))
            << "pane: \"" << TextPane(main) << "\"";
        ASSERT_TRUE(Server().WaitForEnd(connection));
        EXPECT_EQ(Server().Connections()[connection].received, kHandshakeBytes)
            << "the connection is dropped without a goodbye";
        EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
        ASSERT_TRUE(support::PostClose(main));
        ASSERT_TRUE(program.process.WaitForExit().has_value());
    }
}

// The handshake reply closes the session inside the read while the client's buffer still
// holds bytes behind it: they are never read, and nothing touches the deleted connection.
TEST_F(SessionCloseTest, ReplyThatClosesWithBytesQueuedBehindIt) {
    const std::string accepted = support::EncodeMsg(support::MakeMsg("SKDV1"));
    const std::string queued = support::EncodeMsg(support::MakeMsg("SKDX1", false, {"queued"}));
    const struct {
        const char* what;
        std::string behind;
    } cases[] = {
        {"a whole message", queued},
        {"part of a message", queued.substr(0, 4)},
        {"several messages", queued + queued + queued},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t first = Server().Connections().size();
        Server().SetScript(ConnectionScript().After(1, Reply::Raw(accepted + c.behind)));
        Program& program = StartProgram();
        HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(Server().WaitForEnd(first));
        // Still alive and serving: a new document connects again.
        ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
        ASSERT_TRUE(Server().WaitForEnd(first + 1));

        const std::vector<ConnectionRecord> records = Server().Connections();
        ASSERT_EQ(records.size(), first + 2);
        for (std::size_t i = first; i < records.size(); ++i)
            EXPECT_EQ(records[i].received, kHandshakeBytes + GoodbyeBytes()) << i;
        EXPECT_EQ(TextPane(main), "") << "the queued lines are never shown";
        EXPECT_TRUE(program.process.IsRunning());
        EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
        ASSERT_TRUE(support::PostClose(main));
        ASSERT_TRUE(program.process.WaitForExit().has_value());
    }
}

TEST_F(SessionCloseTest, ClosingWhileTheServerNeverClosesEndsWithinTheDrainBound) {
    constexpr unsigned short kPort = 4001;
    // Waits for the server's close are bounded to 5 s; the rest is a loaded machine's slack.
    constexpr double kDrainAtLeast = 4.0;
    constexpr support::Millis kExitWithin{12000};
    ScriptedServer given(ConnectionScript::Silent().NeverCloseAfterGoodbye(), kPort);
    ASSERT_TRUE(given.Start()) << given.Error();
    // The command line's connection has no time-out: it is open until the program closes.
    Program& program = StartProgram("h 127.0.0.1 4001");
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(given.WaitForConnections(1));

    ASSERT_TRUE(support::PostClose(main));
    const std::optional<DWORD> code = program.process.WaitForExit(kExitWithin);
    const auto ended = ConnectionRecord::Clock::now();
    ASSERT_TRUE(code.has_value()) << "still running " << kExitWithin.count()
                                  << " ms after WM_CLOSE";
    EXPECT_EQ(*code, 0u);
    const ConnectionRecord record = given.Connections().front();
    EXPECT_EQ(record.received, GoodbyeBytes("h"));
    EXPECT_TRUE(record.clientClosed) << "the client shuts its side after the goodbye";
    EXPECT_GE(SecondsBetween(record.goodbyeAt, ended), kDrainAtLeast)
        << "the client waits for the server's close before giving up";
}

} // namespace
} // namespace e2e
