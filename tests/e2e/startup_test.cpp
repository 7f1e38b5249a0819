// Start-up as a user meets it: one window per desktop, a second start brings the first copy
// back, a renamed copy is another program, and closing the window ends the program cleanly.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

using support::Millis;

constexpr char kCaption[] = "Skiffdesk";

// True if the process showed a visible top-level window at any poll before it ended.
bool ShowedWindowBeforeEnd(const Program& program) {
    support::WindowQuery visible;
    visible.processId = program.process.Id();
    visible.visibleOnly = true;
    bool showed = false;
    support::WaitFor([&] {
        showed = showed || support::FindTopLevelWindow(visible) != nullptr;
        return !program.process.IsRunning();
    });
    return showed;
}

using StartupTest = StartedTest;

TEST_F(StartupTest, ShowsOneMainWindowCaptionedWithTheProgramName) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(support::CaptionOf(main), kCaption);
    EXPECT_TRUE(IsWindowVisible(main));
    support::WindowQuery marked;
    marked.property = TheProgram().name;
    EXPECT_EQ(support::FindTopLevelWindows(marked), std::vector<HWND>{main});
}

TEST_F(StartupTest, SecondCopyEndsSilentlyAndRestoresTheMinimisedFirst) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(support::WaitFor([&] { return IsIconic(main) != FALSE; }));
    const std::size_t connections = Server().Connections().size();

    Program& second = StartProgram();
    EXPECT_FALSE(ShowedWindowBeforeEnd(second));
    ASSERT_TRUE(second.process.WaitForExit().has_value());

    EXPECT_TRUE(support::WaitFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }))
        << "iconic " << IsIconic(main) << ", foreground " << GetForegroundWindow();
    EXPECT_TRUE(TheProgram().process.IsRunning());
    EXPECT_EQ(Server().Connections().size(), connections) << "the second copy must not connect";
}

TEST_F(StartupTest, CopyUnderAnotherNameRunsBesideTheFirst) {
    HWND first = WaitForMainWindow(TheProgram());
    ASSERT_NE(first, nullptr);
    ASSERT_FALSE(CopyProgram("skiffdesk2.exe").empty());

    Program& renamed = StartProgram("", "skiffdesk2.exe");
    HWND second = WaitForMainWindow(renamed);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(support::CaptionOf(second), kCaption);
    EXPECT_TRUE(TheProgram().process.IsRunning());
    EXPECT_TRUE(renamed.process.IsRunning());
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheProgramWithExitCodeZero) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(support::PostClose(main));
    const std::optional<DWORD> code = TheProgram().process.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "still running after WM_CLOSE";
    EXPECT_EQ(*code, 0u);
}

} // namespace
} // namespace e2e
