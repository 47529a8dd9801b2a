#include "dictionary/word_search_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "common/globals.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/article_view_win.h"
#include "dictionary/lookup_win.h"
#include "dictionary/own_articles.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"

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

}  // namespace

void searchHeadwords(const OwnLookup* own) {
  if (!articleTextsLoaded()) {
    showInfoMessage(toWideText(missingArticleFileMessage()));
    return;
  }
  const int tab = selectedTab();
  const HWND list = app.wordLists[tab];
  if (!app.tabText[tab]) {
    clearTab(tab);
    return;
  }
  const std::u16string word = toCoreText(readWindowText(app.wordBoxes[tab]));
  // Own headwords take their places among the dictionary's; text that begins no own
  // headword lists exactly what the dictionary lists.
  const HeadwordListing listing = mergedListing(own ? own->listing : listHeadwords(app.ownSearchTexts[tab], word),
                                                listTypedWord(app.searchTexts[tab], word, tab));
  if (listing.status != ListingStatus::Listed) {
    clearTab(tab);
    return;
  }
  fillList(list, listing);
}

void lookUpWord() {
  // One search of the own articles serves the list and the article view.
  std::optional<OwnLookup> own;
  try {
    const int tab = selectedTab();
    own = lookUpOwnArticles(app.ownSearchTexts[tab], toCoreText(readWindowText(app.wordBoxes[tab])));
  } catch (...) {
    // Out of memory while reading the word box: the two parts look up on their own.
  }
  searchHeadwords(own ? &*own : nullptr);
  showArticle(own ? &*own : nullptr);
}

void lookUpCapturedText() {
  try {
    if (!app.capturedText) return;
    SetWindowTextW(app.wordBoxes[selectedTab()], app.capturedText);
    lookUpWord();
  } catch (...) {
    // Out of memory while looking up: the lookup is dropped, the program goes on.
  }
}

void showInitialWord() {
  SetWindowTextW(app.wordBoxes[0], toWideText(initialEnglishWord).c_str());
  // The window has just been shown and not yet painted: filling its list item by item with
  // drawing on makes the list lay itself out and size its scroll bars after every insert,
  // which at start-up cost up to a second under Wine. One paint afterwards shows the same.
  const RedrawSuspended listDrawing(app.wordLists[selectedTab()]);
  lookUpWord();
}
