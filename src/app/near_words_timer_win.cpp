#include "app/near_words_timer_win.h"

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "dictionary/near_words_win.h"
#include "resource.h"

namespace {

// About the pause between two keystrokes of someone who has stopped typing.
constexpr UINT typingPause = 300;

// Each tab has its own pause: a miss left in one tab still gets its suggestions when the
// other tab looks something up meanwhile (a capture, a followed link). Whether a tab's timer
// runs: a keystroke that finds something then costs no call to stop a timer that is not there.
bool timerRunning[2] = {false, false};

UINT_PTR timerOf(Direction direction) { return ID_TIMER_NEAR_WORDS + directionIndex(direction); }

}  // namespace

void scheduleNearWords(bool missed) {
  const Direction direction = selectedTab();
  bool& running = timerRunning[directionIndex(direction)];
  if (missed) {
    running = SetTimer(app.mainWindow, timerOf(direction), typingPause, nullptr) != 0;
  } else if (running) {
    KillTimer(app.mainWindow, timerOf(direction));
    running = false;
  }
}

bool isNearWordsTimer(WPARAM timer) {
  for (const Direction direction : bothDirections) {
    if (timer == timerOf(direction)) return true;
  }
  return false;
}

LRESULT onNearWordsTimer(HWND window, WPARAM timer, LPARAM lParam) {
  for (const Direction direction : bothDirections) {
    if (timer != timerOf(direction)) continue;
    KillTimer(window, timer);
    timerRunning[directionIndex(direction)] = false;
    showNearWords(app.dictionary, tabOf(direction));
    return 0;
  }
  return DefWindowProcW(window, WM_TIMER, timer, lParam);
}
