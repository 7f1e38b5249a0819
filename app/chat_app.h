// The application object: one running copy per desktop, Windows Sockets, the settings key,
// and the one document type with its frame and view.
#pragma once

#include "framework/win_app.h"

class CChatApp : public CWinApp {
public:
    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    BOOL InitInstance() override;
    // Lets a new copy start before this one has finished (its sockets may take a while).
    int ExitInstance() override;
    // TRUE when no other copy of this executable runs. Otherwise brings the running copy's
    // main window (found by its property named after the executable) to the front.
    BOOL IsFirstInstance();
    // ID_APP_ABOUT: the About box, modal.
    void OnAppAbout();

private:
    static const MessageEntry messageEntries[];
    HANDLE m_hInstanceMutex = nullptr; // held from the first start until the exit begins
};
