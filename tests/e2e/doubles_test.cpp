// The doubles stand where Wine's shell looks for the real programs, and record what the
// shell hands them: without this, a launch test would pass against Wine's stubs or fail on
// Wine's missing programs.
#include "tests/e2e/skiffdesk_fixture.h"

#include <shellapi.h>

#include <algorithm>

#include "tests/support/records.h"

namespace e2e {
namespace {

using DoublesTest = SandboxTest;

struct ShellCase {
    const char* what;
    const char* file;
    const char* parameters;
    int show;
    const char* doubleName;
    const char* arguments; // what the double must find after its own name
};

const ShellCase kShellCases[] = {
    {"remote desktop client", "mstsc.exe", "\"C:\\apps folder\\Paint.rdp\"", SW_SHOWNORMAL,
     kRemoteDesktopDouble, "\"C:\\apps folder\\Paint.rdp\""},
    {"subst", "subst.exe", "z: \"C:\\users\\me\\Documents\\skiffdesk\"", SW_HIDE, kSubstDouble,
     "z: \"C:\\users\\me\\Documents\\skiffdesk\""},
    {"web page", "http://www.skiffdesk.example/index.htm", nullptr, SW_SHOWNORMAL, kBrowserDouble,
     "\"http://www.skiffdesk.example/index.htm\""},
    {"secure web page", "https://www.skiffdesk.example/contact.htm", nullptr, SW_SHOW,
     kBrowserDouble, "\"https://www.skiffdesk.example/contact.htm\""},
};

// The program starts mstsc.exe with no folder of its own; the shell looks in the current one.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) {
        char previous[MAX_PATH];
        const DWORD n = GetCurrentDirectoryA(sizeof previous, previous);
        if (n > 0 && n < sizeof previous)
            m_strPrevious.assign(previous, n);
        SetCurrentDirectoryA(folder.c_str());
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    ~CurrentFolder() {
        if (!m_strPrevious.empty())
            SetCurrentDirectoryA(m_strPrevious.c_str());
    }

private:
    std::string m_strPrevious;
};

TEST_F(DoublesTest, ShellExecuteReachesTheRecordingDoubles) {
    CurrentFolder inSandbox(Sandbox());
    for (const ShellCase& c : kShellCases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = Record(c.doubleName).size();
        const auto code = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", c.file, c.parameters, nullptr, c.show));
        ASSERT_GT(code, 32);
        const std::vector<std::string> lines = WaitForRecord(c.doubleName, before + 1);
        ASSERT_EQ(lines.size(), before + 1);
        EXPECT_EQ(support::ArgumentsOf(lines.back()), c.arguments) << lines.back();
    }
}

TEST_F(DoublesTest, CopiesStartedTogetherEachRecordOneWholeLine) {
    CurrentFolder inSandbox(Sandbox());
    constexpr int kCopies = 6;
    for (int i = 0; i < kCopies; ++i) {
        const std::string parameters = "\"C:\\apps\\" + std::to_string(i) + ".rdp\"";
        ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", "mstsc.exe",
                                                          parameters.c_str(), nullptr, SW_SHOW)),
                  32);
    }
    std::vector<std::string> lines = WaitForRecord(kRemoteDesktopDouble, kCopies);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kCopies));
    std::vector<std::string> arguments;
    for (const std::string& line : lines)
        arguments.push_back(support::ArgumentsOf(line));
    std::sort(arguments.begin(), arguments.end());
    for (int i = 0; i < kCopies; ++i)
        EXPECT_EQ(arguments[static_cast<std::size_t>(i)],
                  "\"C:\\apps\\" + std::to_string(i) + ".rdp\"");
}

TEST(RecordArguments, ProgramWordIsDropped) {
    const struct {
        const char* line;
        const char* arguments;
    } cases[] = {
        {"\"C:\\windows\\system32\\subst.exe\" z: \"C:\\x y\"", "z: \"C:\\x y\""},
        {"C:\\doubles\\mstsc.exe  \"a.rdp\"", "\"a.rdp\""},
        {"mstsc.exe", ""},
        {"\"C:\\no end", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(support::ArgumentsOf(c.line), c.arguments) << c.line;
}

} // namespace
} // namespace e2e
