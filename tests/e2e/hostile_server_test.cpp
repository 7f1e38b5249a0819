// Whatever a server does, the window keeps taking its input and the program's memory stays
// bounded: a message dripped in byte by byte, a stall half-way, floods of messages and lines,
// huge strings, a burst of refused versions, a close or a reset at once, and new documents
// against a server that never closes. Each case prints its figures.
#include "tests/e2e/session_expectations.h"
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/window_control.h"
#include "tests/support/window_find.h"
#include "tests/support/wire_codec.h"

#include <psapi.h>

#include <atomic>
#include <iostream>
#include <thread>

namespace e2e {
namespace {

using support::ConnectionRecord;
using support::ConnectionScript;
using support::Millis;
using support::Reply;

using Clock = std::chrono::steady_clock;

// The command line's connection sends no handshake and has no time-out: the server's script
// alone decides what happens on it.
constexpr char kCommandLine[] = "h 127.0.0.1 10101";
// Input answered within this on a loaded test machine; the goal on an idle one is 250 ms.
constexpr Millis kInputBound{1000};
constexpr std::size_t kMemoryBound = 256u << 20;
// Longer than the program takes to show its window.
constexpr Millis kServerStartsAfter{3000};

// Measures how long the window takes to handle posted messages: every 50 ms it posts a new
// text limit to the pane and waits until the pane reports it.
class InputProbe {
public:
    explicit InputProbe(HWND pane) : m_thread([this, pane] { Run(pane); }) {}
    InputProbe(const InputProbe&) = delete;
    InputProbe& operator=(const InputProbe&) = delete;
    ~InputProbe() { Stop(); }

    // The longest wait seen, in ms.
    long long Stop() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_longest;
    }

private:
    void Run(HWND pane) {
        for (WPARAM limit = 100000; !m_stop; ++limit) {
            const auto posted = Clock::now();
            if (!PostMessageA(pane, EM_SETLIMITTEXT, limit, 0))
                return;
            for (;;) {
                DWORD_PTR current = 0;
                if (!SendMessageTimeoutA(pane, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &current))
                    break;
                if (current == limit || m_stop)
                    break;
                std::this_thread::sleep_for(Millis(5));
            }
            const auto waited = std::chrono::duration_cast<Millis>(Clock::now() - posted).count();
            m_longest = std::max<long long>(m_longest, waited);
            std::this_thread::sleep_for(Millis(50));
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_longest{0};
    std::thread m_thread;
};

// The most memory the process has held (its peak working set), in bytes; 0 if unknown.
std::size_t PeakMemory(DWORD processId) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_MEMORY_COUNTERS counters{};
    const bool read =
        process != nullptr && GetProcessMemoryInfo(process, &counters, sizeof counters);
    if (process != nullptr)
        CloseHandle(process);
    return read ? counters.PeakWorkingSetSize : 0;
}

std::string Lines(std::size_t count, std::vector<std::string>& lines) {
    lines.clear();
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines.back();
}

class HostileServerTest : public SandboxTest {
protected:
    // Starts the program on the command line's connection and waits for its window.
    HWND Start() {
        Program& program = StartProgram(kCommandLine);
        m_pProgram = &program;
        const HWND main = WaitForMainWindow(program);
        return main;
    }
    Program& TheProgram() { return *m_pProgram; }

