#include "session/chat_doc.h"

#include "catalogue/chat_view.h"
#include "deployment.h"
#include "framework/message_box.h"
#include "framework/win_app.h"
#include "session/command_line.h"
#include "session/setup_dlg.h"

CChatDoc::~CChatDoc() {
    // The framework closes the document first, so these are normally gone already; a socket
    // left behind must not outlive the document its notifications point to.
    CloseConnection(false);
}

BOOL CChatDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    const CWinApp* app = AfxGetApp();
    const CommandLine commandLine = ReadCommandLine(app != nullptr ? app->m_lpCmdLine : "");
    if (commandLine.status == CommandLine::valid)
        return ConnectSocket(commandLine.handle, commandLine.host, commandLine.port);
    if (commandLine.status == CommandLine::invalid)
        AfxMessageBox(kCommandLineUsage, MB_OK);

    CSetupDlg setup;
    setup.m_strHandle = m_strHandle;
    setup.m_strServer = deployment::kAppServerHost;
    return ConnectWithHandshake(setup.m_strHandle, setup.m_strServer, deployment::kAppServerPort);
}

void CChatDoc::DisplayMsg(const std::string& text) {
    for (CView* view : GetViews()) {
        if (auto* chatView = dynamic_cast<CChatView*>(view))
            chatView->ForwardMessage(text);
    }
}

void CChatDoc::OnHandshakeTimeout() {
    // m_bVersionPending stays set: the reply did not come, and a late one has nothing to close.
    if (m_bVersionPending)
        DeleteContents();
}
