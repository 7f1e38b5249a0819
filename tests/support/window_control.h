// Reading and driving windows of another process: texts, styles, commands and keys.
// Messages that return data are sent with a time-out, so a hung program fails the test
// instead of blocking it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace support {

// The result of a message sent to another process's window, or nothing when the window did
// not answer within a few seconds (hung, or gone).
std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam = 0,
                                       LPARAM lParam = 0);

// WM_GETTEXT: works on another process's controls, where GetWindowTextA returns nothing.
std::string WindowText(HWND window);
bool SetWindowTextRemote(HWND window, const std::string& text); // WM_SETTEXT

LONG_PTR StyleOf(HWND window);
LONG_PTR ExStyleOf(HWND window);

// WM_COMMAND as a menu, accelerator or button would send it.
bool PostCommand(HWND window, int commandId);
bool ClickButton(HWND button); // BM_CLICK
bool PostClose(HWND window);   // WM_CLOSE

// Posts a key's down and up messages to window, as the keyboard would deliver them to it:
// enough for plain keys (F5, arrows, Enter) sent to a given control or popup menu. The
// program never sees a modifier held this way, since posted keys leave the key state alone.
bool PostKey(HWND window, UINT vk);

enum KeyModifier : unsigned { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// Types vk with the modifiers held (down in order, up in reverse) through the system's input,
// after bringing window to the foreground: what accelerators such as Ctrl+N need.
bool PressKey(HWND window, UINT vk, unsigned modifiers = kNoModifier);

} // namespace support
