#include "desktop/about_help_win.h"

#include <windows.h>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

// A file: address, which keeps the "#section" part that a plain path would lose.
std::wstring fileUrl(const std::wstring& path) {
  std::wstring url = L"file:///";
  for (const wchar_t c : path) {
    if (c == L'\\') url += L'/';
    else if (c == L' ') url += L"%20";
    else if (c == L'#') url += L"%23";
    else if (c == L'%') url += L"%25";
    else url += c;
  }
  return url;
}

}  // namespace

std::wstring helpFilePath() { return fileBesideProgram(L"Help\\Help.EN.html"); }

void openHelpPage() { shellOpen(helpFilePath()); }

void openHelpSection(const wchar_t* anchor) { shellOpen(fileUrl(helpFilePath()) + L"#" + anchor); }

void showAboutBox() {
  DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_ABOUT), app.mainWindow, aboutDialogProc, 0);
}
