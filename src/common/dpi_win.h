// The screen scale a window is shown at. Every size of the program's own layout is written
// for 96 DPI (100 %) and scaled with scaledForDpi; at 96 DPI each comes out unchanged.
// The per-monitor calls exist only on newer Windows, so they are looked up at run time and
// replaced by the screen's one DPI where they are missing.
#pragma once
#include <windows.h>

constexpr UINT baseDpi = 96;

// MulDiv(size, dpi, 96): rounds to the nearest pixel.
int scaledForDpi(int size, UINT dpi);
// The DPI of the monitor the window is on (GetDpiForWindow), or the screen's.
UINT dpiOfWindow(HWND window);
// The DPI the system's own metrics and stock fonts are made for.
UINT systemDpi();
// A system metric for the given DPI (GetSystemMetricsForDpi), or the metric for the
// system's DPI rescaled to it.
int systemMetricForDpi(int index, UINT dpi);
// Lets Windows scale the caption and menu of a window of a process that is aware of
// each monitor's DPI in the older form (first version); other forms need nothing.
void enableNonClientScaling(HWND window);
// Whether this process lays its windows out for each monitor's DPI itself.
bool isPerMonitorDpiAware();
