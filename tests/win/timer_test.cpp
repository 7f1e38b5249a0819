// Window timers as the program uses them: armed once, stopped by their first tick.
#include "framework/wnd.h"
#include "tests/win/framework_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class OneShotWnd : public CWnd {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    std::vector<UINT_PTR> ticks;

protected:
    void OnTimer(UINT_PTR nIDEvent) {
        KillTimer(nIDEvent);
        ticks.push_back(nIDEvent);
    }

private:
    static const MessageEntry messageEntries[];
};
const MessageEntry OneShotWnd::messageEntries[] = {
    MessageRow<&OneShotWnd::OnTimer>(WM_TIMER),
};
const MessageMap OneShotWnd::messageMap{&CWnd::messageMap, messageEntries};

TEST(TimerTest, EachOneShotTimerTicksWithItsOwnIdAndIsGoneAfterwards) {
    OneShotWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "timers", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_EQ(wnd.SetTimer(5, 30), 5u);
    ASSERT_EQ(wnd.SetTimer(4, 10), 4u);
    ASSERT_TRUE(frameworktest::PumpUntil([&] { return wnd.ticks.size() >= 2; }));
    std::vector<UINT_PTR> sorted = wnd.ticks;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<UINT_PTR>{4, 5}));
    EXPECT_FALSE(wnd.KillTimer(5)) << "the first tick stopped it";
    EXPECT_FALSE(wnd.KillTimer(4));
}

} // namespace
