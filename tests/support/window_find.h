// Finding windows of other processes: top-level windows by process, class, caption or window
// property, and the children of a window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/wait.h"

namespace support {

struct WindowQuery {
    DWORD processId = 0;              // 0: any process
    std::string className;            // empty: any class
    std::optional<std::string> title; // exact caption
    std::string property;             // non-empty: the window carries this property
    bool visibleOnly = false;
};

// Top-level windows matching the query, in Z order (topmost first).
std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);
HWND FindTopLevelWindow(const WindowQuery& query); // the first match, or null
HWND WaitForTopLevelWindow(const WindowQuery& query, Millis timeout = kDefaultTimeout);

// Every descendant of parent, depth first in creation order.
std::vector<HWND> ChildWindows(HWND parent);
// The index-th descendant of parent with the given class, or null.
HWND FindChild(HWND parent, const std::string& className, std::size_t index = 0);
// The first descendant of parent with the given control id, or null.
HWND FindChildById(HWND parent, int id);

std::string ClassNameOf(HWND window);
// Caption of a top-level window (kept by the system, so no message reaches the program); for
// controls of another process use WindowText.
std::string CaptionOf(HWND window);
DWORD ProcessOf(HWND window);

} // namespace support
