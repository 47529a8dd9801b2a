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
