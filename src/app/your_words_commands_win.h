// The history, Back and Forward and My Words in the main window: the commands, keys, timers
// and word box notifications that use them.
#pragma once
#include <windows.h>

#include "common/direction.h"

// Posted once start-up has shown and painted the window with its first article: the kept
// words are read then, so a long history never delays the first sight of the window. Posted
// messages come before any input, so no key or click finds them unread.
constexpr UINT readYourWordsMessage = WM_APP + 1;

// At start-up, once the dictionary is loaded: reads the files, fills the drop-down lists,
// loads the keys and watches the word boxes for Enter.
void startYourWords();
LRESULT onReadYourWords(HWND window, WPARAM wParam, LPARAM lParam);
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
