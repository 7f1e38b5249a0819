#include "framework/dpi.h"

namespace {

constexpr UINT kBaseDpi = 96;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Only Windows 10 (1607) and later know a window's own DPI; earlier systems have one DPI.
GetDpiForWindowFn FindGetDpiForWindow() {
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user == nullptr)
        return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

} // namespace

UINT GetWindowDpi(HWND hWnd) {
    static const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow != nullptr && hWnd != nullptr) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

int ScaleForWindow(HWND hWnd, int pixels96) {
    return MulDiv(pixels96, static_cast<int>(GetWindowDpi(hWnd)), static_cast<int>(kBaseDpi));
}
