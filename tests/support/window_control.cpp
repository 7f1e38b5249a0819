#include "tests/support/window_control.h"

#include <algorithm>
#include <vector>

namespace support {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

LPARAM KeyParam(UINT vk, bool up, bool alt) {
    LPARAM param = 1 | static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16);
    if (alt)
        param |= LPARAM{1} << 29;
    if (up)
        param |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return param;
}

bool PostKeyStroke(HWND window, UINT vk, bool up, bool alt) {
    // With Alt held the keyboard delivers the system variants of the key messages.
    const UINT message = alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    return PostMessageA(window, message, vk, KeyParam(vk, up, alt)) != FALSE;
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

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_EXSTYLE); }

bool PostCommand(HWND window, int commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool ClickButton(HWND button) { return PostMessageA(button, BM_CLICK, 0, 0) != FALSE; }

bool PostClose(HWND window) { return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE; }

bool PostKey(HWND window, UINT vk, unsigned modifiers) {
    const bool alt = (modifiers & kAlt) != 0;
    std::vector<UINT> held;
    if (modifiers & kCtrl)
        held.push_back(VK_CONTROL);
    if (modifiers & kShift)
        held.push_back(VK_SHIFT);
    if (alt)
        held.push_back(VK_MENU);
    bool ok = true;
    for (UINT key : held)
        ok = PostKeyStroke(window, key, false, alt) && ok;
    ok = PostKeyStroke(window, vk, false, alt) && ok;
    ok = PostKeyStroke(window, vk, true, alt) && ok;
    for (auto key = held.rbegin(); key != held.rend(); ++key)
        ok = PostKeyStroke(window, *key, true, alt && *key != VK_MENU) && ok;
    return ok;
}

} // namespace support
