// Sizes drawn by hand are given at 96 DPI and scaled for the DPI the window is shown at.
#pragma once

#include <windows.h>

// The DPI the system draws window at: the one its top-level window was last told of by a
// change of DPI; else its monitor's where the system tells each window's (per-monitor
// awareness), otherwise the system's.
UINT GetWindowDpi(HWND hWnd);
// Keeps the DPI a top-level window has been told, for it and every window it owns or holds,
// so that sizes drawn by hand follow the change at once.
void SetToldDpi(HWND topLevel, UINT dpi);
// Before the window goes: the told DPI is dropped with it.
void ForgetToldDpi(HWND hWnd);
// pixels96 (a size at 96 DPI) for window, rounded to the nearest pixel.
int ScaleForWindow(HWND hWnd, int pixels96);
// The whole factor a picture drawn for 96 DPI is enlarged by for window: 1 below 192 DPI, 2
// from 192, and so on; whole factors keep pixel pictures crisp.
int WholeScaleForWindow(HWND hWnd);
// A new bitmap holding bitmap stretched to size: with colours averaged (smooth) or with
// pixels repeated and dropped. Null when it cannot be made.
HBITMAP CopyStretched(HBITMAP bitmap, SIZE size, bool smooth);
