// The nearest-word search waits until typing pauses, so that it never slows a keystroke.
#pragma once
#include <windows.h>

// After every lookup of the selected tab: a miss (re)starts the pause timer, anything
// found stops it.
void scheduleNearWords(bool missed);

// WM_TIMER: the pause is over; the selected tab's miss shows its nearest headwords.
LRESULT onNearWordsTimer(HWND window, WPARAM timer, LPARAM);
