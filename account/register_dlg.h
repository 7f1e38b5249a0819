// The sign-up dialog: account name, e-mail address and the password twice. It closes with
// IDOK only when every check has passed and the one-minute limit allows the attempt; it
// sends nothing itself.
#pragma once

#include "framework/dialog.h"
#include "ui/resource.h"

#include <string>

class CRegisterDlg : public CDialog {
public:
    enum { IDD = IDD_REGISTER };

    explicit CRegisterDlg(CWnd* pParent = nullptr);

    // The one-minute limit on "t_first_register": refuses with its own box, or records now.
    static BOOL CheckRegisterInterval();

    std::string m_strAccountName;
    std::string m_strEmail;
    std::string m_strPassword;
    std::string m_strPasswordAgain;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
