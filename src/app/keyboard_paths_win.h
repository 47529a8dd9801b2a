// The keyboard's and the single click's ways through the results of both tabs.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Gives both tabs' word box, word list, article view and Pronounce button their keys.
// Called once the controls exist.
void addKeyboardPaths();

// The message loop's turn: true when the key-down message took one of the keyboard paths
// and must not be translated or dispatched.
bool takeKeyboardPathKey(const MSG& message);

// The notices of a word list: an item that has just become selected (LVN_ITEMCHANGED), by
// an arrow key or a single click, shows its headword's article.
void onWordListNotice(const NMHDR& header);
