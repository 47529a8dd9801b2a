// A stand-in for the program in the middle of saving My Words and the history: in the given
// folder, save n keeps n words "w1" ... "wn" (n up to 2,000, then again from 1) with the
// history of the last 30, over and over, until it is killed. Signals the named event once
// the first save is done.
//   my_words_saver FOLDER EVENT
#include <windows.h>

#include <string>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "history/your_words_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  setProgramDirectoryForTesting(argv[1]);
  const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  YourWordsState& state = app.yourWords;
  for (std::size_t count = 1;; ++count) {
    const std::size_t n = (count - 1) % 2000 + 1;
    if (n == 1) state.words = YourWords{};
    const std::string number = std::to_string(n);
    const std::u16string word = u"w" + std::u16string(number.begin(), number.end());
    toggleMyWord(state.words, Direction::EnglishChinese, word, u"1. 词 cí: a word\r\n", u"2024-01-01");
    rememberLookedAt(state.words, Direction::EnglishChinese, word);
    if (saveMyWords(state, nullptr) && saveHistory(state, nullptr) && ready && count == 1) SetEvent(ready);
  }
}
