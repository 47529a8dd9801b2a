// The main window's commands, driven as the menus, toolbar and keys send them.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "dictionary/print_win.h"
#include "dictionary/word_search.h"
#include "resource.h"

namespace {

void command(WORD id) { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

HWND editOf(int tab) { return GetWindow(app.tabs[tab].controls.wordBox, GW_CHILD); }

struct CommandWindow : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, u"\n|a|article of a\n|water|水 shuǐ: water\n|watermelon|西瓜 xīguā\n");
    writeArticleFile(directory, 1, u"\n|水|shuǐ\n1. water\n");
    ASSERT_TRUE(startProgram());
    SetForegroundWindow(app.mainWindow);
    pumpMessages(50);
  }
};

TEST_F(CommandWindow, CloseMinimisesAndOnlyTrayExitEndsTheProgram) {
  SendMessageW(app.mainWindow, WM_CLOSE, 0, 0);
  pumpMessages(50);
  EXPECT_TRUE(IsWindow(app.mainWindow));
  EXPECT_TRUE(IsIconic(app.mainWindow));
  command(IDM_TRAY_SHOW);
  EXPECT_FALSE(IsIconic(app.mainWindow)) << "Show restores the window";
  command(IDM_TRAY_EXIT);
  EXPECT_FALSE(IsWindow(app.mainWindow));
  MSG message;
  bool quit = false;
  for (int i = 0; i < 100 && !quit; ++i) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) quit = quit || message.message == WM_QUIT;
    Sleep(5);
  }
  EXPECT_TRUE(quit);
}