    void Report(const std::string& what, long long inputMs, double seconds) {
        std::cout << "[figures] " << what << ": input answered within " << inputMs
                  << " ms; peak memory " << (PeakMemory(TheProgram().process.Id()) >> 20)
                  << " MiB; " << seconds << " s" << std::endl;
    }

private:
    Program* m_pProgram = nullptr;
};

TEST_F(HostileServerTest, TheWindowAnswersAndMemoryStaysBoundedWhateverTheServerSends) {
    std::vector<std::string> lines;
    const std::string dripped = support::EncodeMsg(support::MakeMsg("SKDX1", false, {"dripped"}));
    const std::string lastLine = Lines(10000, lines);
    std::string manyMessages;
    for (const std::string& line : lines)
        manyMessages += support::EncodeMsg(support::MakeMsg("SKDX1", false, {line}));
    const std::string manyLines = support::EncodeMsg(support::MakeMsg("SKDX1", false, lines));
    const std::string hugeLine(CMsg::kMaxMessageBytes - 64, 'h');
    // Close flag, empty text, 64 strings announced, the first one of 16 MiB, and its bytes.
    const std::string hugeList =
        std::string("\0\0\0\x40\x00\xff\xff\xff\x00\x00\x00\x01", 12) + std::string(32u << 20, 'x');
    const struct {
        const char* what;
        Reply reply;
        std::string pane; // what the pane ends with
        bool dropped;     // the client ends the connection
        double within;    // seconds from the first byte until the pane shows it
    } cases[] = {
        {"one message, one byte every 50 ms", Reply::Drip(dripped, Millis(50)), "dripped", false,
         6},
        {"one message, one byte every 4 s", Reply::Drip(dripped, Millis(4000)), kClosingConnection,
         true, 14},
        {"a stall in the middle of a message", Reply::Raw(dripped.substr(0, 9)), kClosingConnection,
         true, 14},
        // The goal is 2 s; the bound leaves room for a loaded test machine.
        {"10,000 messages of one line", Reply::Raw(manyMessages), lastLine, false, 4},
        {"one message of 10,000 lines", Reply::Raw(manyLines), lastLine, false, 4},
        {"one line of almost 16 MiB", Reply::Message("SKDX1", false, {hugeLine}),
         hugeLine.substr(0, 64 * 1024), false, 10},
        {"64 strings of 16 MiB in one message", Reply::Raw(hugeList), kClosingConnection, true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t connection = Server().Connections().size();
        // The server starts once the window stands and is being watched.
        Server().SetScript(ConnectionScript()
                               .After(0, Reply::Pause(kServerStartsAfter))
                               .After(0, c.reply)
                               .After(0, Reply::Stall()));
        const HWND main = Start();
        ASSERT_NE(main, nullptr);
        const HWND pane = support::FindChild(main, "Edit");
        ASSERT_NE(pane, nullptr);
        ASSERT_TRUE(Server().WaitForConnections(connection + 1));
        const auto start = Server().Connections()[connection].acceptedAt + kServerStartsAfter;
        InputProbe probe(pane);
        EXPECT_TRUE(support::WaitFor([&] { return PaneShows(TextPane(main), c.pane); },
                                     kServerStartsAfter +
                                         Millis(static_cast<long long>(c.within * 1000) + 5000)))
            << "pane: \"" << TextPane(main).substr(0, 80) << "\"";
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (c.dropped) {
            EXPECT_TRUE(Server().WaitUntil([&](const std::vector<ConnectionRecord>& records) {
                return records[connection].clientClosed || records[connection].ended;
            })) << "the client keeps the connection";
        }
        const long long inputMs = probe.Stop();
        Report(c.what, inputMs, seconds);
        EXPECT_LE(seconds, c.within);
        EXPECT_LE(inputMs, kInputBound.count());
        EXPECT_LT(PeakMemory(TheProgram().process.Id()), kMemoryBound);
        EXPECT_EQ(support::DescribeMessageBoxes(TheProgram().process.Id()), "");
        TheProgram().process.Terminate();
        ASSERT_TRUE(TheProgram().process.WaitForExit().has_value());
    }
}

TEST_F(HostileServerTest, ABurstOfRefusedVersionsShowsOneUpgradeBox) {
    std::string burst;
    for (int i = 0; i < 100; ++i)
        burst += support::EncodeMsg(support::MakeMsg("SKDV0"));
    Server().SetScript(ConnectionScript().After(1, Reply::Raw(burst)));
    Program& program = StartProgram();
    ASSERT_NE(WaitForMainWindow(program), nullptr);
    const auto box = WaitForBoxPastSharedFolder(program);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, UpgradeText());
    // Time for any further box to come up before the count.
    std::this_thread::sleep_for(Millis(1500));
    EXPECT_EQ(support::MessageBoxesOf(program.process.Id()).size(), 1u);
    ASSERT_TRUE(support::AnswerMessageBox(*box, IDOK));
    ASSERT_TRUE(Server().WaitForEnd(0));
    std::this_thread::sleep_for(Millis(500));
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
    EXPECT_EQ(Server().Connections()[0].received, kHandshakeBytes + GoodbyeBytes());
}

// A server that closes or resets before its reply ends the connection as a torn message
// does, without a box; a new document then connects again.
TEST_F(HostileServerTest, AServerGoneBeforeItsReplyLeavesNoBoxAndCtrlNConnectsAgain) {
    const struct {
        const char* what;
        ConnectionScript script;
    } cases[] = {{"closes right after accept", ConnectionScript().After(0, Reply::Close())},
                 {"resets before its reply", ConnectionScript().After(1, Reply::Reset())}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t first = Server().Connections().size();
        Server().SetScript(first, c.script);
        Server().SetScript(ConnectionScript::AnswerHandshake());
        Program& program = StartProgram();
        const HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(support::WaitFor([&] { return PaneShows(TextPane(main), kClosingConnection); }))
            << "pane: \"" << TextPane(main) << "\"";
        // Past the handshake time-out, whose goodbye once met the broken connection.
        std::this_thread::sleep_for(Millis(2500));
        EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
        ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
        ASSERT_TRUE(Server().WaitForEnd(first + 1));
        EXPECT_EQ(Server().Connections()[first + 1].received, kHandshakeBytes + GoodbyeBytes());
        EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
        program.process.Terminate();
        ASSERT_TRUE(program.process.WaitForExit().has_value());
    }
}

// Each new document says goodbye to a server that never closes; the wait for its close goes
// on beside the window, which takes the next Ctrl+N at once.
TEST_F(HostileServerTest, NewDocumentsAgainstAServerThatNeverClosesDoNotWait) {
    Server().SetScript(ConnectionScript::AnswerHandshake().NeverCloseAfterGoodbye());
    Program& program = StartProgram();
    const HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(Server().WaitForClientClose(0));
    const HWND pane = support::FindChild(main, "Edit");
    ASSERT_NE(pane, nullptr);
    InputProbe probe(pane);
    const auto start = Clock::now();
    for (std::size_t i = 1; i <= 6; ++i) {
        ASSERT_TRUE(support::PressKey(main, 'N', support::kCtrl));
        ASSERT_TRUE(Server().WaitForClientClose(i)) << i;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long long inputMs = probe.Stop();
    std::cout << "[figures] Ctrl+N six times: input answered within " << inputMs << " ms; all in "
              << seconds << " s" << std::endl;
    EXPECT_LE(inputMs, kInputBound.count());
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(support::DescribeMessageBoxes(program.process.Id()), "");
}

} // namespace
} // namespace e2e
