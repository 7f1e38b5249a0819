// The main frame's client area: a two-row splitter with the application list above the text
// pane, the list's height set from the client height at creation, a bar the user can drag,
// and F6 / Shift+F6 moving between the panes; its bars; and its sizes at a new DPI.
#include "app/main_frame.h"
#include "catalogue/chat_view.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/dpi.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"
#include "ui/send_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Records the client area as the splitter's rows are made, before the bars take their share.
class RecordingFrame : public CMainFrame {
public:
    RECT clientAtCreation{};

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override {
        GetClientRect(&clientAtCreation);
        return CMainFrame::OnCreateClient(lpcs, pContext);
    }
};

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        CCreateContext context{&doc, NewObject<CView, CChatView>};
        frame = new RecordingFrame;
        // Creation maps the shared folder and says so before the client area exists.
        auto sharedFolderBox = frameworktest::AnswerNextBox(IDOK);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                                     &context));
        const auto box = sharedFolderBox.get();
        ASSERT_TRUE(box.has_value());
        ASSERT_EQ(box->caption, "Shared folder message");
        frame->m_bAutoDelete = true;
        list = dynamic_cast<CChatView*>(frame->m_splitter.GetPane(0, 0));
        pane = dynamic_cast<CSendView*>(frame->m_splitter.GetPane(1, 0));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(pane, nullptr);
    }
    void TearDown() override { frame->DestroyWindow(); }

    // A pane's rectangle in the splitter's client co-ordinates.
    RECT PaneRect(const CWnd* wnd) const {
        RECT rect{};
        GetWindowRect(wnd->m_hWnd, &rect);
        MapWindowPoints(nullptr, frame->m_splitter.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // The splitter's client area: the frame's less its bars.
    RECT FrameClient() const {
        RECT client{};
        frame->m_splitter.GetClientRect(&client);
        return client;
    }
    void Drag(int fromY, int toY) {
        CSplitterWnd& splitter = frame->m_splitter;
        splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, fromY));
        splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, toY));
        splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, toY));
    }

    frameworktest::TestApp app;
    CDocument doc;
    RecordingFrame* frame = nullptr;
    CChatView* list = nullptr;
    CSendView* pane = nullptr;
};

TEST_F(MainFrameTest, ListAboveTextPaneWithTheListActive) {
    EXPECT_EQ(doc.GetViews(), (std::vector<CView*>{list, pane}));
    EXPECT_EQ(frame->GetActiveView(), list);
    EXPECT_EQ(GetDlgCtrlID(frame->m_splitter.m_hWnd), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame->GetWindowText(), "Skiffdesk");

    const RECT client = FrameClient();
    const RECT top = PaneRect(list);
    const RECT bottom = PaneRect(pane);
    EXPECT_EQ(top.top, 0);
    EXPECT_EQ(top.bottom - top.top, frame->clientAtCreation.bottom - CMainFrame::kTextPaneHeight);
    EXPECT_EQ(top.right - top.left, client.right);
    EXPECT_EQ(bottom.top, top.bottom + CSplitterWnd::kBarSize);
    EXPECT_EQ(bottom.bottom, client.bottom);
    EXPECT_EQ(bottom.right - bottom.left, client.right);
}

TEST_F(MainFrameTest, ResizingKeepsTheListsHeightUntilThereIsNoRoom) {
    const int listHeight = frame->clientAtCreation.bottom - CMainFrame::kTextPaneHeight;
    RECT window{};
    GetWindowRect(frame->m_hWnd, &window);
    const int width = window.right - window.left;
    const struct {
        int growBy;
        int listHeight;
    } cases[] = {
        {100, listHeight},
        {-300, -1}, // less than the list wants: it takes all there is, the pane none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.growBy);
        GetWindowRect(frame->m_hWnd, &window);
        SetWindowPos(frame->m_hWnd, nullptr, 0, 0, width, window.bottom - window.top + c.growBy,
                     SWP_NOMOVE | SWP_NOZORDER);
        const RECT client = FrameClient();
        const RECT top = PaneRect(list);
        const RECT bottom = PaneRect(pane);
        if (c.listHeight >= 0) {
            EXPECT_EQ(top.bottom - top.top, c.listHeight);
            EXPECT_EQ(bottom.bottom - bottom.top,
                      client.bottom - c.listHeight - CSplitterWnd::kBarSize);
        } else {
            EXPECT_EQ(top.bottom - top.top, client.bottom);
            EXPECT_EQ(bottom.bottom - bottom.top, 0);
        }
    }
}

