// A device context handed to a drawing routine; the routine does not own it.
#pragma once

#include <windows.h>

#include <string_view>

class CDC {
public:
    explicit CDC(HDC hDC) : m_hDC(hDC) {}

    // The width in pixels of text in the context's font.
    int GetTextWidth(std::string_view text) const;

    HDC m_hDC;
};
