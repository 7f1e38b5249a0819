// Data exchange between a dialog's members and its controls. DoDataExchange names each
// control once; the same lines fill the controls and read them back.
#pragma once

#include <windows.h>

#include <string>

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    // Thrown by Fail and caught by CDialog::UpdateData: the user has been told already.
    struct Refused {};
    // The last control's value was refused: it takes the focus and the exchange stops.
    [[noreturn]] void Fail();

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate; // TRUE: controls to members
    HWND m_hWndLastControl = nullptr;
};

// The text of edit nIDC and value.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// Filling: the last control takes at most nChars characters. Reading: a longer value is
// refused with the framework's message naming the limit.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
