#include "app/commands_win.h"

#include "app/app_state_win.h"

#include <commctrl.h>

#include "app/main_window_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_view_win.h"
#include "dictionary/word_search_win.h"
#include "resource.h"
#include "web/web_links.h"

namespace {

// ---- commands ----

void exitProgram() { DestroyWindow(app.mainWindow); }

void selectTab(int tab) {
  SendMessageW(app.tabControl, TCM_SETCURSEL, tab, 0);
  showCurrentTab();
}
void showEnglishChinese() { selectTab(0); }
void showChineseEnglish() { selectTab(1); }

// The addresses go to the browser exactly as stored, blank included; escaping is its business.
void openDownloadPage() { shellOpen(toWideText(downloadUrl)); }
void openContactPage() { shellOpen(toWideText(contactUrl)); }

struct CommandRoute {
  WORD id;
  void (*run)();
};

constexpr CommandRoute mainCommands[] = {
    {IDM_EXIT, exitProgram},
    {IDM_VIEW_ENGLISH_CHINESE, showEnglishChinese},
    {IDM_VIEW_CHINESE_ENGLISH, showChineseEnglish},
    {IDM_HELP_CHECK_UPDATES, openDownloadPage},
    {IDM_HELP_TECHNICAL_SUPPORT, openContactPage},
    {IDM_TRAY_EXIT, exitProgram},
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

LRESULT onGetMinMaxInfo(HWND, WPARAM, LPARAM lParam) {
  setMinimumTrackingSize(reinterpret_cast<MINMAXINFO*>(lParam));
  return 0;
}

// The class redraws the whole window at every size change, and the paint lays it out.
LRESULT answerZero(HWND, WPARAM, LPARAM) { return 0; }

LRESULT onNotify(HWND, WPARAM wParam, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  const auto sender = static_cast<int>(wParam);
  if (sender == IDC_TAB_CONTROL && header->code == TCN_SELCHANGE) showCurrentTab();
  if ((sender == IDC_WORD_LIST || sender == IDC_WORD_LIST + 1) && header->code == NM_DBLCLK) showChosenHeadword();
  return 0;
}

LRESULT onDestroy(HWND, WPARAM, LPARAM) {
  shutDownApplication();
  return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  // Edits in a word box (5) and selections or accelerators (1) look the word up first.
  if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) lookUpWord();
  for (const auto& route : mainCommands) {
    if (route.id == id) {
      route.run();
      return 0;
    }
  }
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

struct MessageRoute {
  UINT message;
  LRESULT (*handle)(HWND, WPARAM, LPARAM);
};

constexpr MessageRoute mainMessages[] = {
    {WM_CREATE, onCreate},
    {WM_DESTROY, onDestroy},
    {WM_PAINT, onPaint},
    {WM_GETMINMAXINFO, onGetMinMaxInfo},
    {WM_SIZE, answerZero},
    {WM_SIZING, answerZero},
    {WM_COMMAND, onCommand},
    {WM_NOTIFY, onNotify},
};

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const auto& route : mainMessages) {
    if (route.message == message) return route.handle(window, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
