#include "tests/support/window_control.h"

#include <algorithm>
#include <vector>

#include "tests/support/wait.h"

namespace support {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LPARAM KeyParam(UINT vk, bool up) {
    LPARAM param = 1 | static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16);
    if (up)
        param |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return param;
}

INPUT KeyInput(UINT vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

std::optional<LRESULT> SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window) {
    const std::optional<LRESULT> length = SendWithTimeout(window, WM_GETTEXTLENGTH);
    if (!length || *length <= 0)
        return {};
    // The text may grow between the two messages; the buffer bounds what we take.
    std::vector<char> buffer(static_cast<std::size_t>(*length) + 1, '\0');
    const std::optional<LRESULT> copied =
        SendWithTimeout(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied || *copied <= 0)
        return {};
    const auto n = std::min(static_cast<std::size_t>(*copied), buffer.size() - 1);
    return std::string(buffer.data(), n);
}

bool SetWindowTextRemote(HWND window, const std::string& text) {
    const std::optional<LRESULT> result =
        SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return result && *result != FALSE;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}
LONG_PTR ExStyleOf(HWND window) {
    return GetWindowLongPtrA(window, GWL_EXSTYLE);
}

bool PostCommand(HWND window, int commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool ClickButton(HWND button) {
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool PostClose(HWND window) {
    return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE;
}

bool PostKey(HWND window, UINT vk) {
    return PostMessageA(window, WM_KEYDOWN, vk, KeyParam(vk, false)) &&
           PostMessageA(window, WM_KEYUP, vk, KeyParam(vk, true));
}

bool PressKey(HWND window, UINT vk, unsigned modifiers) {
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; }))
        return false;
    std::vector<UINT> held;
    if (modifiers & kCtrl)
        held.push_back(VK_CONTROL);
    if (modifiers & kShift)
        held.push_back(VK_SHIFT);
    if (modifiers & kAlt)
        held.push_back(VK_MENU);
    std::vector<INPUT> inputs;
    for (UINT key : held)
        inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto key = held.rbegin(); key != held.rend(); ++key)
        inputs.push_back(KeyInput(*key, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

} // namespace support
