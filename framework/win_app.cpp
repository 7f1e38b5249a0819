#include "framework/win_app.h"

#include "framework/async_socket.h"
#include "framework/doc_template.h"
#include "framework/exceptions.h"
#include "framework/frame_wnd.h"
#include "framework/resource_string.h"
#include "framework/framework_ids.h"
#include "framework/message_box.h"
#include "framework/socket_init.h"
#include "framework/wide_path.h"


namespace {
CWinApp* g_pApp = nullptr;

// Whether a message is one after which the loop should run its idle work again. Paints,
// the caret's blink and mouse moves that did not move would otherwise keep it busy.
bool IsIdleMessage(const MSG& msg) {
    static POINT lastMouse{-1, -1};
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        const bool moved = msg.pt.x != lastMouse.x || msg.pt.y != lastMouse.y;
        lastMouse = msg.pt;
        return moved;
    }
    constexpr UINT kCaretBlink = 0x0118;
    return msg.message != WM_PAINT && msg.message != kCaretBlink;
}

// Cut from the UTF-16 path: in 8-bit text a double-byte character's second byte may be 0x5C,
// which is no backslash.
std::string ModuleStem() {
    std::wstring name = AfxGetModulePathW();
    name.erase(0, name.find_last_of(L"\\/:") + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return PathForDisplay(name);
}
} // namespace

const MessageEntry CWinApp::messageEntries[] = {
    CommandRow<&CWinApp::OnAppExit>(ID_APP_EXIT),
};
const MessageMap CWinApp::messageMap{&CCmdTarget::messageMap, messageEntries};

CWinApp* AfxGetApp() {
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr)
        return g_pApp->m_hInstance;
    return GetModuleHandleA(nullptr);
}

std::string AfxGetAppName() {
    return g_pApp != nullptr ? g_pApp->m_strAppName : std::string();
}

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::InitApplication(HINSTANCE hInstance, const char* lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine != nullptr ? lpCmdLine : "";
    m_nCmdShow = nCmdShow;
    m_strExeName = ModuleStem();
    m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strAppName.empty())
        m_strAppName = m_strExeName;
    // An error that escapes a socket handler is told as one escaping a window's handler.
    CAsyncSocket::SetErrorReporter([](const CException& error) {
        AfxMessageBox(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
    });
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG msg{};
    LONG idleCount = 0;
    bool idle = true;
    for (;;) {
        while (idle && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            m_nExitCode = -1;
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (IsIdleMessage(msg)) {
            idle = true;
            idleCount = 0;
        }
    }
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount == 0) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
            frame->OnIdleUpdateCmdUI();
    }
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG& msg) {
    auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    if (frame == nullptr || frame->m_hAccelTable == nullptr || msg.hwnd == nullptr)
        return FALSE;
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return FALSE;
    if (msg.hwnd != frame->m_hWnd && !IsChild(frame->m_hWnd, msg.hwnd))
        return FALSE;
    return TranslateAcceleratorA(frame->m_hWnd, frame->m_hAccelTable, &msg) != 0;
}

int CWinApp::ExitInstance() {
    if (m_bStdProfileLoaded)
        SaveStdProfileSettings();
    AfxSocketTerm();
    return m_nExitCode;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate) {
    m_pDocTemplate = std::move(pTemplate);
}

void CWinApp::CloseAllDocuments() {
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments();
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenNewDocument();
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// The program's entry. It lives beside CWinApp so that linking the application object
// brings it in from the static library.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->InitApplication(hInstance, lpCmdLine, nCmdShow);
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

