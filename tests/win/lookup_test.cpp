// Looking words up in the real main window: typing, the word lists, the article views and
// the tab switch.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "resource.h"

namespace {

std::u16string englishText() {
  std::u16string text = u"English-Chinese test dictionary\n";
  for (const char16_t* word : {u"a", u"able", u"about", u"apple", u"book", u"water", u"watermelon"}) {
    text += u"|";
    text += word;
    text += u"|article of ";
    text += word;
    text += u"\n";
  }
  return text;
}

std::u16string chineseText() {
  std::u16string text = u"\n";
  for (int i = 0; i < 30; ++i) {
    text += u"|";
    text += static_cast<char16_t>(u'一' + i);
    text += u"|pinyin ";
    text += static_cast<char16_t>(u'A' + i);
    text += u"\n";
  }
  return text;
}

std::vector<std::wstring> listItems(int tab) {
  std::vector<std::wstring> items;
  const HWND list = app.tabs[tab].controls.wordList;
  const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    wchar_t text[1000] = L"";
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 1000;
    SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    items.emplace_back(text);
  }
  return items;
}

// Rich edit controls report their line breaks as carriage return + line feed.
std::wstring articleOf(int tab) {
  std::wstring text = textOf(app.tabs[tab].controls.articleView);
  std::wstring lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      lines += L'\n';
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      lines += text[i];
    }
  }
  return lines;
}

// Types text into a word box as keystrokes reach it: each character goes to the box's edit
// field, which then reports the change to the main window.
void typeInto(int tab, const std::wstring& text) {
  const HWND edit = GetWindow(app.tabs[tab].controls.wordBox, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  pumpMessages(20);
}

void clearWordBox(int tab) {
  const HWND edit = GetWindow(app.tabs[tab].controls.wordBox, GW_CHILD);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  pumpMessages(20);
}

void selectTabByClick(int tab) {
  SendMessageW(app.tabControl, TCM_SETCURSEL, tab, 0);
  NMHDR header{app.tabControl, IDC_TAB_CONTROL, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_TAB_CONTROL, reinterpret_cast<LPARAM>(&header));
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// What the list reports to its parent after a double click on an item.
void doubleClickItem(int tab, int index) {
  const HWND list = app.tabs[tab].controls.wordList;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, index);
  NMITEMACTIVATE activate{};
  activate.hdr = {list, static_cast<UINT_PTR>(IDC_WORD_LIST + tab), static_cast<UINT>(NM_DBLCLK)};
  activate.iItem = index;
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST + tab, reinterpret_cast<LPARAM>(&activate));
}

bool visible(HWND control) { return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

void expectOnlyTabVisible(int tab) {
  for (int t = 0; t < 2; ++t) {
    const bool shown = t == tab;
    EXPECT_EQ(visible(app.tabs[t].controls.wordBox), shown) << "word box of tab " << t;
    EXPECT_EQ(visible(app.tabs[t].controls.wordList), shown) << "word list of tab " << t;
    EXPECT_EQ(visible(app.tabs[t].controls.articleView), shown) << "article view of tab " << t;
    EXPECT_EQ(visible(app.tabs[t].controls.pronounceButton), shown) << "Pronounce button of tab " << t;
  }
}

struct LookupWindow : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, englishText());
    writeArticleFile(directory, 1, chineseText());
  }
  void TearDown() override { EXPECT_EQ(exitProgramAndWait(), 0); }
};

TEST_F(LookupWindow, StartsWithTheInitialWordLookedUpInTabZero) {
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(listItems(0),
            (std::vector<std::wstring>{L"a", L"able", L"about", L"apple", L"book", L"water", L"watermelon"}));
  EXPECT_EQ(articleOf(0), L"article of a\n");
  expectOnlyTabVisible(0);
}

TEST_F(LookupWindow, TypingListsFromTheFirstMatchAndShowsTheExactArticle) {
  ASSERT_TRUE(startProgram());
  clearWordBox(0);
  typeInto(0, L"wat");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"water", L"watermelon"}));
  EXPECT_EQ(articleOf(0), L"") << "a beginning of a headword shows no article";
  typeInto(0, L"er");
  EXPECT_EQ(articleOf(0), L"article of water\n");
  typeInto(0, L"x");
  EXPECT_TRUE(listItems(0).empty()) << "no headword begins with waterx";
  EXPECT_EQ(articleOf(0), L"");
}

