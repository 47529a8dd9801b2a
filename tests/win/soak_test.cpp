// Long use of the real program, started as its own process: thousands of lookups typed into
// both tabs, captures with Control+Insert, tab switches by keyboard, the options dialog and
// the About box opened and closed again and again. The program's memory and handle figures
// are sampled after a warm-up round and after every later round, and must stay flat.
// Runs in a Wine session of its own: the captures use the clipboard and the hot-key.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "resource.h"
#include "test_support_win.h"

namespace {

// The work of one round; the warm-up round is one more of the same.
constexpr int measuredRounds = 4;
constexpr int wordsTypedPerTab = 40;  // each typed unit by unit after clearing the box
constexpr int capturesPerRound = 40;
constexpr int tabSwitchesPerRound = 30;
constexpr int optionsDialogsPerRound = 20;
constexpr int aboutBoxesPerRound = 10;

// How far the figures may move between the warm-up sample and any later one. Committed
// private memory and the handle count stay exactly flat round after round when nothing
// leaks (a leak of 600 bytes per lookup shows as 256 KB a round); the working set moves by
// up to 2 MB with what the system pages in and out.
constexpr SIZE_T committedGrowthLimit = 512 * 1024;
constexpr SIZE_T workingSetGrowthLimit = 4 * 1024 * 1024;
constexpr DWORD handleGrowthLimit = 4;
constexpr DWORD guiObjectGrowthLimit = 4;

// A generated dictionary big enough for full word lists: made-up English words of two and
// three syllables, and Chinese words of two characters, each with an article that names it.
const char16_t* const syllables[] = {u"ba", u"ce", u"di", u"fo", u"gu", u"ka", u"le", u"mi",
                                     u"no", u"pu", u"ra", u"se", u"ti", u"vo", u"wu"};

std::vector<std::u16string> englishHeadwords() {
  std::vector<std::u16string> words;
  for (const auto* a : syllables) {
    for (const auto* b : syllables) {
      words.push_back(std::u16string(a) + b);
      for (const auto* c : syllables) words.push_back(std::u16string(a) + b + c);
    }
  }
  std::sort(words.begin(), words.end());
  return words;
}

std::vector<std::u16string> chineseHeadwords() {
  std::vector<std::u16string> words;
  for (char16_t first = 0; first < 50; ++first) {
    for (char16_t second = 0; second < 50; ++second) {
      words.push_back({static_cast<char16_t>(0x4E00 + first * 7), static_cast<char16_t>(0x6C00 + second * 3)});
    }
  }
  return words;  // already in code-unit order
}

std::u16string articleMarker(const std::u16string& word) { return u"article of " + word; }

std::u16string articleText(const std::vector<std::u16string>& headwords, const std::u16string& sense) {
  std::u16string text = u"\n";
  for (const auto& word : headwords) {
    text += u"|" + word + u"|" + articleMarker(word) + u"\r\n1. " + sense + u"\r\n2. 水果 shuǐguǒ\n";
  }
  return text;
}

// A control's text as the control itself holds it: for a window of another process,
// GetWindowText answers with the text the window was created with.
std::wstring controlText(HWND control) {
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, length))));
  return text;
}

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

struct Figures {
  SIZE_T privateBytes = 0;
  SIZE_T pagefileBytes = 0;
  SIZE_T workingSet = 0;
  SIZE_T committedPrivate = 0;  // summed over the process's committed private regions
  DWORD handles = 0;
  DWORD gdiObjects = 0;
  DWORD userObjects = 0;
};

// The committed private memory of another process, region by region as the system sees it:
// what a leaked heap block or a leaked object's storage adds to.
SIZE_T committedPrivateBytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

// The handles a process holds, counted in the system's handle table: Wine answers
// GetProcessHandleCount for another process with zero, but lists every handle here.
constexpr ULONG systemHandleInformation = 16;
struct SystemHandleEntry {
  ULONG ownerProcessId;
  BYTE objectType;
  BYTE flags;
  USHORT value;
  PVOID object;
  ULONG access;
};
struct SystemHandleTable {
  ULONG count;
  SystemHandleEntry entries[1];
};

