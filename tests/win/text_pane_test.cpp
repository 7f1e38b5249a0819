// The text pane and the list view's relay to it: the pane is an edit control whose style is
// replaced at creation; a message replaces the whole text, with the local date and time in
// front; the list view hands texts to the document's second view only when that is the pane.
#include "catalogue/chat_view.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "tests/win/framework_test_support.h"
#include "ui/send_view.h"
#include "ui/time_stamp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

class TextPaneTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "panes", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                    nullptr, nullptr));
    }
    // A view of class View as the document's next view.
    template <class View> View* Add() {
        auto view = std::make_unique<View>();
        CCreateContext context{&doc, nullptr};
        const RECT rect{0, 0, 300, 100};
        if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent,
                          static_cast<UINT>(100 + views.size()), &context))
            return nullptr;
        views.push_back(std::move(view));
        return static_cast<View*>(views.back().get());
    }
    // Whether text is a time stamp of a moment from `since` to now, followed by message.
    static ::testing::AssertionResult Stamped(const std::string& text, const std::string& message,
                                              std::time_t since) {
        for (std::time_t t = since; t <= std::time(nullptr); ++t) {
            if (text == LocalTimeStamp(t) + message)
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "\"" << text << "\"";
    }

    frameworktest::TestApp app;
    CWnd parent;
    CDocument doc;
    std::vector<std::unique_ptr<CView>> views;
};

TEST_F(TextPaneTest, PaneIsAnEditControlWithItsStyleReplaced) {
    CSendView view;
    CREATESTRUCTA cs{};
    cs.style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | ES_READONLY;
    ASSERT_TRUE(view.PreCreateWindow(cs));
    EXPECT_STREQ(cs.lpszClass, "EDIT");
    EXPECT_EQ(static_cast<DWORD>(cs.style), 1352663492u);

    CSendView* pane = Add<CSendView>();
    ASSERT_NE(pane, nullptr);
    char className[32] = {};
    GetClassNameA(pane->m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, "Edit");
    const DWORD style = pane->GetStyle();
    EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | WS_VSCROLL),
              static_cast<DWORD>(ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | WS_VSCROLL));
    EXPECT_EQ(style & (WS_HSCROLL | ES_READONLY), 0u);
}

TEST_F(TextPaneTest, EachMessageReplacesTheWholeTextWithItsTimeStamp) {
    CSendView* pane = Add<CSendView>();
    ASSERT_NE(pane, nullptr);
    const std::string longLine(500, 'w');
    const std::string fullText(CSendView::kMaxShownBytes, 'f');
    const struct {
        std::string message;
        LRESULT lines;
        std::string shown;
    } cases[] = {
        {"first", 1, "first"},
        {"second", 1, "second"}, // the first is gone
        {"line one\r\nline two", 2, "line one\r\nline two"},
        {longLine, 1, longLine}, // scrolls sideways instead of wrapping
        {"", 1, ""},
        {fullText, 1, fullText},
        {fullText + "beyond", 1, fullText}, // no more than 64 KiB of one text
    };
    pane->SetWindowText("typed by the user");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 20));
        const std::time_t before = std::time(nullptr);
        pane->ShowMessage(c.message);
        EXPECT_TRUE(Stamped(pane->GetWindowText(), c.shown, before));
        EXPECT_EQ(pane->SendMessage(EM_GETLINECOUNT), c.lines);
    }
}

TEST_F(TextPaneTest, ListViewForwardsOnlyToASecondViewThatIsThePane) {
    enum Kind { list, text };
    const struct {
        std::vector<Kind> order;
        std::size_t from; // the list view that forwards
        bool shown;       // whether the first text pane shows the message
    } cases[] = {
        {{list, text}, 0, true},
        {{list, list, text}, 1, false}, // the second view is a list
        {{text, list}, 1, false},       // the second view is the forwarding list itself
        {{list}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order.size());
        views.clear();
        CSendView* firstPane = nullptr;
        for (Kind kind : c.order) {
            CView* view = kind == list ? static_cast<CView*>(Add<CChatView>())
                                       : static_cast<CView*>(Add<CSendView>());
            ASSERT_NE(view, nullptr);
            if (kind == text && firstPane == nullptr)
                firstPane = static_cast<CSendView*>(view);
        }
        ASSERT_EQ(doc.GetViews().size(), c.order.size());
        auto* from = dynamic_cast<CChatView*>(views[c.from].get());
        ASSERT_NE(from, nullptr);
        const std::time_t before = std::time(nullptr);
        from->ForwardMessage("Closing connection");
        if (firstPane != nullptr) {
            if (c.shown)
                EXPECT_TRUE(Stamped(firstPane->GetWindowText(), "Closing connection", before));
            else
                EXPECT_EQ(firstPane->GetWindowText(), "");
        }
    }
}

TEST_F(TextPaneTest, ListViewsHandshakeTimerIsArmedAtCreationAndStopsAtItsTick) {
    const struct {
        UINT_PTR id;
        bool armedAfterTick;
    } cases[] = {
        {CChatView::kHandshakeTimer, false},
        {9, true}, // another timer is not this handler's to stop
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        CChatView* view = Add<CChatView>();
        ASSERT_NE(view, nullptr);
        if (c.id != CChatView::kHandshakeTimer)
            view->SetTimer(c.id, 60000);
        view->SendMessage(WM_TIMER, c.id);
        EXPECT_EQ(view->KillTimer(c.id) != FALSE, c.armedAfterTick);
    }
    CChatView* fresh = Add<CChatView>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->KillTimer(CChatView::kHandshakeTimer)) << "armed when the window was made";
}

} // namespace
