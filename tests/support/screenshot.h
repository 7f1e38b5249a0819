// Screenshots as 24-bit BMP files (the scripts convert them to PNG when they want to).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace support {

// Saves what the screen shows of window (with its frame), or the whole desktop when window is
// null. False when nothing could be captured or written.
bool SaveScreenshot(const std::string& path, HWND window = nullptr);

// The colour the screen shows at a point in screen coordinates; nothing off the screen.
std::optional<COLORREF> ScreenPixel(POINT point);

} // namespace support