DWORD handlesInSystemTable(DWORD processId) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<unsigned char> buffer(256 * 1024);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const LONG status = query(systemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == 0) {
      const auto* table = reinterpret_cast<const SystemHandleTable*>(buffer.data());
      DWORD owned = 0;
      for (ULONG i = 0; i < table->count; ++i) owned += table->entries[i].ownerProcessId == processId;
      return owned;
    }
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  return 0;
}

Figures sampleFigures(HANDLE process) {
  Figures figures;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
    figures.privateBytes = memory.PrivateUsage;
    figures.pagefileBytes = memory.PagefileUsage;
    figures.workingSet = memory.WorkingSetSize;
  }
  figures.committedPrivate = committedPrivateBytes(process);
  if (!GetProcessHandleCount(process, &figures.handles) || figures.handles == 0) {
    figures.handles = handlesInSystemTable(GetProcessId(process));
  }
  figures.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  figures.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  return figures;
}

void printFigures(const char* round, const Figures& f) {
  std::printf(
      "%-8s private %8zu KB  pagefile %8zu KB  working set %8zu KB  committed private %8zu KB  "
      "handles %4lu  GDI %4lu  USER %4lu\n",
      // SIZE_T is unsigned long in a 32-bit build, not size_t.
      round, static_cast<std::size_t>(f.privateBytes / 1024), static_cast<std::size_t>(f.pagefileBytes / 1024),
      static_cast<std::size_t>(f.workingSet / 1024), static_cast<std::size_t>(f.committedPrivate / 1024),
      static_cast<unsigned long>(f.handles), static_cast<unsigned long>(f.gdiObjects),
      static_cast<unsigned long>(f.userObjects));
  std::fflush(stdout);
}

// Control+Insert as the user presses it: Control stays down until the capture has been
// looked up. Releasing it at once would let the release slip in among the copy keys the
// program sends (Wine queues synthesised keys one at a time), and the reader would then
// get a plain "c" typed over its selection, which no human hand is fast enough to cause.
void sendKeys(std::initializer_list<std::pair<WORD, bool>> presses) {
  std::vector<INPUT> keys;
  for (const auto& [code, up] : presses) {
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = code;
    key.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (code == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
    keys.push_back(key);
  }
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}
void pressControlInsert() { sendKeys({{VK_CONTROL, false}, {VK_INSERT, false}, {VK_INSERT, true}}); }
void releaseControl() { sendKeys({{VK_CONTROL, true}}); }

// The running program, seen from outside through its windows.
class ProgramUnderUse {
 public:
  explicit ProgramUnderUse(const std::wstring& directory) {
    window = startInstalledProgram(directory, process);
    if (!window) return;
    tabControl = GetDlgItem(window, IDC_TAB_CONTROL);
    for (int tab = 0; tab < 2; ++tab) {
      wordBoxes[tab] = GetDlgItem(window, IDC_WORD_BOX + tab);
      wordEdits[tab] = FindWindowExW(wordBoxes[tab], nullptr, L"Edit", nullptr);
      wordLists[tab] = GetDlgItem(window, IDC_WORD_LIST + tab);
      articleViews[tab] = GetDlgItem(tabControl, IDC_ARTICLE_VIEW + tab);
    }
    query = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.dwProcessId);
  }
  ~ProgramUnderUse() {
    if (query) CloseHandle(query);
    if (window && IsWindow(window)) exitInstalledProgram(window, process);
  }

  bool ready() const {
    return window && tabControl && query && wordEdits[0] && wordEdits[1] && wordLists[0] && articleViews[1];
  }
  bool alive() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && IsWindow(window); }
  int currentTab() const { return static_cast<int>(SendMessageW(tabControl, TCM_GETCURSEL, 0, 0)); }
  int listed(int tab) const { return static_cast<int>(SendMessageW(wordLists[tab], LVM_GETITEMCOUNT, 0, 0)); }
  std::wstring wordBoxText(int tab) const { return controlText(wordBoxes[tab]); }
  std::wstring article(int tab) const { return controlText(articleViews[tab]); }

  // The arrow keys on the tab control, which tells the window of the change as a click does.
  void switchTo(int tab) {
    if (currentTab() == tab) return;
    const WPARAM key = tab == 1 ? VK_RIGHT : VK_LEFT;
    SendMessageW(tabControl, WM_KEYDOWN, key, 1);
    SendMessageW(tabControl, WM_KEYUP, key, 0xC0000001);
  }

  // Clears the current tab's word box and types the word into it unit by unit; every change
  // is a lookup. Returns how many lookups that made.
  int type(int tab, const std::u16string& word) {
    SendMessageW(wordEdits[tab], EM_SETSEL, 0, -1);
    SendMessageW(wordEdits[tab], WM_CHAR, VK_BACK, 1);
    for (const char16_t unit : word) SendMessageW(wordEdits[tab], WM_CHAR, unit, 1);
    return 1 + static_cast<int>(word.size());
  }

  // Tools, Options, then Cancel. True when the dialog came and went.
  bool openAndCancelOptions() { return openAndClose(IDM_TOOLS_OPTIONS, L"Application options dialog", IDCANCEL); }
  bool openAndCloseAbout() { return openAndClose(IDM_HELP_ABOUT, L"About", IDOK); }

  PROCESS_INFORMATION process{};
  HANDLE query = nullptr;
  HWND window = nullptr;
  HWND tabControl = nullptr;
  HWND wordBoxes[2]{};
  HWND wordEdits[2]{};
  HWND wordLists[2]{};
  HWND articleViews[2]{};

 private:
  bool openAndClose(WORD command, const wchar_t* caption, int button) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !dialog; ++i) {
      dialog = findWindowOf(process.dwProcessId, L"#32770", caption);
      if (!dialog) Sleep(2);
    }
    if (!dialog) return false;
    SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    for (int i = 0; i < 500 && IsWindow(dialog); ++i) Sleep(2);
    return !IsWindow(dialog);
  }
};

