#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "framework/exceptions.h"
#include "framework/message_box.h"
#include "framework/win_app.h"

const MessageEntry CDialog::messageEntries[] = {
    CommandRow<&CDialog::OnOK>(IDOK),
    CommandRow<&CDialog::OnCancel>(IDCANCEL),
};
const MessageMap CDialog::messageMap{&CWnd::messageMap, messageEntries};

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr) {
        const CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd != nullptr)
            owner = app->m_pMainWnd->m_hWnd;
    }
    return DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                           &DialogProc, reinterpret_cast<LPARAM>(this));
}

// The dialog window is subclassed as soon as it exists, so its messages reach the object's
// table first and the system's dialog handling is their default processing.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    try {
        return dialog->OnInitDialog();
    } catch (const CException& error) {
        AfxMessageBox(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        dialog->EndDialog(-1);
        return FALSE;
    }
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange::Refused&) {
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}
