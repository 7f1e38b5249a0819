// The main window's two rows as created: the list above, the bordered multi-line text pane
// below with its fixed style.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace e2e {
namespace {

// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
// ES_AUTOHSCROLL | ES_NOHIDESEL, written as the number the style must be.
constexpr LONG_PTR kPaneStyle = 1352663492;
constexpr int kPaneRowHeight = 150;

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

using TextPaneTest = StartedTest;

TEST_F(TextPaneTest, LowerRowIsTheBorderedMultiLineEditBelowTheList) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    HWND pane = support::FindChild(main, "Edit");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(support::StyleOf(pane), kPaneStyle);

    // The splitter holds both rows; the list is the other one, above the pane.
    HWND splitter = GetParent(pane);
    HWND list = nullptr;
    for (HWND child = GetWindow(splitter, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        if (child != pane && support::ClassNameOf(child) == "SysListView32")
            list = child;
    ASSERT_NE(list, nullptr) << "no list beside the pane";
    RECT client{};
    RECT listRect{};
    RECT paneRect{};
    ASSERT_TRUE(GetClientRect(main, &client));
    ASSERT_TRUE(GetWindowRect(list, &listRect));
    ASSERT_TRUE(GetWindowRect(pane, &paneRect));
    // The frame has kept its size since its creation, so its client area is the one the
    // first row was measured from; toolbar and status bar came later and take from the pane.
    EXPECT_EQ(Height(listRect), Height(client) - kPaneRowHeight);
    EXPECT_GE(paneRect.top, listRect.bottom);
    EXPECT_GT(Height(paneRect), 0);
    EXPECT_LT(Height(paneRect), kPaneRowHeight);
}

} // namespace
} // namespace e2e
