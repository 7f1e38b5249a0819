// The connection settings record: handle, server and channel. The session fills it with its
// default settings and reads them back; it is not shown.
#pragma once

#include "framework/dialog.h"
#include "ui/resource.h"

#include <string>

class CSetupDlg : public CDialog {
public:
    enum { IDD = IDD_SETUP };

    CSetupDlg();

    int m_nChannel = 0;      // edit IDC_SETUP_CHANNEL, 0 to 99
    std::string m_strHandle; // edit IDC_SETUP_HANDLE, at most 50 characters
    std::string m_strServer; // edit IDC_SETUP_SERVER, at most 255 characters
};
