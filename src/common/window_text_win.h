// Reading the text that controls hold, at whatever length it has.
#pragma once
#include <windows.h>

#include <string>

// The whole text of a control.
std::wstring readWindowText(HWND control);
// The whole text of a list view item; empty when the item does not exist.
std::wstring readListItemText(HWND list, int item);
