// A second program of ours for the capture tests: it changes the clipboard from another
// process, holds it open, or takes part in the clipboard viewer chain.
//
//   clipboard_peer set TEXT                    puts TEXT on the clipboard
//   clipboard_peer set-image                   puts a small bitmap (no text) on the clipboard
//   clipboard_peer set-and-hold TEXT EVENT MS  puts TEXT on the clipboard, opens it again at
//                                              once, signals EVENT and keeps it open MS ms
//   clipboard_peer viewer NAME                 joins the viewer chain with a window titled
//                                              NAME, signals the event NAME once it has joined
//                                              and runs until the window is closed
//
// The viewer window answers peerNoticeCount with the number of WM_DRAWCLIPBOARD notices it
// has had and peerNextViewer with the viewer that follows it; closing it leaves the chain.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "clipboard_peer_protocol.h"

namespace {

bool putText(const wchar_t* text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), text, bytes);
  GlobalUnlock(block);
  const bool set = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  return set;
}

bool putImage() {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  const bool set = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
  CloseClipboard();
  return set;
}

struct Viewer {
  HWND next = nullptr;
  LONG notices = 0;
};
Viewer viewer;

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWCLIPBOARD:
      ++viewer.notices;
      if (viewer.next) SendMessageW(viewer.next, message, wParam, lParam);
      return 0;
    case WM_CHANGECBCHAIN:
      if (reinterpret_cast<HWND>(wParam) == viewer.next) {
        viewer.next = reinterpret_cast<HWND>(lParam);
      } else if (viewer.next) {
        SendMessageW(viewer.next, message, wParam, lParam);
      }
      return 0;
    case peerNoticeCount:
      return viewer.notices;
    case peerNextViewer:
      return reinterpret_cast<LRESULT>(viewer.next);
    case WM_CLOSE:
      ChangeClipboardChain(window, viewer.next);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int runViewer(const wchar_t* name) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = viewerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = peerViewerClass;
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowW(peerViewerClass, name, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
  if (!window) return 3;
  viewer.next = SetClipboardViewer(window);
  if (const HANDLE joined = OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
    SetEvent(joined);
    CloseHandle(joined);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

int setAndHold(const wchar_t* text, const wchar_t* eventName, DWORD milliseconds) {
  if (!putText(text)) return 2;
  if (!OpenClipboard(nullptr)) return 2;
  if (const HANDLE holding = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName)) {
    SetEvent(holding);
    CloseHandle(holding);
  }
  Sleep(milliseconds);
  CloseClipboard();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  const std::wstring mode = argv[1];
  if (mode == L"set" && argc == 3) return putText(argv[2]) ? 0 : 2;
  if (mode == L"set-image" && argc == 2) return putImage() ? 0 : 2;
  if (mode == L"set-and-hold" && argc == 5) return setAndHold(argv[2], argv[3], std::wcstoul(argv[4], nullptr, 10));
  if (mode == L"viewer" && argc == 3) return runViewer(argv[2]);
  return 1;
}
