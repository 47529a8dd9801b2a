// The learner's view in the real main window: tone colours read back from the article view,
// links followed by click and by keyboard, the plain view by default, the choice kept in
// Configuration.dat across a restart, and Copy giving the plain text.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <string>

#include "app/app_state_win.h"
#include "dictionary/article_format.h"
#include "dictionary/lookup_win.h"
#include "resource.h"

namespace {

constexpr int english = 0;
constexpr int chinese = 1;

const std::u16string tellArticle = u"gào su   (traditional 告訴)\nHSK 2\n1. to tell\nClassifiers: 本 běn\n";

void command(WORD id) { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

HWND viewOf(int tab) { return app.tabs[tab].controls.articleView; }

void lookUp(int tab, const std::wstring& word) {
  SendMessageW(app.tabControl, TCM_SETCURSEL, tab, 0);
  SetWindowTextW(app.tabs[tab].controls.wordBox, word.c_str());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDC_WORD_BOX + tab, CBN_EDITCHANGE), 0);
  pumpMessages(20);
}

// The view's text with its line ends as the article writes them.
std::wstring articleOf(int tab) {
  std::wstring text = textOf(viewOf(tab));
  std::wstring lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    lines += text[i] == L'\r' ? L'\n' : text[i];
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
  }
  return lines;
}

