// Tooltips naming what each toolbar button does: the pictures alone do not say it (an
// opening folder for further languages).
#pragma once
#include <windows.h>

// Gives the toolbar a tooltip control with one tool per button, its text from the string
// table. The toolbar passes the mouse to it and keeps each tool's rectangle on its button.
void addToolbarTips(HWND toolbar, HINSTANCE instance);
