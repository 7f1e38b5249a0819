// A dialog box made from a dialog template in the program's resources.
#pragma once

#include "framework/wnd.h"

struct CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Shows the dialog and runs its own message loop until EndDialog; the owner (the parent,
    // else the main window) is disabled meanwhile. Returns EndDialog's result, or -1 when the
    // dialog could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // Runs DoDataExchange in the given direction; FALSE when a field's value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // After the controls exist: the data exchange towards the controls. TRUE lets the dialog
    // give the focus to its first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();     // IDOK: take the data, then end with IDOK
    virtual void OnCancel(); // IDCANCEL, Escape and the close box: end with IDCANCEL

    UINT m_nIDTemplate; // the dialog template's resource number
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Offers msg to the windows from its target up to the dialog; TRUE when one used it.
    BOOL PreTranslateInDialog(MSG& msg);

    static const MessageEntry messageEntries[];
    bool m_bModalEnded = false;
    INT_PTR m_nModalResult = -1;
};
