#include "tests/support/window_find.h"

namespace support {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

bool Matches(HWND window, const WindowQuery& query) {
    if (query.processId != 0 && ProcessOf(window) != query.processId)
        return false;
    if (query.visibleOnly && !IsWindowVisible(window))
        return false;
    if (!query.className.empty() && ClassNameOf(window) != query.className)
        return false;
    if (!query.property.empty() && GetPropA(window, query.property.c_str()) == nullptr)
        return false;
    return !query.title || CaptionOf(window) == *query.title;
}

} // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all)
        if (Matches(window, query))
            found.push_back(window);
    return found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    const std::vector<HWND> found = FindTopLevelWindows(query);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevelWindow(const WindowQuery& query, Millis timeout) {
    return WaitFor([&] { return FindTopLevelWindow(query); }, timeout);
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindChild(HWND parent, const std::string& className, std::size_t index) {
    for (HWND child : ChildWindows(parent))
        if (ClassNameOf(child) == className && index-- == 0)
            return child;
    return nullptr;
}

HWND FindChildById(HWND parent, int id) {
    for (HWND child : ChildWindows(parent))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

std::string ClassNameOf(HWND window) {
    char name[256];
    const int n = GetClassNameA(window, name, sizeof name);
    return n > 0 ? std::string(name, static_cast<std::size_t>(n)) : std::string();
}

std::string CaptionOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int n = GetWindowTextA(window, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

} // namespace support
