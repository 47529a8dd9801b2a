#include "app/near_words_timer_win.h"

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "dictionary/near_words_win.h"
#include "resource.h"

namespace {

// About the pause between two keystrokes of someone who has stopped typing.
constexpr UINT typingPause = 300;

// The tab whose lookup missed, and whether its timer runs: a keystroke that finds
// something then costs no call to stop a timer that is not there.
Direction missedDirection = Direction::EnglishChinese;
bool timerRunning = false;

}  // namespace

void scheduleNearWords(bool missed) {
  if (missed) {
    missedDirection = selectedTab();
    timerRunning = SetTimer(app.mainWindow, ID_TIMER_NEAR_WORDS, typingPause, nullptr) != 0;
  } else if (timerRunning) {
    KillTimer(app.mainWindow, ID_TIMER_NEAR_WORDS);
    timerRunning = false;
  }
}

LRESULT onNearWordsTimer(HWND window, WPARAM timer, LPARAM lParam) {
  if (timer != ID_TIMER_NEAR_WORDS) return DefWindowProcW(window, WM_TIMER, timer, lParam);
  KillTimer(window, ID_TIMER_NEAR_WORDS);
  timerRunning = false;
  showNearWords(app.dictionary, tabOf(missedDirection));
  return 0;
}