TEST_F(MainFrameTest, DraggingTheBarMovesTheBoundaryBetweenTheRows) {
    const int listBottom = PaneRect(list).bottom;
    const int barMiddle = listBottom + CSplitterWnd::kBarSize / 2;
    Drag(barMiddle, barMiddle - 60);
    EXPECT_EQ(PaneRect(list).bottom, listBottom - 60);
    EXPECT_EQ(PaneRect(pane).top, listBottom - 60 + CSplitterWnd::kBarSize);

    // A press off the bar moves nothing.
    Drag(5, 100);
    EXPECT_EQ(PaneRect(list).bottom, listBottom - 60);
}

TEST_F(MainFrameTest, NextAndPreviousPaneCommandsCycleThroughThePanes) {
    const struct {
        UINT command;
        const CView* active;
    } steps[] = {
        {ID_NEXT_PANE, pane},
        {ID_NEXT_PANE, list},
        {ID_PREV_PANE, pane},
        {ID_PREV_PANE, list},
    };
    for (const auto& step : steps) {
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(step.command, 1));
        EXPECT_EQ(frame->GetActiveView(), step.active);
    }
}

} // namespace

namespace {

struct MenuItem {
    std::string text;
    UINT id; // 0 for a separator
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, i);
        items.push_back({text, id == static_cast<UINT>(-1) ? 0 : id});
    }
    return items;
}

bool operator==(const MenuItem& a, const MenuItem& b) {
    return a.text == b.text && a.id == b.id;
}

void PrintTo(const MenuItem& item, std::ostream* os) {
    *os << '"' << item.text << "\" " << item.id;
}

using MainFrameBarsTest = MainFrameTest;

TEST_F(MainFrameBarsTest, MenuHoldsEveryCommandInOrder) {
    const HMENU menu = GetMenu(frame->m_hWnd);
    ASSERT_NE(menu, nullptr);
    const std::vector<std::vector<MenuItem>> expected = {
        {{"E&xit", ID_APP_EXIT}},
        {{"&Register user", ID_REGISTER_USER}},
        {{"&Toolbar", ID_VIEW_TOOLBAR},
         {"&Status Bar", ID_VIEW_STATUS_BAR},
         {"", 0},
         {"&Big icons", ID_VIEW_BIGICONS},
         {"S&mall icons", ID_VIEW_SMALLICONS},
         {"&List", ID_VIEW_LIST},
         {"&Details", ID_VIEW_DETAILS}},
        {{"&Help", ID_HELP}, {"&About Skiffdesk...", ID_APP_ABOUT}},
    };
    const std::vector<std::string> titles = {"&File", "&User", "&View", "&Help"};
    const std::vector<MenuItem> top = ItemsOf(menu);
    ASSERT_EQ(top.size(), titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(top[i].text, titles[i]);
        EXPECT_EQ(ItemsOf(GetSubMenu(menu, static_cast<int>(i))), expected[i]) << titles[i];
    }
}

TEST_F(MainFrameBarsTest, ToolbarButtonsAndTheirImages) {
    const UINT expected[] = {ID_REGISTER_USER, ID_SEPARATOR,       ID_APP_ABOUT, ID_SEPARATOR,
                             ID_VIEW_BIGICONS, ID_VIEW_SMALLICONS, ID_VIEW_LIST, ID_VIEW_DETAILS};
    ASSERT_EQ(frame->m_toolBar.GetCount(), static_cast<int>(std::size(expected)));
    for (int i = 0; i < frame->m_toolBar.GetCount(); ++i)
        EXPECT_EQ(frame->m_toolBar.GetItemID(i), expected[i]) << i;

    const HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(image, nullptr);
    BITMAP bitmap{};
    GetObjectA(image, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 96);
    EXPECT_EQ(bitmap.bmHeight, 15);
    EXPECT_EQ(bitmap.bmBitsPixel, 4);
    DeleteObject(image);
}

