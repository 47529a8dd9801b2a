// The main window and the dialogs on a scaled screen. ctest runs these cases twice: in the
// test prefix at 96 DPI and in one whose screen is at 144 DPI (150 %), with the expected DPI
// in DICTIONARY_TEST_DPI. Every layout size is the 96-DPI one scaled with MulDiv(n, dpi, 96).
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state_win.h"
#include "resource.h"

namespace {

UINT expectedDpi() {
  const char* value = std::getenv("DICTIONARY_TEST_DPI");
  return value ? static_cast<UINT>(std::atoi(value)) : 96;
}

int at(int size, UINT dpi) { return MulDiv(size, static_cast<int>(dpi), 96); }

UINT screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// A control's rectangle in its parent's client area.
RECT placeOf(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

LOGFONTW fontOf(HFONT font) {
  LOGFONTW face{};
  GetObjectW(font, sizeof(face), &face);
  return face;
}

// An icon's width and height as drawn: its colour bitmap's.
SIZE iconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

HFONT controlFont(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// One control's place, in 96-DPI numbers; a size "from the client" is the client's width or
// height less the scaled number, as the layout computes it.
struct Place {
  const char* control;
  HWND (*window)(int tab);
  int x;
  bool xFromClientWidth;
  int y;
  int width;
  bool widthFromClient;
  int height;  // 0: not checked (a combo box's height is its edit field's)
  bool heightFromClient;
};

const Place places[] = {
    {"tab control", [](int) { return app.tabControl; }, -1, false, 30, -4, true, 28, true},
    {"word box", [](int tab) { return app.tabs[tab].controls.wordBox; }, 7, false, 65, 119, true, 0, false},
    {"Pronounce button", [](int tab) { return app.tabs[tab].controls.pronounceButton; }, 106, true, 63, 100, false, 22,
     false},
    {"word list", [](int tab) { return app.tabs[tab].controls.wordList; }, 7, false, 92, 148, false, 98, true},
    {"article view", [](int tab) { return app.tabs[tab].controls.articleView; }, 158, false, 59, 164, true, 96, true},
};

int toolbarImageSizeAt(UINT dpi) {
  // The largest drawn strip that fits the 16-pixel image scaled to the DPI.
  int chosen = 16;
  for (const int size : {16, 20, 24, 28, 32, 40, 48}) {
    if (size <= at(16, dpi)) chosen = size;
  }
  return chosen;
}

// Everything the main window sizes from the DPI: the controls after a layout, the fonts, the
// word lists' column, the toolbar images and the minimum window size.
void expectMainWindowAt(UINT dpi) {
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client{};
  GetClientRect(app.mainWindow, &client);
  const int w = client.right;
  const int h = client.bottom;
  for (const auto& place : places) {
    for (int tab = 0; tab < 2; ++tab) {
      SCOPED_TRACE(std::string(place.control) + " of tab " + std::to_string(tab) + " at " + std::to_string(dpi) +
                   " DPI");
      const RECT r = placeOf(place.window(tab));
      EXPECT_EQ(r.left, place.xFromClientWidth ? w - at(place.x, dpi) : at(place.x, dpi));
      EXPECT_EQ(r.top, at(place.y, dpi));
      EXPECT_EQ(r.right - r.left, place.widthFromClient ? w - at(place.width, dpi) : at(place.width, dpi));
      if (place.height != 0) {
        EXPECT_EQ(r.bottom - r.top, place.heightFromClient ? h - at(place.height, dpi) : at(place.height, dpi));
      }
    }
  }

  const LOGFONTW word = fontOf(controlFont(app.tabs[0].controls.wordBox));
  EXPECT_EQ(word.lfHeight, at(13, dpi)) << "word font";
  EXPECT_EQ(word.lfWidth, at(7, dpi)) << "word font";
  EXPECT_EQ(controlFont(app.tabs[1].controls.wordList), controlFont(app.tabs[1].controls.wordBox))
      << "Chinese headwords in the word font";
  const LOGFONTW article = fontOf(app.articleFont);
  EXPECT_EQ(article.lfHeight, at(20, dpi)) << "article font";
  EXPECT_EQ(article.lfWidth, at(12, dpi)) << "article font";
  // The GUI font is 8 points: 11 pixels at 96 DPI.
  const LOGFONTW gui = fontOf(controlFont(app.tabControl));
  EXPECT_NEAR(std::abs(gui.lfHeight), 11.0 * dpi / 96, 1.0) << "GUI font of the tab control";
  EXPECT_EQ(controlFont(app.tabs[0].controls.pronounceButton), controlFont(app.tabControl));
  EXPECT_EQ(controlFont(app.tabs[0].controls.wordList), controlFont(app.tabControl));

  for (int tab = 0; tab < 2; ++tab) {
    EXPECT_EQ(SendMessageW(app.tabs[tab].controls.wordList, LVM_GETCOLUMNWIDTH, 0, 0), at(130, dpi))
        << "column of list " << tab;
  }

  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(app.toolbar, TB_GETIMAGELIST, 0, 0));
  int imageWidth = 0, imageHeight = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images, &imageWidth, &imageHeight));
  EXPECT_EQ(imageWidth, toolbarImageSizeAt(dpi));
  EXPECT_EQ(imageHeight, toolbarImageSizeAt(dpi));
  EXPECT_EQ(ImageList_GetImageCount(images), 8);
  const auto buttonSize = SendMessageW(app.toolbar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_GT(LOWORD(buttonSize), imageWidth) << "a button holds its whole image";
  EXPECT_GT(HIWORD(buttonSize), imageHeight);

  MINMAXINFO limits{};
  SendMessageW(app.mainWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, at(250, dpi));
  EXPECT_EQ(limits.ptMinTrackSize.y, at(210, dpi));
}

struct ScreenScale : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, u"English-Chinese test dictionary\n|water|shuǐ 水\n|watermelon|xīguā 西瓜\n");
    writeArticleFile(directory, 1, u"\n|水|shuǐ water\n|水果|shuǐguǒ fruit\n");
    ASSERT_EQ(screenDpi(), expectedDpi()) << "the Wine prefix's screen is not at the DPI this run expects";
  }
};

