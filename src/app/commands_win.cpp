#include "app/commands_win.h"

#include <commctrl.h>
#include <richedit.h>

#include "app/app_state_win.h"
#include "app/learner_view_win.h"
#include "app/main_window_win.h"
#include "app/your_words_commands_win.h"
#include "app/keyboard_paths_win.h"
#include "app/near_words_timer_win.h"
#include "common/dpi_win.h"
#include "common/keyboard_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "desktop/about_help_win.h"
#include "desktop/capture_win.h"
#include "desktop/tray_win.h"
#include "dictionary/own_article_dialog_win.h"
#include "dictionary/own_articles_win.h"
#include "dictionary/print_win.h"
#include "dictionary/pronounce_win.h"
#include "dictionary/word_list_win.h"
#include "resource.h"
#include "settings/options_win.h"
#include "settings/window_placement_win.h"
#include "web/web_links.h"

namespace {

// ---- commands ----

void exitProgram() { DestroyWindow(app.mainWindow); }

void selectTab(Direction direction) {
  SendMessageW(app.tabControl, TCM_SETCURSEL, directionIndex(direction), 0);
  // Selecting a tab from the program sends no change notification, and uncovering the main
  // window need not repaint it: show the chosen tab's controls now.
  showSelectedTab();
}
void showEnglishChinese() { selectTab(Direction::EnglishChinese); }
void showChineseEnglish() { selectTab(Direction::ChineseEnglish); }

// The addresses go to the browser exactly as stored, blank included; escaping is its business.
void openDownloadPage() { shellOpen(toWideText(downloadUrl)); }
void openContactPage() { shellOpen(toWideText(contactUrl)); }

// The window state only: the stored AlwaysOnTop setting changes through the options.
void toggleAlwaysOnTop() { setAlwaysOnTop(!app.alwaysOnTop); }

void openOptionsDialog() {
  OptionsDialog options{app.settings, selectTab, setAlwaysOnTop};
  const INT_PTR result = DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_OPTIONS), app.mainWindow, optionsDialogProc,
                                         reinterpret_cast<LPARAM>(&options));
  // Save has applied always-on-top while the dialog was still up, and some window
  // managers leave a window that owns a shown dialog out of the top-most band: apply the
  // same state again now that the dialog is gone.
  if (result == IDC_OPTIONS_SAVE) setAlwaysOnTop(app.alwaysOnTop);
}

// The Edit commands act on the focused word box or article view as the user's own keys do.
void cutSelection() { sendControlKey(L'X'); }
void copySelection() { sendControlKey(L'C'); }
void pasteClipboard() { sendControlKey(L'V'); }

void restoreFromTray() {
  restoreWindow(app.mainWindow);
  SetForegroundWindow(app.mainWindow);
}

void openHelpOnFurtherLanguages() { openHelpSection(helpSectionFurtherLanguages); }

// The sizes of the texts the tabs search, for the About box: a direction without one
// shows "not loaded".
void openAboutBox() {
  LoadedSizes sizes;
  const auto sizeOf = [](Direction direction) -> std::optional<std::uint32_t> {
    const DictionaryFile& file = app.dictionary.of(direction);
    if (!file.text) return std::nullopt;
    return file.bytes.size;
  };
  sizes.englishChinese = sizeOf(Direction::EnglishChinese);
  sizes.chineseEnglish = sizeOf(Direction::ChineseEnglish);
  showAboutBox(app.instance, app.mainWindow, sizes);
}

void pronounceCurrentWord() { pronounceWord(app.mainWindow, tabOf(selectedTab())); }

void printCurrentArticle() { printShownArticle(app.mainWindow, tabOf(selectedTab())); }

// Toolbar button 10501 and Edit, "Own Word Article...": the dialog opens on the current
// tab's direction and word; after a save or a deletion, the tab of the direction it changed
// looks the headword up, so the user sees the result at once.
void openOwnArticleDialog() {
  const DirectionState& current = tabOf(selectedTab());
  OwnArticleChoice choice{current.direction, readWindowText(current.controls.wordBox)};
  // The own article the view shows, when the typed text found its headword in another
  // spelling ("Tea" for "tea"): editing it, not starting a second one.
  const std::u16string& found = current.view.colouredFor;
  if (!found.empty() && ownArticleOf(current, toCoreText(choice.headword)).empty() &&
      !ownArticleOf(current, found).empty()) {
    choice.headword = toWideText(found);
  }
  if (!runOwnArticleDialog(app.instance, app.mainWindow, app.tabs, choice)) return;
  selectTab(choice.direction);
  SetWindowTextW(tabOf(choice.direction).controls.wordBox, choice.headword.c_str());
  lookUpWord();
}

// Greyed menu items and the Save button: nothing to do.
void doNothing() {}

struct CommandRoute {
  WORD id;
  void (*run)();
};

