#include "dictionary/near_words_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/handles_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/lookup.h"
#include "dictionary/near_words.h"

bool showNearWords(const LoadedDictionary& dictionary, const DirectionState& state) {
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
    const HWND list = state.controls.wordList;
    {
      const RedrawSuspended listRedraw(list);
      SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
      for (std::size_t i = 0; i < suggestions.size(); ++i) {
        std::wstring text = toWideText(suggestions[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      }
    }
    const RedrawSuspended articleRedraw(state.controls.articleView);
    SetWindowTextW(state.controls.articleView, toWideText(noEntryMessage(typed, suggestions)).c_str());
    return true;
  } catch (...) {
    // Out of memory: the miss stays shown as it was.
    return false;
  }
}