TEST_F(ScreenScale, TheWindowStartsLaidOutForTheScreensDpi) {
  ASSERT_TRUE(startProgram());
  const UINT dpi = expectedDpi();
  EXPECT_EQ(app.dpi, dpi);
  RECT frame{};
  GetWindowRect(app.mainWindow, &frame);
  EXPECT_EQ(frame.right - frame.left, at(380, dpi)) << "the initial window size";
  EXPECT_EQ(frame.bottom - frame.top, at(323, dpi));
  SetWindowPos(app.mainWindow, nullptr, 0, 0, at(600, dpi), at(400, dpi), SWP_NOZORDER | SWP_NOMOVE);
  expectMainWindowAt(dpi);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// What Windows sends when the window moves to a monitor of another scale: each move lays the
// window out for that scale in the rectangle Windows suggests, and what it shows stays.
TEST_F(ScreenScale, MovingToMonitorsOfOtherScalesRelaysTheWindowAndKeepsWhatItShows) {
  ASSERT_TRUE(startProgram());
  const HWND edit = GetWindow(app.tabs[1].controls.wordBox, GW_CHILD);
  SendMessageW(app.tabControl, TCM_SETCURSEL, 1, 0);
  RedrawWindow(app.mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SetFocus(edit);
  SendMessageW(edit, WM_CHAR, L'水', 1);
  pumpMessages(50);
  const std::wstring article = textOf(app.tabs[1].controls.articleView);
  ASSERT_NE(article.find(L"shuǐ water"), std::wstring::npos);
  const auto listed = SendMessageW(app.tabs[1].controls.wordList, LVM_GETITEMCOUNT, 0, 0);
  const auto startingButtonSize = SendMessageW(app.toolbar, TB_GETBUTTONSIZE, 0, 0);

  for (const UINT dpi : {144u, 192u, 120u, 96u, expectedDpi()}) {
    SCOPED_TRACE("moved to a monitor at " + std::to_string(dpi) + " DPI");
    const RECT suggested{20, 10, 20 + at(420, dpi), 10 + at(340, dpi)};
    SendMessageW(app.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(app.mainWindow, &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested)) << "the window takes the suggested rectangle";
    expectMainWindowAt(dpi);
    EXPECT_EQ(textOf(app.tabs[1].controls.wordBox), L"水");
    EXPECT_EQ(textOf(app.tabs[1].controls.articleView), article);
    EXPECT_EQ(SendMessageW(app.tabs[1].controls.wordList, LVM_GETITEMCOUNT, 0, 0), listed);
    EXPECT_EQ(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(app.currentTab, Direction::ChineseEnglish);
    const auto bigIcon = reinterpret_cast<HICON>(SendMessageW(app.mainWindow, WM_GETICON, ICON_BIG, 0));
    const auto smallIcon = reinterpret_cast<HICON>(SendMessageW(app.mainWindow, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(iconSize(bigIcon).cx, at(32, dpi)) << "the window's icon at the scale's big-icon size";
    EXPECT_EQ(iconSize(smallIcon).cx, at(16, dpi)) << "the caption's icon at the scale's small-icon size";
  }
  EXPECT_EQ(SendMessageW(app.toolbar, TB_GETBUTTONSIZE, 0, 0), startingButtonSize)
      << "back at the screen's own scale, the toolbar's buttons are as they started";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// The room a control's text needs in the control's own font, on one line.
SIZE textNeeds(HWND control, const std::wstring& text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous = SelectObject(dc, controlFont(control));
  RECT needed{};
  DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return SIZE{needed.right, needed.bottom};
}

struct DialogCase {
  const char* name;
  WORD command;
  const wchar_t* caption;
};

// Names the case in test listings rather than printing its bytes.
void PrintTo(const DialogCase& dialogCase, std::ostream* out) { *out << dialogCase.name; }

struct DialogTexts : ScreenScale, ::testing::WithParamInterface<DialogCase> {};

// Every static text, check box, button and group caption fits its control, the combo box's
// items fit beside its drop button, and the rich edit's lines all show: at 96 DPI as laid
// out, and on a scaled screen through the dialog font, which the template's units follow.
void expectTextsWhole(HWND dialog, UINT dpi, std::vector<std::string>& checked) {
  // An 8-point font: 11 pixels at 96 DPI, 16 at 144.
  EXPECT_EQ(std::abs(fontOf(controlFont(dialog)).lfHeight), MulDiv(8, static_cast<int>(dpi), 72)) << "dialog font";
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    wchar_t className[64] = L"";
    GetClassNameW(control, className, 64);
    std::wstring kind = className;
    if (lstrcmpiW(className, L"RichEdit20W") == 0) kind = L"RichEdit20W";
    RECT room{};
    GetClientRect(control, &room);
    const std::string label = std::string(kind.begin(), kind.end()) + " " + std::to_string(GetDlgCtrlID(control));
    checked.push_back(label);
    if (kind == L"Static" || kind == L"Button") {
      const std::wstring text = textOf(control);
      const SIZE needs = textNeeds(control, text);
      const auto style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
      // A check box draws its box and a gap before the text; a push button its edges.
      int taken = 0;
      if (kind == L"Button" && style == BS_AUTOCHECKBOX) taken = at(16, dpi);
      if (kind == L"Button" && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON)) taken = at(6, dpi);
      if (kind == L"Button" && style == BS_GROUPBOX) taken = at(16, dpi);
      EXPECT_LE(needs.cx, room.right - taken) << label << " \"" << std::string(text.begin(), text.end()) << "\" is cut";
      if (style != BS_GROUPBOX) {
        EXPECT_LE(needs.cy, room.bottom) << label << " is cut at the bottom";
      }
    } else if (kind == L"ComboBox") {
      const int button = GetSystemMetrics(SM_CXVSCROLL);
      for (LRESULT i = 0; i < SendMessageW(control, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[100] = L"";
        if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) >= 100) continue;
        SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_LE(textNeeds(control, item).cx, room.right - button) << label << " item " << i << " is cut";
      }
    } else if (kind == L"RichEdit20W" && GetDlgCtrlID(control) == IDC_ABOUT_DICTIONARIES) {
      // The installed dictionaries: both lines show without scrolling.
      const auto length = GetWindowTextLengthW(control);
      POINTL last{};
      SendMessageW(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&last), length - 1);
      EXPECT_LE(last.y + textNeeds(control, L"Kb").cy, room.bottom) << label << ": the last line is cut";
      EXPECT_EQ(SendMessageW(control, EM_GETLINECOUNT, 0, 0), 2) << label << ": a line wrapped";
    }
  }
}

TEST_P(DialogTexts, ShowTheirTextsWhole) {
  ASSERT_TRUE(startProgram());
  const DialogCase dialogCase = GetParam();
  std::vector<std::string> checked;
  bool opened = false;
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !dialog; ++i) {
      dialog = findOwnWindow(L"#32770", dialogCase.caption);
      if (!dialog) Sleep(10);
    }
    if (!dialog) return;
    opened = true;
    expectTextsWhole(dialog, expectedDpi(), checked);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(dialogCase.command, 0), 0);
  user.join();
  ASSERT_TRUE(opened) << dialogCase.name << " did not open";
  EXPECT_GE(checked.size(), 7u) << "every control of the dialog was looked at";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

INSTANTIATE_TEST_SUITE_P(ScreenScale, DialogTexts,
                         ::testing::Values(DialogCase{"Options", IDM_TOOLS_OPTIONS, L"Application options dialog"},
                                           DialogCase{"About", IDM_HELP_ABOUT, L"About"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
