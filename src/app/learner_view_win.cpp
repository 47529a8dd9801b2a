#include "app/learner_view_win.h"

#include <commctrl.h>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "app/your_words_commands_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_view_win.h"
#include "dictionary/lookup_win.h"
#include "resource.h"
#include "settings/configuration_win.h"

namespace {

int schemeCount() { return static_cast<int>(toneSchemes().size()); }

// The submenu that holds "Off", wherever the menu bar has it.
HMENU toneColoursMenu() {
  const HMENU bar = GetMenu(app.mainWindow);
  for (int i = 0, popups = GetMenuItemCount(bar); i < popups; ++i) {
    const HMENU popup = GetSubMenu(bar, i);
    for (int j = 0, items = popup ? GetMenuItemCount(popup) : 0; j < items; ++j) {
      const HMENU sub = GetSubMenu(popup, j);
      if (sub && GetMenuState(sub, IDM_TONE_COLOURS_OFF, MF_BYCOMMAND) != static_cast<UINT>(-1)) return sub;
    }
  }
  return nullptr;
}

void applyToneColours(int choice) {
  if (const HMENU menu = toneColoursMenu()) {
    CheckMenuRadioItem(menu, IDM_TONE_COLOURS_OFF, IDM_TONE_COLOURS_OFF + schemeCount(), IDM_TONE_COLOURS_OFF + choice,
                       MF_BYCOMMAND);
  }
  for (DirectionState& tab : app.tabs) setToneScheme(tab, choice);
}

}  // namespace

void setUpToneColours() {
  if (const HMENU menu = toneColoursMenu()) {
    for (int i = 0; i < schemeCount() && IDM_TONE_COLOURS_FIRST + i <= IDM_TONE_COLOURS_LAST; ++i) {
      const std::wstring name = toWideText(toneSchemes()[static_cast<std::size_t>(i)].name);
      AppendMenuW(menu, MF_STRING, IDM_TONE_COLOURS_FIRST + i, name.c_str());
    }
  }
  applyToneColours(toneColoursChoice(app.settings, schemeCount()));
}

bool isToneColoursCommand(WORD id, int& choice) {
  if (id < IDM_TONE_COLOURS_OFF || id > IDM_TONE_COLOURS_LAST || id - IDM_TONE_COLOURS_OFF > schemeCount())
    return false;
  choice = id - IDM_TONE_COLOURS_OFF;
  return true;
}

void chooseToneColours(int choice) {
  applyToneColours(choice);
  storeToneColoursChoice(app.settings, choice);
  const std::u16string key(toneColoursKey);
  if (!updateConfiguration(Settings{{key, app.settings[key]}})) {
    showInfoMessage(app.mainWindow, L"The tone colours could not be saved to " + configurationFilePath() +
                                        L". The file or its folder may be read-only, or the disk full. The colours "
                                        L"chosen apply until the program ends.");
  }
  if (!app.dictionary.loaded()) return;
  for (DirectionState& tab : app.tabs) showArticleAgain(app.dictionary, tab, app.mainWindow);
  showSelectedTab();
}

void followWord(Direction direction, const std::wstring& word) {
  const Direction from = selectedTab();
  leaveShownWord();
  SendMessageW(app.tabControl, TCM_SETCURSEL, directionIndex(direction), 0);
  showSelectedTab();
  SetWindowTextW(tabOf(direction).controls.wordBox, word.c_str());
  lookUpWord();
  rememberFollowedWord(from, direction);
}

LRESULT onArticleViewInput(Direction direction, const MSGFILTER& input) {
  const ArticleLink* link = nullptr;
  switch (readLinkInput(tabOf(direction), input, &link)) {
    case LinkInput::None:
      return 0;
    case LinkInput::Handled:
      return 1;
    case LinkInput::Follow:
      break;
  }
  // The link lives in the view's state, which the lookup replaces.
  const Direction target = link->direction;
  const std::wstring word = toWideText(link->word);
  followWord(target, word);
  // The view finishes its own handling of a mouse button, so that it lets the mouse go.
  return input.msg == WM_LBUTTONUP ? 0 : 1;
}
