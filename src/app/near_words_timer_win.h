// The nearest-word search waits until typing pauses, so that it never slows a keystroke.
#pragma once
#include <windows.h>

// After every lookup of the selected tab: a miss (re)starts that tab's pause timer,
// anything found stops it.
void scheduleNearWords(bool missed);

// Whether a WM_TIMER is one of the tabs' pauses.
bool isNearWordsTimer(WPARAM timer);

// WM_TIMER: the pause is over; the miss of the tab it was started for shows its nearest
// headwords.
LRESULT onNearWordsTimer(HWND window, WPARAM timer, LPARAM);
