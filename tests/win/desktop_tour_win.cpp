// Drives the running dictionary from outside, one step per call, for scripts/desktop-tour.sh,
// which takes a screenshot after each step.
//
//   desktop_tour minimise | tray-menu | key-escape | about | options | own-article | exit
//   desktop_tour look-up WORD                     types WORD into the current tab's word box
//   desktop_tour tab 0|1                          selects a tab as the View menu does
//   desktop_tour place CAPTION                    prints the rectangle of this process's top
//                                                 window CAPTION as WIDTHxHEIGHT+X+Y
//   desktop_tour capture-from-notepad START END   selects characters START..END in notepad
//                                                 and presses Control+Insert
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND dictionaryWindow() {
  for (int i = 0; i < 100; ++i) {
    if (const HWND window = FindWindowW(L"KESTRELVALE_10", nullptr)) return window;
    Sleep(100);
  }
  return nullptr;
}

void press(const WORD* codes, int count) {
  INPUT keys[8]{};
  for (int i = 0; i < count; ++i) {
    keys[i].type = keys[count * 2 - 1 - i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = keys[count * 2 - 1 - i].ki.wVk = codes[i];
    if (codes[i] == VK_INSERT) keys[i].ki.dwFlags = keys[count * 2 - 1 - i].ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
    keys[count * 2 - 1 - i].ki.dwFlags |= KEYEVENTF_KEYUP;
  }
  SendInput(count * 2, keys, sizeof(INPUT));
}

// The notification area sits at the right end of the task bar; the icon is its first.
void pointAtTheNotificationArea() {
  RECT bar{};
  if (const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) GetWindowRect(taskbar, &bar);
  SetCursorPos(bar.right > 40 ? bar.right - 24 : 1000, bar.bottom > 0 ? (bar.top + bar.bottom) / 2 : 750);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  const std::wstring step = argv[1];
  const HWND window = dictionaryWindow();
  if (!window) return 2;
  if (step == L"minimise") {
    PostMessageW(window, WM_CLOSE, 0, 0);  // the close box only minimises
  } else if (step == L"tray-menu") {
    pointAtTheNotificationArea();
    PostMessageW(window, WM_USER + 2321, 123, WM_RBUTTONUP);
  } else if (step == L"key-escape") {
    const WORD escape = VK_ESCAPE;
    press(&escape, 1);
  } else if (step == L"about") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(171, 0), 0);
  } else if (step == L"options") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(165, 0), 0);
  } else if (step == L"tab" && argc == 3) {
    const int command = std::wcscmp(argv[2], L"1") == 0 ? 163 : 162;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  } else if (step == L"own-article") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(10501, 0), 0);
  } else if (step == L"look-up" && argc == 3) {
    // The word box of the selected tab, as the box reports an edit to its window.
    const HWND tabs = GetDlgItem(window, 23);
    const int tab = tabs && SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1 ? 1 : 0;
    const HWND box = GetDlgItem(window, 1221 + tab);
    if (!box) return 3;
    SetWindowTextW(box, argv[2]);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(1221 + tab, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    // Under Wine the article view can keep bits of the previous article's first line until
    // it is painted whole again.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  } else if (step == L"command" && argc == 3) {
    // A menu command by its number, as the menu sends it.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(std::wcstol(argv[2], nullptr, 10), 0), 0);
  } else if (step == L"drop-down") {
    // The selected tab's word box opens its list of the words looked at.
    const HWND tabs = GetDlgItem(window, 23);
    const int tab = tabs && SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1 ? 1 : 0;
    const HWND box = GetDlgItem(window, 1221 + tab);
    if (!box) return 3;
    SetForegroundWindow(window);
    PostMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  } else if (step == L"place" && argc == 3) {
    const HWND shown = FindWindowW(nullptr, argv[2]);
    RECT r{};
    if (!shown || !GetWindowRect(shown, &r)) return 3;
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  } else if (step == L"exit") {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(105, 0), 0);
  } else if (step == L"capture-from-notepad" && argc == 4) {
    const HWND notepad = FindWindowW(L"Notepad", nullptr);
    const HWND edit = notepad ? FindWindowExW(notepad, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) return 3;
    SetForegroundWindow(notepad);
    SendMessageW(edit, EM_SETSEL, std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10));
    Sleep(300);
    const WORD keys[2] = {VK_CONTROL, VK_INSERT};
    press(keys, 2);
  } else {
    return 1;
  }
  return 0;
}
