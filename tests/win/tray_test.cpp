// The notification area icon and its menu, under a Wine virtual desktop on Xvfb: its task
// bar has the notification area that the headless driver lacks. Menus cannot be read from
// another process, so the menu is driven here, in the program's own process.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <shellapi.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/app_state_win.h"
#include "desktop/tray_win.h"
#include "resource.h"

namespace {

// True while the shell has an icon with the program's window and id: changing nothing about
// an icon succeeds only for an icon that is there.
bool trayIconPresent(HWND owner) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof(probe);
  probe.hWnd = owner;
  probe.uID = trayIconId;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HWND findVisibleMenu() {
  const HWND menu = FindWindowW(L"#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

HWND waitForMenu(DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 10) {
    if (const HWND menu = findVisibleMenu()) return menu;
    Sleep(10);
  }
  return nullptr;
}

void pressKey(WORD key) {
  INPUT keys[2]{};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = key;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

void clickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT buttons[2]{};
  buttons[0].type = buttons[1].type = INPUT_MOUSE;
  buttons[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  buttons[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, buttons, sizeof(INPUT));
}

// What a helper thread saw of the menu that the right-click opened, and how it closed it.
struct MenuSeen {
  bool opened = false;
  int items = -1;
  UINT firstId = 0, secondId = 0;
  std::wstring firstText, secondText;
};

// Right-clicks the icon (as the shell reports it) and, once the menu is up, reads it and
// hands it to `close`, on a helper thread: the menu's own loop holds this thread meanwhile.
template <typename Close>
MenuSeen rightClickIcon(Close close) {
  MenuSeen seen;
  std::thread helper([&] {
    const HWND menuWindow = waitForMenu(5000);
    if (!menuWindow) return;
    seen.opened = true;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    seen.items = GetMenuItemCount(menu);
    wchar_t text[64] = L"";
    seen.firstId = GetMenuItemID(menu, 0);
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    seen.firstText = text;
    seen.secondId = GetMenuItemID(menu, 1);
    GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION);
    seen.secondText = text;
    close(menuWindow);
  });
  SendMessageW(app.mainWindow, trayCallbackMessage, trayIconId, WM_RBUTTONUP);
  helper.join();
  return seen;
}

struct TrayIcon : ::testing::Test {
  void SetUp() override {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, u"\n|a|article of a\n");
    writeArticleFile(directory, 1, u"\n|水|shuǐ\n");
    ASSERT_TRUE(startProgram());
    // As the entry does once start-up has succeeded.
    ASSERT_TRUE(addTrayIcon(app.trayIconData, app.mainWindow, app.instance)) << "the notification area took no icon";
    pumpMessages(100);
  }
};

TEST_F(TrayIcon, IsAddedWithTheProgramsNameAsTooltipAndTheRecordTheShellExpects) {
  EXPECT_TRUE(trayIconPresent(app.mainWindow));
  EXPECT_EQ(app.trayIconData.cbSize, NOTIFYICONDATAW_V3_SIZE);
  EXPECT_EQ(app.trayIconData.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP)) << "a tooltip";
  EXPECT_STREQ(app.trayIconData.szTip, L"Tandemox English to Chinese, Chinese to English Talking Dictionary")
      << "the tooltip is the program's name";
  EXPECT_EQ(app.trayIconData.uCallbackMessage, 3345u);
  EXPECT_EQ(app.trayIconData.uID, 123u);
  EXPECT_NE(app.trayIconData.hIcon, nullptr) << "icon 2210 loaded";
  ICONINFO icon{};
  ASSERT_TRUE(GetIconInfo(app.trayIconData.hIcon, &icon));
  BITMAP image{};
  GetObjectW(icon.hbmColor, sizeof(image), &image);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  EXPECT_EQ(image.bmWidth, GetSystemMetrics(SM_CXSMICON)) << "the image drawn at the small-icon size";
  EXPECT_EQ(exitProgramAndWait(), 0);
  EXPECT_FALSE(trayIconPresent(app.mainWindow)) << "the icon goes with the program";
}

