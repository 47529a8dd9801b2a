// A direction's lookup in the window: the word box read once, the word list and the
// article view filled from one portable lookup.
#pragma once
#include <windows.h>

#include "dictionary/article_files_win.h"
#include "dictionary/direction_state_win.h"

// Looks up what the direction's word box holds and fills its word list and article view.
// While the dictionary is not loaded it tells the user instead, in "Info Message" boxes
// owned by `owner`, once for the list and once for the article, and changes nothing. True
// when the article view was filled (found or empty). `missed`, when given, tells whether
// the text found nothing at all: no article, and no headword begins with it.
bool lookUpWord(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, bool* missed = nullptr);

// After a double click in the direction's word list: the chosen headword goes to the word
// box, read at its full length, and its article is shown; the list stays as it is. True
// when the article view was filled.
bool showChosenHeadword(const LoadedDictionary& dictionary, DirectionState& state, HWND owner);

// The article of the listed headword at `item`, shown while the word box keeps what was
// typed: for the arrow keys and single clicks in the word list. True when the view was filled.
bool showListedArticle(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, int item);

// Shows the direction's article again as it is shown now, in the view's present look (a
// changed colour scheme or screen scale): the article of the headword it was shown for, or
// the nearest headwords of a miss. The word box and the word list stay as they are. True
// when the view was filled.
bool showArticleAgain(const LoadedDictionary& dictionary, DirectionState& state, HWND owner);

// Whether the word box text itself has an article (found as a lookup finds it).
bool typedTextHasArticle(const LoadedDictionary& dictionary, const DirectionState& state);

// Whether `word` has an article in the direction (found as a lookup finds it).
bool wordHasArticle(const LoadedDictionary& dictionary, const DirectionState& state, std::u16string_view word);

// Empties a direction's word list and article view.
void clearDirection(DirectionState& state);
