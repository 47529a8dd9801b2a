// What a keystroke costs in the real main window under Windows (or Wine): the program
// starts on the article files of a given folder, then real headwords of both tabs are
// "typed" one at a time, each as the word box's edit-change notification, and the time to
// handle it (list, article view, repaint requests) is measured. The engine alone and the
// straightforward scan of the whole text are timed on the same words for comparison. Beside
// the clock's median, the mean processor time of the window's part shows the cost on a
// machine that other work keeps busy.
//
// Usage: window_keystroke_benchmark [FOLDER]   (FOLDER holds Articles\; default: the exe's)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"
#include "resource.h"
#include "straightforward_scan.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsBetween(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::micro>(end - start).count();
}

// The processor time this thread has used, user and kernel: unlike the clock, it leaves out
// the time other programs on a busy machine take the processor from it.
double threadProcessorMicroseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto units = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  };
  return (units(kernel) + units(user)) / 10;  // 100-nanosecond units
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Headwords spread evenly over a text.
std::vector<std::u16string> sampleHeadwords(std::u16string_view text, std::size_t wanted) {
  std::vector<std::u16string_view> all;
  for (auto at = text.find(u"\n|"); at != std::u16string_view::npos; at = text.find(u"\n|", at + 1)) {
    const auto end = text.find(u'|', at + 2);
    if (end == std::u16string_view::npos) break;
    all.push_back(text.substr(at + 2, end - at - 2));
  }
  std::vector<std::u16string> chosen;
  const std::size_t step = std::max<std::size_t>(1, all.size() / wanted);
  for (std::size_t i = step / 2; i < all.size() && chosen.size() < wanted; i += step) chosen.emplace_back(all[i]);
  return chosen;
}

void drainMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1) setProgramDirectoryForTesting(argv[1]);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  loadWindowTexts(instance);
  registerMainWindowClass(instance);
  const auto loadStart = Clock::now();
  if (!startApplication(instance, SW_SHOWNORMAL) || !app.dictionary.files[0].text || !app.dictionary.files[1].text) {
    std::fprintf(stderr, "the article files could not be loaded\n");
    return 1;
  }
  const double startMilliseconds = microsecondsBetween(loadStart, Clock::now()) / 1000;
  drainMessages();

  std::printf("start-up with both article files (%u + %u bytes): %.1f ms\n", app.dictionary.files[0].bytes.size,
              app.dictionary.files[1].bytes.size, startMilliseconds);
  std::printf("window laid out for %u DPI\n", app.dpi);
  for (int tab = 0; tab < 2; ++tab) {
    const auto checkStart = Clock::now();
    const ArticleText prepared = prepareArticleText(app.dictionary.files[tab].search.text);
    std::printf("tab %d: load-time check %.1f ms (sorted records: %s)\n", tab,
                microsecondsBetween(checkStart, Clock::now()) / 1000, prepared.sortedRecords ? "yes" : "no");
  }

  std::printf("\n%-5s %6s %16s %16s %16s %16s %10s\n", "tab", "words", "window us (med)", "window CPU us",
              "engine us (med)", "scan us (med)", "scan/engine");
  for (int tab = 0; tab < 2; ++tab) {
    SendMessageW(app.tabControl, TCM_SETCURSEL, tab, 0);
    SendMessageW(app.mainWindow, WM_COMMAND, tab == 0 ? IDM_VIEW_ENGLISH_CHINESE : IDM_VIEW_CHINESE_ENGLISH, 0);
    const auto words = sampleHeadwords(app.dictionary.files[tab].search.text, 100);
    std::vector<double> window, engine, scan;
    double windowProcessor = 0;  // summed over the words: one keystroke is below the counter's step
    for (const auto& word : words) {
      const std::wstring text = toWideText(word);
      SetWindowTextW(app.tabs[tab].controls.wordBox, text.c_str());
      const double processorStart = threadProcessorMicroseconds();
      auto start = Clock::now();
      SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + tab, CBN_EDITCHANGE),
                   reinterpret_cast<LPARAM>(app.tabs[tab].controls.wordBox));
      drainMessages();
      window.push_back(microsecondsBetween(start, Clock::now()));
      windowProcessor += threadProcessorMicroseconds() - processorStart;

      // The engine is timed over many runs per word: one run is shorter than the clock's
      // own cost under Wine.
      constexpr int engineRuns = 200;
      std::size_t found = 0;
      start = Clock::now();
      for (int run = 0; run < engineRuns; ++run) {
        const auto listing = listTypedWord(app.dictionary.files[tab].search, word, directionOfSelection(tab));
        std::u16string composed;
        std::u16string_view article;
        found += listing.count +
                 (findTypedArticle(app.dictionary.files[tab].search, word, directionOfSelection(tab), composed, article)
                      ? 1
                      : 0);
      }
      engine.push_back(microsecondsBetween(start, Clock::now()) / engineRuns);
      if (found == 0) std::printf("  not found: a headword\n");

      start = Clock::now();
      volatile std::size_t seen = scanKeystroke(app.dictionary.files[tab].search.text, word);
      (void)seen;
      scan.push_back(microsecondsBetween(start, Clock::now()));
    }
    const double engineMedian = median(engine);
    std::printf("%-5d %6zu %16.1f %16.1f %16.2f %16.1f %10.0f\n", tab, words.size(), median(window),
                words.empty() ? 0.0 : windowProcessor / words.size(), engineMedian, median(scan),
                engineMedian > 0 ? median(scan) / engineMedian : 0.0);
  }
  DestroyWindow(app.mainWindow);
  drainMessages();
  return 0;
}
