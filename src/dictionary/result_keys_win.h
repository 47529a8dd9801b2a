// The keys that move through a direction's results: from the word box into the word list,
// through the list, on to the article view and the Pronounce button, and back. The main
// window is no dialog, so Tab, Enter and the arrows reach the focused control and nothing
// moves the focus by itself; these give each of the four controls its keys.
#pragma once
#include <windows.h>

#include "dictionary/direction_state_win.h"

// What the keys of one direction act on. Lives as long as the controls do.
struct ResultKeyPaths {
  const DirectionControls* controls = nullptr;
  // Shows the article of the listed headword at this index; the word box keeps its text.
  void (*showListed)(int item) = nullptr;
  // Enter in the word list: what a double click does.
  void (*chooseListed)() = nullptr;
  // Enter in the word box.
  void (*enterInWordBox)() = nullptr;
  // True while the article view shows links: Tab then moves through them, in the view.
  bool (*viewHasLinks)() = nullptr;
};

// Takes a key-down message of the message loop that is addressed to one of the four
// controls and is one of their paths: Down and Tab in the word box move to the list on its
// first item, Enter there runs enterInWordBox; Enter in the list chooses, Escape anywhere
// returns to the word box with its text selected; Tab and Shift+Tab go round word box,
// list, article, Pronounce, except in an article view with links, where they move from link
// to link. While the word box's drop-down is open its keys are the drop-down's. True when it was taken: the message is
// then neither translated nor dispatched, so no control sees the key or the character it would make. Taken in the loop
// rather than by subclassing the controls, which would cost every one of the many messages a keystroke's lookup sends
// them.
bool takeResultKey(const ResultKeyPaths& paths, const MSG& message);

// Selects and focuses the list item (and scrolls to it) without moving the keyboard focus.
void markListedHeadword(HWND list, int item);

// Puts the keyboard focus into the word box with all its text selected.
void focusWordBox(const DirectionControls& controls);