TEST_F(TrayIcon, RightButtonReleaseOpensTheMenuWithShowAndExit) {
  const auto seen = rightClickIcon([](HWND) { pressKey(VK_ESCAPE); });
  pumpMessages(200);
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(seen.items, 2);
  EXPECT_EQ(seen.firstId, static_cast<UINT>(IDM_TRAY_SHOW));
  EXPECT_EQ(seen.firstText, L"Show");
  EXPECT_EQ(seen.secondId, static_cast<UINT>(IDM_TRAY_EXIT));
  EXPECT_EQ(seen.secondText, L"E&xit");
  EXPECT_TRUE(IsWindow(app.mainWindow)) << "closing the menu chose nothing";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(TrayIcon, OtherMouseNoticesOpenNoMenu) {
  for (const UINT notice : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
    std::atomic<bool> menuSeen{false};
    std::atomic<bool> done{false};
    std::thread watcher([&] {
      while (!done) {
        if (findVisibleMenu()) {
          menuSeen = true;
          pressKey(VK_ESCAPE);
        }
        Sleep(10);
      }
    });
    SendMessageW(app.mainWindow, trayCallbackMessage, trayIconId, notice);
    pumpMessages(300);
    done = true;
    watcher.join();
    EXPECT_FALSE(menuSeen) << "notice " << notice;
  }
  // A right-click reported for another icon id is not the program's.
  std::atomic<bool> otherSeen{false};
  std::thread watcher([&] {
    if (waitForMenu(300)) {
      otherSeen = true;
      pressKey(VK_ESCAPE);
    }
  });
  SendMessageW(app.mainWindow, trayCallbackMessage, trayIconId + 1, WM_RBUTTONUP);
  watcher.join();
  EXPECT_FALSE(otherSeen);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(TrayIcon, ClickingElsewhereClosesTheMenuWithoutACommand) {
  ShowWindow(app.mainWindow, SW_MINIMIZE);
  pumpMessages(100);
  const auto seen = rightClickIcon([](HWND) {
    clickAt(900, 40);  // empty desktop, away from the menu at the cursor
  });
  pumpMessages(200);
  ASSERT_TRUE(seen.opened);
  EXPECT_EQ(findVisibleMenu(), nullptr) << "the menu stayed open";
  EXPECT_TRUE(IsIconic(app.mainWindow)) << "nothing was chosen";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(TrayIcon, ShowRestoresFromMinimisedAndMaximisedAndBringsTheWindowForward) {
  for (const int state : {SW_MINIMIZE, SW_MAXIMIZE}) {
    ShowWindow(app.mainWindow, state);
    pumpMessages(100);
    const auto seen = rightClickIcon([](HWND) {
      pressKey(VK_DOWN);  // the first item, "Show"
      pressKey(VK_RETURN);
    });
    ASSERT_TRUE(seen.opened);
    pumpMessages(200);
    EXPECT_FALSE(IsIconic(app.mainWindow)) << "from state " << state;
    EXPECT_FALSE(IsZoomed(app.mainWindow)) << "from state " << state;
    EXPECT_TRUE(IsWindowVisible(app.mainWindow));
    EXPECT_EQ(GetForegroundWindow(), app.mainWindow) << "from state " << state;
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(TrayIcon, ExitFromTheMenuEndsTheProgramAndRemovesTheIcon) {
  const HWND window = app.mainWindow;
  const auto seen = rightClickIcon([](HWND) { pressKey('X'); });  // the item's mnemonic
  ASSERT_TRUE(seen.opened);
  // The chosen command arrives as a posted message; the program ends with the quit message.
  MSG message;
  bool quit = false;
  for (int i = 0; i < 200 && !quit; ++i) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) quit = true;
      else DispatchMessageW(&message);
    }
    Sleep(5);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(trayIconPresent(window));
  EXPECT_TRUE(quit);
}

// While a box of the program is open, its own loop passes the icon's notices on; a menu
// there would let Exit end the program beneath the box. The box comes forward instead,
// and once it is gone the menu and Exit work as ever.
TEST_F(TrayIcon, ARightClickWhileABoxIsOpenBringsTheBoxForwardAndOpensNoMenu) {
  ShowWindow(app.mainWindow, SW_MINIMIZE);
  pumpMessages(100);
  const HWND box = CreateWindowExW(0, L"STATIC", L"a box of the program", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100,
                                   300, 120, app.mainWindow, nullptr, app.instance, nullptr);
  ASSERT_NE(box, nullptr);
  EnableWindow(app.mainWindow, FALSE);
  std::atomic<bool> menuSeen{false};
  std::thread watcher([&] {
    if (waitForMenu(500)) {
      menuSeen = true;
      pressKey(VK_ESCAPE);
    }
  });
  SendMessageW(app.mainWindow, trayCallbackMessage, trayIconId, WM_RBUTTONUP);
  watcher.join();
  pumpMessages(100);
  EXPECT_FALSE(menuSeen);
  EXPECT_TRUE(IsWindow(app.mainWindow));
  EXPECT_FALSE(IsIconic(app.mainWindow));
  EXPECT_EQ(GetForegroundWindow(), box);
  EnableWindow(app.mainWindow, TRUE);
  DestroyWindow(box);
  const auto seen = rightClickIcon([](HWND) { pressKey(VK_ESCAPE); });
  pumpMessages(200);
  EXPECT_TRUE(seen.opened);
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Explorer restarting empties the notification area; its "TaskbarCreated" broadcast is the
// program's cue to add the icon again.
TEST_F(TrayIcon, IsAddedAgainWhenTheTaskbarIsCreatedAnew) {
  NOTIFYICONDATAW lost = app.trayIconData;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &lost));
  ASSERT_FALSE(trayIconPresent(app.mainWindow));
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  ASSERT_NE(taskbarCreated, 0u);
  SendMessageW(app.mainWindow, taskbarCreated, 0, 0);
  EXPECT_TRUE(trayIconPresent(app.mainWindow));
  const auto seen = rightClickIcon([](HWND) { pressKey(VK_ESCAPE); });
  pumpMessages(200);
  EXPECT_TRUE(seen.opened) << "the icon added again still opens its menu";
  EXPECT_EQ(exitProgramAndWait(), 0);
  EXPECT_FALSE(trayIconPresent(app.mainWindow));
}

// The program itself, started as its own process: its entry adds the icon once start-up
// has succeeded, and its File, Exit takes the icon away again.
TEST(TrayIconOfTheProgram, IsThereFromStartToExit) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"\n|a|article of a\n");
  writeArticleFile(directory, 1, u"\n|水|shuǐ\n");
  ASSERT_TRUE(installProgramCopy(directory)) << "the program was not built";
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.c_str(), &startup, &process));
  WaitForInputIdle(process.hProcess, 10000);
  HWND window = nullptr;
  for (int i = 0; i < 100 && !(window && trayIconPresent(window)); ++i) {
    window = FindWindowW(L"KESTRELVALE_10", nullptr);
    Sleep(100);
  }
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(trayIconPresent(window));

  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_FALSE(trayIconPresent(window));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
