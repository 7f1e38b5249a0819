// The program's resource and command ids: one place for all of them. The framework's own
// ids come in from framework/framework_ids.h. Plain defines, because the resource compiler
// reads this file too.
#pragma once

#include "framework/framework_ids.h"

// The main frame and the document template: caption and template string, icon, menu,
// accelerators.
#define IDR_MAINFRAME 128

// The connection settings dialog and its edits
#define IDD_SETUP 130
#define IDC_SETUP_HANDLE 1000
#define IDC_SETUP_CHANNEL 1001
#define IDC_SETUP_SERVER 1002

// The sign-up dialog and its edits (ui/register.rc)
#define IDD_REGISTER 133
#define IDC_ACCOUNT_NAME 1007
#define IDC_EMAIL 1008
#define IDC_PASSWORD 1010
#define IDC_PASSWORD_AGAIN 1011
// The application list: globe pictures and context menus
#define IDB_APP_LARGE 136
#define IDB_APP_SMALL 137
#define IDR_APP_POPUP 138
#define IDR_VIEW_POPUP 140
// The globes drawn at 150% and 200% for screens of more than 96 DPI
#define IDB_APP_LARGE_150 141
#define IDB_APP_LARGE_200 142
#define IDB_APP_SMALL_150 143
#define IDB_APP_SMALL_200 144

// The About box and its two links
#define IDD_ABOUTBOX 100
#define IDC_WEB_LINK 1012
#define IDC_SUPPORT_LINK 1013
// The find box in the toolbar, which narrows the application list
#define IDC_FIND_APP 1014
#define IDC_STATIC -1

// Strings
#define IDP_SOCKETS_INIT_FAILED 104
#define IDS_CONNECT_UPDATE 32100 // names the deployment's web address
#define IDS_GOODBYE 32101
#define IDS_SOCKET_CREATE_FAILED 32102
#define IDS_CONNECT_RETRY 32103
#define IDS_CONNECTION_RESET 32105
#define IDS_CLOSING_CONNECTION 32106

// Commands of the program
#define ID_CONNECT 32776
#define ID_VIEW_BIGICONS 32777
#define ID_VIEW_SMALLICONS 32778
#define ID_VIEW_LIST 32779
#define ID_VIEW_DETAILS 32780
#define ID_REGISTER_USER 32781
#define ID_FIND_APP 32782 // Ctrl+F: the caret into the find box

#ifndef RC_INVOKED
// Menu and accelerator commands live from 0x8000 up; the framework's start at AFX_FIRST_ID.
static_assert(ID_CONNECT >= 0x8000 && ID_REGISTER_USER < AFX_FIRST_ID);
static_assert(ID_REGISTER_USER - ID_CONNECT == 5, "the program's commands are 32776 to 32781");
static_assert(ID_FIND_APP == ID_REGISTER_USER + 1 && ID_FIND_APP < AFX_FIRST_ID);
static_assert(IDS_CLOSING_CONNECTION < AFX_FIRST_ID && IDR_MAINFRAME < AFX_FIRST_ID);
#endif
