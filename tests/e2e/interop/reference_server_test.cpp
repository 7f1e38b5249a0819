// The real client against the reference server: run by reference_server_test.sh, which starts
// the server on 127.0.0.1:10101 and names its log in SKIFF_REFERENCE_SERVER_LOG (a Linux path).
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/window_control.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace e2e {
namespace {

constexpr char kLogVariable[] = "SKIFF_REFERENCE_SERVER_LOG";

std::string WinePath(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return "Z:" + path;
}

struct LogLine {
    std::string peer; // the third word: the client's address and port
    std::string what; // everything after it
};

// Lines of the form "<date> <time> <peer> <what>".
std::vector<LogLine> ReadLog(const std::string& path) {
    std::vector<LogLine> lines;
    std::ifstream file(path);
    std::string text;
    while (std::getline(file, text)) {
        std::istringstream words(text);
        std::string date, time;
        LogLine line;
        if (!(words >> date >> time >> line.peer))
            continue;
        std::getline(words >> std::ws, line.what);
        lines.push_back(std::move(line));
    }
    return lines;
}

// The handshake accepted and, later on the same connection, the goodbye.
bool HandshakeThenGoodbye(const std::vector<LogLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].what != "handshake 000001 -> SKDV1")
            continue;
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            if (lines[j].peer == lines[i].peer && lines[j].what == "goodbye")
                return true;
    }
    return false;
}

class ReferenceServerTest : public SandboxTest {
protected:
    ReferenceServerTest() : SandboxTest(Serve::nothing) {}
};

TEST_F(ReferenceServerTest, AcceptsTheHandshakeAndHearsTheGoodbye) {
    const char* log = std::getenv(kLogVariable);
    ASSERT_NE(log, nullptr) << kLogVariable << " is not set: run reference_server_test.sh";
    const std::string logPath = WinePath(log);

    Program& program = StartProgram();
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(support::WaitFor([&] { return HandshakeThenGoodbye(ReadLog(logPath)); }))
        << "the server's log does not show the handshake and the goodbye";
    EXPECT_TRUE(program.process.IsRunning());
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
    EXPECT_EQ(TextPane(main), "");
}

class ReferenceServerSignUpTest : public SandboxTest {
protected:
    ReferenceServerSignUpTest() : SandboxTest(Serve::nothing) { StartWithoutAccount(); }

    // Fills the sign-up dialog and presses "Register"; true when the pane then ends with text.
    static bool SignUp(const Program& program, HWND main, const std::string& expected) {
        HWND dialog = support::WaitForDialog(
            program.process.Id(), "Please register your account name", support::Millis{10000});
        if (dialog == nullptr)
            return false;
        const std::pair<int, const char*> fields[] = {
            {1007, "interop"}, {1008, "interop@b.cd"}, {1010, "Secret7"}, {1011, "Secret7"}};
        for (const auto& [id, text] : fields)
            support::SetWindowTextRemote(GetDlgItem(dialog, id), text);
        support::PostCommand(dialog, IDOK);
        return support::WaitFor([&] {
            const std::string pane = TextPane(main);
            return pane.size() >= expected.size() &&
                   pane.compare(pane.size() - expected.size(), expected.size(), expected) == 0;
        });
    }
};

TEST_F(ReferenceServerSignUpTest, SignsUpOnceThenTheSameNameIsRefused) {
    Program& program = StartProgram();
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(SignUp(program, main, "Create Account OK!"));
    EXPECT_EQ(ReadSettingDword("Setup", "reg"), 1u);

    // Past the one-minute limit, as if the user had waited.
    const DWORD earlier = static_cast<DWORD>(std::time(nullptr) - 120);
    ASSERT_TRUE(WriteSetting("Setup", "t_first_register", earlier));
    support::PostCommand(main, 32781);
    EXPECT_TRUE(SignUp(program, main,
                       "Failed to create Account! Please check your account name, password and "
                       "email address."));
}

} // namespace
} // namespace e2e