TEST_F(LookupWindow, EachTabKeepsItsWordListAndArticleAcrossSwitches) {
  ASSERT_TRUE(startProgram());
  clearWordBox(0);
  typeInto(0, L"book");
  selectTabByClick(1);
  expectOnlyTabVisible(1);
  typeInto(1, L"\u4e02");
  EXPECT_EQ(listItems(1).size(), 25u);
  EXPECT_EQ(listItems(1).front(), L"\u4e02");
  EXPECT_EQ(articleOf(1), L"pinyin C\n");

  selectTabByClick(0);
  expectOnlyTabVisible(0);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"book");
  EXPECT_EQ(articleOf(0), L"article of book\n");
  selectTabByClick(1);
  EXPECT_EQ(textOf(app.tabs[1].controls.wordBox), L"\u4e02");
  EXPECT_EQ(articleOf(1), L"pinyin C\n");
}

TEST_F(LookupWindow, ViewMenuSwitchesTabsAndOnlyThatTabsControlsShow) {
  ASSERT_TRUE(startProgram());
  SendMessageW(app.mainWindow, WM_COMMAND, IDM_VIEW_CHINESE_ENGLISH, 0);
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  expectOnlyTabVisible(1);
  EXPECT_EQ(app.currentTab, Direction::ChineseEnglish);
  SendMessageW(app.mainWindow, WM_COMMAND, IDM_VIEW_ENGLISH_CHINESE, 0);
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  expectOnlyTabVisible(0);
}

TEST_F(LookupWindow, DoubleClickShowsTheChosenHeadwordAndKeepsTheList) {
  ASSERT_TRUE(startProgram());
  const auto before = listItems(0);
  doubleClickItem(0, 3);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"apple");
  EXPECT_EQ(articleOf(0), L"article of apple\n");
  EXPECT_EQ(listItems(0), before);
}

// The list keeps no words of its own: it asks for an item's word whenever it draws or is
// read, and the answer must fit whatever buffer it brings.
TEST_F(LookupWindow, ListItemsAskForTheirWordsWithinTheBufferTheyBring) {
  ASSERT_TRUE(startProgram());
  const HWND list = app.tabs[0].controls.wordList;
  const struct {
    int item;
    int buffer;
    const wchar_t* expected;
  } cases[] = {{2, 4, L"abo"}, {2, 1, L""}, {6, 100, L"watermelon"}, {7, 100, L""}, {-1, 100, L""}};
  for (const auto& c : cases) {
    std::wstring text(8 + 100, L'#');
    NMLVDISPINFOW request{};
    request.hdr = {list, static_cast<UINT_PTR>(IDC_WORD_LIST), static_cast<UINT>(LVN_GETDISPINFOW)};
    request.item.mask = LVIF_TEXT;
    request.item.iItem = c.item;
    request.item.pszText = text.data();
    request.item.cchTextMax = c.buffer;
    SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(std::wstring(text.c_str()), c.expected) << "item " << c.item << ", buffer " << c.buffer;
    EXPECT_EQ(text.find_first_not_of(L'#', static_cast<std::size_t>(c.buffer)), std::wstring::npos)
        << "written past the buffer: item " << c.item << ", buffer " << c.buffer;
  }
  // Drawn and read back as any list item is.
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  clearWordBox(0);
  typeInto(0, L"ap");
  EXPECT_EQ(listItems(0), (std::vector<std::wstring>{L"apple", L"book", L"water", L"watermelon"}));
}

TEST_F(LookupWindow, DoubleClickBelowTheItemsWithNothingMarkedChangesNothing) {
  ASSERT_TRUE(startProgram());
  NMITEMACTIVATE activate{};
  activate.hdr = {app.tabs[0].controls.wordList, IDC_WORD_LIST, static_cast<UINT>(NM_DBLCLK)};
  activate.iItem = -1;
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(articleOf(0), L"article of a\n");
}

TEST_F(LookupWindow, StartingOnChineseEnglishLooksUpTabOneWithItsEmptyBox) {
  // Start-up reads the choice from Configuration.dat beside the program.
  writeRawFile(programDirectory() + L"\\Configuration.dat", "DefaultLanguageId=1\r\n");
  ASSERT_TRUE(startProgram());
  expectOnlyTabVisible(1);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(textOf(app.tabs[1].controls.wordBox), L"");
  const auto items = listItems(1);
  ASSERT_EQ(items.size(), 25u) << "an empty box lists the first 25 records";
  EXPECT_EQ(items.front(), L"一");
  EXPECT_EQ(articleOf(1), L"");
  EXPECT_TRUE(listItems(0).empty()) << "tab 0 was not looked up";
}

