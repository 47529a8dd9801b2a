// The learner's view in the window: the View menu's "Tone Colours" choice, applied to both
// article views and kept in Configuration.dat, and the words followed from an article.
#pragma once
#include <windows.h>
#include <richedit.h>

#include "common/direction.h"

// Adds the schemes by name after "Off" in the View menu's "Tone Colours" submenu and
// applies the stored choice to both views, checking its item. At start, before the first
// lookup.
void setUpToneColours();
// A "Tone Colours" item: 0 is "Off", 1 and on the schemes. Applies, stores and saves the
// choice and shows both tabs' articles again in it.
void chooseToneColours(int choice);
// Whether a command id is one of the "Tone Colours" items, and which.
bool isToneColoursCommand(WORD id, int& choice);
// EN_MSGFILTER from a direction's article view: moves through its links or follows one.
// Nonzero when the input was used and the view must not act on it.
LRESULT onArticleViewInput(Direction direction, const MSGFILTER& input);
// Looks a followed word up in its direction's tab, as typing it there would.
void followWord(Direction direction, const std::wstring& word);