// A window of another program with text to capture from, on this thread.
struct ReaderWindow {
  ReaderWindow() {
    window = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE, 400, 300, 300, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~ReaderWindow() { DestroyWindow(window); }
  // Shows the word with text around it, selects the word and brings the window forward.
  // The program's own activation after the last capture may still be on its way, so this
  // waits until the system has this window in front. False when it never got there.
  bool select(const std::wstring& word) {
    const std::wstring before = L"reading ";
    SetWindowTextW(window, (before + word + L" today").c_str());
    SendMessageW(window, EM_SETSEL, before.size(), before.size() + word.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
      SetForegroundWindow(window);
      SetFocus(window);
      pumpMessages(5);
      if (GetForegroundWindow() == window && GetFocus() == window) return true;
    }
    return false;
  }
  HWND window;
};

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    english = englishHeadwords();
    chinese = chineseHeadwords();
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, articleText(english, u"水 shuǐ"));
    writeArticleFile(directory, 1, articleText(chinese, u"water"));
    ASSERT_TRUE(installProgramCopy(directory)) << "the program was not built";
    program = std::make_unique<ProgramUnderUse>(directory);
    ASSERT_TRUE(program->ready()) << "the program's window and controls did not appear";
  }

  const std::vector<std::u16string>& headwords(int tab) const { return tab == 0 ? english : chinese; }

  // The next word of a tab, spread over the whole file so that lookups land everywhere.
  std::u16string nextWord(int tab) {
    const auto& words = headwords(tab);
    cursor[tab] = (cursor[tab] + 97) % words.size();
    return words[cursor[tab]];
  }

  void oneRound() {
    // Typed lookups, both tabs, switching by keyboard.
    for (int tab = 0; tab < 2; ++tab) {
      program->switchTo(tab);
      ASSERT_EQ(program->currentTab(), tab);
      for (int i = 0; i < wordsTypedPerTab; ++i) {
        const std::u16string word = nextWord(tab);
        lookups += program->type(tab, word);
        ASSERT_EQ(program->wordBoxText(tab), wide(word));
        ASSERT_NE(program->article(tab).find(wide(articleMarker(word))), std::wstring::npos)
            << "typed " << i << " words in tab " << tab;
        ASSERT_GT(program->listed(tab), 0);
      }
    }
    // Captures: a word selected in another window, Control+Insert, looked up in the current tab.
    for (int i = 0; i < capturesPerRound; ++i) {
      const int tab = (i / 5) % 2;
      program->switchTo(tab);
      const std::wstring word = wide(nextWord(tab));
      // The reader window lives on this thread, which must keep handling its messages to
      // answer the copy keystroke the program sends it.
      ASSERT_TRUE(reader.select(word)) << "the reader window could not be brought forward";
      pressControlInsert();
      for (int wait = 0; wait < 400 && program->wordBoxText(tab) != word; ++wait) pumpMessages(5);
      releaseControl();
      ASSERT_EQ(program->wordBoxText(tab), word) << "capture " << i << " in tab " << tab;
      ASSERT_NE(program->article(tab).find(L"article of " + word), std::wstring::npos);
      ++captures;
    }
    for (int i = 0; i < tabSwitchesPerRound; ++i) {
      program->switchTo(i % 2);
      ASSERT_TRUE(IsWindowVisible(program->wordBoxes[i % 2]));
      ASSERT_FALSE(IsWindowVisible(program->wordBoxes[1 - i % 2]));
    }
    for (int i = 0; i < optionsDialogsPerRound; ++i) ASSERT_TRUE(program->openAndCancelOptions()) << i;
    for (int i = 0; i < aboutBoxesPerRound; ++i) ASSERT_TRUE(program->openAndCloseAbout()) << i;
    ASSERT_TRUE(program->alive());
  }

  Figures settledFigures() {
    pumpMessages(300);  // let the program finish painting and freeing
    return sampleFigures(program->query);
  }

  std::vector<std::u16string> english;
  std::vector<std::u16string> chinese;
  std::size_t cursor[2]{};
  std::unique_ptr<ProgramUnderUse> program;
  ReaderWindow reader;
  int lookups = 0;
  int captures = 0;
};

