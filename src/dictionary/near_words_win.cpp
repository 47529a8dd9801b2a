#include "dictionary/near_words_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/handles_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/lookup.h"
#include "dictionary/near_words.h"
#include "dictionary/word_list_win.h"

bool showNearWords(const LoadedDictionary& dictionary, DirectionState& state) {
  if (!dictionary.loaded()) return false;
  const DictionaryFile& file = dictionary.of(state.direction);
  if (!file.text) return false;
  try {
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    if (typed.empty()) return false;
    // The box may have changed since the miss: a chosen headword, a capture.
    const Lookup found = lookUp(file.search, state.own.search, state.direction, typed);
    if (found.listing.status == ListingStatus::Listed || found.articleFound) return false;

    const std::vector<std::u16string_view> suggestions = nearestHeadwords(file.search, typed, state.direction);
    {
      const RedrawSuspended listRedraw(state.controls.wordList);
      showListedWords(state, suggestions.data(), suggestions.size());
    }
    const RedrawSuspended articleRedraw(state.controls.articleView);
    SetWindowTextW(state.controls.articleView, toWideText(noEntryMessage(typed, suggestions)).c_str());
    state.view.headword.clear();
    return true;
  } catch (...) {
    // Out of memory: the miss stays shown as it was.
    return false;
  }
}
