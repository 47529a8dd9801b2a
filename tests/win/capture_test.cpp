// Control+Insert capture and the clipboard viewer chain, with a second process of ours
// (clipboard_peer) and Wine's own notepad as programs that the text comes from. These tests
// run in a Wine prefix of their own: the clipboard, its viewer chain and the hot-key belong
// to the whole Wine session, and no other test may change them meanwhile.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "clipboard_peer_protocol.h"
#include "desktop/capture_win.h"
#include "resource.h"

namespace {

// Waits for a handle while handling this thread's messages: the other process may send the
// program's window a message and wait for the answer.
bool waitPumping(HANDLE handle, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD waited = GetTickCount() - start;
    if (waited >= milliseconds) return false;
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds - waited, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

std::wstring peerPath() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring directory(path, length);
  directory.resize(directory.rfind(L'\\'));
  return directory + L"\\clipboard_peer.exe";
}

std::wstring quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

HANDLE startProcess(const std::wstring& program, const std::wstring& arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = quoted(program) + L" " + arguments;
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// Runs the peer to its end, answering the program's messages meanwhile; its exit code.
DWORD runPeer(const std::wstring& arguments) {
  const HANDLE process = startProcess(peerPath(), arguments);
  if (!process) return 0xDEAD;
  DWORD code = 0xBEEF;
  if (waitPumping(process, 15000)) GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return code;
}

// A peer viewer in the clipboard chain, running until it is closed.
struct PeerViewer {
  explicit PeerViewer(const std::wstring& name) {
    const HANDLE joined = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    process = startProcess(peerPath(), L"viewer " + name);
    if (process && WaitForSingleObject(joined, 15000) == WAIT_OBJECT_0)
      window = FindWindowW(peerViewerClass, name.c_str());
    CloseHandle(joined);
  }
  ~PeerViewer() { close(); }
  LRESULT notices() const { return SendMessageW(window, peerNoticeCount, 0, 0); }
  HWND next() const { return reinterpret_cast<HWND>(SendMessageW(window, peerNextViewer, 0, 0)); }
  // Leaves the chain as a well-behaved viewer does, and ends.
  void close() {
    if (!process) return;
    PostMessageW(window, WM_CLOSE, 0, 0);
    waitPumping(process, 15000);
    CloseHandle(process);
    process = nullptr;
  }
  HANDLE process = nullptr;
  HWND window = nullptr;
};

void selectTab(int tab) {
  SendMessageW(app.mainWindow, WM_COMMAND,
               MAKEWPARAM(tab == 0 ? IDM_VIEW_ENGLISH_CHINESE : IDM_VIEW_CHINESE_ENGLISH, 0), 0);
}

const std::u16string englishChinese =
    u"\n|a|article of a\n|melon|瓜 guā\n|water|水 shuǐ: water\n|watermelon|西瓜 xīguā\n";
const std::u16string chineseEnglish = u"\n|水|shuǐ\r\n1. water\n|西瓜|xī guā\r\n1. watermelon\n";

void writeArticles(const std::wstring& directory) {
  writeArticleFile(directory, 0, englishChinese);
  writeArticleFile(directory, 1, chineseEnglish);
}

struct Capture : ::testing::Test {
  void SetUp() override {
    writeArticles(makeFixtureDirectory());
    putTextOnClipboard(L"before");
    ASSERT_TRUE(startProgram());
    SetForegroundWindow(app.mainWindow);
    pumpMessages(100);
  }
  // A capture pending with nothing copied: the copy keystroke goes to a word list, which
  // copies nothing.
  void setCapturePending() {
    SetFocus(app.tabs[0].controls.wordList);
    SendMessageW(app.mainWindow, WM_HOTKEY, captureHotKeyId, MAKELPARAM(MOD_CONTROL, VK_INSERT));
    pumpMessages(200);
    ASSERT_TRUE(app.capture.pending);
  }
};

// A window of another program, standing for the browser or editor the user reads in.
struct ReaderWindow {
  explicit ReaderWindow(const wchar_t* text) {
    window = CreateWindowExW(0, L"EDIT", text, WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE, 400, 300, 300, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~ReaderWindow() { DestroyWindow(window); }
  HWND window;
};

TEST_F(Capture, ControlInsertCopiesTheForegroundSelectionAndLooksItUp) {
  ShowWindow(app.mainWindow, SW_MINIMIZE);
  ReaderWindow reader(L"the watermelon is sweet");
  SetForegroundWindow(reader.window);
  SetFocus(reader.window);
  SendMessageW(reader.window, EM_SETSEL, 4, 14);
  pumpMessages(100);

  pressInsertWith({VK_CONTROL});
  pumpMessages(500);

  EXPECT_EQ(clipboardText(), L"watermelon") << "the hot-key made the reader copy its selection";
  EXPECT_FALSE(app.capture.pending);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"watermelon");
  EXPECT_EQ(listCount(0), 1);
  EXPECT_NE(textOf(app.tabs[0].controls.articleView).find(L"西瓜"), std::wstring::npos);
  EXPECT_FALSE(IsIconic(app.mainWindow));
  EXPECT_EQ(GetForegroundWindow(), app.mainWindow);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(Capture, OnlyControlInsertSetsACaptureAndItWaitsForTheNextCopy) {
  SetFocus(app.tabs[0].controls.wordList);  // copies nothing when Control+C arrives
  const std::vector<std::vector<WORD>> notTheHotKey = {{}, {VK_SHIFT}, {VK_CONTROL, VK_SHIFT}};
  for (const auto& modifiers : notTheHotKey) {
    pressInsertWith(modifiers);
    pumpMessages(200);
    EXPECT_FALSE(app.capture.pending) << modifiers.size() << " modifiers";
  }
  SendMessageW(app.mainWindow, WM_HOTKEY, captureHotKeyId + 1, 0);
  EXPECT_FALSE(app.capture.pending) << "another hot-key id";

  pressInsertWith({VK_CONTROL});
  pumpMessages(300);
  EXPECT_TRUE(app.capture.pending);
  EXPECT_EQ(clipboardText(), L"before") << "nothing was selected, so nothing was copied";
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");

  // Later, an ordinary copy in another program is the one captured.
  EXPECT_EQ(runPeer(L"set water"), 0u);
  pumpMessages(300);
  EXPECT_FALSE(app.capture.pending);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"water");
  EXPECT_NE(textOf(app.tabs[0].controls.articleView).find(L"shuǐ"), std::wstring::npos);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(Capture, TextCopiedInAnotherProcessGoesToTheCurrentTabTrimmed) {
  struct Case {
    int tab;
    const wchar_t* how;
    const wchar_t* copied;
    const wchar_t* wordBox;
    const wchar_t* inArticle;
    int listed;
  };
  const Case cases[] = {
      {0, L"set", L"  watermelon\r\n", L"watermelon", L"xīguā", 1},
      {1, L"set", L"\u3000水\r\n", L"水", L"1. water", 2},
      // A word broken over lines: joined, and then not found; once the pause after the
      // lookup is over, the nearest headword is offered.
      {1, L"set", L"西\r\n瓜", L"西 瓜", L"Did you mean:", 1},
      {0, L"set", L"water\tmelon", L"water\tmelon", L"Did you mean:", 1},
  };
  for (const auto& c : cases) {
    selectTab(c.tab);
    const std::wstring otherTabWord = textOf(app.tabs[1 - c.tab].controls.wordBox);
    setCapturePending();
    ShowWindow(app.mainWindow, SW_MINIMIZE);
    EXPECT_EQ(runPeer(std::wstring(c.how) + L" " + quoted(c.copied)), 0u);
    pumpMessages(800);
    EXPECT_EQ(textOf(app.tabs[c.tab].controls.wordBox), c.wordBox);
    EXPECT_EQ(textOf(app.tabs[1 - c.tab].controls.wordBox), otherTabWord) << "the other tab is left alone";
    EXPECT_EQ(listCount(c.tab), c.listed) << "tab " << c.tab;
    EXPECT_NE(textOf(app.tabs[c.tab].controls.articleView).find(c.inArticle), std::wstring::npos) << "tab " << c.tab;
    EXPECT_FALSE(IsIconic(app.mainWindow));
    EXPECT_EQ(GetForegroundWindow(), app.mainWindow);
    EXPECT_FALSE(app.capture.pending);
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(Capture, AClipboardWithoutTextBringsTheWindowForwardAndChangesNothing) {
  setCapturePending();
  ShowWindow(app.mainWindow, SW_MINIMIZE);
  EXPECT_EQ(runPeer(L"set-image"), 0u);
  pumpMessages(300);
  EXPECT_FALSE(IsIconic(app.mainWindow));
  EXPECT_EQ(GetForegroundWindow(), app.mainWindow);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(listCount(0), 4) << "a and the three words after it";
  EXPECT_NE(textOf(app.tabs[0].controls.articleView).find(L"article of a"), std::wstring::npos);
  EXPECT_EQ(app.capture.text, nullptr);
  EXPECT_FALSE(app.capture.pending);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(Capture, AClipboardHeldOpenByAnotherProgramLooksUpThePreviousCapture) {
  setCapturePending();
  EXPECT_EQ(runPeer(L"set water"), 0u);
  pumpMessages(300);
  ASSERT_EQ(textOf(app.tabs[0].controls.wordBox), L"water");

  // The user types another word, then captures while another program holds the clipboard.
  SetWindowTextW(app.tabs[0].controls.wordBox, L"melon");
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX, CBN_EDITCHANGE), 0);
  setCapturePending();
  const HANDLE holding = CreateEventW(nullptr, TRUE, FALSE, L"clipboard-held-open");
  const HANDLE peer = startProcess(peerPath(), L"set-and-hold watermelon clipboard-held-open 2000");
  ASSERT_NE(peer, nullptr);
  // The peer's change notice waits in this thread's queue until the clipboard is held.
  ASSERT_EQ(WaitForSingleObject(holding, 15000), WAIT_OBJECT_0);
  pumpMessages(300);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"water") << "the previous capture, looked up again";
  EXPECT_NE(textOf(app.tabs[0].controls.articleView).find(L"shuǐ"), std::wstring::npos);
  EXPECT_FALSE(app.capture.pending);
  waitPumping(peer, 15000);
  CloseHandle(peer);
  CloseHandle(holding);
  EXPECT_EQ(clipboardText(), L"watermelon") << "the program never changes the clipboard";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// A window procedure in front of the program's, counting the clipboard notices it gets.
WNDPROC programProc = nullptr;
int programNotices = 0;
LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWCLIPBOARD) ++programNotices;
  return CallWindowProcW(programProc, window, message, wParam, lParam);
}

void countProgramNotices() {
  programNotices = 0;
  programProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(app.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProc)));
}

TEST(ViewerChain, NoticesGoOnToTheViewerThatJoinedFirstAndChangeNothingUnlessPending) {
  writeArticles(makeFixtureDirectory());
  PeerViewer earlier(L"earlier-viewer");
  ASSERT_NE(earlier.window, nullptr);
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(app.capture.nextViewer, earlier.window);
  countProgramNotices();
  pumpMessages(200);
  const LRESULT before = earlier.notices();

  putTextOnClipboard(L"water");       // this process
  EXPECT_EQ(runPeer(L"set 水"), 0u);  // another one
  EXPECT_EQ(runPeer(L"set-image"), 0u);
  pumpMessages(300);

  EXPECT_EQ(programNotices, 3);
  EXPECT_EQ(earlier.notices() - before, programNotices) << "every notice was passed on";
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a") << "no capture was pending";
  EXPECT_EQ(app.capture.text, nullptr);
  EXPECT_EQ(exitProgramAndWait(), 0);
  // The program has left the chain: the viewer is at its head again and hears of changes.
  const LRESULT afterExit = earlier.notices();
  putTextOnClipboard(L"after");
  pumpMessages(200);
  EXPECT_EQ(earlier.notices(), afterExit + 1);
}

TEST(ViewerChain, AViewerLeavingIsRepairedAndOthersLeavingArePassedOn) {
  writeArticles(makeFixtureDirectory());
  PeerViewer first(L"first-viewer");
  PeerViewer second(L"second-viewer");
  ASSERT_NE(first.window, nullptr);
  ASSERT_NE(second.window, nullptr);
  ASSERT_EQ(second.next(), first.window);
  ASSERT_TRUE(startProgram());
  ASSERT_EQ(app.capture.nextViewer, second.window);  // the chain: program, second, first

  first.close();  // not the program's neighbour: the notice goes on to the second viewer
  EXPECT_EQ(app.capture.nextViewer, second.window);
  EXPECT_EQ(second.next(), nullptr) << "the second viewer was told that the first left";

  const LRESULT before = second.notices();
  putTextOnClipboard(L"water");
  pumpMessages(300);
  EXPECT_EQ(second.notices(), before + 1);

  second.close();  // the program's neighbour: the program links past it
  EXPECT_EQ(app.capture.nextViewer, nullptr);
  putTextOnClipboard(L"melon");
  pumpMessages(200);
  EXPECT_TRUE(IsWindow(app.mainWindow));
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Wine's own notepad as the program the user reads in: a word selected there and
// Control+Insert bring the dictionary forward with the word looked up, in either tab.
TEST(CaptureFromNotepad, ASelectedWordIsLookedUpInTheCurrentTab) {
  const auto directory = makeFixtureDirectory();
  writeArticles(directory);
  const std::wstring document = directory + L"\\reading.txt";
  const std::wstring text = L"\xFEFFI had watermelon and 水 today.";
  writeRawFile(document, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
  ASSERT_TRUE(startProgram());

  const HANDLE notepad = startProcess(L"C:\\windows\\notepad.exe", quoted(document));
  ASSERT_NE(notepad, nullptr);
  WaitForInputIdle(notepad, 10000);
  HWND notepadWindow = nullptr;
  HWND notepadEdit = nullptr;
  for (int i = 0; i < 200 && !notepadEdit; ++i) {
    notepadWindow = FindWindowW(L"Notepad", nullptr);
    if (notepadWindow) notepadEdit = FindWindowExW(notepadWindow, nullptr, L"Edit", nullptr);
    if (!notepadEdit) pumpMessages(50);
  }
  ASSERT_NE(notepadEdit, nullptr) << "notepad did not open its window";

  struct Case {
    int tab;
    int start, end;  // the selection in notepad
    const wchar_t* word;
    const wchar_t* inArticle;
  };
  const Case cases[] = {{0, 6, 16, L"watermelon", L"西瓜"}, {1, 21, 22, L"水", L"1. water"}};
  for (const auto& c : cases) {
    selectTab(c.tab);
    ShowWindow(app.mainWindow, SW_MINIMIZE);
    SetForegroundWindow(notepadWindow);
    SendMessageW(notepadEdit, EM_SETSEL, c.start, c.end);
    pumpMessages(300);
    pressInsertWith({VK_CONTROL});
    for (int i = 0; i < 40 && textOf(app.tabs[c.tab].controls.wordBox) != c.word; ++i) pumpMessages(50);
    EXPECT_EQ(textOf(app.tabs[c.tab].controls.wordBox), c.word);
    EXPECT_NE(textOf(app.tabs[c.tab].controls.articleView).find(c.inArticle), std::wstring::npos);
    EXPECT_FALSE(IsIconic(app.mainWindow));
    EXPECT_EQ(GetForegroundWindow(), app.mainWindow);
  }
  PostMessageW(notepadWindow, WM_CLOSE, 0, 0);
  if (!waitPumping(notepad, 5000)) TerminateProcess(notepad, 0);
  CloseHandle(notepad);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// A clipboard block need not end in a NUL. Each text here ends right at a page that may not
// be read, so a read past the block's size stops the test at once.
TEST(ClipboardBlock, IsReadNoFurtherThanItsSize) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::size_t page = system.dwPageSize;
  auto* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD previous = 0;
  ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &previous));
  struct Case {
    std::wstring block;  // no terminating NUL
    std::wstring wordBox;
  };
  const Case cases[] = {
      {L"water", L"water"},
      {L" 水\r\n", L"水"},
      {std::wstring(L"water\0junk", 10), L"water"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    const std::size_t bytes = c.block.size() * sizeof(wchar_t);
    char* start = pages + page - bytes;
    memcpy(start, c.block.data(), bytes);
    EXPECT_EQ(capturedTextFromBlock(start, bytes), c.wordBox);
  }
  VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace
