// A picture drawn at several sizes, and which drawing serves a given size on screen.
#pragma once

#include <cstddef>
#include <span>

// The index of the smallest drawing at least `wanted` pixels high, or of the highest when
// none is (scaled down looks better than scaled up); -1 when there is no drawing.
inline int ChooseDrawing(std::span<const int> heights, int wanted) {
    int covering = -1;
    int highest = -1;
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const int h = heights[i];
        if (h >= wanted && (covering == -1 || h < heights[static_cast<std::size_t>(covering)]))
            covering = static_cast<int>(i);
        if (highest == -1 || h > heights[static_cast<std::size_t>(highest)])
            highest = static_cast<int>(i);
    }
    return covering != -1 ? covering : highest;
}
