// The program's one top-level window: menu, accelerators, a toolbar and a status bar around
// the application list above the text pane, in a two-row splitter.
#pragma once

#include "catalogue/find_box.h"
#include "framework/frame_wnd.h"
#include "framework/splitter_wnd.h"
#include "framework/status_bar.h"
#include "framework/tool_bar.h"

#include <string>

class CMainFrame : public CFrameWnd {
public:
    // The text pane's share of the client height when the window opens, at 96 DPI.
    static constexpr int kTextPaneHeight = 150;

    // The caption is the frame's title alone, "Skiffdesk", whatever the document is called.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

    CSplitterWnd m_splitter;
    CStatusBar m_statusBar;
    CToolBar m_toolBar;
    CFindBox m_findBox; // in the toolbar, after its buttons

    // "Ready", or how many applications a search shows.
    std::string GetIdleMessage() const override;

    // The shared-folder drive (main_frame_shared_folder.cpp).
    OSVERSIONINFOA m_osVersion{};
    std::wstring m_sharedFolder; // the folder mapped to Z:, without a trailing backslash
    // The folder to map: the setting section/entry if present, else the subfolder of the
    // shell folder nFolder (created when missing), else defaultPath. May show message boxes.
    std::wstring GetSharedFolder(std::string section, std::string entry, std::wstring defaultPath,
                                 int nFolder);
    // Explorer's label "Local Disk" for Z:, from major version 6 on; TRUE when it is in place.
    BOOL SetSharedDriveLabel();

protected:
    // The first step of creation: the version query, the folder, subst and the information
    // box, all before the client area exists.
    void MapSharedFolder();
    // The shared folder, the frame with its client area, the toolbar and the status bar (-1
    // when one of them cannot be made), then the drive's label.
    int OnCreate(LPCREATESTRUCTA lpcs);
    // Two rows: the context's view (the list) on top, the text pane below; the list becomes
    // the active view.
    BOOL OnCreateClient(LPCREATESTRUCTA lpcs, CCreateContext* pContext) override;
    // Refreshing "Register user" makes the list the active view again, so the command always
    // reaches it. Its toolbar button is refreshed at each idle moment while the toolbar is
    // shown, its menu item when the "User" menu opens: with the toolbar shown the text pane
    // keeps the focus only until the next idle moment; with it hidden, until that menu opens
    // (meanwhile the "View" menu's view types, which only the list handles, are greyed).
    void OnUpdateRegisterUser(CCmdUI* pCmdUI);
    // "Help": the service's home page in the browser; nothing is said when none opens.
    void OnOpenHomePage();

private:
    BOOL CreateToolBar();
    // The find box after the toolbar's buttons, typing into the application list.
    void CreateFindBox();
    BOOL CreateStatusBar();
    void DockToolBar();

    static const MessageEntry messageEntries[];
};
