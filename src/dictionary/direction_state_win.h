// What the window keeps for each direction: its four controls and the user's own articles.
// The window holds one for each tab and lends them to the lookups, the dialogs and the
// commands that work on one direction.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "common/direction.h"
#include "dictionary/article_format.h"
#include "dictionary/word_search.h"

struct DirectionControls {
  HWND wordBox = nullptr;
  HWND pronounceButton = nullptr;
  HWND wordList = nullptr;
  HWND articleView = nullptr;
};

// The user's own articles of one direction, as their file holds them.
struct OwnArticleTexts {
  std::u16string text;
  // `text` as the word search reads it.
  ArticleText search;
  // Unreadable at start: the file is copied aside before it is first replaced.
  bool fileDamaged = false;
};

// How the article view presents articles, and the words of the shown one that can be
// followed.
struct ArticleViewState {
  // 0: the article as plain text; 1 and on: coloured by toneSchemes()[toneScheme - 1].
  int toneScheme = 0;
  // In view positions, in text order; empty in the plain view.
  std::vector<ArticleLink> links;
  // The link Tab has moved to, or -1.
  int focusedLink = -1;
  // The view has been given formatted text since it was last reset to the plain look.
  bool formatted = false;
  // The headword the shown article is coloured for: the listed one a click or an arrow key
  // chose, while the word box keeps what was typed.
  std::u16string headword;
  // The headword the reading lines are coloured for: the one found, which differs from the
  // text looked up when another spelling of it found the article ("tea" for "Tea", "水"
  // for "水。").
  std::u16string colouredFor;
};

struct DirectionState {
  Direction direction = Direction::EnglishChinese;
  DirectionControls controls;
  OwnArticleTexts own;
  ArticleViewState view;
  // What the word list shows, item by item (see word_list_win.h).
  std::vector<std::wstring> listedWords;
};

// Both directions, in tab order (directionIndex).
using DirectionStates = std::array<DirectionState, 2>;

// The state of both directions before anything is created or loaded.
inline DirectionStates newDirectionStates() {
  DirectionStates states;
  for (const Direction direction : bothDirections) states[directionIndex(direction)].direction = direction;
  return states;
}
