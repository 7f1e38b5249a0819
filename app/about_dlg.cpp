#include "app/about_dlg.h"

#include "deployment.h"
#include "framework/data_exchange.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SUPPORT_LINK, m_linkSupport);
    DDX_Control(pDX, IDC_WEB_LINK, m_linkWeb);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_linkWeb.SetTarget(deployment::kHomePage);
    m_linkWeb.SetUnderlineMode(CLinkLabel::UNDERLINE_ALWAYS);
    m_linkSupport.SetTarget(deployment::kContactPage);
    m_linkSupport.SetUnderlineMode(CLinkLabel::UNDERLINE_ALWAYS);
    return TRUE;
}
