#include "tests/support/message_box.h"

#include "tests/support/window_control.h"
#include "tests/support/window_find.h"

namespace support {

namespace {

constexpr int kMessageTextId = 0xFFFF;

} // namespace

std::optional<MessageBoxView> ReadMessageBox(HWND window) {
    // A box shows only once its caption, text and buttons are set; one that is closing hides.
    if (!IsWindow(window) || !IsWindowVisible(window) || ClassNameOf(window) != kDialogClass)
        return std::nullopt;
    HWND text = GetDlgItem(window, kMessageTextId);
    if (text == nullptr)
        return std::nullopt;
    MessageBoxView box;
    box.window = window;
    box.caption = CaptionOf(window);
    box.text = WindowText(text);
    for (HWND child : ChildWindows(window))
        if (ClassNameOf(child) == "Button" && IsWindowVisible(child))
            box.buttons.push_back(GetDlgCtrlID(child));
    return box;
}

std::vector<MessageBoxView> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxView> boxes;
    WindowQuery dialogs;
    dialogs.processId = processId;
    dialogs.className = kDialogClass;
    for (HWND window : FindTopLevelWindows(dialogs))
        if (std::optional<MessageBoxView> box = ReadMessageBox(window))
            boxes.push_back(std::move(*box));
    return boxes;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Millis timeout) {
    return WaitFor(
        [&]() -> std::optional<MessageBoxView> {
            std::vector<MessageBoxView> boxes = MessageBoxesOf(processId);
            if (boxes.empty())
                return std::nullopt;
            return std::move(boxes.front());
        },
        timeout);
}

bool AnswerMessageBox(const MessageBoxView& box, int buttonId, Millis timeout) {
    HWND button = GetDlgItem(box.window, buttonId);
    if (button == nullptr)
        return false;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return WaitFor([&] { return !IsWindow(box.window); }, timeout);
}

HWND WaitForDialog(DWORD processId, const std::string& caption, Millis timeout) {
    WindowQuery dialog;
    dialog.processId = processId;
    dialog.className = kDialogClass;
    dialog.title = caption;
    dialog.visibleOnly = true;
    return WaitForTopLevelWindow(dialog, timeout);
}

std::string DescribeMessageBoxes(DWORD processId) {
    std::string description;
    for (const MessageBoxView& box : MessageBoxesOf(processId))
        description += "open message box \"" + box.caption + "\": \"" + box.text + "\"\n";
    return description;
}

} // namespace support
