#include "framework/dpi.h"

namespace {

constexpr UINT kBaseDpi = 96;
constexpr const char* kToldDpiProperty = "SkiffWnd.Dpi";

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
    if (hWnd != nullptr) {
        const HWND root = GetAncestor(hWnd, GA_ROOTOWNER);
        const auto told =
            reinterpret_cast<UINT_PTR>(GetPropA(root != nullptr ? root : hWnd, kToldDpiProperty));
        if (told != 0)
            return static_cast<UINT>(told);
    }
    static const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow != nullptr && hWnd != nullptr) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

void SetToldDpi(HWND topLevel, UINT dpi) {
    if (dpi != 0)
        SetPropA(topLevel, kToldDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ForgetToldDpi(HWND hWnd) {
    RemovePropA(hWnd, kToldDpiProperty);
}

int ScaleForWindow(HWND hWnd, int pixels96) {
    return MulDiv(pixels96, static_cast<int>(GetWindowDpi(hWnd)), static_cast<int>(kBaseDpi));
}

int WholeScaleForWindow(HWND hWnd) {
    const int factor = static_cast<int>(GetWindowDpi(hWnd) / kBaseDpi);
    return factor > 1 ? factor : 1;
}

HBITMAP CopyStretched(HBITMAP bitmap, SIZE size, bool smooth) {
    BITMAP drawn{};
    if (GetObjectA(bitmap, sizeof drawn, &drawn) == 0)
        return nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC source = CreateCompatibleDC(screen);
    const HDC target = CreateCompatibleDC(screen);
    HBITMAP result = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    if (source != nullptr && target != nullptr && result != nullptr) {
        const HGDIOBJ oldSource = SelectObject(source, bitmap);
        const HGDIOBJ oldTarget = SelectObject(target, result);
        SetStretchBltMode(target, smooth ? HALFTONE : COLORONCOLOR);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, drawn.bmWidth, drawn.bmHeight,
                   SRCCOPY);
        SelectObject(target, oldTarget);
        SelectObject(source, oldSource);
    }
    DeleteDC(target);
    DeleteDC(source);
    return result;
}
