// The link label over a plain static control: its colour and underline in each state, hover
// tracking by its timer, fitting to the text for each alignment, and the tooltip's text.
#include "app/link_label.h"
#include "tests/win/framework_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr RECT kLabelRect{20, 20, 320, 60};
constexpr char kText[] = "Support Email: Click here";

class LinkLabelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "links", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                                    nullptr, nullptr));
    }

    // A static child with style and text, bound to a new label.
    std::unique_ptr<CLinkLabel> MakeLabel(DWORD style, const char* text = kText,
                                          const std::string& target = "") {
        const HWND control = CreateWindowExA(
            0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, kLabelRect.left, kLabelRect.top,
            kLabelRect.right - kLabelRect.left, kLabelRect.bottom - kLabelRect.top, parent.m_hWnd,
            nullptr, GetModuleHandleA(nullptr), nullptr);
        auto label = std::make_unique<CLinkLabel>();
        label->m_strTarget = target;
        EXPECT_TRUE(label->SubclassWindow(control));
        return label;
    }
    void MoveParent(int x, int y) {
        SetWindowPos(parent.m_hWnd, nullptr, x, y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The text colour the label picks when its parent asks.
    COLORREF Colour(const CLinkLabel& label) {
        const HDC dc = CreateCompatibleDC(nullptr);
        parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(label.m_hWnd));
        const COLORREF colour = GetTextColor(dc);
        DeleteDC(dc);
        return colour;
    }
    static bool Underlined(const CLinkLabel& label) {
        LOGFONTA font{};
        const auto handle = reinterpret_cast<HGDIOBJ>(SendMessageA(label.m_hWnd, WM_GETFONT, 0, 0));
        return handle != nullptr && GetObjectA(handle, sizeof font, &font) != 0 &&
               font.lfUnderline != 0;
    }
    static RECT RectInParent(const CLinkLabel& label) {
        RECT rect{};
        GetWindowRect(label.m_hWnd, &rect);
        MapWindowPoints(nullptr, GetParent(label.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static std::string TipText(const CLinkLabel& label) {
        struct Search {
            HWND label;
            HWND tip;
        } search{label.m_hWnd, nullptr};
        // The tooltip whose tool 1 is the label.
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(lParam);
                TTTOOLINFOA tool{};
                tool.cbSize = TTTOOLINFOA_V2_SIZE;
                tool.hwnd = s.label;
                tool.uId = 1;
                char name[64] = {};
                GetClassNameA(window, name, sizeof name);
                if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 &&
                    SendMessageA(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)))
                    s.tip = window;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.tip == nullptr)
            return "(no tooltip)";
        char text[256] = {};
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = label.m_hWnd;
        info.uId = 1;
        info.lpszText = text;
        SendMessageA(search.tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }

    frameworktest::TestApp app;
    CWnd parent;
};

TEST_F(LinkLabelTest, ColourPerStateHotBeforeVisited) {
    auto label = MakeLabel(SS_LEFT);
    const struct {
        BOOL hot, visited;
        COLORREF colour;
    } cases[] = {
        {FALSE, FALSE, RGB(0, 0, 238)},
        {FALSE, TRUE, RGB(85, 26, 139)},
        {TRUE, FALSE, RGB(255, 0, 0)},
        {TRUE, TRUE, RGB(255, 0, 0)},
    };
    for (const auto& c : cases) {
        label->m_bHot = c.hot;
        label->m_bVisited = c.visited;
        EXPECT_EQ(Colour(*label), c.colour) << c.hot << c.visited;
    }
}

TEST_F(LinkLabelTest, HoverTurnsRedUntilATimerTickFindsTheMouseOutside) {
    const struct {
        int mode;
        bool underlinedIdle, underlinedHot;
    } cases[] = {
        {CLinkLabel::UNDERLINE_HOVER, false, true},
        {CLinkLabel::UNDERLINE_NEVER, false, false},
        {CLinkLabel::UNDERLINE_ALWAYS, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        auto label = MakeLabel(SS_LEFT);
        label->SetUnderlineMode(c.mode);
        EXPECT_FALSE(label->m_bHot);
        EXPECT_EQ(Underlined(*label), c.underlinedIdle);

        // The window moves under the mouse and away again: the pointer itself stays put.
        POINT mouse{};
        GetCursorPos(&mouse);
        MoveParent(mouse.x - kLabelRect.left - 5, mouse.y - kLabelRect.top - 5);
        label->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(Colour(*label), RGB(255, 0, 0));
        EXPECT_EQ(Underlined(*label), c.underlinedHot);
        // Ticks that find the mouse inside change nothing.
        frameworktest::PumpUntil([] { return false; }, std::chrono::milliseconds(350));
        EXPECT_TRUE(label->m_bHot);

        MoveParent(mouse.x + 50, mouse.y + 50);
        EXPECT_TRUE(frameworktest::PumpUntil([&] { return !label->m_bHot; }));
        EXPECT_EQ(Colour(*label), RGB(0, 0, 238));
        EXPECT_EQ(Underlined(*label), c.underlinedIdle);
    }
}

TEST_F(LinkLabelTest, FitsToItsTextKeepingTheAlignedEdge) {
    const int middleX = (kLabelRect.left + kLabelRect.right) / 2;
    const int middleY = (kLabelRect.top + kLabelRect.bottom) / 2;
    int width = 0;
    int height = 0;
    const DWORD styles[] = {SS_LEFT, SS_RIGHT, SS_CENTER, SS_LEFT | SS_CENTERIMAGE};
    for (DWORD style : styles) {
        SCOPED_TRACE(style);
        auto label = MakeLabel(style);
        const RECT fitted = RectInParent(*label);
        const int w = fitted.right - fitted.left;
        const int h = fitted.bottom - fitted.top;
        EXPECT_GT(w, 0);
        EXPECT_LT(w, kLabelRect.right - kLabelRect.left);
        EXPECT_GT(h, 0);
        EXPECT_LT(h, kLabelRect.bottom - kLabelRect.top);
        // Every alignment measures the same text.
        if (width == 0) {
            width = w;
            height = h;
        }
        EXPECT_NEAR(w, width, 1);
        EXPECT_NEAR(h, height, 1);
        switch (style & SS_TYPEMASK) {
        case SS_RIGHT:
            EXPECT_EQ(fitted.right, kLabelRect.right);
            break;
        case SS_CENTER:
            EXPECT_NEAR((fitted.left + fitted.right) / 2, middleX, 1);
            break;
        default:
            EXPECT_EQ(fitted.left, kLabelRect.left);
        }
        if (style & SS_CENTERIMAGE)
            EXPECT_NEAR((fitted.top + fitted.bottom) / 2, middleY, 1);
        else
            EXPECT_EQ(fitted.top, kLabelRect.top);
    }
}

TEST_F(LinkLabelTest, TooltipShowsTheTargetAndAnEmptyTextShowsItToo) {
    auto label = MakeLabel(SS_RIGHT);
    EXPECT_EQ(label->m_strTarget, kText);
    EXPECT_EQ(TipText(*label), kText);
    const int right = RectInParent(*label).right;
    label->SetTarget("http://www.skiffdesk.example/contact.htm");
    EXPECT_EQ(TipText(*label), "http://www.skiffdesk.example/contact.htm");
    EXPECT_EQ(RectInParent(*label).right, right);

    auto empty = MakeLabel(SS_LEFT, "", "http://t.example/");
    EXPECT_EQ(empty->GetWindowText(), "http://t.example/");
    EXPECT_EQ(TipText(*empty), "http://t.example/");
}

} // namespace
