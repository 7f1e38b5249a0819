#include "session/chat_doc.h"

#include "deployment.h"
#include "framework/message_box.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "session/command_line.h"
#include "session/session_texts.h"
#include "session/setup_dlg.h"

#include <utility>

CChatDoc::~CChatDoc() {
    // The framework closes the document first, so these are normally gone already; a socket
    // left behind must not outlive the document its notifications point to.
    CloseConnection(false);
}

BOOL CChatDoc::OnNewDocument() {
    // A menu chosen while a connect waits: that connect is the one the user waits for.
    if (ConnectWaits())
        return FALSE;
    if (!CDocument::OnNewDocument())
        return FALSE;
    const CWinApp* app = AfxGetApp();
    const CommandLine commandLine = ReadCommandLine(app != nullptr ? app->m_lpCmdLine : "");
    if (commandLine.status == CommandLine::valid)
        return ConnectSocket(commandLine.handle, commandLine.host, commandLine.port);
    if (commandLine.status == CommandLine::invalid)
        AfxMessageBox(session_texts::kCommandLineUsage, MB_OK);

    CSetupDlg setup;
    setup.m_strHandle = m_strHandle;
    setup.m_strServer = deployment::kAppServerHost;
    return ConnectWithHandshake(setup.m_strHandle, setup.m_strServer, deployment::kAppServerPort);
}

void CChatDoc::DisplayMsg(std::string text) {
    // Inside a slice of reading only the last text is kept and shown when the slice ends:
    // each text replaces the one before it anyway, and a pane redrawn per line of a flood
    // would hold the window.
    if (m_bReading) {
        m_strHeldText = std::move(text);
        m_bTextHeld = true;
        return;
    }
    for (ISessionView* view : SessionViews())
        view->ForwardMessage(text);
}

std::vector<ISessionView*> CChatDoc::SessionViews() const {
    std::vector<ISessionView*> views;
    for (CView* view : GetViews()) {
        if (auto* sessionView = dynamic_cast<ISessionView*>(view))
            views.push_back(sessionView);
    }
    return views;
}

void CChatDoc::ShowHeldText() {
    if (!m_bTextHeld)
        return;
    m_bTextHeld = false;
    ShowNow(std::exchange(m_strHeldText, std::string()));
}

void CChatDoc::ShowNow(std::string text) {
    ShowHeldText();
    const bool reading = std::exchange(m_bReading, false);
    DisplayMsg(std::move(text));
    m_bReading = reading;
}

void CChatDoc::OnHandshakeTimeout() {
    // m_bVersionPending stays set: the reply did not come, and a late one has nothing to close.
    // A newer connection (a sign-up) is not the one the time-out was for.
    if (m_bVersionPending && IsOpen(m_nHandshakeConnection))
        DeleteContents();
}
