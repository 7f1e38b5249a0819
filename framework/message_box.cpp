#include "framework/message_box.h"

#include "framework/resource_string.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

int AfxMessageBox(const std::string& text, UINT nType) {
    HWND owner = GetActiveWindow();
    if (owner == nullptr) {
        const CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd != nullptr)
            owner = app->m_pMainWnd->m_hWnd;
    }
    return MessageBoxA(owner, text.c_str(), AfxGetAppName().c_str(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType) {
    return AfxMessageBox(AfxLoadString(nIDPrompt), nType);
}
