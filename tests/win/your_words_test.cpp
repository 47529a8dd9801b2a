// The history, Back and Forward and My Words in the real main window: what enters a word
// box's drop-down, the keys, the check mark, the My Words dialog, the files a restart reads,
// damaged files and a kill during a save.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "history/my_words_dialog_win.h"
#include "history/your_words.h"
#include "resource.h"
#include "dictionary/lookup_win.h"
#include "test_support_win.h"

namespace {

const std::u16string englishText =
    u"\n|a|article of a\r\n|book|1. 书 shū: book\r\n|fire|1. 火 huǒ: fire\r\n"
    u"|water|1. 水 shuǐ: water\r\n";
const std::u16string chineseText = u"\n|水|shuǐ\r\n1. water\r\n|火|huǒ\r\n1. fire\r\n";

HWND wordBox(int tab) { return app.tabs[tab].controls.wordBox; }

// What the user types, one key at a time: each change of the text is an edit notice.
void typeKeyByKey(int tab, const std::wstring& word) {
  for (std::size_t length = 1; length <= word.size(); ++length) {
    SetWindowTextW(wordBox(tab), word.substr(0, length).c_str());
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + tab, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(wordBox(tab)));
    pumpMessages(100);
  }
}

std::vector<std::wstring> dropDownItems(int tab) {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(wordBox(tab), CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(wordBox(tab), CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(wordBox(tab), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

// Keys as the user presses them, with the focus in the word box's edit field.
void pressKeys(int tab, const std::vector<WORD>& modifiers, WORD key) {
  SetForegroundWindow(app.mainWindow);
  SetFocus(GetWindow(wordBox(tab), GW_CHILD));
  std::vector<INPUT> keys;
  const auto push = [&](WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (code == VK_LEFT || code == VK_RIGHT) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    keys.push_back(input);
  };
  for (const WORD modifier : modifiers) push(modifier, false);
  push(key, false);
  push(key, true);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) push(*m, true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < 400) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) handleLoopMessage(message, nullptr);
    Sleep(5);
  }
}

bool keepItemChecked() {
  const HMENU menu = GetMenu(app.mainWindow);
  SendMessageW(app.mainWindow, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, 1)), 1);
  return (GetMenuState(menu, IDM_EDIT_KEEP_IN_MY_WORDS, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string fileBytes(const std::wstring& path) { return readFileBytes(path).value_or(""); }

struct YourWordsWindow : ::testing::Test {
  std::wstring directory;
  void SetUp() override {
    directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, englishText);
    writeArticleFile(directory, 1, chineseText);
  }
  std::wstring path(std::u16string_view name) const { return directory + L"\\" + toWideText(name); }
};

TEST_F(YourWordsWindow, TypedWordsEnterTheDropDownOnceSettledAndAChoiceLooksUp) {
  ASSERT_TRUE(startProgram());
  typeKeyByKey(0, L"water");
  EXPECT_TRUE(dropDownItems(0).empty()) << "nothing counts until the article has stayed a moment";
  pumpMessages(1800);
  EXPECT_EQ(dropDownItems(0), std::vector<std::wstring>{L"water"}) << "no \"w\", \"wa\" or \"wat\"";

  // Enter, as the message loop hands it on, counts at once; a text without an article
  // never counts.
  typeKeyByKey(0, L"book");
  MSG enter{GetWindow(wordBox(0), GW_CHILD), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  handleLoopMessage(enter, nullptr);
  pumpMessages(50);
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"book", L"water"}));
  typeKeyByKey(0, L"zz");
  pumpMessages(1800);
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"book", L"water"}));
  EXPECT_EQ(textOf(wordBox(0)), L"zz") << "refilling the list keeps the box's text";

  // A choice from the list looks the word up and makes it the most recent.
  SendMessageW(wordBox(0), CB_SETCURSEL, 1, 0);
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(wordBox(0)));
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(wordBox(0)));
  pumpMessages(50);
  EXPECT_EQ(textOf(wordBox(0)), L"water");
  EXPECT_EQ(textOf(app.tabs[0].controls.articleView), L"1. 水 shuǐ: water\r\n");
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"water", L"book"}));
  EXPECT_TRUE(dropDownItems(1).empty()) << "the other tab has a history of its own";
  EXPECT_EQ(exitProgramAndWait(), 0);

  // What the next start reads: both words, "water" looked up twice.
  YourWords saved;
  ASSERT_TRUE(readHistoryFile(fileBytes(path(historyFileName)), saved));
  EXPECT_EQ(saved.of(Direction::EnglishChinese).history, (std::vector<std::u16string>{u"water", u"book"}));
  EXPECT_EQ(lookupCount(saved, Direction::EnglishChinese, u"water"), 2u);
}

TEST_F(YourWordsWindow, AltLeftAndAltRightStepThroughTheWordsShown) {
  ASSERT_TRUE(startProgram());
  for (const wchar_t* word : {L"book", L"fire", L"water"}) {
    typeKeyByKey(0, word);
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_REMEMBER_SHOWN_WORD, 0), 0);
  }
  pressKeys(0, {VK_MENU}, VK_LEFT);
  EXPECT_EQ(textOf(wordBox(0)), L"fire");
  EXPECT_EQ(textOf(app.tabs[0].controls.articleView), L"1. 火 huǒ: fire\r\n");
  EXPECT_EQ(listCount(0), 2) << "the list as it was for \"fire\"";
  pressKeys(0, {VK_MENU}, VK_LEFT);
  EXPECT_EQ(textOf(wordBox(0)), L"book");
  pressKeys(0, {VK_MENU}, VK_RIGHT);
  EXPECT_EQ(textOf(wordBox(0)), L"fire");
  // The View menu items and the mouse's buttons do the same.
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_VIEW_FORWARD, 0), 0);
  EXPECT_EQ(textOf(wordBox(0)), L"water");
  SendMessageW(app.mainWindow, WM_APPCOMMAND, reinterpret_cast<WPARAM>(app.mainWindow),
               MAKELPARAM(0, FAPPCOMMAND_MOUSE | APPCOMMAND_BROWSER_BACKWARD));
  EXPECT_EQ(textOf(wordBox(0)), L"fire");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// View, "Clear History" as the user meets it: a question box, answered from another thread
// while the command waits in it. No keeps the words; Yes empties both drop-downs, Back has
// nowhere to go, and the emptied history is what a restart reads.
TEST_F(YourWordsWindow, ClearHistoryAsksFirstAndOnlyYesClears) {
  ASSERT_TRUE(startProgram());
  for (const wchar_t* word : {L"book", L"water"}) {
    typeKeyByKey(0, word);
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_REMEMBER_SHOWN_WORD, 0), 0);
  }
  const auto clearAnswering = [](int answer) {
    bool asked = false;
    std::thread answering([&] {
      for (int i = 0; i < 500 && !asked; ++i) {
        if (const HWND box = findOwnWindow(L"#32770", L"Clear History")) {
          asked = true;
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        }
        Sleep(10);
      }
    });
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_VIEW_CLEAR_HISTORY, 0), 0);
    answering.join();
    return asked;
  };
  EXPECT_TRUE(clearAnswering(IDNO)) << "the command asks first";
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"water", L"book"}));
  EXPECT_TRUE(clearAnswering(IDYES));
  EXPECT_TRUE(dropDownItems(0).empty());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_VIEW_BACK, 0), 0);
  EXPECT_EQ(textOf(wordBox(0)), L"water") << "no step is left to go back to";
  EXPECT_EQ(exitProgramAndWait(), 0);
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(dropDownItems(0).empty());
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(YourWordsWindow, CtrlDKeepsTheShownWordWithACheckMarkAndTheDialogRemovesAndExports) {
  ASSERT_TRUE(startProgram());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_VIEW_CHINESE_ENGLISH, 0), 0);
  typeKeyByKey(1, L"水");
  EXPECT_FALSE(keepItemChecked());
  pressKeys(1, {VK_CONTROL}, 'D');
  EXPECT_TRUE(keepItemChecked());
  typeKeyByKey(1, L"火");
  EXPECT_FALSE(keepItemChecked());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EDIT_KEEP_IN_MY_WORDS, 0), 0);
  EXPECT_TRUE(keepItemChecked());

  YourWords saved;
  ASSERT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  ASSERT_EQ(saved.myWords.size(), 2u);
  EXPECT_EQ(saved.myWords[0].word, u"水");
  EXPECT_EQ(saved.myWords[0].reading, u"shuǐ");
  EXPECT_EQ(saved.myWords[0].sense, u"water");

  // In the dialog: sort by word, remove the first, export the rest.
  static std::wstring exportPath;
  exportPath = directory + L"\\cards.txt";
  writeRawFile(exportPath + L".tmp", "the user's own file");
  setExportPathChooserForTesting([](HWND) { return exportPath; });
  std::vector<std::wstring> shown;
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !(dialog = findOwnWindow(L"#32770", L"My Words")); ++i) Sleep(10);
    if (!dialog) return;
    const HWND list = GetDlgItem(dialog, IDC_MY_WORDS_LIST);
    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(IDC_MY_WORDS_LIST), static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 0;
    SendMessageW(dialog, WM_NOTIFY, IDC_MY_WORDS_LIST, reinterpret_cast<LPARAM>(&click));
    for (int item = 0; item < 2; ++item) {
      wchar_t text[64] = L"";
      LVITEMW cell{};
      cell.iSubItem = 0;
      cell.pszText = text;
      cell.cchTextMax = 64;
      SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell));
      shown.emplace_back(text);
    }
    LVITEMW selected{};
    selected.state = selected.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_MY_WORDS_REMOVE, BN_CLICKED), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_MY_WORDS_EXPORT, BN_CLICKED), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_VIEW_MY_WORDS, 0), 0);
  user.join();
  setExportPathChooserForTesting(nullptr);
  // Sorted by word in code-unit order: "水" (U+6C34) before "火" (U+706B).
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"水", L"火"}));
  EXPECT_EQ(fileBytes(exportPath), "火\thuǒ\tfire\n");
  EXPECT_EQ(fileBytes(exportPath + L".tmp"), "the user's own file") << "a file of the temporary name is left alone";
  ASSERT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  ASSERT_EQ(saved.myWords.size(), 1u);
  EXPECT_EQ(saved.myWords[0].word, u"火");
  EXPECT_TRUE(keepItemChecked()) << "\"火\" is shown and still kept";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// A listed headword shown by an arrow key while the word box keeps what was typed: Ctrl+D
// keeps the word whose article is shown, and Enter back in the word box shows the typed
// word's own article again.
TEST_F(YourWordsWindow, TheListedWordShownIsTheOneKeptAndEnterInTheBoxShowsTheTypedOneAgain) {
  writeArticleFile(directory, 0, u"\n|water|1. 水 shuǐ: water\r\n|water buffalo|1. 水牛 shuǐ niú: water buffalo\r\n");
  ASSERT_TRUE(startProgram());
  typeKeyByKey(0, L"water");
  ASSERT_TRUE(showListedArticle(app.dictionary, app.tabs[0], app.mainWindow, 1));
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EDIT_KEEP_IN_MY_WORDS, 0), 0);
  YourWords saved;
  ASSERT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  ASSERT_EQ(saved.myWords.size(), 1u);
  EXPECT_EQ(saved.myWords[0].word, u"water buffalo");
  EXPECT_EQ(saved.myWords[0].sense, u"水牛 shuǐ niú");

  pressKeys(0, {}, VK_RETURN);
  const std::wstring shown = readWindowText(app.tabs[0].controls.articleView);
  EXPECT_NE(shown.find(L"水 shuǐ: water"), std::wstring::npos) << std::string(shown.begin(), shown.end());
  EXPECT_EQ(shown.find(L"水牛"), std::wstring::npos);
  EXPECT_FALSE(keepItemChecked()) << "\"water\" itself is not kept";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Another running copy kept a word after this one read My Words: keeping one here keeps both.
TEST_F(YourWordsWindow, KeepingAWordKeepsWhatAnotherCopyKeptMeanwhile) {
  ASSERT_TRUE(startProgram());
  typeKeyByKey(0, L"water");
  YourWords theirs;
  theirs.myWords.push_back({Direction::EnglishChinese, u"book", u"", u"book", u"2024-01-02"});
  writeRawFile(path(myWordsFileName), myWordsFileText(theirs));
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EDIT_KEEP_IN_MY_WORDS, 0), 0);
  YourWords saved;
  ASSERT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  ASSERT_EQ(saved.myWords.size(), 2u);
  EXPECT_EQ(saved.myWords[0].word, u"book");
  EXPECT_EQ(saved.myWords[1].word, u"water");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(YourWordsWindow, SavedWordsComeBackAtStartAndDamagedFilesAreNamedOnceAndSetAside) {
  YourWords kept;
  rememberLookedAt(kept, Direction::EnglishChinese, u"fire");
  rememberLookedAt(kept, Direction::EnglishChinese, u"water");
  toggleMyWord(kept, Direction::EnglishChinese, u"water", u"1. 水 shuǐ: water", u"2024-05-06");
  writeRawFile(path(historyFileName), historyFileText(kept));
  const std::string damagedMyWords = "Dictionary My Words 1\nW\t0\tnot a date\n";
  writeRawFile(path(myWordsFileName), damagedMyWords);
  {
    MessageBoxWatcher boxes;
    ASSERT_TRUE(startProgram());
    pumpMessages(300);
    const auto texts = boxes.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(path(myWordsFileName)), std::wstring::npos) << "the message names the file";
  }
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"water", L"fire"}));
  EXPECT_EQ(fileBytes(path(myWordsFileName)), damagedMyWords) << "the damaged file is left as it was";

  typeKeyByKey(0, L"water");
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EDIT_KEEP_IN_MY_WORDS, 0), 0);
  EXPECT_EQ(fileBytes(path(myWordsFileName) + L".damaged"), damagedMyWords) << "set aside before it was replaced";
  YourWords saved;
  EXPECT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  EXPECT_EQ(saved.myWords.size(), 1u);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// The kept words are read beside start-up: a command that comes first waits for them, so
// a word kept at once joins the kept ones and never replaces them.
TEST_F(YourWordsWindow, AWordKeptBeforeTheKeptWordsAreReadJoinsThem) {
  YourWords kept;
  for (int i = 0; i < 5000; ++i) {
    toggleMyWord(kept, Direction::ChineseEnglish, u"\u8bcd" + toCoreText(std::to_wstring(i)), u"c\u00ed\r\n1. word",
                 u"2024-05-06");
  }
  writeRawFile(path(myWordsFileName), myWordsFileText(kept));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  loadWindowTexts(instance);
  registerMainWindowClass(instance);
  ASSERT_TRUE(startApplication(instance, SW_SHOWNORMAL));
  SetWindowTextW(wordBox(0), L"water");
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(wordBox(0)));
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EDIT_KEEP_IN_MY_WORDS, 0), 0);
  YourWords saved;
  ASSERT_TRUE(readMyWordsFile(fileBytes(path(myWordsFileName)), saved));
  EXPECT_EQ(saved.myWords.size(), 5001u);
  EXPECT_TRUE(findMyWord(saved, Direction::EnglishChinese, u"water").has_value());
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(YourWordsWindow, AFolderInTheHistorysPlaceIsNamedOnceAndNeverWrittenOver) {
  ASSERT_TRUE(CreateDirectoryW(path(historyFileName).c_str(), nullptr));
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  for (const wchar_t* word : {L"book", L"fire"}) {
    typeKeyByKey(0, word);
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_REMEMBER_SHOWN_WORD, 0), 0);
  }
  EXPECT_EQ(dropDownItems(0), (std::vector<std::wstring>{L"fire", L"book"})) << "the history works in memory";
  EXPECT_EQ(exitProgramAndWait(), 0);
  const auto texts = boxes.texts();
  // Named at start, and once more when it could not be set aside for the first save.
  ASSERT_GE(texts.size(), 1u);
  ASSERT_LE(texts.size(), 2u);
  for (const auto& text : texts) EXPECT_NE(text.find(path(historyFileName)), std::wstring::npos);
  EXPECT_TRUE(GetFileAttributesW(path(historyFileName).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

namespace {

// A stand-in process saves My Words and the history in a loop and is killed again and again;
// each time both files read back whole, with the words of one complete save.
TEST(SavingYourWords, AKillAtAnyMomentLeavesEitherTheOldOrTheNewWholeFiles) {
  const auto directory = makeFixtureDirectory();
  const std::wstring saver = testExecutableDirectory() + L"\\my_words_saver.exe";
  std::mt19937 random(2200);
  std::uniform_int_distribution<int> delay(0, 40);
  int killsAmidSaving = 0;
  for (int kill = 0; kill < 15; ++kill) {
    const std::wstring eventName =
        L"my-words-saver-ready-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(kill);
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    {
      ChildProcess saving(saver, L"\"" + directory + L"\" " + eventName, directory);
      ASSERT_TRUE(saving.started) << "kill " << kill << ": my_words_saver.exe did not start, error " << saving.error;
      const DWORD waited = WaitForSingleObject(ready, 20000);
      CloseHandle(ready);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the saver never completed a save";
      Sleep(static_cast<DWORD>(delay(random)));
      ASSERT_TRUE(TerminateProcess(saving.info.hProcess, 1));
      ASSERT_EQ(WaitForSingleObject(saving.info.hProcess, 10000), WAIT_OBJECT_0);
    }
    YourWords read;
    ASSERT_TRUE(readMyWordsFile(fileBytes(directory + L"\\MyWords.dat"), read))
        << "kill " << kill << " left a broken file";
    ASSERT_TRUE(readHistoryFile(fileBytes(directory + L"\\History.dat"), read))
        << "kill " << kill << " left a broken file";
    const std::size_t saves = read.myWords.size();
    ASSERT_GE(saves, 1u);
    // Save n keeps w1 ... wn, in order.
    for (std::size_t i = 0; i < saves; ++i) EXPECT_EQ(read.myWords[i].word, u"w" + toCoreText(std::to_wstring(i + 1)));
    killsAmidSaving += saves > 1;
  }
  EXPECT_GT(killsAmidSaving, 0) << "every kill came right after the first save; the test proves little";
}

}  // namespace
