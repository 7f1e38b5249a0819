#include "framework/dpi_font.h"

CDpiFont::~CDpiFont() {
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
}

void CDpiFont::Follow(HWND control, UINT previousDpi, UINT dpi) {
    if (control == nullptr || dpi == 0)
        return;
    if (m_baseDpi == 0) {
        // Scaled always from the first font, so that changes back and forth keep no rounding.
        const auto shown = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        const HGDIOBJ font = shown != nullptr ? shown : GetStockObject(SYSTEM_FONT);
        if (previousDpi == 0 || GetObjectA(font, sizeof m_base, &m_base) == 0)
            return;
        m_baseDpi = previousDpi;
    }
    LOGFONTA scaled = m_base;
    scaled.lfHeight = MulDiv(m_base.lfHeight, static_cast<int>(dpi), static_cast<int>(m_baseDpi));
    scaled.lfWidth = MulDiv(m_base.lfWidth, static_cast<int>(dpi), static_cast<int>(m_baseDpi));
    const HFONT font = CreateFontIndirectA(&scaled);
    if (font == nullptr)
        return;
    // The control lets go of the old font before it is deleted.
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_hFont != nullptr)
        DeleteObject(m_hFont);
    m_hFont = font;
}
