// The main frame's client area: a two-row splitter with the application list above the text
// pane, the list's height set from the client height at creation, a bar the user can drag,
// and F6 / Shift+F6 moving between the panes.
#include "app/main_frame.h"
#include "catalogue/chat_view.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"
#include "ui/send_view.h"

#include <gtest/gtest.h>

namespace {

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        CCreateContext context{&doc, NewObject<CView, CChatView>};
        frame = new CMainFrame;
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
    RECT FrameClient() const {
        RECT client{};
        frame->GetClientRect(&client);
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
    CMainFrame* frame = nullptr;
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
    EXPECT_EQ(top.bottom - top.top, client.bottom - CMainFrame::kTextPaneHeight);
    EXPECT_EQ(top.right - top.left, client.right);
    EXPECT_EQ(bottom.top, top.bottom + CSplitterWnd::kBarSize);
    EXPECT_EQ(bottom.bottom, client.bottom);
    EXPECT_EQ(bottom.right - bottom.left, client.right);
}

TEST_F(MainFrameTest, ResizingKeepsTheListsHeightUntilThereIsNoRoom) {
    const int listHeight = FrameClient().bottom - CMainFrame::kTextPaneHeight;
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
