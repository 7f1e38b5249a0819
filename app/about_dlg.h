// The About box: name, version, a notice and two links to the service's web pages.
#pragma once

#include "app/link_label.h"
#include "framework/dialog.h"
#include "ui/resource.h"

class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX };

    CAboutDlg();

    CLinkLabel m_linkSupport; // IDC_SUPPORT_LINK: the contact page
    CLinkLabel m_linkWeb;     // IDC_WEB_LINK: the home page

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
