// The main window's controls: creation, layout at every paint, and the minimum size.
#pragma once
#include <windows.h>

// WM_CREATE: builds the toolbar, the tab control and both tabs' four controls.
LRESULT createMainWindowControls(HWND mainWindow, const CREATESTRUCTW* creation);
// Places every control from the main window's current client size.
void layoutMainWindow();
// WM_PAINT: lays the controls out and shows only the selected tab's four.
void paintMainWindow(HWND mainWindow);
// WM_GETMINMAXINFO: the smallest size at which the layout still works.
void setMinimumTrackingSize(MINMAXINFO* limits);
// The tab the tab control has selected, always 0 or 1.
int selectedTab();
