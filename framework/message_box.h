// Message boxes that carry the application's title as their caption.
#pragma once

#include <windows.h>

#include <string>

// Owned by this thread's active window, else by the main window, so the box is modal to
// whatever the user is working in. Returns the button chosen (IDOK, IDYES, ...).
int AfxMessageBox(const std::string& text, UINT nType = MB_OK);
// The text is string nIDPrompt of the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);
