#include "app/chat_app.h"

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "catalogue/chat_view.h"
#include "framework/doc_template.h"
#include "framework/message_box.h"
#include "framework/socket_init.h"
#include "session/chat_doc.h"
#include "ui/resource.h"

#include <memory>

const MessageEntry CChatApp::messageEntries[] = {
    CommandRow<&CChatApp::OnFileNew>(ID_FILE_NEW),
    CommandRow<&CChatApp::OnAppAbout>(ID_APP_ABOUT),
};
const MessageMap CChatApp::messageMap{&CWinApp::messageMap, messageEntries};

BOOL CChatApp::InitInstance() {
    if (!IsFirstInstance())
        return FALSE;
    if (!AfxSocketInit()) {
        AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
        return FALSE;
    }
    SetRegistryKey("SKIFFDESK");
    LoadStdProfileSettings(4);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, NewObject<CDocument, CChatDoc>, NewObject<CFrameWnd, CMainFrame>,
        NewObject<CView, CChatView>));
    OnFileNew();
    // The mark a later copy looks for; it goes with the window.
    if (m_pMainWnd != nullptr)
        SetPropA(m_pMainWnd->m_hWnd, m_strExeName.c_str(), reinterpret_cast<HANDLE>(1));
    return m_pMainWnd != nullptr;
}

int CChatApp::ExitInstance() {
    // The window is gone: a start from now on is a new copy, not a second one.
    if (m_hInstanceMutex != nullptr) {
        CloseHandle(m_hInstanceMutex);
        m_hInstanceMutex = nullptr;
    }
    return CWinApp::ExitInstance();
}

BOOL CChatApp::IsFirstInstance() {
    // The mutex is what a later copy finds; this copy holds it until its exit begins.
    const HANDLE mutex = CreateMutexA(nullptr, TRUE, m_strExeName.c_str());
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        if (m_hInstanceMutex != nullptr)
            CloseHandle(m_hInstanceMutex);
        m_hInstanceMutex = mutex;
        return TRUE;
    }
    if (mutex != nullptr)
        CloseHandle(mutex);
    for (HWND wnd = GetWindow(GetDesktopWindow(), GW_CHILD); wnd != nullptr;
         wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        if (GetPropA(wnd, m_strExeName.c_str()) == nullptr)
            continue;
        if (IsIconic(wnd))
            ShowWindow(wnd, SW_RESTORE);
        SetForegroundWindow(wnd);
        SetForegroundWindow(GetLastActivePopup(wnd));
        break;
    }
    return FALSE;
}

void CChatApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
