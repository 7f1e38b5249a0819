#include "catalogue/find_box.h"

#include "catalogue/catalogue_texts.h"
#include "catalogue/chat_view.h"
#include "framework/text_convert.h"

#include <commctrl.h>

const MessageEntry CFindBox::messageEntries[] = {
    MessageRow<&CFindBox::OnKeyDown>(WM_KEYDOWN),
    MessageRow<&CFindBox::OnChar>(WM_CHAR),
    ReflectedRow<&CFindBox::OnCommandReflected>(WM_COMMAND),
};
const MessageMap CFindBox::messageMap{&CWnd::messageMap, messageEntries};

BOOL CFindBox::Create(HWND hWndParent, UINT nID, CChatView* list) {
    m_pList = list;
    if (!CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                  hWndParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
        m_font.CreateFontIndirect(metrics.lfMessageFont))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);
    const std::wstring cue = AnsiToWide(catalogue_texts::kFindCue);
    SendMessage(EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(cue.c_str()));
    return TRUE;
}

void CFindBox::OnDpiChanged(UINT previousDpi, UINT dpi) {
    m_dpiFont.Follow(m_hWnd, previousDpi, dpi);
}

void CFindBox::Activate() {
    ::SetFocus(m_hWnd);
    SendMessage(EM_SETSEL, 0, -1);
}

void CFindBox::TypeChar(WPARAM ch) {
    ::SetFocus(m_hWnd);
    const LRESULT end = SendMessage(WM_GETTEXTLENGTH);
    SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessage(WM_CHAR, ch, 0);
}

LRESULT CFindBox::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case VK_RETURN:
        m_pList->StartSelection();
        return 0;
    case VK_ESCAPE:
        SetWindowText("");
        m_pList->FocusList();
        return 0;
    case VK_DOWN:
        m_pList->FocusList();
        return 0;
    default:
        return DefWindowProc(WM_KEYDOWN, wParam, lParam);
    }
}

LRESULT CFindBox::OnChar(WPARAM wParam, LPARAM lParam) {
    // Enter and Esc were handled as keys; the edit would only beep at them.
    if (wParam == '\r' || wParam == 0x1B)
        return 0;
    return DefWindowProc(WM_CHAR, wParam, lParam);
}

LRESULT CFindBox::OnCommandReflected(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) == EN_CHANGE)
        m_pList->SetFindText(GetWindowText());
    return 0;
}
