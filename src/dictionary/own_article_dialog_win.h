// The "Own word article" dialog (resource 37900): the user adds, edits or deletes an own
// article of either direction.
#pragma once
#include <windows.h>

// The procedure of the dialog. Its creation parameter points to an OwnArticleChoice.
INT_PTR CALLBACK ownArticleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Toolbar button 10501 and Edit, "Own Word Article...": opens the dialog on the current
// tab's direction and word; after a save or a deletion, that tab looks the headword up.
void openOwnArticleDialog();
