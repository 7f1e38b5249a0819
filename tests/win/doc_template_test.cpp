// The single-document template: the new-document command creates document, frame and view
// and shows the frame, or leaves nothing when the document refuses; Ctrl+N runs the
// document's OnNewDocument again on the same objects; closing the main window closes the
// document, destroys the frame and ends the loop with exit code 0.
#include "app/main_frame.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/exceptions.h"
#include "framework/view.h"
#include "tests/win/framework_test_support.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Record {
    bool accept = true;
    bool closeOnSecondNew = false;
    bool failDelete = false;
    std::vector<const CDocument*> newDocuments; // the document of each OnNewDocument
    int deleteContents = 0;
    int frames = 0; // alive
    int views = 0;  // alive
};
Record g_record;

class RecordingDoc : public CDocument {
public:
    BOOL OnNewDocument() override {
        CDocument::OnNewDocument();
        g_record.newDocuments.push_back(this);
        const CWinApp* app = AfxGetApp();
        if (g_record.closeOnSecondNew && g_record.newDocuments.size() == 2 && app->m_pMainWnd)
            app->m_pMainWnd->PostMessage(WM_CLOSE);
        return g_record.accept;
    }
    void DeleteContents() override {
        ++g_record.deleteContents;
        if (g_record.failDelete)
            throw CFileException(CFileException::generic, 10054);
    }
};

class RecordingView : public CView {
public:
    RecordingView() { ++g_record.views; }
    ~RecordingView() override { --g_record.views; }
};

template <class Frame> class RecordingFrame : public Frame {
public:
    RecordingFrame() { ++g_record.frames; }
    ~RecordingFrame() override { --g_record.frames; }
};

// Maps the new-document command as the program's application object does.
class NewDocumentApp : public frameworktest::TestApp {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry NewDocumentApp::messageEntries[] = {
    CommandRow<&CWinApp::OnFileNew>(ID_FILE_NEW),
};
const MessageMap NewDocumentApp::messageMap{&CWinApp::messageMap, messageEntries};

class DocTemplateTest : public testing::Test {
protected:
    void SetUp() override { g_record = Record(); }
    void TearDown() override {
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->DestroyWindow();
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    template <class Frame> void UseTemplate() {
        app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            IDR_MAINFRAME, NewObject<CDocument, RecordingDoc>,
            NewObject<CFrameWnd, RecordingFrame<Frame>>, NewObject<CView, RecordingView>));
    }
    std::string Caption() const { return app.m_pMainWnd->GetWindowText(); }

    NewDocumentApp app;
};

TEST_F(DocTemplateTest, RefusedNewDocumentLeavesNoMainWindow) {
    UseTemplate<CFrameWnd>();
    g_record.accept = false;
    app.OnFileNew();
    EXPECT_EQ(g_record.newDocuments.size(), 1u);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(app.GetDocTemplate()->GetDocument(), nullptr);
    EXPECT_EQ(g_record.frames, 0);
    EXPECT_EQ(g_record.views, 0);
}

TEST_F(DocTemplateTest, NewDocumentShowsTheMainWindowWithItsView) {
    UseTemplate<CFrameWnd>();
    app.OnFileNew();
    ASSERT_NE(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(app.m_pMainWnd->m_hWnd));
    const CDocument* doc = app.GetDocTemplate()->GetDocument();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetViews().size(), 1u);
    EXPECT_EQ(doc->GetViews()[0]->GetParentFrame(), app.m_pMainWnd);
    EXPECT_EQ(static_cast<CFrameWnd*>(app.m_pMainWnd)->GetActiveView(), doc->GetViews()[0]);
    EXPECT_EQ(g_record.deleteContents, 1);
}

TEST_F(DocTemplateTest, CaptionNamesTheDocumentOnlyForTheFrameworksFrame) {
    const struct {
        bool mainFrame;
        const char* caption;
        const char* captionAfterRetitle;
    } cases[] = {
        {true, "Skiffdesk", "Skiffdesk"},
        {false, "Untitled - Skiffdesk", "Report - Skiffdesk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mainFrame);
        // The program's frame tells where drive Z: leads before it opens.
        std::future<std::optional<support::MessageBoxView>> sharedFolderBox;
        if (c.mainFrame) {
            UseTemplate<CMainFrame>();
            sharedFolderBox = frameworktest::AnswerNextBox(IDOK);
        } else {
            UseTemplate<CFrameWnd>();
        }
        app.OnFileNew();
        ASSERT_NE(app.m_pMainWnd, nullptr);
        if (c.mainFrame) {
            ASSERT_TRUE(sharedFolderBox.get().has_value());
        }
        EXPECT_EQ(Caption(), c.caption);
        app.GetDocTemplate()->GetDocument()->SetTitle("Report");
        EXPECT_EQ(Caption(), c.captionAfterRetitle);
        app.m_pMainWnd->DestroyWindow();
    }
}

TEST_F(DocTemplateTest, CtrlNRenewsTheSameDocumentAndClosingEndsTheLoop) {
    UseTemplate<CFrameWnd>();
    g_record.closeOnSecondNew = true;
    app.OnFileNew();
    ASSERT_NE(app.m_pMainWnd, nullptr);
    const CDocument* doc = app.GetDocTemplate()->GetDocument();

    // The accelerator sees Ctrl held down, as the keyboard would have it.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    app.m_pMainWnd->PostMessage(WM_KEYDOWN, 'N', 1);
    // A bound on the loop: when the close never comes, the frame goes after the deadline.
    const HWND frame = app.m_pMainWnd->m_hWnd;
    auto watchdog = std::async(std::launch::async, [frame] {
        const auto end = std::chrono::steady_clock::now() + frameworktest::kDeadline;
        while (IsWindow(frame) && std::chrono::steady_clock::now() < end)
            Sleep(20);
        if (IsWindow(frame))
            PostMessageA(frame, WM_CLOSE, 0, 0);
    });
    const int exitCode = app.Run();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    watchdog.get();

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(g_record.newDocuments, (std::vector<const CDocument*>{doc, doc}));
    EXPECT_EQ(app.GetDocTemplate()->GetDocument(), doc);
    EXPECT_EQ(g_record.deleteContents, 3) << "at each new document and at the close";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_record.frames, 0);
    EXPECT_EQ(g_record.views, 0);
}

// A close that fails is told while the window still stands: the box stays until it is
// answered, and only then does the loop end.
TEST_F(DocTemplateTest, AFailedCloseIsShownBeforeTheProgramEnds) {
    UseTemplate<CFrameWnd>();
    app.OnFileNew();
    ASSERT_NE(app.m_pMainWnd, nullptr);
    g_record.failDelete = true;
    std::atomic<bool> answered{false};
    auto answer = std::async(std::launch::async, [&answered] {
        auto box = support::WaitForMessageBox(GetCurrentProcessId(), frameworktest::kDeadline);
        if (box) {
            Sleep(300);
            answered = true;
            support::AnswerMessageBox(*box, IDOK, frameworktest::kDeadline);
        }
        return box;
    });
    app.m_pMainWnd->PostMessage(WM_CLOSE);
    EXPECT_EQ(app.Run(), 0);
    const bool answeredBeforeTheEnd = answered;
    const auto box = answer.get();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text,
              "A read or write error occurred on the file or connection. (system error 10054)");
    EXPECT_TRUE(answeredBeforeTheEnd);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    g_record.failDelete = false;
}

} // namespace