TEST_F(MainFrameBarsTest, PromptsAndTooltipsOnlyWhereTheCommandHasAString) {
    CStatusBar& status = frame->m_statusBar;
    EXPECT_EQ(status.GetPaneText(0), "Ready");

    const auto menuSelect = [&](UINT id, UINT flags) {
        frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(id, flags),
                           reinterpret_cast<LPARAM>(GetMenu(frame->m_hWnd)));
        return status.GetPaneText(0);
    };
    const auto tooltip = [&](UINT id) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = frame->m_toolBar.GetToolBarCtrl();
        info.hdr.idFrom = id;
        info.hdr.code = TTN_GETDISPINFOA;
        frame->m_toolBar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return std::string(info.lpszText != nullptr ? info.lpszText : "");
    };
    const auto hover = [&](UINT id, DWORD flags) {
        NMTBHOTITEM hot{};
        hot.hdr.hwndFrom = frame->m_toolBar.GetToolBarCtrl();
        hot.hdr.code = TBN_HOTITEMCHANGE;
        hot.idNew = static_cast<int>(id);
        hot.dwFlags = flags;
        frame->m_toolBar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
        return status.GetPaneText(0);
    };

    EXPECT_EQ(menuSelect(ID_APP_EXIT, MF_STRING),
              "Quit the application; prompts to save documents");
    EXPECT_EQ(menuSelect(ID_VIEW_TOOLBAR, MF_STRING), "Show or hide the toolbar");
    EXPECT_EQ(menuSelect(ID_REGISTER_USER, MF_STRING), "");
    EXPECT_EQ(menuSelect(ID_HELP, MF_STRING), "");
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(status.GetPaneText(0), "Ready");

    EXPECT_EQ(tooltip(ID_APP_ABOUT), "About");
    for (UINT id :
         {ID_REGISTER_USER, ID_VIEW_BIGICONS, ID_VIEW_SMALLICONS, ID_VIEW_LIST, ID_VIEW_DETAILS})
        EXPECT_EQ(tooltip(id), "") << id;

    EXPECT_EQ(hover(ID_APP_ABOUT, HICF_MOUSE),
              "Display program information, version number and copyright");
    EXPECT_EQ(hover(ID_VIEW_LIST, HICF_MOUSE), "");
    EXPECT_EQ(hover(0, HICF_LEAVING), "Ready");
}

