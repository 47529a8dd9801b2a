// Keeping the main window where the user left it: restored at start and from the tray,
// saved in Configuration.dat when the program ends.
#pragma once
#include <windows.h>

#include "settings/configuration.h"

// Shows the window for the first time: at the stored placement, moved onto a monitor
// that exists now, when the settings hold a valid one; otherwise as ShowWindow does with
// `showCommand`. A stored maximised window opens maximised unless the program was asked
// to start minimised, and then comes back maximised.
void showAtStoredPlacement(HWND window, const Settings& settings, int showCommand);

// Brings a minimised or maximised window back: a window that was maximised when it was
// minimised comes back maximised, any other in its normal size; either way onto a monitor
// that exists now.
void restoreWindow(HWND window);

// Stores the window's placement in the settings and, when the user has changed it since
// the start, it differs from what the file held and the file is not read-only, saves the
// file. A setting the file lacked is written
// with the value its absence meant. False when a save was needed and failed.
bool saveWindowPlacement(HWND window, Settings& settings);
