// Where the client connects and what happens when it cannot: the retry and update questions
// with a server that is down, the command line's handle, host and port, and a command line
// that cannot be used.
#include "tests/e2e/session_expectations.h"
#include "tests/e2e/skiffdesk_fixture.h"

#include <ostream>

#include "tests/support/records.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

using support::ConnectionRecord;
using support::ConnectionScript;
using support::MessageBoxView;
using support::ScriptedServer;

// A visible top-level window of the process other than a message box: the main window shown.
bool ShowsAWindow(const Program& program) {
    support::WindowQuery visible;
    visible.processId = program.process.Id();
    visible.visibleOnly = true;
    for (HWND window : support::FindTopLevelWindows(visible))
        if (support::ClassNameOf(window) != support::kDialogClass)
            return true;
    return false;
}

::testing::AssertionResult IsQuestion(const std::optional<MessageBoxView>& box,
                                      const std::string& text) {
    if (!box)
        return ::testing::AssertionFailure() << "no message box for \"" << text << "\"";
    if (box->caption != kAppTitle || box->text != text ||
        box->buttons != std::vector<int>{IDYES, IDNO})
        return ::testing::AssertionFailure()
               << "box \"" << box->caption << "\": \"" << box->text << "\" with "
               << box->buttons.size() << " buttons, expected Yes/No \"" << text << "\"";
    return ::testing::AssertionSuccess();
}

// Answers Yes to the update question (true) or No.
class ServerDownTest : public SandboxTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ServerDownTest, RetryThenUpdateQuestion) {
    const bool visitWebSite = GetParam();
    Server().Stop();
    Program& program = StartProgram();

    std::optional<MessageBoxView> box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(IsQuestion(box, kConnectRetryText));
    EXPECT_FALSE(ShowsAWindow(program)) << "the main window waits for the connection";
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDYES));
    box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(IsQuestion(box, kConnectRetryText)) << "Yes tries again, and fails again";
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDNO));

    box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(IsQuestion(box, ConnectUpdateText()));
    EXPECT_FALSE(ShowsAWindow(program));
    ASSERT_TRUE(support::AnswerMessageBox(*box, visitWebSite ? IDYES : IDNO));

    if (!visitWebSite) {
        bool showed = false;
        const std::optional<DWORD> code = support::WaitFor([&] {
            showed = showed || ShowsAWindow(program);
            return program.process.WaitForExit(support::Millis{0});
        });
        ASSERT_TRUE(code.has_value()) << "still running after No";
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(showed) << "the main window must never show";
        EXPECT_TRUE(Record(kBrowserDouble).empty());
        return;
    }
    const std::vector<std::string> opened = WaitForRecord(kBrowserDouble);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(opened.front()),
              std::string("\"") + deployment::kHomePage + "\"");
    ASSERT_NE(WaitForMainWindow(program), nullptr) << "the program runs on without a connection";
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
}

INSTANTIATE_TEST_SUITE_P(UpdateAnswer, ServerDownTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& test) {
                             return std::string(test.param ? "VisitWebSite" : "GiveUp");
                         });

using CommandLineTest = SandboxTest;

TEST_F(CommandLineTest, ConnectsWhereItSaysWithoutHandshakeAndSignsWithTheHandle) {
    constexpr unsigned short kPort = 4000;
    ScriptedServer given(ConnectionScript::Silent(), kPort);
    ASSERT_TRUE(given.Start()) << given.Error();
    Program& program = StartProgram("h 127.0.0.1 4000");
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(given.WaitForConnections(1));

    // A new document connects again as the command line says, after the goodbye.
    ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
    ASSERT_TRUE(given.WaitForConnections(2)) << "Ctrl+N reconnects";
    ASSERT_TRUE(support::PostClose(main));
    const std::optional<DWORD> code = program.process.WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);

    ASSERT_TRUE(given.WaitForEnd(1));
    const std::vector<ConnectionRecord> records = given.Connections();
    ASSERT_EQ(records.size(), 2u);
    for (const ConnectionRecord& record : records) {
        EXPECT_EQ(record.received, GoodbyeBytes("h")) << "no handshake, the handle in front";
        EXPECT_TRUE(record.clientClosed);
    }
    EXPECT_LE(records[0].clientClosedAt, records[1].acceptedAt);
    EXPECT_TRUE(Server().Connections().empty()) << "nothing goes to the default port";
}

// A command line that cannot be used: a box naming the form, then the default settings.
struct BadCommandLine {
    const char* name;
    const char* arguments;
};

void PrintTo(const BadCommandLine& c, std::ostream* out) {
    *out << '"' << c.arguments << '"';
}

class BadCommandLineTest : public SandboxTest,
                           public ::testing::WithParamInterface<BadCommandLine> {};

TEST_P(BadCommandLineTest, ExplainsTheFormThenUsesTheDefaults) {
    Program& program = StartProgram(GetParam().arguments);
    const std::optional<MessageBoxView> box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kAppTitle);
    EXPECT_NE(box->text.find("<handle> <server> <port>"), std::string::npos) << box->text;
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));

    ASSERT_NE(WaitForMainWindow(program), nullptr);
    ASSERT_TRUE(Server().WaitForEnd(0));
    const std::vector<ConnectionRecord> records = Server().Connections();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].received, kHandshakeBytes + GoodbyeBytes()) << "no handle";
}

INSTANTIATE_TEST_SUITE_P(Forms, BadCommandLineTest,
                         ::testing::Values(BadCommandLine{"TwoWords", "h 127.0.0.1"},
                                           BadCommandLine{"PortZero", "h host 0"},
                                           BadCommandLine{"PortTooBig", "h 127.0.0.1 65536"},
                                           BadCommandLine{"PortNotANumber", "h 127.0.0.1 40x0"},
                                           BadCommandLine{"FourWords", "a b c d"}),
                         [](const ::testing::TestParamInfo<BadCommandLine>& test) {
                             return std::string(test.param.name);
                         });

} // namespace
} // namespace e2e
