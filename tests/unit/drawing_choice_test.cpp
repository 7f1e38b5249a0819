#include "framework/drawing_choice.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DrawingChoice, SmallestDrawingThatCoversTheSizeElseTheLargest) {
    const struct {
        std::vector<int> heights;
        int wanted;
        int chosen;
    } cases[] = {
        {{16, 24, 32}, 16, 0}, {{16, 24, 32}, 20, 1}, {{16, 24, 32}, 24, 1},
        {{16, 24, 32}, 25, 2}, {{16, 24, 32}, 48, 2}, {{32, 16, 24}, 12, 1},
        {{32, 16, 24}, 40, 0}, {{16}, 32, 0},         {{}, 16, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted);
        EXPECT_EQ(ChooseDrawing(c.heights, c.wanted), c.chosen);
    }
}
