// Fitting a text into a column: a text too wide for it is cut and ends in "...".
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The width in pixels of a text, as the device context that draws it measures it.
using TextWidth = std::function<int(std::string_view)>;

// The text unchanged when it is empty or its width plus offset (the margins) fits
// columnWidth; otherwise its longest head (at least one character) whose width plus offset
// plus that of "..." fits, followed by "...".
std::string FitTextToWidth(std::string_view text, int columnWidth, int offset,
                           const TextWidth& width);
