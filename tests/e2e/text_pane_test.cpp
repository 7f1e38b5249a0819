// The main window's two rows as created: the list above, the bordered multi-line text pane
// below with its fixed style.
#include "tests/e2e/skiffdesk_fixture.h"

#include "tests/support/screenshot.h"
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

// The other pane of the splitter: the one above the text pane.
HWND PaneAbove(HWND pane) {
    RECT paneRect{};
    GetWindowRect(pane, &paneRect);
    for (HWND child = GetWindow(GetParent(pane), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        if (child != pane && GetWindowRect(child, &rect) && rect.bottom <= paneRect.top)
            return child;
    }
    return nullptr;
}

using TextPaneTest = StartedTest;

TEST_F(TextPaneTest, LowerRowIsTheBorderedMultiLineEditBelowTheList) {
    HWND main = WaitForMainWindow(TheProgram());
    ASSERT_NE(main, nullptr);
    HWND pane = support::FindChild(main, "Edit");
    ASSERT_NE(pane, nullptr);
    HWND list = PaneAbove(pane);
    ASSERT_NE(list, nullptr) << "no pane above the text pane";

    // An edit control may trade WS_BORDER for a border it draws itself and then drop it from
    // its style, so the border is checked where it shows: the pane's outer pixels.
    const LONG_PTR style = support::StyleOf(pane);
    EXPECT_TRUE(style == kPaneStyle || style == (kPaneStyle & ~WS_BORDER)) << style;
    EXPECT_EQ(support::ExStyleOf(pane) & WS_EX_CLIENTEDGE, 0) << "a plain border, no 3-D edge";
    RECT paneRect{};
    ASSERT_TRUE(GetWindowRect(pane, &paneRect));
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    const POINT corner{paneRect.left, paneRect.top};
    const POINT inside{paneRect.left + 3, paneRect.top + 3};
    EXPECT_TRUE(support::WaitFor([&] {
        return support::ScreenPixel(corner) == frame && support::ScreenPixel(inside) != frame;
    })) << "no one-pixel frame around the pane";

    RECT client{};
    RECT listRect{};
    ASSERT_TRUE(GetClientRect(main, &client));
    ASSERT_TRUE(GetWindowRect(list, &listRect));
    // The frame has kept its size since its creation, so its client area is the one the
    // first row was measured from; whatever the frame placed after that takes from the pane.
    EXPECT_EQ(Height(listRect), Height(client) - kPaneRowHeight);
    EXPECT_GT(Height(paneRect), 0);
    EXPECT_LT(Height(paneRect), kPaneRowHeight);
}

} // namespace
} // namespace e2e