CHARFORMAT2W formatAt(int tab, std::wstring_view of, std::size_t occurrence = 0) {
  const std::wstring text = articleOf(tab);
  std::size_t at = text.find(of);
  for (std::size_t i = 0; i < occurrence && at != std::wstring::npos; ++i) at = text.find(of, at + 1);
  EXPECT_NE(at, std::wstring::npos) << "no " << std::wstring(of).size() << "-unit text in the article";
  CHARRANGE range{static_cast<LONG>(at), static_cast<LONG>(at + 1)};
  SendMessageW(viewOf(tab), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(viewOf(tab), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

COLORREF toneColour(int tone) { return toneSchemes()[0].colours[static_cast<std::size_t>(tone - 1)]; }

bool isChecked(WORD id) { return (GetMenuState(GetMenu(app.mainWindow), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

struct ArticleViewWindow : ::testing::Test {
  std::wstring directory;
  void SetUp() override {
    directory = makeFixtureDirectory();
    writeArticleFile(directory, english,
                     u"\n|a|1. 一 yī: a\n|bought|bought: past form of buy\n|buy|1. 买 (買) mǎi: to buy\n"
                     u"|tell|1. 告诉 (告訴) gào su: to tell\n2. 说 (說) shuō: to say\n");
    writeArticleFile(directory, chinese,
                     u"\n|书|shū   (traditional 書)\n1. book\n2. see 書經 (书经) [Shū jīng]\n|告诉|" + tellArticle +
                         u"|書經|Shū jīng   (simplified 书经)\n1. the Book of History\n|说|shuō\n1. to say\n");
  }
};

TEST_F(ArticleViewWindow, StartsInThePlainViewWithOffChecked) {
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(isChecked(IDM_TONE_COLOURS_OFF));
  EXPECT_FALSE(isChecked(IDM_TONE_COLOURS_FIRST));
  wchar_t name[100] = L"";
  GetMenuStringW(GetMenu(app.mainWindow), IDM_TONE_COLOURS_FIRST, name, 100, MF_BYCOMMAND);
  EXPECT_STREQ(name, L"Red, Green, Blue, Purple");
  lookUp(chinese, L"告诉");
  EXPECT_EQ(articleOf(chinese), std::wstring(tellArticle.begin(), tellArticle.end()));
  const CHARFORMAT2W plain = formatAt(chinese, L"gào");
  EXPECT_TRUE(plain.dwEffects & CFE_AUTOCOLOR) << "no colour in the plain view";
  EXPECT_FALSE(plain.dwEffects & CFE_UNDERLINE);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(ArticleViewWindow, ASchemeColoursEachSyllableAndCharacterAndKeepsTheText) {
  ASSERT_TRUE(startProgram());
  command(IDM_TONE_COLOURS_FIRST);
  EXPECT_TRUE(isChecked(IDM_TONE_COLOURS_FIRST));
  EXPECT_FALSE(isChecked(IDM_TONE_COLOURS_OFF));
  lookUp(chinese, L"告诉");
  EXPECT_EQ(articleOf(chinese), std::wstring(tellArticle.begin(), tellArticle.end())) << "the text stays as it is";
  const struct {
    const wchar_t* text;
    COLORREF colour;
  } chosen[] = {{L"gào", toneColour(4)}, {L"su ", toneColour(5)}, {L"告訴", toneColour(4)},
                {L"訴", toneColour(5)},  {L"本", toneColour(3)},  {L"běn", toneColour(3)}};
  for (const auto& c : chosen) {
    const CHARFORMAT2W format = formatAt(chinese, c.text);
    EXPECT_FALSE(format.dwEffects & CFE_AUTOCOLOR) << "coloured";
    EXPECT_EQ(format.crTextColor, c.colour);
  }
  EXPECT_TRUE(formatAt(chinese, L"to tell").dwEffects & CFE_AUTOCOLOR) << "a gloss keeps the view's colour";
  EXPECT_TRUE(formatAt(chinese, L"本").dwEffects & CFE_UNDERLINE) << "a classifier is a link";
  const CHARFORMAT2W badge = formatAt(chinese, L"HSK 2");
  EXPECT_TRUE(badge.dwEffects & CFE_BOLD) << "the level line is a badge";
  EXPECT_EQ(badge.crTextColor, RGB(255, 255, 255));
  EXPECT_LT(badge.yHeight, formatAt(chinese, L"to tell").yHeight) << "and small";

  // Back to Off: the same article exactly as the plain view sets it.
  command(IDM_TONE_COLOURS_OFF);
  EXPECT_EQ(articleOf(chinese), std::wstring(tellArticle.begin(), tellArticle.end()));
  EXPECT_TRUE(formatAt(chinese, L"gào").dwEffects & CFE_AUTOCOLOR);
  EXPECT_FALSE(formatAt(chinese, L"本").dwEffects & CFE_UNDERLINE);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Another scheme shows each tab's article again in the new look, not the typed text's: the
// article chosen from the list while the word box keeps what was typed, and the nearest
// headwords of a miss.
TEST_F(ArticleViewWindow, AnotherSchemeKeepsWhatEachTabShows) {
  ASSERT_TRUE(startProgram());
  lookUp(english, L"bu");
  const auto& listed = app.tabs[english].listedWords;
  const auto buy = std::find(listed.begin(), listed.end(), L"buy");
  ASSERT_NE(buy, listed.end());
  ASSERT_TRUE(
      showListedArticle(app.dictionary, app.tabs[english], app.mainWindow, static_cast<int>(buy - listed.begin())));
  const std::wstring chosen = L"1. 买 (買) mǎi: to buy\n";
  ASSERT_EQ(articleOf(english), chosen);
  lookUp(chinese, L"说说说");
  std::wstring miss;
  for (int waited = 0; waited < 3000 && miss.rfind(L"No entry", 0) != 0; waited += 100) {
    pumpMessages(100);
    miss = articleOf(chinese);
  }
  ASSERT_EQ(miss.rfind(L"No entry for \"说说说\"", 0), 0u) << std::string(miss.begin(), miss.end());
  for (const WORD scheme : {IDM_TONE_COLOURS_FIRST, IDM_TONE_COLOURS_OFF}) {
    command(scheme);
    EXPECT_EQ(articleOf(english), chosen) << scheme;
    EXPECT_EQ(textOf(app.tabs[english].controls.wordBox), L"bu");
    EXPECT_EQ(articleOf(chinese), miss) << scheme;
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(ArticleViewWindow, TheChoiceSurvivesARestart) {
  ASSERT_TRUE(startProgram());
  command(IDM_TONE_COLOURS_FIRST + 1);
  EXPECT_EQ(exitProgramAndWait(), 0);
  const auto saved = readFileBytes(directory + L"\\Configuration.dat");
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nToneColours=2\r\n");

  app = AppState{};
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(isChecked(IDM_TONE_COLOURS_FIRST + 1));
  EXPECT_FALSE(isChecked(IDM_TONE_COLOURS_OFF));
  EXPECT_EQ(formatAt(english, L"一").crTextColor, toneSchemes()[1].colours[0]) << "the first article is coloured";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// A click as the mouse gives it, at the middle of a character of the view.
void clickAt(int tab, std::wstring_view of) {
  const std::size_t at = articleOf(tab).find(of);
  ASSERT_NE(at, std::wstring::npos);
  // As the user sees it: painted, so laid out.
  RedrawWindow(viewOf(tab), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  POINTL first{};
  SendMessageW(viewOf(tab), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), at);
  const LPARAM point = MAKELPARAM(first.x + 3, first.y + 5);
  SendMessageW(viewOf(tab), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(viewOf(tab), WM_LBUTTONUP, 0, point);
  pumpMessages(20);
}

TEST_F(ArticleViewWindow, AClickOnALinkLooksTheWordUpInItsTab) {
  ASSERT_TRUE(startProgram());
  command(IDM_TONE_COLOURS_FIRST);
  lookUp(english, L"tell");
  clickAt(english, L"告诉");
  EXPECT_EQ(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0), chinese);
  EXPECT_EQ(textOf(app.tabs[chinese].controls.wordBox), L"告诉");
  EXPECT_EQ(articleOf(chinese), std::wstring(tellArticle.begin(), tellArticle.end()));
  // Back returns to the tab the link was in, as it was.
  command(IDM_VIEW_BACK);
  EXPECT_EQ(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0), english);
  EXPECT_EQ(textOf(app.tabs[english].controls.wordBox), L"tell");

  // A cross-reference, then an English word form's base word. Back and Forward step
  // between the word and the reference followed from it, both in the history.
  lookUp(chinese, L"书");
  clickAt(chinese, L"書經");
  EXPECT_EQ(textOf(app.tabs[chinese].controls.wordBox), L"書經");
  EXPECT_EQ(articleOf(chinese).substr(0, 8), L"Shū jīng");
  command(IDM_VIEW_BACK);
  EXPECT_EQ(textOf(app.tabs[chinese].controls.wordBox), L"书");
  EXPECT_EQ(articleOf(chinese).substr(0, 3), L"shū");
  command(IDM_VIEW_FORWARD);
  EXPECT_EQ(textOf(app.tabs[chinese].controls.wordBox), L"書經");
  lookUp(english, L"bought");
  clickAt(english, L"buy");
  EXPECT_EQ(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0), english);
  EXPECT_EQ(textOf(app.tabs[english].controls.wordBox), L"buy");

  // Not a link: nothing happens.
  lookUp(english, L"tell");
  clickAt(english, L"to say");
  EXPECT_EQ(textOf(app.tabs[english].controls.wordBox), L"tell");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(ArticleViewWindow, TabMovesThroughTheLinksAndEnterFollowsOne) {
  ASSERT_TRUE(startProgram());
  command(IDM_TONE_COLOURS_FIRST);
  lookUp(english, L"tell");
  const HWND view = viewOf(english);
  SetFocus(view);
  // As the message loop hands the keys on, past the paths that move between the controls.
  const auto press = [&](WPARAM key) {
    MSG down{view, WM_KEYDOWN, key, 1, 0, {}};
    handleLoopMessage(down, nullptr);
    SendMessageW(view, WM_KEYUP, key, 0xC0000001);
    pumpMessages(10);
  };
  const auto selected = [&] {
    CHARRANGE range{};
    SendMessageW(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return articleOf(english).substr(range.cpMin, range.cpMax - range.cpMin);
  };
  press(VK_TAB);
  EXPECT_EQ(selected(), L"告诉");
  press(VK_TAB);
  EXPECT_EQ(selected(), L"说");
  press(VK_TAB);
  EXPECT_EQ(selected(), L"告诉") << "Tab goes round";
  EXPECT_EQ(articleOf(english).find(L'\t'), std::wstring::npos) << "no tab typed into the view";
  // Shift+Tab, as the thread's key state gives it, goes backwards.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  press(VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(selected(), L"说") << "Shift+Tab goes back round";
  press(VK_RETURN);
  EXPECT_EQ(textOf(app.tabs[chinese].controls.wordBox), L"说");
  EXPECT_EQ(articleOf(chinese), L"shuō\n1. to say\n");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(ArticleViewWindow, CopyGivesThePlainText) {
  ASSERT_TRUE(startProgram());
  command(IDM_TONE_COLOURS_FIRST);
  lookUp(chinese, L"告诉");
  putTextOnClipboard(L"something else");
  SetFocus(viewOf(chinese));
  CHARRANGE all{0, -1};
  SendMessageW(viewOf(chinese), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  SendMessageW(viewOf(chinese), WM_COPY, 0, 0);
  pumpMessages(50);
  EXPECT_EQ(clipboardText(), L"gào su   (traditional 告訴)\r\nHSK 2\r\n1. to tell\r\nClassifiers: 本 běn\r\n");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
