#include "app/app_state_win.h"

#include "app/commands_win.h"
#include "app/main_window_win.h"
#include "desktop/capture_win.h"
#include "desktop/tray_win.h"
#include "dictionary/article_files_win.h"
#include "dictionary/own_articles_win.h"
#include "dictionary/article_view_win.h"
#include "dictionary/pronounce_win.h"
#include "dictionary/word_search_win.h"
#include "resource.h"
#include "settings/configuration_win.h"
#include "settings/options_win.h"
#include "web/web_links.h"
#include "web/web_links_win.h"

#include <commctrl.h>

AppState app{};

namespace {

// Tab 0, or the tab that DefaultLanguageId names when it is 0 or 1: any other number would
// index past the two tabs.
void selectDefaultTab() {
  SendMessageW(app.tabControl, TCM_SETCURSEL, 0, 0);
  const auto setting = app.settings.find(std::u16string(defaultLanguageIdKey));
  if (setting == app.settings.end()) return;
  const int tab = settingNumber(setting->second);
  if (tab == 0 || tab == 1) SendMessageW(app.tabControl, TCM_SETCURSEL, tab, 0);
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
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                      LR_DEFAULTCOLOR));
  RegisterClassExW(&windowClass);
}

bool startApplication(HINSTANCE instance, int showCommand) {
  app.instance = instance;
  const SIZE size = initialWindowSize();
  const HWND window = CreateWindowExW(0, app.windowClassName, app.windowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                      size.cx, size.cy, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  app.mainWindow = window;
  registerCaptureHotKey();
  loadConfiguration();
  // Rewritten at every start, so the entry follows the program when it is moved.
  if (isSettingOn(app.settings, loadOnStartKey)) setRunAtStartup(true);
  ShowWindow(app.mainWindow, showCommand);
  UpdateWindow(app.mainWindow);
  selectDefaultTab();
  // Selecting a tab from the program sends no change notification, so show its controls here.
  showCurrentTab();
  joinClipboardChain();
  // Tells the vendor's host that a copy has started; the request runs on a worker of its own
  // and start-up carries on at once.
  startNotificationRequest(homeUrl);
  greyUnavailableFileItems();
  loadArticleFiles();
  unscrambleArticles();
  loadOwnArticles();
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
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  loadWindowTexts(instance);
  registerMainWindowClass(instance);
  if (!startApplication(instance, showCommand)) return 0;
  addTrayIcon(app.mainWindow, instance);
  if (isSettingOn(app.settings, alwaysOnTopKey)) setAlwaysOnTop(true);
  const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  const int exitCode = runMessageLoop(accelerators);
  // Ending the process kills the request workers, and the exit request was only started as
  // the window went: give it a moment to get onto the wire, but never wait for an answer.
  waitForNotificationHandOver();
  return exitCode;
}

void shutDownApplication() {
  // The exit notification goes first, before anything is torn down. Its worker is never
  // joined; the entry only gives it a moment to get onto the wire once the loop has ended.
  startNotificationRequest(sessionCompletedUrl);
  for (int tab = 0; tab < 2; ++tab) {
    if (app.wordBoxes[tab]) DestroyWindow(app.wordBoxes[tab]);
    if (app.articleViews[tab]) DestroyWindow(app.articleViews[tab]);
    app.wordBoxes[tab] = nullptr;
    app.articleViews[tab] = nullptr;
  }
  releaseSpeech();
  if (app.richEditLibrary) FreeLibrary(app.richEditLibrary);
  app.richEditLibrary = nullptr;
  removeTrayIcon();
  leaveClipboardChain();
  unregisterCaptureHotKey();
  // Closing the handle leaves the worker running.
  if (app.requestThread) CloseHandle(app.requestThread);
  app.requestThread = nullptr;
  releaseArticleFiles();
  releaseCapturedText();
  PostQuitMessage(0);
}
