// Data exchange between a dialog's controls and its members, run by CDialog::UpdateData.
// DoDataExchange names each control once; the same lines fill the controls and read them back.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

struct CDataExchange {
    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr; // the control of the last DDX_ line

    // Thrown by Fail and caught by CDialog::UpdateData: the user has been told already.
    struct Refused {};
    // The last control's value was refused: it takes the focus and the exchange stops.
    [[noreturn]] void Fail();
};

// Binds dialog control nIDC to rControl (the control's messages reach rControl's table).
// Binding happens once: later exchanges leave a bound control alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The text of edit nIDC and value.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// Filling: the last control takes at most nChars characters. Reading: a longer value is
// refused with the framework's message naming the limit.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
