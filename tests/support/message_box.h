// Message boxes and dialogs of another process: a message box is a "#32770" window whose text
// is the static control with id 0xFFFF; its buttons carry the standard ids.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/wait.h"

namespace support {

inline constexpr char kDialogClass[] = "#32770";

struct MessageBoxView {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons; // ids of the visible buttons, left to right as created (IDOK...)
};

// Reads window as a message box; nothing when it is not one (another dialog, or gone).
std::optional<MessageBoxView> ReadMessageBox(HWND window);
std::vector<MessageBoxView> MessageBoxesOf(DWORD processId);
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Millis timeout = kDefaultTimeout);

// Presses the button with buttonId and waits until the box has closed.
bool AnswerMessageBox(const MessageBoxView& box, int buttonId, Millis timeout = kDefaultTimeout);

// A dialog (not a message box) of the process with this caption, once it is visible.
HWND WaitForDialog(DWORD processId, const std::string& caption, Millis timeout = kDefaultTimeout);

// One line per open message box of the process, for failure messages.
std::string DescribeMessageBoxes(DWORD processId);

} // namespace support
