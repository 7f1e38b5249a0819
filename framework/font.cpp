#include "framework/font.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA& logFont) {
    DeleteObject();
    m_hObject = ::CreateFontIndirectA(&logFont);
    return m_hObject != nullptr;
}

void CFont::DeleteObject() {
    if (m_hObject != nullptr)
        ::DeleteObject(m_hObject);
    m_hObject = nullptr;
}