TEST_F(MainFrameBarsTest, ViewMenuShowsAndHidesTheBarsWithCheckMarks) {
    const HMENU view = GetSubMenu(GetMenu(frame->m_hWnd), 2);
    const auto checked = [&](UINT id) {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
        return (GetMenuState(view, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    const struct {
        UINT command;
        CControlBar* bar;
    } bars[] = {{ID_VIEW_TOOLBAR, &frame->m_toolBar}, {ID_VIEW_STATUS_BAR, &frame->m_statusBar}};
    for (const auto& b : bars) {
        SCOPED_TRACE(b.command);
        const int splitterHeight = FrameClient().bottom;
        EXPECT_TRUE(checked(b.command));
        frame->SendMessage(WM_COMMAND, b.command);
        EXPECT_FALSE(b.bar->IsVisible());
        EXPECT_FALSE(checked(b.command));
        EXPECT_GT(FrameClient().bottom, splitterHeight);
        frame->SendMessage(WM_COMMAND, b.command);
        EXPECT_TRUE(b.bar->IsVisible());
        EXPECT_TRUE(checked(b.command));
        EXPECT_EQ(FrameClient().bottom, splitterHeight);
    }
    // Help is the frame's own command, so its item is enabled.
    const HMENU help = GetSubMenu(GetMenu(frame->m_hWnd), 3);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 3);
    EXPECT_EQ(GetMenuState(help, ID_HELP, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MainFrameBarsTest, ToolbarDocksAtTheEdgeItIsDroppedNearOrFloats) {
    CToolBar& bar = frame->m_toolBar;
    const auto barRect = [&] {
        RECT rect{};
        GetWindowRect(bar.m_hWnd, &rect);
        MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    // Drags the bar by its gripper to a point of the frame's client area.
    const auto dropAt = [&](POINT inFrame) {
        MapWindowPoints(frame->m_hWnd, bar.m_hWnd, &inFrame, 1);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inFrame.x, inFrame.y));
    };
    RECT client{};
    frame->GetClientRect(&client);
    RECT status{};
    GetWindowRect(frame->m_statusBar.m_hWnd, &status);
    MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&status), 2);

    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_TOP));
    EXPECT_EQ(barRect().top, 0);
    EXPECT_NE(bar.GetBarStyle() & CBRS_TOOLTIPS, 0u);

    dropAt({5, client.bottom / 2});
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(barRect().left, 0);
    EXPECT_GT(barRect().bottom - barRect().top, barRect().right - barRect().left);

    dropAt({client.right / 2, status.top - 5});
    EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(barRect().bottom, status.top) << "the status bar stays outermost";

    dropAt({client.right / 2, client.bottom / 2});
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(GetParent(bar.m_hWnd), bar.GetFloatingWindow());
    EXPECT_EQ(FrameClient().bottom, status.top) << "a floating bar takes no room";
    // Closing its window hides it; View > Toolbar shows it again where it was.
    SendMessageA(bar.GetFloatingWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(bar.IsVisible());
    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_TRUE(bar.IsVisible());

    bar.Dock(CBRS_ALIGN_RIGHT);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(barRect().right, client.right);
}

TEST_F(MainFrameBarsTest, IdleUpdatesMakeTheListActiveAndFollowTheKeys) {
    frame->SetActiveView(pane, FALSE);
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(frame->GetActiveView(), list);

    BYTE keys[256] = {};
    ASSERT_TRUE(GetKeyboardState(keys));
    for (const BYTE on : {BYTE{1}, BYTE{0}}) {
        keys[VK_CAPITAL] = on;
        keys[VK_NUMLOCK] = on;
        SetKeyboardState(keys);
        frame->OnIdleUpdateCmdUI();
        EXPECT_EQ(frame->m_statusBar.GetPaneText(1), on ? "CAP" : "");
        EXPECT_EQ(frame->m_statusBar.GetPaneText(2), on ? "NUM" : "");
    }
}

} // namespace

namespace {

using MainFrameDpiTest = MainFrameTest;

int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

int FontHeight(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return std::abs(font.lfHeight);
}

// The system sends WM_DPICHANGED when the window moves to a monitor of another scale; Wine
// never does, so the test tells the frame as the system would, with the rectangle scaled, and
// then tells it the first DPI again.
TEST_F(MainFrameDpiTest, EverySizeFollowsTheToldDpi) {
    list->OnInitialUpdate();
    g_remoteApps.assign(1, RemoteAppItem{"C:\\apps\\c.rdp", "Calculator"});
    list->FillList();
    // Small enough to be twice as large on the screen, the list's row set by the user.
    SetWindowPos(frame->m_hWnd, nullptr, 0, 0, 480, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    const int barMiddle = PaneRect(list).bottom + CSplitterWnd::kBarSize / 2;
    Drag(barMiddle, 100);
    list->SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(300, 0)); // dragged by the user too
    frame->m_toolBar.Dock(CBRS_ALIGN_LEFT); // standing: its buttons in a column
    const int start = static_cast<int>(GetWindowDpi(frame->m_hWnd));
    RECT startWindow{};
    GetWindowRect(frame->m_hWnd, &startWindow);
    RECT startStatus{};
    GetWindowRect(frame->m_statusBar.m_hWnd, &startStatus);
    const int startListHeight = Height(PaneRect(list));
    const int startFont = FontHeight(list->m_hWnd);
    ASSERT_GT(startFont, 0);
    const int startFindFont = FontHeight(frame->m_findBox.m_hWnd);

    for (const int dpi : {2 * start, start}) {
        SCOPED_TRACE(dpi);
        const auto at = [dpi](int pixels96) { return MulDiv(pixels96, dpi, 96); };
        const auto fromStart = [dpi, start](int pixels) { return MulDiv(pixels, dpi, start); };
        const RECT suggested{10, 20, 10 + fromStart(startWindow.right - startWindow.left),
                             20 + fromStart(Height(startWindow))};
        frame->SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));

