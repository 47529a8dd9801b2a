// Helpers shared by the word list and the article view.
#pragma once
#include <windows.h>

#include <string>

// False while either article file is missing or empty: lookups then tell the user.
bool articleTextsLoaded();
// The whole text of a control.
std::wstring readWindowText(HWND control);
// Empties a tab's word list and article view.
void clearTab(int tab);

// Holds a control's drawing while it is refilled, then repaints it once: a list or rich edit
// control that redraws at every change makes each keystroke many times slower.
struct RedrawSuspended {
  explicit RedrawSuspended(HWND control) : control(control) { SendMessageW(control, WM_SETREDRAW, FALSE, 0); }
  ~RedrawSuspended() {
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;
  HWND control;
};
