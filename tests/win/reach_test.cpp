// Reaching the results with the keyboard and the mouse in the real main window: the keys
// that move from the word box through the list and back, the single click, and what a
// lookup that finds nothing offers instead.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "resource.h"

namespace {

std::u16string recordsText(const std::vector<std::u16string>& headwords) {
  std::u16string text = u"Test dictionary\r\n";
  for (const std::u16string& word : headwords) text += u"|" + word + u"|article of " + word + u"\r\n";
  return text;
}

HWND editOf(int tab) { return GetWindow(app.tabs[tab].controls.wordBox, GW_CHILD); }

void typeInto(int tab, const std::wstring& text) {
  const HWND edit = editOf(tab);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 1);
  for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
  pumpMessages(20);
}

// Shift held down, as the thread's key state says, for as long as this lives.
struct ShiftHeld {
  ShiftHeld() { setShift(0x80); }
  ~ShiftHeld() { setShift(0); }
  static void setShift(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = state;
    SetKeyboardState(keys);
  }
};

// A key-down as the program's message loop hands it on: taken by a keyboard path, or
// translated and dispatched to the focused control.
void press(WORD key) {
  MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
  handleLoopMessage(down, nullptr);
  SendMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
  pumpMessages(20);
}

// The article as the view shows it, with its line breaks dropped.
std::wstring articleOf(int tab) {
  std::wstring text = textOf(app.tabs[tab].controls.articleView);
  std::wstring shown;
  for (const wchar_t c : text) {
    if (c != L'\r' && c != L'\n') shown += c;
  }
  return shown;
}

std::wstring itemText(int tab, int index) {
  wchar_t text[200] = L"";
  LVITEMW item{};
  item.pszText = text;
  item.cchTextMax = 200;
  SendMessageW(app.tabs[tab].controls.wordList, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

int selectedItem(int tab) {
  return static_cast<int>(SendMessageW(app.tabs[tab].controls.wordList, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

void selectTab(int tab) {
  SendMessageW(app.mainWindow, WM_COMMAND,
               MAKEWPARAM(tab == 0 ? IDM_VIEW_ENGLISH_CHINESE : IDM_VIEW_CHINESE_ENGLISH, 0), 0);
}

const std::vector<std::u16string> englishWords{u"a",    u"able",    u"about", u"apple",
                                               u"book", u"receive", u"water", u"watermelon"};
const std::vector<std::u16string> chineseWords{u"shui", u"shuijiao", u"zhongguo", u"\u6C34", u"\u7761"};

struct ReachWindow : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, recordsText(englishWords));
    writeArticleFile(directory, 1, recordsText(chineseWords));
    ASSERT_TRUE(startProgram());
  }
  void TearDown() override { EXPECT_EQ(exitProgramAndWait(), 0); }
};

struct KeyPath {
  int tab;
  std::wstring typed;  // a beginning that is no headword, so its own article view is empty
};

struct KeyPaths : ReachWindow, ::testing::WithParamInterface<KeyPath> {};

// Down enters the list on its first item, the arrows show each item's article while the
// word box keeps the typed text, Enter does what a double click does, Escape goes back.
TEST_P(KeyPaths, DownArrowsEnterAndEscapeWalkThroughTheResults) {
  const KeyPath path = GetParam();
  selectTab(path.tab);
  typeInto(path.tab, path.typed);
  ASSERT_EQ(articleOf(path.tab), L"") << "no headword is the typed text";

  press(VK_DOWN);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.wordList) << "Down moves into the list";
  EXPECT_EQ(selectedItem(path.tab), 0);
  EXPECT_EQ(articleOf(path.tab), L"article of " + itemText(path.tab, 0));

  press(VK_DOWN);
  EXPECT_EQ(selectedItem(path.tab), 1);
  const std::wstring second = itemText(path.tab, 1);
  EXPECT_EQ(articleOf(path.tab), L"article of " + second) << "the arrow keys show the selected headword";
  EXPECT_EQ(textOf(app.tabs[path.tab].controls.wordBox), path.typed) << "the word box keeps what was typed";

  press(VK_RETURN);
  EXPECT_EQ(textOf(app.tabs[path.tab].controls.wordBox), second) << "Enter chooses as a double click does";
  EXPECT_EQ(articleOf(path.tab), L"article of " + second);

  press(VK_ESCAPE);
  ASSERT_EQ(GetFocus(), editOf(path.tab)) << "Escape returns to the word box";
  DWORD start = 1, end = 0;
  SendMessageW(editOf(path.tab), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, second.size()) << "with its text selected";

  // Tab goes round: word box, list, article, Pronounce, word box.
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.wordList);
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.articleView);
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.pronounceButton);
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), editOf(path.tab));

  // Shift+Tab goes round the other way.
  const ShiftHeld shift;
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.pronounceButton);
  press(VK_TAB);
  EXPECT_EQ(GetFocus(), app.tabs[path.tab].controls.articleView);
}

