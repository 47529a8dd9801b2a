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
#include "dictionary/near_words_win.h"
#include "dictionary/word_list_win.h"

namespace {

// Puts the headwords into the list, none of them marked, and scrolls to its top.
void fillList(DirectionState& state, const HeadwordListing& listing) {
  showListedWords(state, listing.headwords.data(), listing.count);
  const HWND list = state.controls.wordList;
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
    clearDirection(state);
    state.view.links.clear();
    return nullptr;
  }
  return &file;
}

}  // namespace

void clearDirection(DirectionState& state) {
  const RedrawSuspended listRedraw(state.controls.wordList);
  const RedrawSuspended articleRedraw(state.controls.articleView);
  showListedWords(state, nullptr, 0);
  SetWindowTextW(state.controls.articleView, L"");
  state.view.headword.clear();
}

bool lookUpWord(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, bool* missed) {
  if (missed) *missed = false;
  try {
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 2);
    if (!file) return false;
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    const Lookup found = lookUp(file->search, state.own.search, state.direction, typed);
    if (found.listing.status == ListingStatus::Listed) {
      fillList(state, found.listing);
    } else {
      clearDirection(state);
    }
    showArticle(state, found.article(), typed, found.headword);
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
    const std::wstring headword = listedWordAt(state, static_cast<int>(mark));
    SetWindowTextW(state.controls.wordBox, headword.c_str());
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 1);
    if (!file) return false;
    const std::u16string typed = toCoreText(readWindowText(state.controls.wordBox));
    const Lookup found = lookUp(file->search, state.own.search, state.direction, typed);
    showArticle(state, found.article(), typed, found.headword);
    return true;
  } catch (...) {
    return false;
  }
}

bool showListedArticle(const LoadedDictionary& dictionary, DirectionState& state, HWND owner, int item) {
  if (item < 0) return false;
  try {
    const std::wstring headword = listedWordAt(state, item);
    if (headword.empty()) return false;
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 1);
    if (!file) return false;
    const std::u16string chosen = toCoreText(headword);
    const Lookup found = lookUp(file->search, state.own.search, state.direction, chosen);
    showArticle(state, found.article(), chosen, found.headword);
    return true;
  } catch (...) {
    return false;
  }
}

bool showArticleAgain(const LoadedDictionary& dictionary, DirectionState& state, HWND owner) {
  // A miss shows no headword's article but the nearest headwords, as plain text.
  if (state.view.headword.empty()) return showNearWords(dictionary, state) || lookUpWord(dictionary, state, owner);
  try {
    const DictionaryFile* file = searchableFile(dictionary, state, owner, 1);
    if (!file) return false;
    const std::u16string headword = state.view.headword;
    const Lookup found = lookUp(file->search, state.own.search, state.direction, headword);
    showArticle(state, found.article(), headword, found.headword);
    return true;
  } catch (...) {
    return false;
  }
}

bool typedTextHasArticle(const LoadedDictionary& dictionary, const DirectionState& state) {
  try {
    return wordHasArticle(dictionary, state, toCoreText(readWindowText(state.controls.wordBox)));
  } catch (...) {
    return false;
  }
}

bool wordHasArticle(const LoadedDictionary& dictionary, const DirectionState& state, std::u16string_view word) {
  if (!dictionary.loaded() || !dictionary.of(state.direction).text) return false;
  try {
    return lookUp(dictionary.of(state.direction).search, state.own.search, state.direction, std::u16string(word))
        .articleFound;
  } catch (...) {
    return false;
  }
}
