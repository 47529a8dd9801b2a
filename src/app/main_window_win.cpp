#include "app/main_window_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <iterator>
#include <string>

#include "app/app_state_win.h"
#include "app/keyboard_paths_win.h"
#include "app/toolbar_tips_win.h"
#include "common/dpi_win.h"
#include "common/direction.h"
#include "common/text_seam_win.h"
#include "dictionary/article_view_win.h"
#include "dictionary/article_margins_win.h"
#include "dictionary/lookup_win.h"
#include "dictionary/word_search.h"
#include "resource.h"

namespace {

constexpr COLORREF articleBackground = RGB(255, 249, 189);  // pale yellow

HMENU controlId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// A "MS Song" font of the given cell size; falls back to the stock GUI font, then to the
// stock variable-pitch font, so a control never ends up without one.
HFONT makeSongFont(int height, int width) {
  HFONT font = CreateFontW(height, width, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Song");
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  return font;
}

HFONT stockGuiFont() {
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return font ? font : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

// The stock GUI font is made for the system's DPI. A window on a monitor of another DPI gets
// a copy of it at the height that DPI asks for; null means the stock font itself is right.
HFONT makeGuiFontFor(UINT dpi) {
  if (dpi == systemDpi()) return nullptr;
  LOGFONTW face{};
  if (!GetObjectW(stockGuiFont(), sizeof(face), &face)) return nullptr;
  face.lfHeight = MulDiv(face.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
  face.lfWidth = MulDiv(face.lfWidth, static_cast<int>(dpi), static_cast<int>(systemDpi()));
  return CreateFontIndirectW(&face);
}

HFONT guiFont() { return app.scaledGuiFont ? app.scaledGuiFont : stockGuiFont(); }

int scaled(int size) { return scaledForDpi(size, app.dpi); }

// The word font's cell is 13 by 7 and the article font's 20 by 12 at 96 DPI.
void makeFonts() {
  app.wordFont = makeSongFont(scaled(13), scaled(7));
  app.articleFont = makeSongFont(scaled(20), scaled(12));
  app.scaledGuiFont = makeGuiFontFor(app.dpi);
}

// Fonts of our own only: a stock font that stood in for a failed one is never deleted.
void deleteFont(HFONT font) {
  if (font && font != stockGuiFont()) DeleteObject(font);
}

void setFont(HWND control, HFONT font) { SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// The rich edit library from the system folder only: a DLL of the same name planted in
// the program's folder must never be loaded. A Windows without the search flags (Vista and
// 7 before their loader update) is given the full path.
HMODULE loadRichEditLibrary() {
  if (const HMODULE library = LoadLibraryExW(L"RICHED20.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\RICHED20.DLL").c_str());
}

constexpr int wordListColumnWidth = 130;

void setUpWordList(HWND list) {
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_REPORT);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  wchar_t columnText[] = L"One";
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = scaled(wordListColumnWidth);
  column.pszText = columnText;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

// Every control of a tab, created where the first layout places it. The controls of both
// tabs start visible but for Pronounce; showSelectedTab hides the other tab's.
void createTabControls(HWND mainWindow, HINSTANCE articleInstance, DirectionState& tab) {
  const HINSTANCE instance = app.instance;
  const int index = directionIndex(tab.direction);
  DirectionControls& controls = tab.controls;
  controls.wordBox = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 0, 0, 0, 0,
                                     mainWindow, controlId(IDC_WORD_BOX + index), instance, nullptr);
  controls.pronounceButton = CreateWindowExW(0, L"BUTTON", L"Pronounce", WS_CHILD, 0, 0, 0, 0, mainWindow,
                                             controlId(IDC_PRONOUNCE + index), instance, nullptr);
  controls.wordList = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 0, 0, 0,
                                      0, mainWindow, controlId(IDC_WORD_LIST + index), instance, nullptr);
  setUpWordList(controls.wordList);
  controls.articleView =
      CreateWindowExW(0, L"RichEdit20W", nullptr,
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE, 0,
                      0, 0, 0, app.tabControl, controlId(IDC_ARTICLE_VIEW + index), articleInstance, nullptr);
  SendMessageW(controls.articleView, EM_SETBKGNDCOLOR, 0, articleBackground);
  // A coloured article is streamed in, which stops at the control's text limit (32,767
  // units unless set): room for the longest article shown and its line ends.
  SendMessageW(controls.articleView, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(2 * maxShownArticleLength));

  // The tab's label names its direction: "English Chinese", then "Chinese English".
  std::wstring label = toWideText(directionLabel(tab.direction));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label.data();
  SendMessageW(app.tabControl, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}

// Every control's font and the word lists' column, for the window's DPI: English headwords
// and the English article in the system's GUI font and the article font, Chinese ones in
// the Chinese face.
void applyFonts() {
  setFont(app.tabControl, guiFont());
  for (const DirectionState& tab : app.tabs) {
    const bool english = tab.direction == Direction::EnglishChinese;
    setFont(tab.controls.wordBox, app.wordFont);
    setFont(tab.controls.pronounceButton, guiFont());
    setFont(tab.controls.wordList, english ? guiFont() : app.wordFont);
    setFont(tab.controls.articleView, english ? app.articleFont : guiFont());
    setArticleViewMargins(tab.controls.articleView, app.dpi);
    SendMessageW(tab.controls.wordList, LVM_SETCOLUMNWIDTH, 0, scaled(wordListColumnWidth));
  }
}

// The toolbar strips the build draws, one per image size; each is drawn at its size, so none
// is ever stretched.
struct ToolbarStrip {
  int imageSize;
  int resource;
};
constexpr ToolbarStrip toolbarStrips[] = {
    {16, IDB_TOOLBAR},    {20, IDB_TOOLBAR_20}, {24, IDB_TOOLBAR_24}, {28, IDB_TOOLBAR_28},
    {32, IDB_TOOLBAR_32}, {40, IDB_TOOLBAR_40}, {48, IDB_TOOLBAR_48},
};

// The largest strip whose images fit the 16-pixel image scaled to the DPI.
ToolbarStrip toolbarStripFor(UINT dpi) {
  ToolbarStrip chosen = toolbarStrips[0];
  for (const auto& strip : toolbarStrips) {
    if (strip.imageSize <= scaledForDpi(16, dpi)) chosen = strip;
  }
  return chosen;
}

HIMAGELIST loadToolbarImages(UINT dpi) {
  const ToolbarStrip strip = toolbarStripFor(dpi);
  return ImageList_LoadImageW(app.instance, MAKEINTRESOURCEW(strip.resource), strip.imageSize, 0, CLR_NONE,
                              IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

void createToolbar(HWND mainWindow) {
  app.toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, scaled(500),
                                0, mainWindow, controlId(IDC_TOOLBAR), app.instance, nullptr);
  SendMessageW(app.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  app.toolbarImages = loadToolbarImages(app.dpi);
  SendMessageW(app.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(app.toolbarImages));

  struct Button {
    int image;
    int command;
    BYTE style;
  };
  constexpr Button buttons[] = {
      {0, IDT_NEW_ARTICLE, BTNS_BUTTON},
      {1, IDT_NEW_LANGUAGE, BTNS_BUTTON},
      {2, IDT_SAVE, BTNS_BUTTON},
      {3, IDT_PRINT, BTNS_BUTTON},
      {4, 14, BTNS_SEP},
      {4, IDT_CUT, BTNS_BUTTON},
      {5, IDT_COPY, BTNS_BUTTON},
      {6, IDT_PASTE, BTNS_BUTTON},
      {7, IDT_HELP, BTNS_SEP},
      {7, IDT_HELP, BTNS_BUTTON},
  };
  TBBUTTON added[std::size(buttons)]{};
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    added[i].iBitmap = buttons[i].image;
    added[i].idCommand = buttons[i].command;
    added[i].fsState = TBSTATE_ENABLED;
    added[i].fsStyle = buttons[i].style;
  }
  SendMessageW(app.toolbar, TB_ADDBUTTONSW, std::size(added), reinterpret_cast<LPARAM>(added));
  addToolbarTips(app.toolbar, app.instance);
}

}  // namespace

Direction selectedTab() { return directionOfSelection(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0)); }

LRESULT createMainWindowControls(HWND mainWindow, const CREATESTRUCTW* creation) {
  app.dpi = dpiOfWindow(mainWindow);
  makeFonts();
  app.richEditLibrary = loadRichEditLibrary();
  InitCommonControls();
  app.tabControl = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow,
                                   controlId(IDC_TAB_CONTROL), app.instance, nullptr);
  for (DirectionState& tab : app.tabs) createTabControls(mainWindow, creation->hInstance, tab);
  forwardArticleViewNotices(app.tabControl);
  createToolbar(mainWindow);
  addKeyboardPaths();
  applyFonts();
  layOutMainWindow(mainWindow);
  showSelectedTab();
  return 0;
}

void layOutMainWindow(HWND mainWindow) {
  RECT client{};
  GetClientRect(mainWindow, &client);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  SetWindowPos(app.toolbar, nullptr, 0, 0, w, scaled(30), SWP_NOZORDER);
  SetWindowPos(app.tabControl, nullptr, scaled(-1), scaled(30), w + scaled(4), h - scaled(28), SWP_NOZORDER);
  for (const DirectionState& tab : app.tabs) {
    const DirectionControls& controls = tab.controls;
    // No flags: the word box goes to the top of the z-order, above the tab control.
    SetWindowPos(controls.wordBox, nullptr, scaled(7), scaled(65), w - scaled(119), scaled(150), 0);
    SetWindowPos(controls.pronounceButton, nullptr, w - scaled(106), scaled(63), scaled(100), scaled(22), SWP_NOZORDER);
    SetWindowPos(controls.wordList, nullptr, scaled(7), scaled(92), scaled(148), h - scaled(98), SWP_NOZORDER);
    SetWindowPos(controls.articleView, nullptr, scaled(158), scaled(59), w - scaled(164), h - scaled(96), SWP_NOZORDER);
    setArticleViewMargins(controls.articleView, app.dpi);
  }
}

void showSelectedTab() {
  const Direction selected = selectedTab();
  for (const DirectionState& tab : app.tabs) {
    const int command = tab.direction == selected ? SW_SHOWNORMAL : SW_HIDE;
    const DirectionControls& controls = tab.controls;
    for (const HWND control : {controls.wordBox, controls.pronounceButton, controls.wordList, controls.articleView}) {
      // Every lookup passes here: a control already as wanted is left alone, since showing
      // a shown window still moves it and tells it so.
      if (!control) continue;
      const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
      if (shown != (command != SW_HIDE)) ShowWindow(control, command);
    }
  }
  app.currentTab = selected;
}

void paintMainWindow(HWND mainWindow) {
  layOutMainWindow(mainWindow);
  showSelectedTab();
  PAINTSTRUCT paint;
  BeginPaint(mainWindow, &paint);
  EndPaint(mainWindow, &paint);
}

void setMinimumTrackingSize(MINMAXINFO* limits) {
  // Asked before WM_CREATE has set the DPI; the window's own DPI is right then too.
  const UINT dpi = app.dpi ? app.dpi : dpiOfWindow(app.mainWindow);
  limits->ptMinTrackSize.x = scaledForDpi(250, dpi);
  limits->ptMinTrackSize.y = scaledForDpi(210, dpi);
}

SIZE initialWindowSize() {
  // The window does not exist yet: it opens on the primary monitor, at the system's DPI.
  return SIZE{scaledForDpi(380, systemDpi()), scaledForDpi(323, systemDpi())};
}

void changeWindowDpi(HWND mainWindow, UINT dpi, const RECT& suggested) {
  if (dpi == 0) return;
  app.dpi = dpi;
  const HFONT oldFonts[] = {app.wordFont, app.articleFont, app.scaledGuiFont};
  makeFonts();
  applyFonts();
  // The new font replaced the coloured view's formatting (its links' underlines, the level
  // badge): the article is shown again in the new size.
  if (app.dictionary.loaded()) {
    for (DirectionState& tab : app.tabs) {
      if (tab.view.formatted) showArticleAgain(app.dictionary, tab, app.mainWindow);
    }
  }
  for (const HFONT font : oldFonts) deleteFont(font);

  const HIMAGELIST oldImages = app.toolbarImages;
  app.toolbarImages = loadToolbarImages(dpi);
  SendMessageW(app.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(app.toolbarImages));
  const int imageSize = toolbarStripFor(dpi).imageSize;
  SendMessageW(app.toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
  SendMessageW(app.toolbar, TB_AUTOSIZE, 0, 0);
  if (oldImages) ImageList_Destroy(oldImages);

  setWindowIconsFor(mainWindow, dpi);
  SetWindowPos(mainWindow, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // A suggested rectangle of the same size causes no repaint, and the paint is what lays out.
  layOutMainWindow(mainWindow);
  InvalidateRect(mainWindow, nullptr, TRUE);
}

void setWindowIconsFor(HWND mainWindow, UINT dpi) {
  const struct {
    WPARAM kind;
    int resource;
    int widthMetric;
    int heightMetric;
  } icons[] = {{ICON_BIG, IDI_DICTIONARY, SM_CXICON, SM_CYICON}, {ICON_SMALL, IDI_SMALL, SM_CXSMICON, SM_CYSMICON}};
  for (int i = 0; i < 2; ++i) {
    const auto& icon = icons[i];
    const auto loaded = static_cast<HICON>(LoadImageW(app.instance, MAKEINTRESOURCEW(icon.resource), IMAGE_ICON,
                                                      systemMetricForDpi(icon.widthMetric, dpi),
                                                      systemMetricForDpi(icon.heightMetric, dpi), LR_DEFAULTCOLOR));
    if (!loaded) continue;
    SendMessageW(mainWindow, WM_SETICON, icon.kind, reinterpret_cast<LPARAM>(loaded));
    if (app.windowIcons[i]) DestroyIcon(app.windowIcons[i]);
    app.windowIcons[i] = loaded;
  }
}
