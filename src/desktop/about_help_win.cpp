#include "desktop/about_help_win.h"

#include <windows.h>

#include <optional>

#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "desktop/about_text.h"
#include "resource.h"

namespace {

void fillAboutBox(HWND dialog, const LoadedSizes& sizes) {
  SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, toWideText(aboutVersionLine()).c_str());
  SetDlgItemTextW(dialog, IDC_ABOUT_DICTIONARIES,
                  toWideText(installedDictionariesText(sizes.englishChinese, sizes.chineseEnglish)).c_str());
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      fillAboutBox(dialog, *reinterpret_cast<const LoadedSizes*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        case IDC_ABOUT_SYSTEM_INFO:
          // The box stays open: the tool is a program of its own.
          shellOpen(L"msinfo32.exe");
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

// Not every program registered for pages takes a file: address with a section: the page
// itself is opened then.
void openHelpSection(const wchar_t* anchor) {
  if (!shellOpen(fileUrl(helpFilePath()) + L"#" + anchor)) openHelpPage();
}

void showAboutBox(HINSTANCE instance, HWND owner, const LoadedSizes& sizes) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, aboutDialogProc, reinterpret_cast<LPARAM>(&sizes));
}
