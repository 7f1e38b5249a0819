#include "framework/wait_cursor.h"

CWaitCursor::CWaitCursor()
    : m_hPrevious(SetCursor(LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_WAIT)))) {}

CWaitCursor::~CWaitCursor() {
    SetCursor(m_hPrevious);
}
