#include "app/app_state_win.h"

#include <commctrl.h>

#include "app/commands_win.h"
#include "app/learner_view_win.h"
#include "app/main_window_win.h"
#include "app/your_words_commands_win.h"
#include "app/keyboard_paths_win.h"
#include "app/near_words_timer_win.h"
#include "common/globals.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "desktop/tray_win.h"
#include "dictionary/lookup_win.h"
#include "dictionary/own_articles_win.h"
#include "dictionary/pronounce_win.h"
#include "resource.h"
#include "settings/configuration_win.h"
#include "settings/options_win.h"
#include "settings/window_placement_win.h"
#include "web/web_links.h"

AppState app{};

namespace {

// The first tab, or the one that DefaultLanguageId names when it names one: any other number
// would index past the two tabs.
void selectDefaultTab() {
  SendMessageW(app.tabControl, TCM_SETCURSEL, 0, 0);
  const auto setting = app.settings.find(std::u16string(defaultLanguageIdKey));
  if (setting == app.settings.end()) return;
  if (const std::optional<Direction> direction = directionOfNumber(settingNumber(setting->second))) {
    SendMessageW(app.tabControl, TCM_SETCURSEL, directionIndex(*direction), 0);
  }
}

void greyUnavailableFileItems() {
  const HMENU menu = GetMenu(app.mainWindow);
  for (const UINT id : {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FILE_PRINT, IDM_FILE_PRINT_PREVIEW}) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
  }
}

int runMessageLoop(HACCEL accelerators) {
  MSG message{};
  // GetMessageW returns -1 on failure; looping on any non-zero value would spin forever.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) handleLoopMessage(message, accelerators);
  return static_cast<int>(message.wParam);
}

}  // namespace

// Accelerators are matched against the window a key message is addressed to, so Alt+"?"
// typed into a child control goes to that control, not to the main window.
void handleLoopMessage(MSG& message, HACCEL accelerators) {
  if (translateYourWordsKeys(message)) return;
  if (takeKeyboardPathKey(message)) return;
  if (TranslateAcceleratorW(message.hwnd, accelerators, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;  // every resize repaints, which drives the layout
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_DICTIONARY));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  windowClass.lpszClassName = app.windowClassName;
  // The small icon drawn at the small-icon size, rather than the big size LoadIconW gives.
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  RegisterClassExW(&windowClass);
}

bool startApplication(HINSTANCE instance, int showCommand) {
  app.instance = instance;
  const SIZE size = initialWindowSize();
  const HWND window = CreateWindowExW(0, app.windowClassName, app.windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                      size.cx, size.cy, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  app.mainWindow = window;
  // The kept words are read beside the rest of start-up, on a thread of their own.
  startYourWords();
  registerCaptureHotKey(app.capture, window);
  loadConfiguration(app.settings);
  // Rewritten at every start, so the entry follows the program when it is moved.
  if (isSettingOn(app.settings, loadOnStartKey)) setRunAtStartup(true);
  // Where the user left it, when Configuration.dat knows.
  showAtStoredPlacement(app.mainWindow, app.settings, showCommand);
  UpdateWindow(app.mainWindow);
  selectDefaultTab();
  // Selecting a tab from the program sends no change notification, so show its controls here.
  showSelectedTab();
  joinClipboardChain(app.capture);
  // Tells the vendor's host that a copy has started; the request runs on a worker of its own
  // and start-up carries on at once.
  startNotificationRequest(app.notifications, homeUrl);
  greyUnavailableFileItems();
  loadArticleFiles(app.dictionary, app.mainWindow);
  unscrambleArticles(app.dictionary);
  loadOwnArticles(app.tabs, app.mainWindow);
  setUpToneColours();
  showInitialWord();
  return true;
}

void loadWindowTexts(HINSTANCE instance) {
  LoadStringW(instance, IDS_APP_TITLE, app.windowTitle, 100);
  LoadStringW(instance, IDS_WINDOW_CLASS, app.windowClassName, 100);
}

int runDictionary(HINSTANCE instance, int showCommand) {
  // DLLs load from the system folders only, never from the program's own folder, where a
  // planted copy of a system DLL could otherwise run.
  // Looked up by name: Vista and 7 have the function only with a loader update, and a
  // program that imports it would not start without it.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories) {
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  } else {
    SetDllDirectoryW(L"");  // at least not the current folder
  }
  loadWindowTexts(instance);
  registerMainWindowClass(instance);
  if (!startApplication(instance, showCommand)) return 0;
  addTrayIcon(app.trayIconData, app.mainWindow, instance);
  if (isSettingOn(app.settings, alwaysOnTopKey)) setAlwaysOnTop(true);
  const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  const int exitCode = runMessageLoop(accelerators);
  // Ending the process kills the request workers, and the exit request was only started as
  // the window went: give it a moment to get onto the wire, but never wait for an answer.
  waitForNotificationHandOver(app.notifications);
  return exitCode;
}

void shutDownApplication() {
  // The exit notification goes first, before anything is torn down. Its worker is never
  // joined; the entry only gives it a moment to get onto the wire once the loop has ended.
  startNotificationRequest(app.notifications, sessionCompletedUrl);
  saveYourWordsAtExit();
  // The window still has its place: kept for the next start.
  saveWindowPlacement(app.mainWindow, app.settings);
  for (DirectionState& tab : app.tabs) {
    if (tab.controls.wordBox) DestroyWindow(tab.controls.wordBox);
    if (tab.controls.articleView) DestroyWindow(tab.controls.articleView);
    tab.controls.wordBox = nullptr;
    tab.controls.articleView = nullptr;
  }
  releaseSpeech();
  if (app.richEditLibrary) FreeLibrary(app.richEditLibrary);
  app.richEditLibrary = nullptr;
  removeTrayIcon(app.trayIconData);
  leaveClipboardChain(app.capture);
  unregisterCaptureHotKey(app.capture);
  // Closing the handle leaves the worker running.
  if (app.notifications.thread) CloseHandle(app.notifications.thread);
  app.notifications.thread = nullptr;
  releaseArticleFiles(app.dictionary);
  releaseCapturedText(app.capture);
  PostQuitMessage(0);
}

DirectionState& tabOf(Direction direction) { return app.tabs[directionIndex(direction)]; }

void lookUpWord() {
  bool missed = false;
  if (lookUpWord(app.dictionary, tabOf(selectedTab()), app.mainWindow, &missed)) showSelectedTab();
  scheduleNearWords(missed);
}

void showChosenHeadword() {
  if (showChosenHeadword(app.dictionary, tabOf(selectedTab()), app.mainWindow)) showSelectedTab();
  rememberShownWord(selectedTab());
}

void lookUpCapturedText() {
  if (!app.capture.text) return;
  SetWindowTextW(tabOf(selectedTab()).controls.wordBox, app.capture.text);
  lookUpWord();
  rememberShownWord(selectedTab());
}

void showInitialWord() {
  SetWindowTextW(tabOf(Direction::EnglishChinese).controls.wordBox, toWideText(initialEnglishWord).c_str());
  // The window has just been shown and not yet painted: filling its list item by item with
  // drawing on makes the list lay itself out and size its scroll bars after every insert,
  // which at start-up cost up to a second under Wine. One paint afterwards shows the same.
  const RedrawSuspended listDrawing(tabOf(selectedTab()).controls.wordList);
  lookUpWord();
}

void setAlwaysOnTop(bool on) {
  putWindowOnTop(app.mainWindow, on);
  app.alwaysOnTop = on;
}
