// The main window's bars and commands as a user meets them from outside: the toolbar's
// buttons, the status bar, "Help" opening the home page, and Ctrl+S doing nothing visible.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/records.h"
#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

#include <commctrl.h>

namespace e2e {
namespace {

using MainWindowTest = StartedTest;

TEST_F(MainWindowTest, ToolbarAndStatusBarShowAndHelpOpensTheHomePage) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    HWND toolBar = support::FindChild(main, TOOLBARCLASSNAMEA);
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(support::SendWithTimeout(toolBar, TB_BUTTONCOUNT), 8);
    HWND statusBar = support::FindChild(main, STATUSCLASSNAMEA);
    ASSERT_NE(statusBar, nullptr);
    EXPECT_EQ(support::SendWithTimeout(statusBar, SB_GETPARTS), 3);

    ASSERT_TRUE(support::PostCommand(main, 57670));
    const std::vector<std::string> opened = WaitForRecord(kBrowserDouble);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(support::ArgumentsOf(opened.front()), "\"http://www.skiffdesk.example/index.htm\"");
    EXPECT_TRUE(support::MessageBoxesOf(TheProgram().process.Id()).empty());
}

TEST_F(MainWindowTest, SaveShortcutDoesNothingVisible) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(support::PressKey(main, 'S', support::kCtrl));
    EXPECT_FALSE(support::WaitForMessageBox(TheProgram().process.Id(), support::Millis{1500}));
    EXPECT_TRUE(TheProgram().process.IsRunning());
    EXPECT_EQ(support::CaptionOf(main), "Skiffdesk");
}

} // namespace
} // namespace e2e
