// Data exchange between a dialog's controls and its members, run by CDialog::UpdateData.
#pragma once

#include <windows.h>

class CWnd;

struct CDataExchange {
    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
};

// Binds dialog control nIDC to rControl (the control's messages reach rControl's table).
// Binding happens once: later exchanges leave a bound control alone.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
