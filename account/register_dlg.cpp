#include "account/register_dlg.h"

#include "account/account_settings.h"
#include "account/registration_rules.h"
#include "account/signup_checks.h"
#include "account/signup_texts.h"
#include "framework/data_exchange.h"
#include "framework/win_app.h"

#include <ctime>

namespace {

// The edits' limits. The address may be typed up to 255 characters, so that an address too
// long to be sent gets its own message rather than being cut off.
constexpr int kMaxEmailChars = 255;

} // namespace

CRegisterDlg::CRegisterDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CRegisterDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_ACCOUNT_NAME, m_strAccountName);
    DDV_MaxChars(pDX, m_strAccountName, static_cast<int>(account::kMaxAccountNameBytes));
    DDX_Text(pDX, IDC_EMAIL, m_strEmail);
    DDV_MaxChars(pDX, m_strEmail, kMaxEmailChars);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, static_cast<int>(account::kMaxPasswordBytes));
    DDX_Text(pDX, IDC_PASSWORD_AGAIN, m_strPasswordAgain);
    DDV_MaxChars(pDX, m_strPasswordAgain, static_cast<int>(account::kMaxPasswordBytes));
}

void CRegisterDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (const char* problem =
            FirstSignUpProblem(m_strAccountName, m_strEmail, m_strPassword, m_strPasswordAgain)) {
        MessageBox(problem, nullptr, MB_OK);
        return;
    }
    if (!CheckRegisterInterval())
        return;
    CDialog::OnOK();
}

BOOL CRegisterDlg::CheckRegisterInterval() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return FALSE;
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    const std::int64_t stored = static_cast<std::int32_t>(app->GetProfileInt(
        account_settings::kSetup, account_settings::kFirstRegister, SignUpTimeValue(now)));
    if (!MaySignUpNow(now, stored)) {
        ::MessageBoxA(nullptr, signup_text::kTooFast, signup_text::kTooFastCaption, MB_OK);
        return FALSE;
    }
    app->WriteProfileInt(account_settings::kSetup, account_settings::kFirstRegister,
                         SignUpTimeValue(now));
    return TRUE;
}
