// The history, Back and Forward and My Words in the main window: the commands, keys, timers
// and word box notifications that use them.
#pragma once
#include <windows.h>

#include "common/direction.h"

// Start-up reads the kept words on a thread of their own while it loads the dictionary;
// the thread posts what it read to the main window with this message (lParam: the
// ReadYourWords, which the window takes and frees).
constexpr UINT readYourWordsMessage = WM_APP + 1;

// At start-up, once the main window exists: starts reading the files, loads the keys and
// watches the word boxes for Enter. The drop-down lists are filled once the words are read.
void startYourWords();
LRESULT onReadYourWords(HWND window, WPARAM wParam, LPARAM lParam);
// Waits for the kept words if they are still being read, and takes them: everything that
// shows, counts or changes them calls this first.
void ensureYourWordsRead();
// At shutdown: writes a history that has changed since it was last written.
void saveYourWordsAtExit();

// A message addressed to the main window or one of its controls: Alt+Left, Alt+Right and
// Ctrl+D become commands of the main window. True when the message was taken.
bool translateYourWordsKeys(MSG& message);

// A word box notification handled here (a drop-down choice, the list opening); true when
// taken, and the command goes no further.
bool onWordBoxCommand(WORD id, WORD code);
// After a lookup from typing: the word counts as looked at once it stays shown a moment.
void noteTypedLookup();
// The shown word of a tab counts as looked at now (a double click, a capture, Enter).
void rememberShownWord(Direction direction);
// Around following a link: before, the word being left counts as looked at (so Back can
// return to it); after, the word reached counts, and Back in another tab returns here.
void leaveShownWord();
void rememberFollowedWord(Direction from, Direction to);

// Commands.
void goBack();
void goForward();
void toggleShownWordInMyWords();
void openMyWordsDialog();
void clearHistoryAfterAsking();
void rememberSelectedTabsWord();

// Messages.
LRESULT onYourWordsTimer(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT onAppCommand(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT onInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam);

// Clears both histories when `confirm` agrees; the command asks the user.
void clearHistory(bool (*confirm)(HWND owner));
