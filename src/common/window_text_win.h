// Reading the text that controls hold, at whatever length it has.
#pragma once
#include <windows.h>

#include <string>

// The whole text of a control.
std::wstring readWindowText(HWND control);