constexpr CommandRoute mainCommands[] = {
    {IDM_LOOKUP_AND_ABOUT, openAboutBox},
    {IDM_EXIT, exitProgram},
    {IDM_FILE_NEW, doNothing},
    {IDM_FILE_OPEN, doNothing},
    {IDM_FILE_PRINT, doNothing},
    {IDM_FILE_PRINT_PREVIEW, doNothing},
    {IDM_EDIT_CUT, cutSelection},
    {IDM_EDIT_COPY, copySelection},
    {IDM_EDIT_PASTE, pasteClipboard},
    {IDM_VIEW_ENGLISH_CHINESE, showEnglishChinese},
    {IDM_VIEW_CHINESE_ENGLISH, showChineseEnglish},
    {IDM_VIEW_ALWAYS_ON_TOP, toggleAlwaysOnTop},
    {IDM_TOOLS_OPTIONS, openOptionsDialog},
    {IDM_HELP_SEARCH, openHelpPage},
    {IDM_HELP_CONTENTS, openHelpPage},
    {IDM_HELP_CHECK_UPDATES, openDownloadPage},
    {IDM_HELP_TECHNICAL_SUPPORT, openContactPage},
    {IDM_HELP_ABOUT, openAboutBox},
    {IDM_TRAY_SHOW, restoreFromTray},
    {IDM_TRAY_EXIT, exitProgram},
    {IDC_PRONOUNCE, pronounceCurrentWord},
    {IDC_PRONOUNCE + 1, pronounceCurrentWord},
    {IDT_NEW_ARTICLE, openOwnArticleDialog},
    {IDT_NEW_LANGUAGE, openHelpOnFurtherLanguages},
    {IDT_SAVE, doNothing},
    {IDT_PRINT, printCurrentArticle},
    {IDT_CUT, cutSelection},
    {IDT_COPY, copySelection},
    {IDT_PASTE, pasteClipboard},
    {IDT_HELP, openHelpPage},
    {IDM_EDIT_KEEP_IN_MY_WORDS, toggleShownWordInMyWords},
    {IDM_VIEW_BACK, goBack},
    {IDM_VIEW_FORWARD, goForward},
    {IDM_VIEW_MY_WORDS, openMyWordsDialog},
    {IDM_VIEW_CLEAR_HISTORY, clearHistoryAfterAsking},
    {IDM_REMEMBER_SHOWN_WORD, rememberSelectedTabsWord},
};

constexpr bool commandIdsAreUnique() {
  for (const auto& a : mainCommands) {
    int seen = 0;
    for (const auto& b : mainCommands) seen += a.id == b.id;
    if (seen != 1) return false;
  }
  return true;
}
static_assert(commandIdsAreUnique(), "a command id is routed twice");

// ---- messages ----

