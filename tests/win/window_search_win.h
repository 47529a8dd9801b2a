// Finding another process's windows, for the tests and the benchmarks that drive the program
// as its own process.
#pragma once
#include <windows.h>

#include <cwchar>
#include <iterator>

namespace window_search {

struct Wanted {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* caption;
  HWND found;
};

// A named CALLBACK function: a lambda converts only to a pointer of the default calling
// convention, which 32-bit Windows does not call.
inline BOOL CALLBACK matchVisibleWindow(HWND window, LPARAM parameter) {
  auto* wanted = reinterpret_cast<Wanted*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != wanted->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = L"";
  GetClassNameW(window, text, static_cast<int>(std::size(text)));
  if (std::wcscmp(text, wanted->className) != 0) return TRUE;
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  if (std::wcscmp(text, wanted->caption) != 0) return TRUE;
  wanted->found = window;
  return FALSE;
}

}  // namespace window_search

// A visible top-level window of the given process with the given class and caption, or null.
inline HWND visibleWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  window_search::Wanted search{processId, className, caption, nullptr};
  EnumWindows(window_search::matchVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
