#include "app/main_window_win.h"

#include <commctrl.h>
#include <richedit.h>

#include <iterator>
#include <string>

#include "app/app_state_win.h"
#include "common/globals.h"
#include "common/text_seam_win.h"
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

HFONT guiFont() {
  auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return font ? font : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

void setFont(HWND control, HFONT font) { SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

// The rich edit library from the system folder only: a DLL of the same name planted in
// the program's folder must never be loaded.
HMODULE loadRichEditLibrary() {
  return LoadLibraryExW(L"RICHED20.DLL", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void setUpWordList(HWND list, HFONT font) {
  SetWindowLongW(list, GWL_STYLE, GetWindowLongW(list, GWL_STYLE) | LVS_REPORT);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  wchar_t columnText[] = L"One";
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.fmt = LVCFMT_LEFT;
  column.cx = 130;
  column.pszText = columnText;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  setFont(list, font);
}

void createTabControls(HWND mainWindow, HINSTANCE articleInstance, int tab) {
  const HINSTANCE instance = app.instance;
  app.wordBoxes[tab] = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 5, 62,
                                       248, 150, mainWindow, controlId(IDC_WORD_BOX + tab), instance, nullptr);
  const HFONT wordFont = makeSongFont(13, 7);
  setFont(app.wordBoxes[tab], wordFont);

  app.pronounceButtons[tab] = CreateWindowExW(0, L"BUTTON", L"Pronounce", WS_CHILD, 258, 63, 100, 22, mainWindow,
                                              controlId(IDC_PRONOUNCE + tab), instance, nullptr);
  setFont(app.pronounceButtons[tab], guiFont());

  app.wordLists[tab] =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_NOCOLUMNHEADER | LVS_SINGLESEL, 7, 92, 200, 171,
                      mainWindow, controlId(IDC_WORD_LIST + tab), instance, nullptr);
  // English headwords in the system's GUI font, Chinese ones in the Chinese face.
  setUpWordList(app.wordLists[tab], tab == 0 ? guiFont() : wordFont);

  app.articleViews[tab] = CreateWindowExW(
      0, L"RichEdit20W", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE, 158, 59, 200,
      173, app.tabControl, controlId(IDC_ARTICLE_VIEW + tab), articleInstance, nullptr);
  const HFONT articleFont = makeSongFont(20, 12);
  setFont(app.articleViews[tab], tab == 0 ? articleFont : guiFont());
  SendMessageW(app.articleViews[tab], EM_SETBKGNDCOLOR, 0, articleBackground);

  // Tab 0 reads "English Chinese", tab 1 "Chinese English".
  std::wstring label = toWideText(tab == 0 ? firstLanguage + u" " + secondLanguage : secondLanguage + u" " + firstLanguage);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = label.data();
  SendMessageW(app.tabControl, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
}

void createToolbar(HWND mainWindow) {
  app.toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 500, 0,
                                mainWindow, controlId(IDC_TOOLBAR), app.instance, nullptr);
  SendMessageW(app.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const HIMAGELIST images = ImageList_LoadImageW(app.instance, MAKEINTRESOURCEW(IDB_TOOLBAR), 16, 0, CLR_NONE,
                                                 IMAGE_BITMAP, LR_CREATEDIBSECTION);
  SendMessageW(app.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));

  struct Button {
    int image;
    int command;
    BYTE style;
  };
  constexpr Button buttons[] = {
      {0, IDT_NEW_ARTICLE, BTNS_BUTTON}, {1, IDT_NEW_LANGUAGE, BTNS_BUTTON}, {2, IDT_SAVE, BTNS_BUTTON},
      {3, IDT_PRINT, BTNS_BUTTON},       {4, 14, BTNS_SEP},                  {4, IDT_CUT, BTNS_BUTTON},
      {5, IDT_COPY, BTNS_BUTTON},        {6, IDT_PASTE, BTNS_BUTTON},        {7, IDT_HELP, BTNS_SEP},
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
}

void showTabControls(int tab, int showCommand) {
  for (const HWND control : {app.pronounceButtons[tab], app.wordBoxes[tab], app.wordLists[tab], app.articleViews[tab]}) {
    if (control) ShowWindow(control, showCommand);
  }
}

}  // namespace

int selectedTab() {
  const auto selection = SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0);
  return selection == 1 ? 1 : 0;
}

LRESULT createMainWindowControls(HWND mainWindow, const CREATESTRUCTW* creation) {
  app.richEditLibrary = loadRichEditLibrary();
  InitCommonControls();
  app.tabControl = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, -1, 30, 367, 269,
                                   mainWindow, controlId(IDC_TAB_CONTROL), app.instance, nullptr);
  for (int tab = 0; tab < 2; ++tab) createTabControls(mainWindow, creation->hInstance, tab);
  setFont(app.tabControl, guiFont());
  if (app.pronounceButtons[app.currentTab]) ShowWindow(app.pronounceButtons[app.currentTab], SW_SHOW);
  createToolbar(mainWindow);
  return 0;
}

void layoutMainWindow() {
  RECT client{};
  GetClientRect(app.mainWindow, &client);
  const int w = client.right - client.left;
  const int h = client.bottom - client.top;
  SetWindowPos(app.toolbar, nullptr, 0, 0, w, 30, SWP_NOZORDER);
  SetWindowPos(app.tabControl, nullptr, -1, 30, w + 4, h - 28, SWP_NOZORDER | SWP_NOMOVE);
  for (int tab = 0; tab < 2; ++tab) {
    // No flags: the word box goes to the top of the z-order, above the tab control.
    SetWindowPos(app.wordBoxes[tab], nullptr, 7, 65, w - 119, 150, 0);
    SetWindowPos(app.pronounceButtons[tab], nullptr, w - 106, 63, 100, 22, SWP_NOZORDER);
    SetWindowPos(app.wordLists[tab], nullptr, 7, 92, 148, h - 98, SWP_NOZORDER);
    SetWindowPos(app.articleViews[tab], nullptr, 158, 59, w - 164, h - 96, SWP_NOZORDER);
  }
}

void paintMainWindow(HWND mainWindow) {
  layoutMainWindow();
  showTabControls(app.currentTab, SW_HIDE);
  app.currentTab = selectedTab();
  showTabControls(app.currentTab, SW_SHOW);
  PAINTSTRUCT paint;
  BeginPaint(mainWindow, &paint);
  EndPaint(mainWindow, &paint);
}

void setMinimumTrackingSize(MINMAXINFO* limits) {
  limits->ptMinTrackSize.x = 250;
  limits->ptMinTrackSize.y = 210;
}
