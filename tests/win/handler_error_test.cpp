// A framework error that escapes a message handler is reported in a message box captioned
// with the application's title; the program goes on.
#include "framework/exceptions.h"
#include "framework/wnd.h"
#include "tests/win/framework_test_support.h"

#include <gtest/gtest.h>

#include <future>

namespace {

using frameworktest::TestApp;

constexpr UINT kFail = WM_APP + 1;
constexpr UINT kQuit = WM_APP + 2;

class FailingWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    bool failCreate = false;

protected:
    int OnCreate(LPCREATESTRUCTA) {
        if (failCreate)
            throw CArchiveException(CArchiveException::endOfFile);
        return 0;
    }
    void OnFail() { throw CFileException(CFileException::generic, 10054); }
    void OnQuit() { PostQuitMessage(7); }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry FailingWnd::messageEntries[] = {
    MessageRow<&FailingWnd::OnCreate>(WM_CREATE),
    MessageRow<&FailingWnd::OnFail>(kFail),
    MessageRow<&FailingWnd::OnQuit>(kQuit),
};
const MessageMap FailingWnd::messageMap{&CWnd::messageMap, messageEntries};

TEST(HandlerErrorTest, ErrorIsReportedAndTheMessageLoopGoesOn) {
    TestApp app;
    FailingWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "failing", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    const HWND hWnd = wnd.m_hWnd;
    // The quit comes only after the box is answered, so it proves the loop ran on; it comes
    // after the deadline when no box shows, so the test cannot hang.
    auto answer = std::async(std::launch::async, [hWnd] {
        auto box = support::WaitForMessageBox(GetCurrentProcessId(), frameworktest::kDeadline);
        if (box)
            support::AnswerMessageBox(*box, IDOK, frameworktest::kDeadline);
        PostMessageA(hWnd, kQuit, 0, 0);
        return box;
    });
    wnd.PostMessage(kFail);
    EXPECT_EQ(app.Run(), 7);
    const auto box = answer.get();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Skiffdesk");
    EXPECT_EQ(box->text,
              "A read or write error occurred on the file or connection. (system error 10054)");
    EXPECT_TRUE(IsWindow(hWnd));
}

TEST(HandlerErrorTest, ErrorDuringCreationFailsTheWindow) {
    TestApp app;
    FailingWnd wnd;
    wnd.failCreate = true;
    auto answer = frameworktest::AnswerNextBox(IDOK);
    EXPECT_FALSE(
        wnd.CreateEx(0, nullptr, "failing", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    const auto box = answer.get();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "The data ended before the item being read was complete.");
}

} // namespace
