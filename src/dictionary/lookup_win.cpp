#include "dictionary/lookup_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "common/handles_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/article_files.h"
#include "dictionary/article_view_win.h"
#include "dictionary/lookup.h"

namespace {

void insertHeadword(HWND list, int index, std::u16string_view headword) {
  // The list copies the text; it needs it terminated.
  std::wstring text = toWideText(headword);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// Puts the headwords into the list, reusing the items it already has: deleting and
// re-inserting every item makes the list recompute its scroll bars twice per keystroke.
void fillList(HWND list, const HeadwordListing& listing) {
  const auto existing = static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
  for (std::size_t i = 0; i < listing.count; ++i) {
    if (i < existing) {
      std::wstring text = toWideText(listing.headwords[i]);
      LVITEMW item{};
      item.iSubItem = 0;
      item.pszText = text.data();
      SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    } else {
      insertHeadword(list, static_cast<int>(i), listing.headwords[i]);
    }
  }
  for (std::size_t i = existing; i > listing.count; --i) SendMessageW(list, LVM_DELETEITEM, i - 1, 0);
  LVITEMW cleared{};
  cleared.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&cleared));
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, -1);
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
}

// What the direction searches, or null while the dictionary is not loaded (the user is
// then told once for each control that was to be filled) or the direction's text could
// not be read (its controls are emptied).
const DictionaryFile* searchableFile(const LoadedDictionary& dictionary, DirectionState& state, HWND owner,
                                     int controlsToFill) {
  if (!dictionary.loaded()) {
    const std::wstring message = toWideText(missingArticleFileMessage());
    for (int i = 0; i < controlsToFill; ++i) showInfoMessage(owner, message);
    return nullptr;
  }
  const DictionaryFile& file = dictionary.of(state.direction);
  if (!file.text) {
    clearDirection(state.controls);
    state.view.links.clear();
    return nullptr;
  }
  return &file;
}

}  // namespace

void clearDirection(const DirectionControls& controls) {
  const RedrawSuspended listRedraw(controls.wordList);
  const RedrawSuspended articleRedraw(controls.articleView);
  SendMessageW(controls.wordList, LVM_DELETEALLITEMS, 0, 0);
  SetWindowTextW(controls.articleView, L"");
}

bool lookUpWord(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, bool* missed) {
  if (missed) *missed = false;
  try {
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 2);
    if (!file) return false;
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    const Lookup found = lookUp(file->search, state.own.search, state.direction, typed);
    if (found.listing.status == ListingStatus::Listed) {
      fillList(state.controls.wordList, found.listing);
    } else {
      clearDirection(state.controls);
    }
    showArticle(state, found.article(), typed);
    if (missed) *missed = !typed.empty() && found.listing.status != ListingStatus::Listed && !found.articleFound;
    return true;
  } catch (...) {
    // Out of memory while reading or copying: the lookup is dropped, the program goes on.
    return false;
  }
}

bool showChosenHeadword(const LoadedDictionary& dictionary, DirectionState& state, HWND owner) {
  const auto mark = SendMessageW(state.controls.wordList, LVM_GETSELECTIONMARK, 0, 0);
  // A double click below the items, with nothing marked, chooses nothing.
  if (mark < 0) return false;
  try {
    const std::wstring headword = readListItemText(state.controls.wordList, static_cast<int>(mark));
    SetWindowTextW(state.controls.wordBox, headword.c_str());
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 1);
    if (!file) return false;
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    const Lookup found = lookUp(file->search, state.own.search, state.direction, typed);
    showArticle(state, found.article(), typed);
    return true;
  } catch (...) {
    return false;
  }
}

bool showListedArticle(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, int item) {
  if (item < 0) return false;
  try {
    const std::wstring headword = readListItemText(state.controls.wordList, item);
    if (headword.empty()) return false;
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 1);
    if (!file) return false;
    const std::u16string chosen = toCoreText(headword);
    const Lookup found = lookUp(file->search, state.own.search, state.direction, chosen);
    showArticle(state, found.article(), chosen);
    return true;
  } catch (...) {
    return false;
  }
}

bool typedTextHasArticle(const LoadedDictionary& dictionary, const DirectionState& state) {
  if (!dictionary.loaded() || !dictionary.of(state.direction).text) return false;
  try {
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    return lookUp(dictionary.of(state.direction).search, state.own.search, state.direction, typed).articleFound;
  } catch (...) {
    return false;
  }
}
