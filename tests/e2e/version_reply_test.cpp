// The version handshake as the server sees it and the user meets it: the exact bytes, the
// goodbye and its drained close, the upgrade notice, replies the client ignores until the
// handshake time-out closes the connection, and the close flag.
#include "tests/e2e/session_expectations.h"
#include "tests/e2e/skiffdesk_fixture.h"

#include <ostream>

namespace e2e {
namespace {

using support::ConnectionRecord;
using support::ConnectionScript;
using support::Reply;

ConnectionRecord First(const support::ScriptedServer& server) {
    const std::vector<ConnectionRecord> records = server.Connections();
    EXPECT_EQ(records.size(), 1u) << "one connection at start, no other";
    return records.empty() ? ConnectionRecord() : records.front();
}

void ExpectRunningWithoutBox(const Program& program) {
    EXPECT_TRUE(program.process.IsRunning());
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
}

using HandshakeTest = StartedTest;

TEST_F(HandshakeTest, AcceptedVersionEndsWithGoodbyeAndDrainedCloseSilently) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Server().WaitForEnd(0));

    const ConnectionRecord record = First(Server());
    EXPECT_EQ(record.received, kHandshakeBytes + GoodbyeBytes());
    EXPECT_TRUE(record.goodbye);
    EXPECT_TRUE(record.serverClosed);
    EXPECT_TRUE(record.clientClosed) << "the client closes its side after the goodbye";
    EXPECT_EQ(record.error, 0) << "a drained close, not a reset";
    ExpectRunningWithoutBox(TheProgram());
    EXPECT_EQ(TextPane(main), "") << "an accepted version shows nothing";
}

enum class Outcome {
    goodbyeAtOnce,      // the reply closes the session with the goodbye
    upgradeThenGoodbye, // the upgrade notice, and the goodbye
    goodbyeAtTimeOut,   // the reply is ignored; the handshake time-out sends the goodbye
    droppedSilently,    // the close flag drops the connection: no goodbye at all
};

struct ReplyCase {
    std::string name;
    ConnectionScript script;
    Outcome outcome;
    std::string paneLine; // the last line the pane shows; empty: the pane stays empty
};

// Named in test listings by its name alone.
void PrintTo(const ReplyCase& c, std::ostream* out) {
    *out << c.name;
}

// Two lines with every reply: the second one in the pane says the reply has been handled.
ConnectionScript Replying(std::string text, bool close = false) {
    return ConnectionScript().After(1, Reply::Message(std::move(text), close, {"line1", "line2"}));
}

std::vector<ReplyCase> ReplyCases() {
    return {
        {"AcceptedWithCloseFlag", Replying("SKDV1", true), Outcome::goodbyeAtOnce, "line2"},
        {"RefusedZero", Replying("SKDV0"), Outcome::upgradeThenGoodbye, "line2"},
        {"RefusedNoDigit", Replying("SKDV"), Outcome::upgradeThenGoodbye, "line2"},
        {"RefusedLetter", Replying("SKDVx"), Outcome::upgradeThenGoodbye, "line2"},
        {"LowerCase", Replying("skdv1"), Outcome::goodbyeAtTimeOut, "line2"},
        {"HandleBeforePrefix", Replying("hSKDV1"), Outcome::goodbyeAtTimeOut, "line2"},
        {"PrefixOnly", Replying("SKD"), Outcome::goodbyeAtTimeOut, "line2"},
        {"OtherKind", Replying("SKDX1"), Outcome::goodbyeAtTimeOut, "line2"},
        {"OtherKindWithCloseFlag", Replying("SKDX1", true), Outcome::droppedSilently, "line2"},
        {"NoReply", ConnectionScript::Silent(), Outcome::goodbyeAtTimeOut, ""},
    };
}

class VersionReplyTest : public SandboxTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(VersionReplyTest, ServerSeesAndUserMeets) {
    const ReplyCase& c = GetParam();
    Server().SetScript(c.script);
    Program& program = StartProgram();
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);

    if (c.outcome == Outcome::upgradeThenGoodbye) {
        const std::optional<support::MessageBoxView> box = WaitForBoxPastSharedFolder(program);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->caption, kAppTitle);
        EXPECT_EQ(box->text, UpgradeText());
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    }
    if (!c.paneLine.empty()) {
        ASSERT_TRUE(support::WaitFor([&] { return PaneShows(TextPane(main), c.paneLine); }))
            << "pane: \"" << TextPane(main) << "\"";
        // The lines come after the reply's own handling: a reply that closes has closed.
        const bool goodbyeBeforeLines = First(Server()).goodbye;
        if (c.outcome == Outcome::goodbyeAtOnce) {
            EXPECT_TRUE(goodbyeBeforeLines);
        }
        if (c.outcome == Outcome::goodbyeAtTimeOut || c.outcome == Outcome::droppedSilently) {
            EXPECT_FALSE(goodbyeBeforeLines) << "the reply must leave the connection open";
        }
    }

    ASSERT_TRUE(Server().WaitForEnd(0));
    const ConnectionRecord record = First(Server());
    EXPECT_TRUE(record.clientClosed);
    EXPECT_EQ(record.error, 0);
    if (c.outcome == Outcome::droppedSilently) {
        EXPECT_EQ(record.received, kHandshakeBytes) << "no goodbye after a close flag";
    } else {
        EXPECT_EQ(record.received, kHandshakeBytes + GoodbyeBytes());
        const double goodbyeAfter = SecondsBetween(record.acceptedAt, record.goodbyeAt);
        if (c.outcome == Outcome::goodbyeAtOnce) {
            EXPECT_LT(goodbyeAfter, kTimeOutEarliest);
        }
        if (c.outcome == Outcome::goodbyeAtTimeOut) {
            EXPECT_GE(goodbyeAfter, kTimeOutEarliest);
            EXPECT_LE(goodbyeAfter, kTimeOutLatest);
        }
    }
    ExpectRunningWithoutBox(program);
    if (c.paneLine.empty()) {
        EXPECT_EQ(TextPane(main), "");
    } else {
        EXPECT_TRUE(PaneShows(TextPane(main), c.paneLine)) << TextPane(main);
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, VersionReplyTest, ::testing::ValuesIn(ReplyCases()),
                         [](const ::testing::TestParamInfo<ReplyCase>& test) {
                             return test.param.name;
                         });

} // namespace
} // namespace e2e