TEST_F(CommandWindow, PasteFromTheToolbarTypesIntoTheWordBoxAndLooksUp) {
  putTextOnClipboard(L"water");
  SetFocus(editOf(0));
  SendMessageW(editOf(0), EM_SETSEL, 0, -1);
  command(IDT_PASTE);
  pumpMessages(300);
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"water");
  EXPECT_EQ(listCount(0), 2) << "the paste ran the lookup";
  EXPECT_NE(textOf(app.tabs[0].controls.articleView).find(L"shuǐ"), std::wstring::npos);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(CommandWindow, CopyFromTheEditMenuPutsTheSelectedArticleTextOnTheClipboard) {
  putTextOnClipboard(L"something else");
  SetFocus(app.tabs[0].controls.articleView);
  CHARRANGE all{0, -1};
  SendMessageW(app.tabs[0].controls.articleView, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  command(IDM_EDIT_COPY);
  pumpMessages(300);
  EXPECT_EQ(clipboardText(), L"article of a\r\n");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(CommandWindow, CutFromTheToolbarTakesTheWordBoxSelection) {
  SetFocus(editOf(0));
  SendMessageW(editOf(0), EM_SETSEL, 0, -1);
  command(IDT_CUT);
  pumpMessages(300);
  EXPECT_EQ(clipboardText(), L"a");
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(CommandWindow, SingleClickOnAHeadwordDoesNothing) {
  NMITEMACTIVATE click{};
  click.hdr = {app.tabs[0].controls.wordList, IDC_WORD_LIST, static_cast<UINT>(NM_CLICK)};
  click.iItem = 1;
  SendMessageW(app.mainWindow, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(CommandWindow, GreyedItemsAndSaveDoNothingAndUnknownIdsFallThrough) {
  for (const WORD id : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FILE_PRINT, IDM_FILE_PRINT_PREVIEW, IDT_SAVE}) {
    EXPECT_EQ(SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0), 0);
  }
  EXPECT_TRUE(IsWindowVisible(app.mainWindow));
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"a");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Wine's one voice cannot speak (its Speak is not implemented), and it has no Chinese voice:
// the user hears about each once, and an empty box asks for nothing.
TEST_F(CommandWindow, PronounceTellsOnceWhenTheWordCannotBeSpoken) {
  MessageBoxWatcher boxes;
  command(IDC_PRONOUNCE);
  command(IDC_PRONOUNCE);
  SendMessageW(app.mainWindow, WM_COMMAND, IDM_VIEW_CHINESE_ENGLISH, 0);
  command(IDC_PRONOUNCE + 1);  // empty box
  EXPECT_EQ(boxes.texts().size(), 1u);
  SetWindowTextW(app.tabs[1].controls.wordBox, L"水");
  command(IDC_PRONOUNCE + 1);
  command(IDC_PRONOUNCE + 1);
  pumpMessages(100);
  const auto texts = boxes.texts();
  ASSERT_EQ(texts.size(), 2u);
  // The language without a working voice and where to add one first, the code only at the end.
  EXPECT_EQ(texts[0].rfind(L"The word could not be pronounced: Windows has no working English speech voice.", 0), 0u)
      << std::string(texts[0].begin(), texts[0].end());
  EXPECT_NE(texts[0].find(L"Time & Language, Speech"), std::wstring::npos);
  EXPECT_NE(texts[0].find(L"reported error 0x"), std::wstring::npos);
  EXPECT_NE(texts[1].find(L"No Chinese speech voice is installed"), std::wstring::npos);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Printing lays the article out page by page; a memory page stands in for the printer: a
// letter page at 96 dots per inch.
struct MemoryPages {
  HDC device = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  void* bits = nullptr;
  int width = 816, height = 1056;
  std::vector<int> inkPerPage;
  MemoryPages() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(device, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) SelectObject(device, bitmap);
  }
  ~MemoryPages() {
    DeleteDC(device);
    if (bitmap) DeleteObject(bitmap);
  }
  MemoryPages(const MemoryPages&) = delete;
  MemoryPages& operator=(const MemoryPages&) = delete;
};

bool clearPage(void* context) {
  auto* pages = static_cast<MemoryPages*>(context);
  memset(pages->bits, 0xFF, static_cast<size_t>(pages->width) * pages->height * 4);
  return true;
}

bool countInk(void* context) {
  auto* pages = static_cast<MemoryPages*>(context);
  const auto* pixels = static_cast<const DWORD*>(pages->bits);
  int ink = 0;
  for (int i = 0; i < pages->width * pages->height; ++i) ink += (pixels[i] & 0xFFFFFF) != 0xFFFFFF;
  pages->inkPerPage.push_back(ink);
  return true;
}

TEST_F(CommandWindow, PrintingPaginatesALongArticleWithTextOnEveryPage) {
  MemoryPages pages;
  ASSERT_NE(pages.bitmap, nullptr);

  std::wstring article;
  for (int i = 1; i <= 150; ++i) article += std::to_wstring(i) + L". 水 shuǐ: water, a sense of the word\r\n";
  const RECT page{0, 0, pages.width, pages.height};
  const int printed = printArticleOnPages(pages.device, page, L"water", article, {clearPage, countInk, &pages});
  EXPECT_GE(printed, 3) << "150 lines do not fit on one or two pages";
  EXPECT_LE(printed, 10);
  ASSERT_EQ(pages.inkPerPage.size(), static_cast<size_t>(printed));
  for (int i = 0; i < printed; ++i) EXPECT_GT(pages.inkPerPage[i], 200) << "page " << i + 1 << " is blank";

  const int shortPrinted =
      printArticleOnPages(pages.device, page, L"a", L"article of a\r\n", {clearPage, countInk, &pages});
  EXPECT_EQ(shortPrinted, 1);

  // A page the printer refuses to finish stops the job: no page after it, none counted.
  struct Calls {
    int starts = 0;
    int ends = 0;
  } calls;
  const PageEvents refusing{[](void* c) {
                              ++static_cast<Calls*>(c)->starts;
                              return true;
                            },
                            [](void* c) {
                              ++static_cast<Calls*>(c)->ends;
                              return false;
                            },
                            &calls};
  EXPECT_EQ(printArticleOnPages(pages.device, page, L"water", article, refusing), 0);
  EXPECT_EQ(calls.starts, 1);
  EXPECT_EQ(calls.ends, 1);

  // The view takes the longest article shown, coloured as well as plain.
  EXPECT_GE(SendMessageW(app.tabs[0].controls.articleView, EM_GETLIMITTEXT, 0, 0),
            static_cast<LRESULT>(maxShownArticleLength));
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Print in the view's tone colours: the reading of 水 (third tone) in the scheme's blue;
// with Off there are no colours and the page is black on white.
TEST_F(CommandWindow, PrintingKeepsTheToneColoursTheViewShows) {
  MemoryPages pages;
  ASSERT_NE(pages.bitmap, nullptr);
  const auto bluish = [&] {
    const auto* pixels = static_cast<const DWORD*>(pages.bits);
    int count = 0;
    for (int i = 0; i < pages.width * pages.height; ++i) {
      const int blue = pixels[i] & 0xFF, green = (pixels[i] >> 8) & 0xFF, red = (pixels[i] >> 16) & 0xFF;
      count += blue - red > 100 && blue - green > 100;
    }
    return count;
  };
  const RECT page{0, 0, pages.width, pages.height};
  const std::wstring article = L"shuǐ\n1. water\n";
  const auto keepPage = [](void*) { return true; };

  SendMessageW(app.tabControl, TCM_SETCURSEL, 1, 0);
  command(IDM_TONE_COLOURS_FIRST);
  const std::vector<COLORREF> colours = printColours(article, app.tabs[1], L"水");
  ASSERT_EQ(colours.size(), article.size());
  clearPage(&pages);
  printArticleOnPages(pages.device, page, L"水", article, {keepPage, keepPage, &pages}, colours);
  EXPECT_GT(bluish(), 20) << "the third tone prints in the scheme's blue";

  command(IDM_TONE_COLOURS_OFF);
  EXPECT_TRUE(printColours(article, app.tabs[1], L"水").empty());
  clearPage(&pages);
  printArticleOnPages(pages.device, page, L"水", article, {keepPage, keepPage, &pages},
                      printColours(article, app.tabs[1], L"水"));
  EXPECT_EQ(bluish(), 0);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(CommandWindow, PrintWithNoArticleShowsNoDialog) {
  SetWindowTextW(app.tabs[0].controls.articleView, L"");
  command(IDT_PRINT);  // would block in the print dialog if it opened
  EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
