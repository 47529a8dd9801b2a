// The "Own word article" dialog (resource 37900): the user adds, edits or deletes an own
// article of either direction.
#pragma once
#include <windows.h>

#include <string>

#include "dictionary/direction_state_win.h"

// The direction and headword the dialog opens with, and, after a save or a deletion, the
// direction and (trimmed) headword it changed.
struct OwnArticleChoice {
  Direction direction = Direction::EnglishChinese;
  std::wstring headword;
};

// The procedure of the dialog. Its creation parameter points to the dialog's own context,
// which runOwnArticleDialog makes.
INT_PTR CALLBACK ownArticleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog owned by `owner` on the choice's direction and headword. True when an own
// article was saved or deleted; `choice` then names it.
bool runOwnArticleDialog(HINSTANCE instance, HWND owner, DirectionStates& states, OwnArticleChoice& choice);
