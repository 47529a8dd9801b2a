// The main window's controls: creation, layout, fonts, which tab shows, and the minimum size.
// Each of the three is decided in one function, called wherever it may change.
#pragma once
#include <windows.h>

#include "common/direction.h"

// WM_CREATE: builds the toolbar, the tab control and both tabs' four controls, gives them
// their fonts, lays them out and shows the selected tab's.
LRESULT createMainWindowControls(HWND mainWindow, const CREATESTRUCTW* creation);
// Places every control from the main window's current client size: at creation, at every
// paint (the class repaints at every size change) and after a DPI change.
void layOutMainWindow(HWND mainWindow);
// Shows the selected tab's four controls and hides the other tab's.
void showSelectedTab();
// WM_PAINT: lays the controls out and shows only the selected tab's four.
void paintMainWindow(HWND mainWindow);
// WM_GETMINMAXINFO: the smallest size at which the layout still works.
void setMinimumTrackingSize(MINMAXINFO* limits);
// The main window's size when it is created: 380 by 323 at 96 DPI, scaled to the system's DPI.
SIZE initialWindowSize();
// WM_DPICHANGED: the window has moved to a monitor of another DPI. Makes the fonts, the
// word lists' column and the toolbar images for it, takes the rectangle Windows suggests
// and lays the controls out again; the controls and what they hold stay as they are.
void changeWindowDpi(HWND mainWindow, UINT dpi, const RECT& suggested);
// Gives the window the big and small icons drawn for the DPI.
void setWindowIconsFor(HWND mainWindow, UINT dpi);
// The direction of the tab the tab control has selected.
Direction selectedTab();
