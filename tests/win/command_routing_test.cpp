// Command routing: a command goes to the active view, then its document, then the frame,
// then the application object; the first that handles it takes it. Command-UI updates take
// the same route, and a command nobody updates is enabled exactly when someone handles it.
#include "framework/cmd_ui.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/frame_wnd.h"
#include "framework/view.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Command i is handled by the view when i <= 1, the document when i <= 2, the frame when
// i <= 3 and the application when i <= 4; nobody handles command 5.
constexpr UINT kCommand1 = 40001, kCommand2 = 40002, kCommand3 = 40003, kCommand4 = 40004,
               kCommand5 = 40005;
constexpr UINT kChecked = 40006; // the frame updates it; nobody handles it

std::string g_handledBy;

class RoutingView : public CView {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void OnCommand1() { g_handledBy = "view"; }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry RoutingView::messageEntries[] = {
    CommandRow<&RoutingView::OnCommand1>(kCommand1),
};
const MessageMap RoutingView::messageMap{&CView::messageMap, messageEntries};

class RoutingDoc : public CDocument {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void OnAnyCommand() { g_handledBy = "document"; }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry RoutingDoc::messageEntries[] = {
    CommandRow<&RoutingDoc::OnAnyCommand>(kCommand1),
    CommandRow<&RoutingDoc::OnAnyCommand>(kCommand2),
};
const MessageMap RoutingDoc::messageMap{&CDocument::messageMap, messageEntries};

class RoutingFrame : public CFrameWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void OnAnyCommand() { g_handledBy = "frame"; }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry RoutingFrame::messageEntries[] = {
    CommandRow<&RoutingFrame::OnAnyCommand>(kCommand1),
    CommandRow<&RoutingFrame::OnAnyCommand>(kCommand2),
    CommandRow<&RoutingFrame::OnAnyCommand>(kCommand3),
    UpdateRow<&RoutingFrame::OnUpdateChecked>(kChecked),
};
const MessageMap RoutingFrame::messageMap{&CFrameWnd::messageMap, messageEntries};

class RoutingApp : public frameworktest::TestApp {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void OnAnyCommand() { g_handledBy = "application"; }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry RoutingApp::messageEntries[] = {
    CommandRow<&RoutingApp::OnAnyCommand>(kCommand1),
    CommandRow<&RoutingApp::OnAnyCommand>(kCommand2),
    CommandRow<&RoutingApp::OnAnyCommand>(kCommand3),
    CommandRow<&RoutingApp::OnAnyCommand>(kCommand4),
};
const MessageMap RoutingApp::messageMap{&CWinApp::messageMap, messageEntries};

class RecordingCmdUI : public CCmdUI {
public:
    using CCmdUI::CCmdUI;
    int enabled = -1; // -1: never set
    int checked = -1;

protected:
    void ApplyEnable(BOOL bOn) override { enabled = bOn ? 1 : 0; }
    void ApplyCheck(int nCheck) override { checked = nCheck; }
};

class CommandRoutingTest : public testing::Test {
protected:
    void SetUp() override {
        CCreateContext context{&doc, NewObject<CView, RoutingView>};
        frame = new RoutingFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context));
        frame->m_bAutoDelete = true;
        frame->InitialUpdateFrame(&doc, FALSE);
        ASSERT_NE(frame->GetActiveView(), nullptr);
    }
    void TearDown() override {
        if (frame != nullptr)
            frame->DestroyWindow();
    }

    RoutingApp app;
    RoutingDoc doc;
    RoutingFrame* frame = nullptr;
};

TEST_F(CommandRoutingTest, TheFirstTargetOnTheRouteTakesTheCommand) {
    const struct {
        UINT id;
        const char* handledBy;
    } cases[] = {
        {kCommand1, "view"},        {kCommand2, "document"}, {kCommand3, "frame"},
        {kCommand4, "application"}, {kCommand5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        g_handledBy.clear();
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0)); // as a menu item sends it
        EXPECT_EQ(g_handledBy, c.handledBy);
    }
}

TEST_F(CommandRoutingTest, WithoutAnActiveViewTheRouteStartsAtTheFrame) {
    frame->SetActiveView(nullptr, FALSE);
    g_handledBy.clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(kCommand1, 1)); // as an accelerator sends it
    EXPECT_EQ(g_handledBy, "frame");
}

TEST_F(CommandRoutingTest, UpdatesEnableHandledCommandsAndRunTheirHandlers) {
    const struct {
        UINT id;
        int enabled;
        int checked;
    } cases[] = {
        {kCommand1, 1, -1},
        {kCommand4, 1, -1},
        {kCommand5, 0, -1},
        {kChecked, 0, 1}, // updated, but nobody handles it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        RecordingCmdUI state(c.id);
        state.DoUpdate(*frame);
        EXPECT_EQ(state.enabled, c.enabled);
        EXPECT_EQ(state.checked, c.checked);
    }
}

} // namespace
