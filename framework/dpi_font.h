// The font a control shows, kept at the DPI the control is drawn at: the font it showed
// before its first change of DPI, scaled from that DPI to each DPI it is told after.
#pragma once

#include <windows.h>

class CDpiFont {
public:
    CDpiFont() = default;
    CDpiFont(const CDpiFont&) = delete;
    CDpiFont& operator=(const CDpiFont&) = delete;
    ~CDpiFont();

    // Gives control its font at dpi; previousDpi is the DPI of the font it shows now. A
    // control without a font of its own shows the system font.
    void Follow(HWND control, UINT previousDpi, UINT dpi);

private:
    LOGFONTA m_base{};
    UINT m_baseDpi = 0; // 0 until the first change
    HFONT m_hFont = nullptr;
};