INSTANTIATE_TEST_SUITE_P(BothTabs, KeyPaths, ::testing::Values(KeyPath{0, L"ab"}, KeyPath{1, L"shu"}),
                         [](const auto& info) { return info.param.tab == 0 ? "EnglishChinese" : "ChineseEnglish"; });

TEST_F(ReachWindow, EnterInTheWordBoxShowsTheFirstListedArticleOnlyWhenTheTextHasNone) {
  typeInto(0, L"wat");
  press(VK_RETURN);
  EXPECT_EQ(articleOf(0), L"article of water");
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"wat");
  EXPECT_EQ(GetFocus(), editOf(0)) << "the focus stays in the word box";

  typeInto(0, L"able");
  SendMessageW(app.tabs[0].controls.wordList, LVM_ENSUREVISIBLE, 1, FALSE);
  press(VK_RETURN);
  EXPECT_EQ(articleOf(0), L"article of able") << "the typed word's own article stays";
}

TEST_F(ReachWindow, KeysInTheOpenHistoryAreTheDropDowns) {
  typeInto(0, L"ab");
  SendMessageW(app.tabs[0].controls.wordBox, CB_SHOWDROPDOWN, TRUE, 0);
  pumpMessages(20);
  SetFocus(editOf(0));
  for (const WORD key : {VK_DOWN, VK_RETURN}) {
    press(key);
    EXPECT_NE(GetFocus(), app.tabs[0].controls.wordList) << key;
    EXPECT_EQ(selectedItem(0), -1) << key << ": the word list is left alone";
  }
}

TEST_F(ReachWindow, ASingleClickShowsTheClickedHeadwordsArticle) {
  typeInto(0, L"ab");
  const HWND list = app.tabs[0].controls.wordList;
  RECT item{};
  item.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  pumpMessages(50);
  EXPECT_EQ(articleOf(0), L"article of " + itemText(0, 2));
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"ab");
}

// Pumps messages until the article view's text begins with the prefix, or the time is up.
bool waitForArticleStart(int tab, const std::wstring& prefix, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (articleOf(tab).rfind(prefix, 0) == 0) return true;
    pumpMessages(50);
  }
  return false;
}

struct Miss {
  int tab;
  std::wstring typed;
  std::wstring firstNear;
};

struct MissesOfferNearWords : ReachWindow, ::testing::WithParamInterface<Miss> {};

// Nothing shows while the user types; once typing pauses, the list offers the nearest
// headwords and the article view says what happened. The keys then reach the suggestions.
TEST_P(MissesOfferNearWords, AfterAPauseTheListAndTheArticleOfferTheNearestHeadwords) {
  const Miss miss = GetParam();
  selectTab(miss.tab);
  typeInto(miss.tab, miss.typed);
  EXPECT_EQ(articleOf(miss.tab), L"") << "the keystroke itself only empties the view";
  ASSERT_TRUE(waitForArticleStart(miss.tab, L"No entry for \"" + miss.typed + L"\". Did you mean:", 3000))
      << "shows: " << std::string(articleOf(miss.tab).begin(), articleOf(miss.tab).end());
  EXPECT_EQ(itemText(miss.tab, 0), miss.firstNear);
  EXPECT_NE(articleOf(miss.tab).find(miss.firstNear), std::wstring::npos);

  press(VK_RETURN);
  EXPECT_EQ(articleOf(miss.tab), L"article of " + miss.firstNear) << "Enter in the word box shows the first";
  EXPECT_EQ(textOf(app.tabs[miss.tab].controls.wordBox), miss.typed);
}

INSTANTIATE_TEST_SUITE_P(BothTabs, MissesOfferNearWords,
                         ::testing::Values(Miss{0, L"recieve", L"receive"}, Miss{1, L"shuiy", L"shui"},
                                           Miss{1, L"zhongguoo", L"zhongguo"}),
                         [](const auto& info) {
                           return std::string(info.param.typed.begin(), info.param.typed.end());
                         });

