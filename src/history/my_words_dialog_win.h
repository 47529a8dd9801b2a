// The "My Words" dialog: the kept words with their reading, first sense, date added and
// number of lookups, sorted by a click on a column; removes words, looks one up on a double
// click and exports them to a flashcard file.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "history/your_words_win.h"

// What the dialog works on and, after a double click, the word to look up.
struct MyWordsDialog {
  YourWordsState& state;
  std::optional<MyWord> chosen;
};

// Runs the modal dialog (resource IDD_MY_WORDS) owned by `owner`. True when a word was
// double-clicked: it is in dialog.chosen.
bool runMyWordsDialog(HINSTANCE instance, HWND owner, MyWordsDialog& dialog);

// Tests put a chooser in the place of the save dialog; null restores it. The chooser gives
// the path to export to, or an empty string for a cancel.
void setExportPathChooserForTesting(std::wstring (*chooser)(HWND owner));