LRESULT onCreate(HWND window, WPARAM, LPARAM lParam) {
  return createMainWindowControls(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
}

LRESULT onPaint(HWND window, WPARAM, LPARAM) {
  paintMainWindow(window);
  return 0;
}

// Before the frame exists, so that Windows scales the caption and menu for each monitor too.
LRESULT onNonClientCreate(HWND window, WPARAM wParam, LPARAM lParam) {
  enableNonClientScaling(window);
  return DefWindowProcW(window, WM_NCCREATE, wParam, lParam);
}

// The window has moved to a monitor of another scale, or the scale has been changed: the new
// DPI is in both halves of wParam, the rectangle Windows suggests in lParam.
LRESULT onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  changeWindowDpi(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
  return 0;
}

LRESULT onGetMinMaxInfo(HWND, WPARAM, LPARAM lParam) {
  setMinimumTrackingSize(reinterpret_cast<MINMAXINFO*>(lParam));
  return 0;
}

// The class redraws the whole window at every size change, and the paint lays it out.
LRESULT answerZero(HWND, WPARAM, LPARAM) { return 0; }

LRESULT onNotify(HWND, WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  const auto sender = static_cast<int>(wParam);
  if (sender == IDC_TAB_CONTROL && header->code == TCN_SELCHANGE) showSelectedTab();
  if ((sender == IDC_WORD_LIST || sender == IDC_WORD_LIST + 1) && header->code == NM_DBLCLK) showChosenHeadword();
  // Keys and clicks in an article view, for its links.
  if ((sender == IDC_ARTICLE_VIEW || sender == IDC_ARTICLE_VIEW + 1) && header->code == EN_MSGFILTER) {
    return onArticleViewInput(directionOfSelection(sender - IDC_ARTICLE_VIEW),
                              *reinterpret_cast<const MSGFILTER*>(lParam));
  }
  // A word list draws an item: it asks for the item's word.
  if ((sender == IDC_WORD_LIST || sender == IDC_WORD_LIST + 1) && header->code == LVN_GETDISPINFOW) {
    answerListedWordRequest(tabOf(directionOfSelection(sender - IDC_WORD_LIST)),
                            *reinterpret_cast<NMLVDISPINFOW*>(lParam));
    return 0;
  }
  // Single clicks, the arrow keys, Enter, Tab and Escape in a word list.
  if (sender == IDC_WORD_LIST || sender == IDC_WORD_LIST + 1) onWordListNotice(*header);
  return 0;
}

// Closing the window only minimises it: the program lives on in the notification area and
// ends through its Exit commands.
LRESULT onClose(HWND window, WPARAM, LPARAM) {
  ShowWindow(window, SW_MINIMIZE);
  return 0;
}

LRESULT onDestroy(HWND, WPARAM, LPARAM) {
  shutDownApplication();
  return 0;
}

// Windows ends the process soon after this returns, without destroying the window: what an
// exit saves is saved now.
LRESULT onEndSession(HWND window, WPARAM ending, LPARAM) {
  if (ending) {
    saveYourWordsAtExit();
    saveWindowPlacement(window, app.settings);
  }
  return 0;
}

LRESULT onHotKey(HWND, WPARAM wParam, LPARAM) {
  onCaptureHotKey(app.capture, wParam);
  return 0;
}

LRESULT onDrawClipboard(HWND, WPARAM wParam, LPARAM lParam) {
  if (onClipboardChanged(app.capture, wParam, lParam)) {
    lookUpCapturedText();
    app.capture.pending = false;
  }
  return 0;
}

LRESULT onChangeClipboardChain(HWND, WPARAM wParam, LPARAM lParam) {
  onClipboardChainChanged(app.capture, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
  return 0;
}

// Only the release of the right button opens the menu; clicks and moves over the icon
// change nothing. Every notice then takes the default processing. While a dialog or message
// box of the program is open (the main window is disabled under it), the notice arrives
// through that box's own loop: Exit chosen then would tear the program down beneath the
// code waiting for the box, so the box is brought forward instead of the menu.
LRESULT onTrayNotification(HWND window, WPARAM wParam, LPARAM lParam) {
  if (window == app.mainWindow && wParam == trayIconId && lParam == WM_RBUTTONUP) {
    if (IsWindowEnabled(app.mainWindow)) {
      showTrayMenu(app.mainWindow, app.instance, IDR_TRAY_MENU);
    } else {
      if (IsIconic(app.mainWindow)) ShowWindow(app.mainWindow, SW_SHOWNOACTIVATE);
      const HWND box = GetWindow(app.mainWindow, GW_ENABLEDPOPUP);
      SetForegroundWindow(box ? box : GetLastActivePopup(app.mainWindow));
    }
  }
  return DefWindowProcW(window, trayCallbackMessage, wParam, lParam);
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  // A choice from a word box's history list looks up the chosen word itself.
  if (onWordBoxCommand(id, code)) return 0;
  // Edits in a word box (5) and selections or accelerators (1) look the word up first.
  if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) lookUpWord();
  if (code == CBN_EDITCHANGE) noteTypedLookup();
  int toneColours = 0;
  if (isToneColoursCommand(id, toneColours)) {
    chooseToneColours(toneColours);
    return 0;
  }
  for (const auto& route : mainCommands) {
    if (route.id == id) {
      route.run();
      return 0;
    }
  }
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

// The main window's timers: the pause after a miss, and the history's settle and save.
LRESULT onTimer(HWND window, WPARAM timer, LPARAM lParam) {
  if (isNearWordsTimer(timer)) return onNearWordsTimer(window, timer, lParam);
  return onYourWordsTimer(window, timer, lParam);
}

struct MessageRoute {
  UINT message;
  LRESULT (*handle)(HWND, WPARAM, LPARAM);
};

constexpr MessageRoute mainMessages[] = {
    {WM_NCCREATE, onNonClientCreate},
    {WM_CREATE, onCreate},
    {WM_DPICHANGED, onDpiChanged},
    {WM_DESTROY, onDestroy},
    {WM_ENDSESSION, onEndSession},
    {WM_PAINT, onPaint},
    {WM_GETMINMAXINFO, onGetMinMaxInfo},
    {WM_CLOSE, onClose},
    {WM_SIZE, answerZero},
    {WM_SIZING, answerZero},
    {WM_KEYUP, answerZero},
    {WM_RBUTTONDBLCLK, answerZero},
    {WM_COMMAND, onCommand},
    {WM_NOTIFY, onNotify},
    {WM_HOTKEY, onHotKey},
    {WM_DRAWCLIPBOARD, onDrawClipboard},
    {WM_CHANGECBCHAIN, onChangeClipboardChain},
    {trayCallbackMessage, onTrayNotification},
    {WM_TIMER, onTimer},
    {WM_APPCOMMAND, onAppCommand},
    {WM_INITMENUPOPUP, onInitMenuPopup},
    {readYourWordsMessage, onReadYourWords},
};

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A restarted shell starts with an empty notification area and says so with a message
  // whose number is only known at run time.
  if (message == taskbarCreatedMessage() && message != 0) {
    restoreTrayIcon(app.trayIconData);
    return 0;
  }
  for (const auto& route : mainMessages) {
    if (route.message == message) return route.handle(window, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
