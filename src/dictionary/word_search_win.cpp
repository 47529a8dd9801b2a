#include "dictionary/word_search_win.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "common/globals.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/article_view_win.h"
#include "dictionary/lookup_win.h"
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

}  // namespace

void searchHeadwords() {
  if (!articleTextsLoaded()) {
    showInfoMessage(toWideText(missingArticleFileMessage()));
    return;
  }
  const int tab = selectedTab();
  const HWND list = app.wordLists[tab];
  const RedrawSuspended listRedraw(list);
  const RedrawSuspended articleRedraw(app.articleViews[tab]);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  if (!app.tabText[tab]) {
    clearTab(tab);
    return;
  }
  const std::u16string word = toCoreText(readWindowText(app.wordBoxes[tab]));
  const HeadwordListing listing = listHeadwords(app.searchTexts[tab], word);
  if (listing.status != ListingStatus::Listed) {
    clearTab(tab);
    return;
  }
  for (std::size_t i = 0; i < listing.count; ++i) insertHeadword(list, static_cast<int>(i), listing.headwords[i]);
}

void lookUpWord() {
  searchHeadwords();
  showArticle();
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
  lookUpWord();
}
