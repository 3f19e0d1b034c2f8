#pragma once
// The DPI of the display a window is on, and the system's sizes and fonts for
// a DPI. Windows 10 (version 1607 on) answers for each display; Windows 8.1
// for each display through shcore; Windows 7 and 8 know one system DPI, which
// every answer falls back to. The newer functions are looked up at run time,
// so that the program still starts on Windows 7.
#include <windows.h>

namespace wisplet {

// The DPI the desktop had when the user logged on: what a program without
// DPI awareness is scaled by, and the scale of stored positions.
int SystemDpi();
// The DPI of the display the window is on.
int WindowDpi(HWND window);
// The DPI of the display nearest to a rectangle or a point of the screen.
int DpiOfRect(const RECT& r);
int DpiOfPoint(POINT p);

// GetSystemMetrics as it is at a DPI.
int SystemMetricForDpi(int index, int dpi);
// The menu, message and status fonts (and the other non-client metrics) at a DPI.
NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi);
// AdjustWindowRectEx (no menu bar) at a DPI.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi);

// The program's user-interface font, 8 points at `dpi`. At 96 DPI and below
// "MS Sans Serif", whose bitmaps are drawn for the screen; above, its
// TrueType twin "Microsoft Sans Serif", since the raster face has no sizes
// between its bitmaps and would be stretched.
HFONT CreateUiFont(int dpi, bool bold = false, bool underline = false);

// WM_DPICHANGED: the window's new DPI, and the move to the rectangle the
// system suggests (which keeps the part under the pointer under it).
int NewDpiOf(WPARAM wParam);
void MoveToSuggestedRect(HWND window, LPARAM lParam);
// The bounds a window takes when its DPI goes from `from` to `to` where the
// system suggests none: the same top-left corner, the size scaled.
RECT RescaledBounds(const RECT& bounds, int from, int to);

}  // namespace wisplet
