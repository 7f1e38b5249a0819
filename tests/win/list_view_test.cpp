// The application list in-process: view types with their check marks (menu and popup), and
// the owner-drawn rows of the details view: the highlight runs to the window's right edge and
// follows the focus.
#include "catalogue/chat_view.h"
#include "framework/cmd_ui.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

namespace {

class CheckCmdUI : public CCmdUI {
public:
    using CCmdUI::CCmdUI;
    int checked = -1;

protected:
    void ApplyEnable(BOOL) override {}
    void ApplyCheck(int nCheck) override { checked = nCheck; }
};

class ListViewTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "list test", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                    kHeight, nullptr, nullptr));
        view = new CChatView;
        ASSERT_TRUE(view->Create(nullptr, "", WS_VISIBLE, RECT{0, 0, kWidth, kHeight}, &parent, 1,
                                 nullptr));
        view->m_bAutoDelete = true;
        view->OnInitialUpdate();
        g_remoteApps.clear();
        for (const char* name : {"Calculator", "Notepad", "Paint"})
            g_remoteApps.emplace_back().m_strName = name;
        view->FillList();
    }
    void TearDown() override {
        parent.DestroyWindow();
        g_remoteApps.clear();
    }

    DWORD Type() const { return view->GetStyle() & LVS_TYPEMASK; }
    // The command ids whose update handler sets the check mark.
    std::vector<UINT> Checked() {
        std::vector<UINT> checked;
        for (UINT id : {ID_VIEW_BIGICONS, ID_VIEW_SMALLICONS, ID_VIEW_LIST, ID_VIEW_DETAILS}) {
            CheckCmdUI ui(id);
            view->OnCmdMsg(id, CCmdTarget::CmdMode::update, &ui);
            if (ui.checked == 1)
                checked.push_back(id);
        }
        return checked;
    }
    void Command(UINT id) { view->OnCmdMsg(id, CCmdTarget::CmdMode::execute, nullptr); }
    // The colour the list paints at x on row 0's middle, drawn into a bitmap of our own.
    COLORREF RowPixel(int x) {
        RECT row{};
        view->GetItemRect(0, &row, LVIR_BOUNDS);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        HGDIOBJ old = SelectObject(memory, bitmap);
        view->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                          PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF colour = GetPixel(memory, x, (row.top + row.bottom) / 2);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    static constexpr int kWidth = 600;
    static constexpr int kHeight = 200;
    frameworktest::TestApp app;
    CWnd parent;
    CChatView* view = nullptr;
};

TEST_F(ListViewTest, ViewTypesSwitchStyleAndCheckMarks) {
    EXPECT_EQ(Type(), static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(view->IsFullRowSelect());
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_VIEW_DETAILS});
    const struct {
        UINT command;
        DWORD type;
    } cases[] = {
        {ID_VIEW_BIGICONS, LVS_ICON},  {ID_VIEW_SMALLICONS, LVS_SMALLICON},
        {ID_VIEW_LIST, LVS_LIST},      {ID_VIEW_DETAILS, LVS_REPORT},
        {ID_VIEW_DETAILS, LVS_REPORT}, {ID_VIEW_LIST, LVS_LIST},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Command(c.command);
        EXPECT_EQ(Type(), c.type);
        EXPECT_EQ(Checked(), std::vector<UINT>{c.command});
    }
    // Full-row painting off: "Details" carries no mark until chosen again.
    Command(ID_VIEW_DETAILS);
    EXPECT_TRUE(view->EnableFullRowSelect(FALSE));
    EXPECT_FALSE(view->EnableFullRowSelect(FALSE)) << "no change the second time";
    EXPECT_EQ(view->GetStyle() & LVS_OWNERDRAWFIXED, 0u);
    EXPECT_TRUE(Checked().empty());
    Command(ID_VIEW_DETAILS);
    EXPECT_NE(view->GetStyle() & LVS_OWNERDRAWFIXED, 0u);
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_VIEW_DETAILS});
}

TEST_F(ListViewTest, ViewMenuChecksTheCurrentTypeByPosition) {
    const struct {
        UINT command;
        int position;
    } cases[] = {
        {ID_VIEW_SMALLICONS, 1}, {ID_VIEW_LIST, 2}, {ID_VIEW_DETAILS, 3}, {ID_VIEW_BIGICONS, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        Command(c.command);
        // The menu is modal: another thread reads it once it shows, then dismisses it.
        std::future<std::vector<int>> marks = std::async(std::launch::async, [] {
            std::vector<int> checked;
            HWND popup = nullptr;
            frameworktest::PumpUntil([&] {
                popup = FindWindowA("#32768", nullptr);
                return popup != nullptr && IsWindowVisible(popup);
            });
            const auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                    checked.push_back(i);
            PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            return checked;
        });
        EXPECT_TRUE(view->ShowViewMenu(POINT{}));
        EXPECT_EQ(marks.get(), std::vector<int>{c.position});
    }
}

TEST_F(ListViewTest, SelectedRowIsHighlightedToTheRightEdgeWhileFocused) {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int beyondColumn = kWidth - 10; // the only column is 280 pixels wide
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    view->SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));

    view->SetFocus();
    ASSERT_EQ(GetFocus(), view->m_hWnd);
    EXPECT_EQ(RowPixel(beyondColumn), highlight);
    EXPECT_EQ(RowPixel(100), highlight) << "under the label too";

    parent.SetFocus();
    EXPECT_EQ(RowPixel(beyondColumn), window) << "no highlight without the focus";
    view->ModifyStyle(0, LVS_SHOWSELALWAYS);
    EXPECT_EQ(RowPixel(beyondColumn), highlight) << "shown always when the style says so";
    view->ModifyStyle(LVS_SHOWSELALWAYS, 0);
    state.stateMask = LVIS_SELECTED | LVIS_DROPHILITED;
    state.state = LVIS_DROPHILITED;
    view->SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(RowPixel(beyondColumn), highlight) << "a drop target stays highlighted";
}

} // namespace