TEST_F(ReachWindow, TypingOnBeforeThePauseEndsShowsNoSuggestions) {
  typeInto(0, L"recie");
  pumpMessages(100);
  typeInto(0, L"receive");
  pumpMessages(600);
  EXPECT_EQ(articleOf(0), L"article of receive") << "a word found after the miss keeps its article";
}

TEST_F(ReachWindow, SuggestionsForATabLeftBeforeThePauseStayInThatTab) {
  typeInto(0, L"recieve");
  selectTab(1);
  ASSERT_TRUE(waitForArticleStart(0, L"No entry for \"recieve\". Did you mean:", 3000));
  pumpMessages(50);
  EXPECT_FALSE(IsWindowVisible(app.tabs[0].controls.articleView)) << "the other tab's view stays hidden";
  EXPECT_FALSE(IsWindowVisible(app.tabs[0].controls.wordList));
  EXPECT_TRUE(IsWindowVisible(app.tabs[1].controls.articleView));
}

// Each tab has its own pause: a lookup in the other tab before it ends, found or missed,
// leaves the first tab's suggestions to come.
TEST_F(ReachWindow, ALookupInTheOtherTabBeforeThePauseEndsKeepsTheFirstTabsSuggestions) {
  for (const wchar_t* other : {L"shui", L"shuiy"}) {
    typeInto(0, L"recieve");
    selectTab(1);
    typeInto(1, other);
    ASSERT_TRUE(waitForArticleStart(0, L"No entry for \"recieve\". Did you mean:", 3000)) << other;
    selectTab(0);
  }
}

TEST_F(ReachWindow, APunctuatedCaptureFindsTheWordInside) {
  typeInto(0, L"\u00ABwater.\u00BB");
  EXPECT_EQ(articleOf(0), L"article of water");
}

// Every button names what it does, and each tip sits on its button.
TEST_F(ReachWindow, EveryToolbarButtonHasATooltipOverIt) {
  const HWND tips = reinterpret_cast<HWND>(SendMessageW(app.toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  const struct {
    int command;
    int position;
    const wchar_t* text;
  } buttons[] = {
      {IDT_NEW_ARTICLE, 0, L"Add or edit your own word article"},
      {IDT_NEW_LANGUAGE, 1, L"Further translation languages"},
      {IDT_SAVE, 2, L"Save (your own word articles are saved as you make them)"},
      {IDT_PRINT, 3, L"Print the article"},
      {IDT_CUT, 5, L"Cut"},
      {IDT_COPY, 6, L"Copy"},
      {IDT_PASTE, 7, L"Paste"},
      {IDT_HELP, 9, L"Help"},
  };
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(std::size(buttons)));
  for (const auto& button : buttons) {
    wchar_t text[128] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = app.toolbar;
    tool.uId = static_cast<UINT_PTR>(button.command);
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, button.text) << "button " << button.command;
    tool.lpszText = nullptr;
    ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) << button.command;
    RECT rect{};
    SendMessageW(app.toolbar, TB_GETITEMRECT, button.position, reinterpret_cast<LPARAM>(&rect));
    EXPECT_TRUE(EqualRect(&tool.rect, &rect)) << "the tip of " << button.command << " lies on its button";
  }
}

// An article longer than the view shows its scroll bar at once, and a short one none; the
// text keeps a margin from the view's left border.
TEST(ArticleView, ShowsItsScrollBarWhenTheArticleIsLongerAndKeepsAMargin) {
  const auto directory = makeFixtureDirectory();
  std::u16string longArticle;
  for (int i = 1; i <= 40; ++i) longArticle += u"sense of the word, line " + std::u16string(1, u'A' + i % 26) + u"\r\n";
  writeArticleFile(directory, 0, u"Test\r\n|long|" + longArticle + u"|short|one line\r\n");
  writeArticleFile(directory, 1, recordsText(chineseWords));
  ASSERT_TRUE(startProgram());
  const HWND view = app.tabs[0].controls.articleView;
  for (const auto& [word, longer] : {std::pair{L"long", true}, std::pair{L"short", false}, std::pair{L"long", true}}) {
    typeInto(0, word);
    pumpMessages(50);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetScrollBarInfo(view, OBJID_VSCROLL, &bar));
    const bool shown = !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(shown, longer) << "after " << (longer ? "the long" : "the short") << " article";
  }
  RECT margins{};
  SendMessageW(view, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&margins));
  EXPECT_GE(margins.left, 4) << "the text keeps clear of the left border";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
