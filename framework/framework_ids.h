// Identifiers the framework gives a meaning of its own: its string, command and child window
// ids, and the window message numbers it hands out. Plain defines, because the resource
// compiler reads this file too. The program's own ids (ui/resource.h) stay below AFX_FIRST_ID.
#pragma once

#define AFX_FIRST_ID 0xE000

// Strings
#define AFX_IDS_APP_TITLE 57344         // the application's name: box captions and the settings key
#define AFX_IDS_IDLEMESSAGE 57345       // the status bar's message pane when nothing is going on
#define AFX_IDP_PARSE_STRING_SIZE 61200 // a dialog field longer than its limit; %1 the limit

// Commands. A command's string, when there is one, is its status-bar prompt, then after a
// '\n' its tooltip.
#define ID_FILE_NEW 57600
#define ID_FILE_SAVE 57603
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_HELP 57670
#define ID_VIEW_TOOLBAR 59392    // shows or hides the bar AFX_IDW_TOOLBAR
#define ID_VIEW_STATUS_BAR 59393 // shows or hides the bar AFX_IDW_STATUS_BAR
#define ID_INDICATOR_CAPS 59137  // status bar panes; their strings are what they show when on
#define ID_INDICATOR_NUM 59138

// Child windows
#define ID_SEPARATOR 0 // a toolbar's gap, or the status bar's stretching message pane
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393
#define AFX_IDW_PANE_FIRST 59648 // the frame's client pane (a view or a splitter)

// Window messages: each socket holds one number of this range for its notifications (WM_APP
// upwards). Reflected messages need no numbers: they are rows of a kind of their own.
#define AFX_WM_SOCKET_FIRST 0x8100
#define AFX_WM_SOCKET_LAST 0xBBFF

#ifndef RC_INVOKED
static_assert(AFX_WM_SOCKET_FIRST > 0x8000 && AFX_WM_SOCKET_LAST < 0xC000,
              "socket notifications stay inside WM_APP's range");
#endif
