// A lookup that found nothing, in the window: the word list offers the nearest headwords
// and the article view says that nothing was found and names them.
#pragma once
#include <windows.h>

#include "dictionary/article_files_win.h"
#include "dictionary/direction_state_win.h"

// When the direction's word box text still finds nothing, lists its nearest headwords in
// the word list (where a click, the arrows or Enter show them) and puts "No entry for ..."
// with them into the article view. True when it did; text that finds something now, or a
// dictionary not loaded, changes nothing.
bool showNearWords(const LoadedDictionary& dictionary, DirectionState& state);
