// The user's own word articles in the real main window: the "Own word article" dialog adds,
// edits and deletes them, lookups list and show them, a failed save keeps the dialog and
// the file as they were, a damaged file is reported once and kept aside, and a kill during
// a save leaves a whole file.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/own_articles.h"
#include "dictionary/own_articles_win.h"
#include "resource.h"
#include "test_support_win.h"

namespace {

const std::u16string englishText =
    u"\n|a|article of a\r\n|apple|article of apple\r\n|book|article of book\r\n"
    u"|water|article of water\r\n";
const std::u16string chineseText = u"\n|水|shui3 water\r\n|火|huo3 fire\r\n";

std::string scrambled(const std::u16string& text) {
  std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
  scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  return bytes;
}

std::wstring ownPath(const std::wstring& directory, int tab) {
  return directory + L"\\" + toWideText(ownArticleFileName(directionOfSelection(tab)));
}

// The own file's records as "headword=article" lines, or "unreadable".
std::wstring ownFileRecords(const std::wstring& directory, int tab) {
  auto bytes = readFileBytes(ownPath(directory, tab));
  if (!bytes || bytes->size() % 2 != 0) return L"unreadable";
  unscrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes->data()), bytes->size());
  const std::u16string text(reinterpret_cast<const char16_t*>(bytes->data()), bytes->size() / 2);
  std::vector<OwnRecord> records;
  if (!readOwnRecords(text, records)) return L"unreadable";
  std::wstring out;
  for (const OwnRecord& record : records) out += toWideText(record.headword) + L"=" + toWideText(record.article);
  return out;
}

std::vector<std::wstring> listItems(int tab) {
  std::vector<std::wstring> items;
  const auto count = SendMessageW(app.tabs[tab].controls.wordList, LVM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[1000] = L"";
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 1000;
    SendMessageW(app.tabs[tab].controls.wordList, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    items.emplace_back(text);
  }
  return items;
}

// The article view's text with its line breaks as line feeds.
std::wstring articleOf(int tab) {
  std::wstring lines;
  const std::wstring text = textOf(app.tabs[tab].controls.articleView);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    lines += text[i] == L'\r' ? L'\n' : text[i];
  }
  return lines;
}

void lookUp(int tab, const std::wstring& word) {
  SendMessageW(app.mainWindow, WM_COMMAND,
               MAKEWPARAM(tab == 0 ? IDM_VIEW_ENGLISH_CHINESE : IDM_VIEW_CHINESE_ENGLISH, 0), 0);
  SetWindowTextW(app.tabs[tab].controls.wordBox, word.c_str());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + tab, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(app.tabs[tab].controls.wordBox));
}

HWND waitForWindow(const wchar_t* caption) {
  for (int i = 0; i < 1000; ++i) {
    if (const HWND window = findOwnWindow(L"#32770", caption)) return window;
    Sleep(10);
  }
  return nullptr;
}

std::wstring dialogText(HWND dialog, int id) {
  const HWND control = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Lines of 49 letters: an article of 1,000 of them is 51,000 units as stored.
std::wstring longArticle(int lines) {
  std::wstring text;
  for (int i = 0; i < lines; ++i) text += (i ? L"\r\n" : L"") + std::wstring(49, L'x');
  return text;
}

// What the dialog showed when it opened, and whether it closed.
struct DialogSeen {
  bool opened = false;
  bool closed = false;
  int direction = -1;
  std::wstring headword;
  std::wstring article;
};

// Opens the dialog with toolbar button 10501 as the user would. The dialog is modal, so a
// second thread reads it and acts on it while the command runs its loop on this thread;
// the actions post their clicks, so a message box they raise cannot hold that thread.
DialogSeen useOwnArticleDialog(const std::function<void(HWND)>& act) {
  DialogSeen seen;
  std::thread user([&] {
    const HWND dialog = waitForWindow(L"Own word article");
    if (!dialog) return;
    seen.opened = true;
    seen.direction = static_cast<int>(SendDlgItemMessageW(dialog, IDC_OWN_DIRECTION, CB_GETCURSEL, 0, 0));
    seen.headword = dialogText(dialog, IDC_OWN_HEADWORD);
    seen.article = dialogText(dialog, IDC_OWN_ARTICLE);
    act(dialog);
    for (int i = 0; i < 1000 && IsWindow(dialog); ++i) Sleep(10);
    seen.closed = !IsWindow(dialog);
    if (!seen.closed) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDT_NEW_ARTICLE, 0), 0);
  user.join();
  return seen;
}

void write(HWND dialog, int tab, const std::wstring& headword, const std::wstring& article) {
  SendDlgItemMessageW(dialog, IDC_OWN_DIRECTION, CB_SETCURSEL, tab, 0);
  SetDlgItemTextW(dialog, IDC_OWN_HEADWORD, headword.c_str());
  SetDlgItemTextW(dialog, IDC_OWN_ARTICLE, article.c_str());
}
void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
void answerDeleteQuestion(bool yes) {
  if (const HWND box = waitForWindow(L"Delete own article"))
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(yes ? IDYES : IDNO, BN_CLICKED), 0);
}

struct OwnArticlesWindow : ::testing::Test {
  std::wstring directory;
  void SetUp() override {
    directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, englishText);
    writeArticleFile(directory, 1, chineseText);
  }
  void TearDown() override { EXPECT_EQ(exitProgramAndWait(), 0); }
};

TEST_F(OwnArticlesWindow, AddEditAndDeleteThroughTheDialogShowInLookups) {
  ASSERT_TRUE(startProgram());
  lookUp(0, L"ap");
  const std::vector<std::wstring> dictionaryOnly = listItems(0);

  // Add: the dialog opens on the current tab and word; Save looks the new headword up.
  std::vector<int> tabOrder;
  DWORD selectedByControlA = 0;
  DialogSeen seen = useOwnArticleDialog([&](HWND d) {
    HWND control = GetDlgItem(d, IDC_OWN_DIRECTION);
    for (int i = 0; i < 6; ++i, control = GetNextDlgTabItem(d, control, FALSE))
      tabOrder.push_back(GetDlgCtrlID(control));
    write(d, 0, L"  apricot ", L"my apricot\r\nsecond line");
    SendDlgItemMessageW(d, IDC_OWN_ARTICLE, WM_CHAR, 1, 0);
    selectedByControlA = static_cast<DWORD>(SendDlgItemMessageW(d, IDC_OWN_ARTICLE, EM_GETSEL, 0, 0));
    press(d, IDOK);
  });
  EXPECT_EQ(tabOrder,
            (std::vector<int>{IDC_OWN_DIRECTION, IDC_OWN_HEADWORD, IDC_OWN_ARTICLE, IDOK, IDC_OWN_DELETE, IDCANCEL}));
  EXPECT_EQ(LOWORD(selectedByControlA), 0) << "Control+A selects the whole article";
  EXPECT_EQ(HIWORD(selectedByControlA), 23) << "Control+A selects the whole article";
  EXPECT_TRUE(seen.opened && seen.closed);
  EXPECT_EQ(seen.direction, 0);
  EXPECT_EQ(seen.headword, L"ap");
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"apricot");
  EXPECT_EQ(articleOf(0), L"Your own article:\nmy apricot\nsecond line\n");
  lookUp(0, L"ap");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"apple", L"apricot", L"book", L"water"}));

  // Edit: opening on the headword loads its own article; a dictionary headword gets one too.
  lookUp(0, L"apricot");
  seen = useOwnArticleDialog([](HWND d) {
    SetDlgItemTextW(d, IDC_OWN_ARTICLE, L"changed");
    press(d, IDOK);
  });
  EXPECT_EQ(seen.article, L"my apricot\r\nsecond line");
  EXPECT_EQ(articleOf(0), L"Your own article:\nchanged\n");
  useOwnArticleDialog([](HWND d) {
    write(d, 0, L"apple", L"mine");
    press(d, IDOK);
  });
  EXPECT_EQ(articleOf(0), L"Your own article:\nmine\n\nFrom the dictionary:\narticle of apple\n");
  lookUp(0, L"app");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"apple", L"apricot", L"book", L"water"}));

  // Delete asks once; No keeps it, Yes removes it.
  lookUp(0, L"apricot");
  bool openAfterNo = false;
  useOwnArticleDialog([&](HWND d) {
    press(d, IDC_OWN_DELETE);
    answerDeleteQuestion(false);
    Sleep(200);
    openAfterNo = IsWindow(d);
    press(d, IDCANCEL);
  });
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(ownFileRecords(directory, 0), L"apple=mine\r\napricot=changed\r\n");
  useOwnArticleDialog([](HWND d) {
    press(d, IDC_OWN_DELETE);
    answerDeleteQuestion(true);
  });
  EXPECT_EQ(articleOf(0), L"");
  lookUp(0, L"ap");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"apple", L"book", L"water"}));
  EXPECT_EQ(ownFileRecords(directory, 0), L"apple=mine\r\n");
  EXPECT_EQ(ownFileRecords(directory, 1), L"unreadable") << "no file is written for a direction never saved";
}

// Another running copy saved an article after this one started: a save here keeps it.
TEST_F(OwnArticlesWindow, ASaveKeepsWhatAnotherCopySavedMeanwhile) {
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|zebra|striped\r\n"));
  ASSERT_TRUE(startProgram());
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|kiwi|theirs\r\n|zebra|striped\r\n"));
  useOwnArticleDialog([](HWND d) {
    write(d, 0, L"apricot", L"mine");
    press(d, IDOK);
  });
  EXPECT_EQ(ownFileRecords(directory, 0), L"apricot=mine\r\nkiwi=theirs\r\nzebra=striped\r\n");
  lookUp(0, L"kiwi");
  EXPECT_EQ(articleOf(0), L"Your own article:\ntheirs\n") << "and this copy shows it from then on";
}

// "Water" shows the own article of "water" (the headword it finds), and the dialog opened
// on it edits that article rather than starting one for "Water".
TEST_F(OwnArticlesWindow, TextFoundInAnotherSpellingShowsAndEditsThatHeadwordsOwnArticle) {
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|water|mine\r\n"));
  ASSERT_TRUE(startProgram());
  lookUp(0, L"Water");
  EXPECT_EQ(articleOf(0).rfind(L"Your own article:\nmine\n", 0), 0u)
      << std::string(articleOf(0).begin(), articleOf(0).end());
  const DialogSeen seen = useOwnArticleDialog([](HWND d) { press(d, IDCANCEL); });
  EXPECT_EQ(seen.headword, L"water");
  EXPECT_EQ(seen.article, L"mine");
}

TEST_F(OwnArticlesWindow, OwnFilesAreReadAtStartInBothTabs) {
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|bookworm|mine\r\n|zebra|striped\r\n"));
  writeRawFile(ownPath(directory, 1), scrambled(u"\n|水|my water\r\n|水果|fruit\r\n"));
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  lookUp(0, L"b");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"book", L"bookworm", L"water", L"zebra"}));
  // A double-click on an own headword shows its article.
  SendMessageW(app.tabs[0].controls.wordList, LVM_SETSELECTIONMARK, 0, 1);
  NMITEMACTIVATE activate{};
  activate.hdr = {app.tabs[0].controls.wordList, static_cast<UINT_PTR>(IDC_WORD_LIST), static_cast<UINT>(NM_DBLCLK)};
  activate.iItem = 1;
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(articleOf(0), L"Your own article:\nmine\n");
  lookUp(0, L"book");
  EXPECT_EQ(articleOf(0), L"article of book\n") << "a word with no own article shows what it always did";
  // Text captured from another program (Control+Insert) ends in the same lookup.
  app.capture.text = new wchar_t[6]{L'z', L'e', L'b', L'r', L'a', L'\0'};
  lookUpCapturedText();
  EXPECT_EQ(articleOf(0), L"Your own article:\nstriped\n");
  lookUp(1, L"水");
  EXPECT_EQ(listItems(1), (std::vector<std::wstring>{L"水", L"水果", L"火"}));
  EXPECT_EQ(articleOf(1), L"Your own article:\nmy water\n\nFrom the dictionary:\nshui3 water\n");
  EXPECT_TRUE(boxes.texts().empty());
}

// A double-click looks up the chosen headword whole, however long: an own headword of 300
// characters that shares its first 250 with another must not be cut to the other's.
TEST_F(OwnArticlesWindow, DoubleClickChoosesALongHeadwordWhole) {
  const std::u16string shared(250, u'k');
  const std::u16string shorter = shared + u"a";
  const std::u16string longer = shared + std::u16string(50, u'b');
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|" + shorter + u"|short one\r\n|" + longer + u"|long one\r\n"));
  ASSERT_TRUE(startProgram());
  lookUp(0, L"kkk");
  ASSERT_EQ(listItems(0).size(), 2u);
  SendMessageW(app.tabs[0].controls.wordList, LVM_SETSELECTIONMARK, 0, 1);
  NMITEMACTIVATE activate{};
  activate.hdr = {app.tabs[0].controls.wordList, static_cast<UINT_PTR>(IDC_WORD_LIST), static_cast<UINT>(NM_DBLCLK)};
  activate.iItem = 1;
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), toWideText(longer));
  EXPECT_EQ(articleOf(0), L"Your own article:\nlong one\n");
}

// Choosing the other direction shows that direction's own article of the headword, but never
// over what the user has written in the article box.
TEST_F(OwnArticlesWindow, ChoosingADirectionShowsItsArticleButKeepsWhatWasWritten) {
  writeRawFile(ownPath(directory, 0), scrambled(u"\n|bookworm|mine\r\n"));
  writeRawFile(ownPath(directory, 1), scrambled(u"\n|\u6C34|my water\r\n"));
  ASSERT_TRUE(startProgram());
  std::wstring shownForChinese;
  std::wstring keptWhenWritten;
  const auto choose = [](HWND dialog, int tab) {
    SendDlgItemMessageW(dialog, IDC_OWN_DIRECTION, CB_SETCURSEL, tab, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OWN_DIRECTION, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_OWN_DIRECTION)));
  };
  useOwnArticleDialog([&](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_OWN_HEADWORD, L"\u6C34");
    choose(dialog, 1);
    shownForChinese = dialogText(dialog, IDC_OWN_ARTICLE);
    SetDlgItemTextW(dialog, IDC_OWN_ARTICLE, L"my own words");
    SendDlgItemMessageW(dialog, IDC_OWN_ARTICLE, EM_SETMODIFY, TRUE, 0);
    choose(dialog, 0);
    keptWhenWritten = dialogText(dialog, IDC_OWN_ARTICLE);
    press(dialog, IDCANCEL);
  });
  EXPECT_EQ(shownForChinese, L"my water");
  EXPECT_EQ(keptWhenWritten, L"my own words");
}

// The keys of any Windows dialog, as the dialog's own loop hands them on: Escape cancels,
// Enter outside the article box saves.
TEST_F(OwnArticlesWindow, EscapeCancelsAndEnterSaves) {
  ASSERT_TRUE(startProgram());
  const auto key = [](HWND dialog, int id, WPARAM code) {
    PostMessageW(GetDlgItem(dialog, id), WM_KEYDOWN, code, 1);
    PostMessageW(GetDlgItem(dialog, id), WM_KEYUP, code, 0xC0000001);
  };
  DialogSeen seen = useOwnArticleDialog([&](HWND d) {
    write(d, 0, L"kiwi", L"a fruit");
    key(d, IDC_OWN_HEADWORD, VK_ESCAPE);
  });
  EXPECT_TRUE(seen.closed);
  EXPECT_EQ(ownFileRecords(directory, 0), L"unreadable") << "Escape saved nothing";
  seen = useOwnArticleDialog([&](HWND d) {
    write(d, 0, L"kiwi", L"a fruit");
    key(d, IDC_OWN_HEADWORD, VK_RETURN);
  });
  EXPECT_TRUE(seen.closed);
  EXPECT_EQ(ownFileRecords(directory, 0), L"kiwi=a fruit\r\n");
  EXPECT_EQ(articleOf(0), L"Your own article:\na fruit\n");
}

// Input that breaks a rule, and a file that cannot be replaced: a message, the dialog stays
// open with the text in it, and the file is as it was.
TEST_F(OwnArticlesWindow, RefusedOrFailedSavesKeepTheDialogAndTheFile) {
  const std::string before = scrambled(u"\n|keep|as it was\r\n");
  writeRawFile(ownPath(directory, 0), before);
  ASSERT_TRUE(SetFileAttributesW(ownPath(directory, 0).c_str(), FILE_ATTRIBUTE_READONLY));
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  struct Case {
    std::wstring headword;
    std::wstring article;
    std::wstring messagePart;
  };
  const Case cases[] = {
      {L"a|b", L"text", L"\"|\" (character 2)"},
      {L"word", L"line\r\nwith | bar", L"line 2, character 6"},
      {L"   ", L"text", L"headword is empty"},
      {std::wstring(497, L'h'), L"text", L"longer than 496"},
      {L"word", longArticle(1000), L"longer than 50000"},
      {L"word", L"fine text", ownPath(directory, 0)},
  };
  for (const Case& c : cases) {
    const std::size_t shownBefore = boxes.texts().size();
    std::wstring headwordAfter;
    std::wstring articleAfter;
    const DialogSeen seen = useOwnArticleDialog([&](HWND d) {
      write(d, 0, c.headword, c.article);
      press(d, IDOK);
      for (int i = 0; i < 500 && boxes.texts().size() == shownBefore; ++i) Sleep(10);
      Sleep(50);
      headwordAfter = dialogText(d, IDC_OWN_HEADWORD);
      articleAfter = dialogText(d, IDC_OWN_ARTICLE);
      press(d, IDCANCEL);
    });
    EXPECT_TRUE(seen.closed);
    const auto texts = boxes.texts();
    ASSERT_EQ(texts.size(), shownBefore + 1) << "one message for each refused save";
    EXPECT_NE(texts.back().find(c.messagePart), std::wstring::npos) << texts.back().substr(0, 200).c_str();
    EXPECT_TRUE(headwordAfter == c.headword) << "the headword is kept as typed";
    EXPECT_TRUE(articleAfter == c.article) << "the article is kept as typed";
    EXPECT_EQ(readFileBytes(ownPath(directory, 0)), before);
    EXPECT_EQ(GetFileAttributesW((ownPath(directory, 0) + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  }
  SetFileAttributesW(ownPath(directory, 0).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Saves that cannot write their new file (as in a read-only folder or on a full disk: here a
// folder has taken the new file's name) or cannot put it in place (a folder where the file
// was): a message naming the file, the dialog kept with its text, nothing changed on disk.
TEST_F(OwnArticlesWindow, SavesThatCannotWriteOrReplaceChangeNothing) {
  const std::wstring file = ownPath(directory, 0);
  const std::string before = scrambled(u"\n|keep|as it was\r\n");
  writeRawFile(file, before);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  for (const bool folderAtFile : {false, true}) {
    const std::wstring blocked = folderAtFile ? file : file + L".tmp";
    if (folderAtFile) {
      ASSERT_TRUE(DeleteFileW(file.c_str()));
    }
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    const std::size_t shownBefore = boxes.texts().size();
    std::wstring articleAfter;
    const DialogSeen seen = useOwnArticleDialog([&](HWND d) {
      write(d, 0, L"word", L"fine text");
      press(d, IDOK);
      for (int i = 0; i < 500 && boxes.texts().size() == shownBefore; ++i) Sleep(10);
      Sleep(50);
      articleAfter = dialogText(d, IDC_OWN_ARTICLE);
      press(d, IDCANCEL);
    });
    EXPECT_TRUE(seen.closed);
    const auto texts = boxes.texts();
    ASSERT_EQ(texts.size(), shownBefore + 1) << "one message for the failed save";
    EXPECT_NE(texts.back().find(file), std::wstring::npos) << texts.back().substr(0, 200).c_str();
    EXPECT_EQ(articleAfter, L"fine text");
    EXPECT_NE(GetFileAttributesW(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the folder is left as it was";
    if (folderAtFile) {
      EXPECT_EQ(GetFileAttributesW((file + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    } else {
      EXPECT_EQ(readFileBytes(file), before);
    }
    RemoveDirectoryW(blocked.c_str());
  }
}

struct DamagedCase {
  const char* name;
  std::string (*bytes)();
};

void PrintTo(const DamagedCase& c, std::ostream* out) { *out << c.name; }

class DamagedOwnFile : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedOwnFile, IsNamedOnceLeftUntouchedAndKeptAsideBeforeItIsReplaced) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, englishText);
  writeArticleFile(directory, 1, chineseText);
  const std::string damaged = GetParam().bytes();
  writeRawFile(ownPath(directory, 0), damaged);
  {
    MessageBoxWatcher boxes;
    ASSERT_TRUE(startProgram());
    pumpMessages(100);
    const auto texts = boxes.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(L"Own_English_Chinese.dat"), std::wstring::npos);
    EXPECT_EQ(listItems(0).size(), 4u) << "the dictionary's articles work on";
    EXPECT_EQ(readFileBytes(ownPath(directory, 0)), damaged);
    ASSERT_TRUE(changeOwnArticle(app.mainWindow, app.tabs[0], u"new", u"text\r\n"));
  }
  EXPECT_EQ(readFileBytes(ownPath(directory, 0) + L".damaged"), damaged);
  EXPECT_EQ(ownFileRecords(directory, 0), L"new=text\r\n");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

std::string cutShort() { return scrambled(u"\n|abc|def\r\n").substr(0, 9); }
std::string randomBytes() {
  std::mt19937 random(7);
  std::string bytes(4096, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}
std::string unsorted() { return scrambled(u"\n|b|x\r\n|a|y\r\n"); }
std::string zeroUnits() { return {}; }
std::string hugeHeadword() { return scrambled(u"\n|" + std::u16string(100000, u'h') + u"|x\r\n"); }

INSTANTIATE_TEST_SUITE_P(Cases, DamagedOwnFile,
                         ::testing::Values(DamagedCase{"CutShort", cutShort}, DamagedCase{"RandomBytes", randomBytes},
                                           DamagedCase{"NotSorted", unsorted}, DamagedCase{"ZeroUnits", zeroUnits},
                                           DamagedCase{"HeadwordOf100000Units", hugeHeadword}),
                         [](const ::testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

// A stand-in process saves own articles in a loop and is killed again and again; each time
// the file reads back whole, with every article the saver wrote in one piece.
TEST(SavingOwnArticles, AKillAtAnyMomentLeavesEitherTheOldOrTheNewWholeFile) {
  const auto directory = makeFixtureDirectory();
  const std::wstring saver = testExecutableDirectory() + L"\\own_articles_saver.exe";
  std::mt19937 random(4321);
  int killsAmidSaving = 0;
  for (int kill = 0; kill < 20; ++kill) {
    const std::wstring eventName =
        L"own-saver-ready-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(kill);
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    {
      ChildProcess saving(saver, L"\"" + directory + L"\" " + eventName, directory);
      ASSERT_TRUE(saving.started);
      const DWORD waited = WaitForSingleObject(ready, 20000);
      CloseHandle(ready);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the saver never completed a save";
      Sleep(static_cast<DWORD>(random() % 40));
    }
    auto bytes = readFileBytes(ownPath(directory, 0));
    ASSERT_TRUE(bytes && bytes->size() % 2 == 0) << "kill " << kill << " left no whole file";
    unscrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes->data()), bytes->size());
    const std::u16string text(reinterpret_cast<const char16_t*>(bytes->data()), bytes->size() / 2);
    std::vector<OwnRecord> records;
    ASSERT_TRUE(readOwnRecords(text, records)) << "kill " << kill << " left a broken file";
    // Save n holds the headwords of saves 1 to n, at most 30 of them, the last article the
    // longest: a file cut at a record's end would hold fewer.
    std::size_t saves = 0;
    for (const OwnRecord& record : records) saves = std::max(saves, record.article.size() - 2);
    EXPECT_EQ(records.size(), std::min<std::size_t>(saves, 30)) << "kill " << kill;
    killsAmidSaving += saves > 1;
  }
  EXPECT_GT(killsAmidSaving, 0) << "every kill came right after the first save; the test proves little";
}

}  // namespace
