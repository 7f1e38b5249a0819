// Sizes drawn by hand are given at 96 DPI and scaled for the DPI the window is shown at.
#pragma once

#include <windows.h>

// The DPI the system draws window at: its monitor's where the system tells each window's
// (per-monitor awareness), otherwise the system's.
UINT GetWindowDpi(HWND hWnd);
// pixels96 (a size at 96 DPI) for window, rounded to the nearest pixel.
int ScaleForWindow(HWND hWnd, int pixels96);
