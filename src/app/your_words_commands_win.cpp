#include "app/your_words_commands_win.h"

#include "dictionary/lookup_win.h"

#include <memory>
#include <string>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "history/my_words_dialog_win.h"
#include "history/your_words_win.h"
#include "resource.h"

namespace {

// How long an article must stay shown before its word counts as looked at, and how long
// the history waits to be written after a change, so a burst of words is one write.
constexpr UINT settleMilliseconds = 1500;
constexpr UINT historySaveMilliseconds = 3000;

YourWordsState& yours() { return app.yourWords; }

// The word a tab shows: the headword its article was shown for (the typed text, or the
// listed word a click or an arrow key chose while the word box keeps what was typed),
// while that has an article (a miss's "No entry" text in the view is no article).
std::u16string shownWord(const DirectionState& tab) {
  if (GetWindowTextLengthW(tab.controls.articleView) <= 0 || !wordHasArticle(app.dictionary, tab, tab.view.headword))
    return {};
  return tab.view.headword;
}

void showHistoryOf(Direction direction) {
  showHistoryInWordBox(tabOf(direction).controls.wordBox, yours().words.of(direction).history);
}

void cancelSettle() {
  if (!yours().settlePending) return;
  KillTimer(app.mainWindow, TIMER_HISTORY_SETTLE);
  yours().settlePending = false;
}

// A word waiting to settle counts now, before Back or Forward moves away from it.
void settleNow() {
  if (!yours().settlePending) return;
  const Direction direction = yours().settleDirection;
  cancelSettle();
  rememberShownWord(direction);
}

void updateKeepCheckMark() {
  ensureYourWordsRead();
  const DirectionState& tab = tabOf(selectedTab());
  const std::u16string word = shownWord(tab);
  const bool kept = !word.empty() && findMyWord(yours().words, tab.direction, word).has_value();
  CheckMenuItem(GetMenu(app.mainWindow), IDM_EDIT_KEEP_IN_MY_WORDS, MF_BYCOMMAND | (kept ? MF_CHECKED : MF_UNCHECKED));
}

// Shows a word in the selected tab as typing it would, without counting it as looked at.
void showStep(const std::u16string& word) {
  const DirectionState& tab = tabOf(selectedTab());
  SetWindowTextW(tab.controls.wordBox, toWideText(word).c_str());
  lookUpWord();
  SendMessageW(tab.controls.wordBox, CB_SETEDITSEL, 0, MAKELPARAM(word.size(), word.size()));
  updateKeepCheckMark();
}

bool askToClearHistory(HWND owner) {
  return MessageBoxW(owner,
                     L"Clear the history of both tabs?\r\n\r\nThe words in the drop-down lists and the steps of Back "
                     L"and Forward are removed. My Words and their counts stay.",
                     L"Clear History", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

DWORD WINAPI readYourWordsOnWorker(void* window) {
  try {
    auto read = std::make_unique<ReadYourWords>(readYourWordsFiles());
    if (PostMessageW(static_cast<HWND>(window), readYourWordsMessage, 0, reinterpret_cast<LPARAM>(read.get()))) {
      read.release();  // the window's now
    }
  } catch (...) {
    // Out of memory: the window reads the files itself when it next needs them.
  }
  return 0;
}

void takeWords(ReadYourWords read) {
  yours().reader.reset();
  // Marked first: naming a damaged file runs a message box, whose loop may reach code that
  // asks for the words again.
  yours().loaded = true;
  takeReadYourWords(yours(), std::move(read), app.mainWindow);
  for (const Direction direction : bothDirections) showHistoryOf(direction);
}

}  // namespace

LRESULT onReadYourWords(HWND, WPARAM, LPARAM lParam) {
  std::unique_ptr<ReadYourWords> read(reinterpret_cast<ReadYourWords*>(lParam));
  if (read && !yours().loaded) takeWords(std::move(*read));
  return 0;
}

void ensureYourWordsRead() {
  if (yours().loaded) return;
  if (yours().reader) {
    WaitForSingleObject(yours().reader.get(), INFINITE);
    MSG message;
    if (PeekMessageW(&message, app.mainWindow, readYourWordsMessage, readYourWordsMessage, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
  // No thread, or it could not hand over what it read.
  if (!yours().loaded) takeWords(readYourWordsFiles());
}

void startYourWords() {
  for (const Direction direction : bothDirections) {
    watchWordBoxEnter(tabOf(direction).controls.wordBox, app.mainWindow, IDM_REMEMBER_SHOWN_WORD);
  }
  yours().keys = LoadAcceleratorsW(app.instance, MAKEINTRESOURCEW(IDR_YOUR_WORDS_KEYS));
  yours().reader.reset(CreateThread(nullptr, 0, readYourWordsOnWorker, app.mainWindow, 0, nullptr));
}

void saveYourWordsAtExit() {
  cancelSettle();
  // Nothing can have changed before the words were read; never written over unread.
  if (!yours().loaded) return;
  if (KillTimer(app.mainWindow, TIMER_HISTORY_SAVE)) saveHistory(yours(), nullptr);
}

bool translateYourWordsKeys(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (!yours().keys || !app.mainWindow) return false;
  if (message.hwnd != app.mainWindow && !IsChild(app.mainWindow, message.hwnd)) return false;
  return TranslateAcceleratorW(app.mainWindow, yours().keys, &message) != 0;
}

bool onWordBoxCommand(WORD id, WORD code) {
  if (id != IDC_WORD_BOX && id != IDC_WORD_BOX + 1) return false;
  if (code == CBN_SELCHANGE || code == CBN_SELENDOK || code == CBN_DROPDOWN) ensureYourWordsRead();
  const Direction direction = directionOfSelection(id - IDC_WORD_BOX);
  switch (code) {
    case CBN_SELCHANGE: {
      // The box's text changes only after this notice: the chosen item is the word.
      const std::wstring word = chosenHistoryWord(tabOf(direction).controls.wordBox);
      if (word.empty() || direction != selectedTab()) return true;
      SetWindowTextW(tabOf(direction).controls.wordBox, word.c_str());
      lookUpWord();
      // Moving through the list with the arrow keys shows each word; the one the user
      // stays on, or picks, counts as looked at.
      noteTypedLookup();
      return true;
    }
    case CBN_SELENDOK:
      // The list is still open: its items are refilled once it has closed.
      PostMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_REMEMBER_SHOWN_WORD, 0), 0);
      return true;
    case CBN_DROPDOWN:
      showHistoryOf(direction);
      return true;
    default:
      return false;
  }
}

void noteTypedLookup() {
  yours().settlePending = true;
  yours().settleDirection = selectedTab();
  SetTimer(app.mainWindow, TIMER_HISTORY_SETTLE, settleMilliseconds, nullptr);
}

void rememberShownWord(Direction direction) {
  if (yours().settlePending && yours().settleDirection == direction) cancelSettle();
  ensureYourWordsRead();
  const std::u16string word = shownWord(tabOf(direction));
  if (word.empty() || !rememberLookedAt(yours().words, direction, word)) return;
  showHistoryOf(direction);
  updateKeepCheckMark();
  SetTimer(app.mainWindow, TIMER_HISTORY_SAVE, historySaveMilliseconds, nullptr);
}

void rememberSelectedTabsWord() { rememberShownWord(selectedTab()); }

void leaveShownWord() { settleNow(); }

void rememberFollowedWord(Direction from, Direction to) {
  rememberShownWord(to);
  yours().linkReturn.reset();
  if (from != to) yours().linkReturn = YourWordsState::LinkReturn{from, to, shownWord(tabOf(to))};
}

void goBack() {
  ensureYourWordsRead();
  settleNow();
  const DirectionState& tab = tabOf(selectedTab());
  const std::u16string shown = toCoreText(readWindowText(tab.controls.wordBox));
  // Back from a word reached by a link in the other tab returns to that tab, which still
  // shows the word the link was in.
  if (const auto& link = yours().linkReturn; link && link->to == tab.direction && link->word == shown) {
    const Direction from = link->from;
    yours().linkReturn.reset();
    SendMessageW(app.tabControl, TCM_SETCURSEL, directionIndex(from), 0);
    showSelectedTab();
    updateKeepCheckMark();
    return;
  }
  if (const auto word = stepBack(yours().words.of(tab.direction).steps, shown)) showStep(*word);
}

void goForward() {
  ensureYourWordsRead();
  settleNow();
  const DirectionState& tab = tabOf(selectedTab());
  if (const auto word = stepForward(yours().words.of(tab.direction).steps)) showStep(*word);
}

void toggleShownWordInMyWords() {
  ensureYourWordsRead();
  const DirectionState& tab = tabOf(selectedTab());
  const std::u16string word = shownWord(tab);
  const KeptWordRule rule = checkKeptWord(word);
  if (rule != KeptWordRule::Kept) {
    showInfoMessage(app.mainWindow, toWideText(keptWordMessage(rule)));
    return;
  }
  const std::u16string article = toCoreText(readWindowText(tab.controls.articleView));
  rereadMyWords(yours());
  std::vector<MyWord> before = yours().words.myWords;
  const MyWordsChange change = toggleMyWord(yours().words, tab.direction, word, article, todayText());
  if (change == MyWordsChange::Full) {
    showInfoMessage(app.mainWindow, L"My Words holds " + std::to_wstring(maxMyWords) +
                                        L" words, as many as it can. Remove some to keep new ones.");
  } else if (change != MyWordsChange::Refused && !saveMyWords(yours(), app.mainWindow)) {
    yours().words.myWords = std::move(before);
  }
  updateKeepCheckMark();
}

void openMyWordsDialog() {
  ensureYourWordsRead();
  MyWordsDialog dialog{yours(), std::nullopt};
  if (!runMyWordsDialog(app.instance, app.mainWindow, dialog)) {
    updateKeepCheckMark();
    return;
  }
  const MyWord chosen = *dialog.chosen;
  SendMessageW(app.tabControl, TCM_SETCURSEL, directionIndex(chosen.direction), 0);
  showSelectedTab();
  showStep(chosen.word);
  rememberShownWord(chosen.direction);
}

void clearHistory(bool (*confirm)(HWND owner)) {
  ensureYourWordsRead();
  if (!confirm(app.mainWindow)) return;
  cancelSettle();
  clearHistory(yours().words);
  yours().linkReturn.reset();
  for (const Direction direction : bothDirections) showHistoryOf(direction);
  KillTimer(app.mainWindow, TIMER_HISTORY_SAVE);
  saveHistory(yours(), app.mainWindow);
}

void clearHistoryAfterAsking() { clearHistory(askToClearHistory); }

LRESULT onYourWordsTimer(HWND window, WPARAM wParam, LPARAM lParam) {
  if (wParam == TIMER_HISTORY_SETTLE) {
    settleNow();
  } else if (wParam == TIMER_HISTORY_SAVE) {
    KillTimer(app.mainWindow, TIMER_HISTORY_SAVE);
    saveHistory(yours(), app.mainWindow);
  } else {
    return DefWindowProcW(window, WM_TIMER, wParam, lParam);
  }
  return 0;
}

// The mouse's back and forward buttons: Windows turns them into these commands for the
// window under the mouse and passes them up to the main window.
LRESULT onAppCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  switch (GET_APPCOMMAND_LPARAM(lParam)) {
    case APPCOMMAND_BROWSER_BACKWARD:
      goBack();
      return TRUE;
    case APPCOMMAND_BROWSER_FORWARD:
      goForward();
      return TRUE;
    default:
      return DefWindowProcW(window, WM_APPCOMMAND, wParam, lParam);
  }
}

LRESULT onInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam) {
  updateKeepCheckMark();
  return DefWindowProcW(window, WM_INITMENUPOPUP, wParam, lParam);
}
