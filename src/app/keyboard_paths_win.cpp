#include "app/keyboard_paths_win.h"

#include <array>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "app/your_words_commands_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/lookup_win.h"
#include "dictionary/result_keys_win.h"

namespace {

// The keys always act on the selected tab: the other tab's controls are hidden and cannot
// have the focus.
void showListed(int item) { showListedArticle(app.dictionary, tabOf(selectedTab()), app.mainWindow, item); }

void chooseListed() { showChosenHeadword(); }

// Enter in the word box: the typed text's own article, shown again if the list's arrows
// or a click showed another; when it has none, the first listed headword's. Either way the
// shown word counts as looked at, at once.
void enterInWordBox() {
  const DirectionState& tab = tabOf(selectedTab());
  if (!typedTextHasArticle(app.dictionary, tab)) {
    markListedHeadword(tab.controls.wordList, 0);
    showListed(0);
  } else if (tab.view.headword != toCoreText(readWindowText(tab.controls.wordBox))) {
    lookUpWord();
  }
  rememberSelectedTabsWord();
}

bool viewHasLinks() { return !tabOf(selectedTab()).view.links.empty(); }

std::array<ResultKeyPaths, 2> keyPaths;

}  // namespace

void addKeyboardPaths() {
  for (const DirectionState& tab : app.tabs) {
    ResultKeyPaths& paths = keyPaths[directionIndex(tab.direction)];
    paths.controls = &tab.controls;
    paths.showListed = showListed;
    paths.chooseListed = chooseListed;
    paths.enterInWordBox = enterInWordBox;
    paths.viewHasLinks = viewHasLinks;
  }
}

bool takeKeyboardPathKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  // Only the shown tab's controls can have the focus.
  return takeResultKey(keyPaths[directionIndex(selectedTab())], message);
}

namespace {

void onWordListItemChanged(const NMLISTVIEW& change) {
  const bool selected =
      (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
  if (!selected || change.iItem < 0) return;
  for (DirectionState& tab : app.tabs) {
    if (tab.controls.wordList == change.hdr.hwndFrom) {
      showListedArticle(app.dictionary, tab, app.mainWindow, change.iItem);
    }
  }
}

}  // namespace

void onWordListNotice(const NMHDR& header) {
  if (header.code == LVN_ITEMCHANGED) onWordListItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
}