        RECT window{};
        GetWindowRect(frame->m_hWnd, &window);
        EXPECT_TRUE(EqualRect(&window, &suggested));
        const struct {
            int list;
            int picture;
        } pictures[] = {{LVSIL_NORMAL, 32}, {LVSIL_SMALL, 16}};
        for (const auto& p : pictures) {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(list->GetImageList(p.list), &cx, &cy);
            EXPECT_EQ(cx, at(p.picture)) << p.list;
            EXPECT_EQ(cy, at(p.picture)) << p.list;
        }
        EXPECT_EQ(list->SendMessage(LVM_GETCOLUMNWIDTH, 0), fromStart(300));
        EXPECT_EQ(FontHeight(list->m_hWnd), fromStart(startFont));
        EXPECT_EQ(FontHeight(frame->m_findBox.m_hWnd), fromStart(startFindFont));
        RECT row{};
        list->GetItemRect(0, &row, LVIR_BOUNDS);
        EXPECT_GE(Height(row), at(16));
        EXPECT_EQ(Height(PaneRect(list)), fromStart(startListHeight));

        const LRESULT button =
            SendMessageA(frame->m_toolBar.GetToolBarCtrl(), TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(LOWORD(button), CToolBar::kButtonSize.cx * (dpi / 96)); // whole factors
        EXPECT_EQ(HIWORD(button), CToolBar::kButtonSize.cy * (dpi / 96));
        EXPECT_EQ(frame->m_toolBar.GetCount(), 8);
        RECT bar{};
        GetWindowRect(frame->m_toolBar.m_hWnd, &bar);
        EXPECT_GT(Height(bar), 4 * (bar.right - bar.left));
        RECT status{};
        GetWindowRect(frame->m_statusBar.m_hWnd, &status);
        if (dpi == start)
            EXPECT_EQ(Height(status), Height(startStatus));
        else
            EXPECT_GT(Height(status), Height(startStatus));
    }
    g_remoteApps.clear();
}

// At 150% the bar's pictures keep their size while the find box's font grows: the buttons grow
// with it, so the box shows a whole line of text at its scaled width.
TEST_F(MainFrameDpiTest, TheFindBoxHoldsALineOfItsTextAtEveryScale) {
    const int start = static_cast<int>(GetWindowDpi(frame->m_hWnd));
    for (const int dpi : {start * 3 / 2, 2 * start, start}) {
        SCOPED_TRACE(dpi);
        const RECT suggested{0, 0, MulDiv(800, dpi, 96), MulDiv(600, dpi, 96)};
        frame->SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
        const HWND box = frame->m_findBox.m_hWnd;
        RECT rect{};
        GetWindowRect(box, &rect);
        EXPECT_EQ(rect.right - rect.left, MulDiv(CFindBox::kWidth, dpi, 96));
        const HDC dc = GetDC(box);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        ReleaseDC(box, dc);
        RECT text{};
        SendMessageA(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
        EXPECT_GE(Height(text), metrics.tmHeight);
        RECT bar{};
        GetClientRect(frame->m_toolBar.GetToolBarCtrl(), &bar);
        MapWindowPoints(nullptr, frame->m_toolBar.GetToolBarCtrl(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_LE(rect.bottom, bar.bottom); // not cut off by the bar
    }
}

} // namespace