TEST_F(Soak, LongUseKeepsMemoryAndHandlesFlat) {
  const DWORD started = GetTickCount();
  ASSERT_NO_FATAL_FAILURE(oneRound());
  const Figures warm = settledFigures();
  printFigures("warm-up", warm);
  // Under Wine the working set, the committed regions and the system's handle table are
  // real figures for another process; its private usage, handle count and GDI and USER
  // object counts come back as zero there and are held to a bound only where reported.
  ASSERT_GT(warm.workingSet, 0u) << "no working set reported for the program";
  ASSERT_GT(warm.committedPrivate, 0u) << "no committed memory reported for the program";
  ASSERT_GT(warm.handles, 0u) << "no handle count reported for the program";

  for (int round = 1; round <= measuredRounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(oneRound());
    const Figures now = settledFigures();
    const std::string name = "round " + std::to_string(round);
    printFigures(name.c_str(), now);
    EXPECT_LE(now.committedPrivate, warm.committedPrivate + committedGrowthLimit) << name;
    EXPECT_LE(now.workingSet, warm.workingSet + workingSetGrowthLimit) << name;
    EXPECT_LE(now.handles, warm.handles + handleGrowthLimit) << name;
    if (warm.privateBytes > 0) {
      EXPECT_LE(now.privateBytes, warm.privateBytes + committedGrowthLimit) << name;
    }
    if (warm.gdiObjects > 0) {
      EXPECT_LE(now.gdiObjects, warm.gdiObjects + guiObjectGrowthLimit) << name;
    }
    if (warm.userObjects > 0) {
      EXPECT_LE(now.userObjects, warm.userObjects + guiObjectGrowthLimit) << name;
    }
  }
  std::printf("%d typed lookups, %d captures, %d options dialogs, %d About boxes in %lu ms\n", lookups, captures,
              (measuredRounds + 1) * optionsDialogsPerRound, (measuredRounds + 1) * aboutBoxesPerRound,
              static_cast<unsigned long>(GetTickCount() - started));
}

}  // namespace
