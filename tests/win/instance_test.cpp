// One copy per desktop: a second start finds the first by the mutex named after the
// executable, and brings the window that carries the property of that name to the front.
#include "app/chat_app.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class InstanceTest : public testing::Test {
protected:
    InstanceTest() {
        app.InitApplication(GetModuleHandleA(nullptr), "", SW_SHOWNOACTIVATE);
        // A name of this test's own: the mutex outlives the test within the process.
        app.m_strExeName = "skiffdesk-instance-" + std::to_string(GetCurrentProcessId()) + "-" +
                           testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    ~InstanceTest() override {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    HWND MakeWindow(const std::string& property) {
        m_window = CreateWindowExA(0, "STATIC", "first copy", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetPropA(m_window, property.c_str(), reinterpret_cast<HANDLE>(1));
        return m_window;
    }

    CChatApp app;

private:
    HWND m_window = nullptr;
};

TEST_F(InstanceTest, TheSecondCopyRestoresTheFirstCopysMinimisedWindow) {
    EXPECT_TRUE(app.IsFirstInstance());
    const HWND first = MakeWindow(app.m_strExeName);
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first));
    EXPECT_FALSE(app.IsFirstInstance());
    EXPECT_FALSE(IsIconic(first));
}

TEST_F(InstanceTest, AWindowMarkedForAnotherExecutableIsLeftAlone) {
    EXPECT_TRUE(app.IsFirstInstance());
    const HWND other = MakeWindow(app.m_strExeName + "-other");
    ShowWindow(other, SW_MINIMIZE);
    EXPECT_FALSE(app.IsFirstInstance());
    EXPECT_TRUE(IsIconic(other));
}

// The exit waits for sockets still finishing; a start in that time must not be turned away.
TEST_F(InstanceTest, ACopyThatIsEndingNoLongerCounts) {
    EXPECT_TRUE(app.IsFirstInstance());
    EXPECT_FALSE(app.IsFirstInstance());
    app.ExitInstance();
    EXPECT_TRUE(app.IsFirstInstance());
}

} // namespace
