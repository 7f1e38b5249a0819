// A dialog box made from a dialog template in the program's resources. A modal run moves the
// members into the controls when the dialog opens (DoDataExchange) and back when "OK" is
// pressed; a value the exchange refuses keeps the dialog open.
#pragma once

#include "framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // With no parent the application's main window owns the dialog.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    // Runs the dialog until EndDialog; returns EndDialog's result, or -1 when the dialog
    // could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);
    // Members to controls (FALSE) or controls to members (TRUE); FALSE when a value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // Moves the members into the controls; TRUE gives the focus to the first control.
    virtual BOOL OnInitDialog();
    // Takes the controls' values; ends the dialog with IDOK unless one was refused.
    virtual void OnOK();
    virtual void OnCancel(); // ends the dialog with IDCANCEL
    virtual void DoDataExchange(CDataExchange* pDX);

    UINT m_nIDTemplate; // the dialog template's resource number
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static const MessageEntry messageEntries[];
};
