#include "framework/dialog.h"

#include "framework/data_exchange.h"
#include "framework/win_app.h"

#include <algorithm>

const MessageEntry CDialog::messageEntries[] = {
    CommandRow<&CDialog::OnOK>(IDOK),
    CommandRow<&CDialog::OnCancel>(IDCANCEL),
};
const MessageMap CDialog::messageMap{&CWnd::messageMap, messageEntries};

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

// The system's dialog procedure only brings the dialog to life: at WM_INITDIALOG the window is
// subclassed, and from then on its messages reach the object's table before the system's
// dialog handling (which asks this procedure again and gets "not handled").
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG || FromHandle(hWnd) != nullptr)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->SubclassWindow(hWnd))
        return FALSE;
    return dialog->OnInitDialog();
}

namespace {

// Whether dialog template id puts the dialog at 0, 0: a template that gives no place.
bool TemplateGivesNoPlace(UINT id) {
    const HINSTANCE module = AfxGetInstanceHandle();
    const HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* words =
        static_cast<const WORD*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (words == nullptr || SizeofResource(module, found) < sizeof(DLGTEMPLATE))
        return false;
    // The extended template starts with version 1 and 0xFFFF; its x and y come after the
    // help id, the two style words and the item count.
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const std::size_t x = extended ? 9 : 5;
    return SizeofResource(module, found) >= (x + 2) * sizeof(WORD) && words[x] == 0 &&
           words[x + 1] == 0;
}

// Puts window in the middle of owner, kept on owner's monitor's work area.
void CenterOver(HWND window, HWND owner) {
    RECT box{};
    RECT over{};
    if (!GetWindowRect(window, &box) || !GetWindowRect(owner, &over))
        return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    const LONG left =
        std::max(work.left, std::min((over.left + over.right - width) / 2, work.right - width));
    const LONG top =
        std::max(work.top, std::min((over.top + over.bottom - height) / 2, work.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr)
        return -1;
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
        owner = AfxGetApp()->m_pMainWnd->m_hWnd;
    if (owner == nullptr)
        owner = GetActiveWindow();
    m_bModalEnded = false;
    m_nModalResult = -1;
    const HWND dialog = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                           owner, &DialogProc, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr)
        return -1;
    // A dialog whose template gives it no place opens in the middle of its owner.
    if (owner != nullptr && IsWindowVisible(owner) && TemplateGivesNoPlace(m_nIDTemplate))
        CenterOver(dialog, owner);
    const bool disabledOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);
    ::ShowWindow(dialog, SW_SHOW);
    MSG msg{};
    while (!m_bModalEnded && IsWindow(dialog)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the main loop must see it too
            break;
        }
        if (got == -1)
            break;
        if (PreTranslateInDialog(msg) || IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The owner comes back first, so that it gets the activation when the dialog goes.
    if (disabledOwner)
        EnableWindow(owner, TRUE);
    if (IsWindow(dialog))
        ::DestroyWindow(dialog);
    return m_nModalResult;
}

BOOL CDialog::PreTranslateInDialog(MSG& msg) {
    if (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd))
        return FALSE;
    for (HWND target = msg.hwnd; target != nullptr; target = ::GetParent(target)) {
        if (CWnd* wnd = FromHandle(target); wnd != nullptr && wnd->PreTranslateMessage(&msg))
            return TRUE;
        if (target == m_hWnd)
            break;
    }
    return FALSE;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bModalEnded = true;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx{bSaveAndValidate, this};
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchange::Refused&) {
        return FALSE; // the user has been told, and the field has the focus
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