TEST_F(LookupWindow, LayoutFollowsTheClientSizeAndKeepsTheMinimum) {
  ASSERT_TRUE(startProgram());
  SetWindowPos(app.mainWindow, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE);
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(app.mainWindow, &client);
  RECT box, list, article;
  GetWindowRect(app.tabs[0].controls.wordBox, &box);
  GetWindowRect(app.tabs[0].controls.wordList, &list);
  GetWindowRect(app.tabs[0].controls.articleView, &article);
  EXPECT_EQ(box.right - box.left, client.right - 119);
  EXPECT_EQ(list.right - list.left, 148);
  EXPECT_EQ(list.bottom - list.top, client.bottom - 98);
  EXPECT_EQ(article.right - article.left, client.right - 164);
  EXPECT_EQ(article.bottom - article.top, client.bottom - 96);

  MINMAXINFO limits{};
  SendMessageW(app.mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 250);
  EXPECT_EQ(limits.ptMinTrackSize.y, 210);
}

TEST_F(LookupWindow, ToolbarHasTenButtonsAndTabsTheirLabels) {
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(SendMessageW(app.toolbar, TB_BUTTONCOUNT, 0, 0), 10);
  wchar_t label[64] = L"";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label;
  item.cchTextMax = 64;
  SendMessageW(app.tabControl, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(label, L"English Chinese");
  SendMessageW(app.tabControl, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(label, L"Chinese English");
  for (int tab = 0; tab < 2; ++tab)
    EXPECT_NE(app.tabs[tab].controls.articleView, nullptr) << "the rich edit library loaded";
}

// Records shaped as the article builder writes them: word forms that name their base word
// and toneless pinyin keys that list the words read that way.
struct TypedFormsWindow : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0,
                     u"\n|apple|1. \u82F9\u679C p\u00EDng gu\u01D2: apple\r\n"
                     u"|apples|apples: plural of apple\r\n"
                     u"|bought|bought: past form of buy\r\n"
                     u"|buy|1. \u4E70 m\u01CEi: to buy\r\n"
                     u"|tea|1. \u8336 ch\u00E1: tea\r\n");
    writeArticleFile(directory, 1,
                     u"\n|beijing|1. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\r\n"
                     u"2. \u80CC\u666F b\u00E8i j\u01D0ng: background\r\n"
                     u"|nvren|1. \u5973\u4EBA n\u01DA r\u00E9n: woman\r\n"
                     u"|women|1. \u6211\u4EEC w\u01D2 men: we\r\n");
  }
  void TearDown() override { EXPECT_EQ(exitProgramAndWait(), 0); }
};

TEST_F(TypedFormsWindow, WordsTypedAsLearnersTypeThemReachTheirArticles) {
  ASSERT_TRUE(startProgram());
  const struct {
    int tab;
    const wchar_t* typed;
    const wchar_t* article;
    const wchar_t* listedFirst;
  } cases[] = {
      {0, L"Apples", L"apples: plural of apple\n1. \u82F9\u679C p\u00EDng gu\u01D2: apple\n", L"apples"},
      {0, L"bought", L"bought: past form of buy\n1. \u4E70 m\u01CEi: to buy\n", L"bought"},
      {0, L"Tea", L"1. \u8336 ch\u00E1: tea\n", L"tea"},
      {1, L"wo men", L"1. \u6211\u4EEC w\u01D2 men: we\n", L"women"},
      {1, L"bei4jing3",
       L"1. \u80CC\u666F b\u00E8i j\u01D0ng: background\n2. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\n", L"beijing"},
      {1, L"B\u011Bij\u012Bng",
       L"1. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\n2. \u80CC\u666F b\u00E8i j\u01D0ng: background\n", L"beijing"},
      {1, L"nuren", L"1. \u5973\u4EBA n\u01DA r\u00E9n: woman\n", L"nvren"},
  };
  for (const auto& c : cases) {
    selectTabByClick(c.tab);
    clearWordBox(c.tab);
    typeInto(c.tab, c.typed);
    EXPECT_EQ(articleOf(c.tab), c.article) << c.typed;
    const auto items = listItems(c.tab);
    ASSERT_FALSE(items.empty()) << c.typed;
    EXPECT_EQ(items.front(), c.listedFirst) << c.typed;
  }
  // Double-clicking the listed form shows the same as typing it.
  selectTabByClick(0);
  clearWordBox(0);
  typeInto(0, L"app");
  doubleClickItem(0, 1);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"apples");
  EXPECT_EQ(articleOf(0), L"apples: plural of apple\n1. \u82F9\u679C p\u00EDng gu\u01D2: apple\n");
}

TEST(LookupWithoutArticles, EveryLookupShowsTheMissingFileMessageTwice) {
  makeFixtureDirectory();
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(boxes.texts().size(), 3u) << "one from loading, two from the initial lookup";
  typeInto(0, L"b");
  pumpMessages(200);
  EXPECT_EQ(boxes.texts().size(), 5u);
  for (const auto& text : boxes.texts())
    EXPECT_NE(text.find(L"download latest version from http://tandemox.example/"), std::wstring::npos);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
