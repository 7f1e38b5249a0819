// A GDI font owned by its object: deleted with it, or when another is created in its place.
#pragma once

#include <windows.h>

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { DeleteObject(); }

    BOOL CreateFontIndirect(const LOGFONTA& logFont);
    void DeleteObject();
    operator HFONT() const { return m_hObject; }

    HFONT m_hObject = nullptr;
};
