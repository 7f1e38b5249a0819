#include "session/setup_dlg.h"

CSetupDlg::CSetupDlg() : CDialog(IDD) {}
