#include "dictionary/own_article_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "app/app_state_win.h"
#include "app/main_window_win.h"
#include "common/globals.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_view_win.h"
#include "dictionary/lookup_win.h"
#include "dictionary/own_articles.h"
#include "dictionary/own_articles_win.h"
#include "dictionary/word_search_win.h"
#include "resource.h"

namespace {

// What the dialog starts with, and what it saved or deleted.
struct OwnArticleChoice {
  int tab;
  std::wstring headword;
};

OwnArticleChoice& choiceOf(HWND dialog) {
  return *reinterpret_cast<OwnArticleChoice*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

int chosenTab(HWND dialog) {
  return SendDlgItemMessageW(dialog, IDC_OWN_DIRECTION, CB_GETCURSEL, 0, 0) == 1 ? 1 : 0;
}

std::u16string typedText(HWND dialog, int id) { return toCoreText(readWindowText(GetDlgItem(dialog, id))); }

// Plain edit controls of older systems do not select all on Control+A; the article box does.
LRESULT CALLBACK articleBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  if (message == WM_CHAR && wParam == 1) {
    SendMessageW(box, EM_SETSEL, 0, -1);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, articleBoxProc, id);
  return DefSubclassProc(box, message, wParam, lParam);
}

// The own article of the headword, for editing: without the line break every stored
// article ends with.
void showOwnArticle(HWND dialog) {
  const std::u16string headword = typedText(dialog, IDC_OWN_HEADWORD);
  std::u16string_view article = ownArticleOf(chosenTab(dialog), trimmedOwnHeadword(headword));
  if (article.empty()) return;
  article.remove_suffix(2);
  SetDlgItemTextW(dialog, IDC_OWN_ARTICLE, toWideText(article).c_str());
}

// A new direction shows that direction's own article of the headword, unless the user has
// already written in the article box: what they wrote is never replaced.
void showDirectionsArticle(HWND dialog) {
  if (SendDlgItemMessageW(dialog, IDC_OWN_ARTICLE, EM_GETMODIFY, 0, 0) != 0) return;
  SetDlgItemTextW(dialog, IDC_OWN_ARTICLE, L"");
  showOwnArticle(dialog);
  SendDlgItemMessageW(dialog, IDC_OWN_ARTICLE, EM_SETMODIFY, FALSE, 0);
}

void fillOwnArticleDialog(HWND dialog, const OwnArticleChoice& choice) {
  const HWND directions = GetDlgItem(dialog, IDC_OWN_DIRECTION);
  for (int tab = 0; tab < 2; ++tab) {
    SendMessageW(directions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWideText(tabLabel(tab)).c_str()));
  }
  SendMessageW(directions, CB_SETCURSEL, choice.tab, 0);
  const HWND headwordBox = GetDlgItem(dialog, IDC_OWN_HEADWORD);
  const HWND articleBox = GetDlgItem(dialog, IDC_OWN_ARTICLE);
  // No silent cut: text beyond the limits is refused with a message when Save is pressed.
  for (const HWND box : {headwordBox, articleBox}) SendMessageW(box, EM_LIMITTEXT, 0, 0);
  SetWindowSubclass(articleBox, articleBoxProc, 1, 0);
  SetWindowTextW(headwordBox, choice.headword.c_str());
  showOwnArticle(dialog);
  SetFocus(choice.headword.empty() ? headwordBox : articleBox);
}

void saveOwnArticle(HWND dialog) {
  const int tab = chosenTab(dialog);
  const std::u16string typedHeadword = typedText(dialog, IDC_OWN_HEADWORD);
  const std::u16string_view headword = trimmedOwnHeadword(typedHeadword);
  const std::u16string article = storedOwnArticle(typedText(dialog, IDC_OWN_ARTICLE));
  const OwnInputCheck check = checkOwnInput(headword, article);
  if (check.rule != OwnInputRule::Kept) {
    showInfoMessage(dialog, toWideText(ownInputMessage(check)));
    return;
  }
  if (!changeOwnArticle(dialog, tab, headword, article)) return;
  choiceOf(dialog) = {tab, toWideText(headword)};
  EndDialog(dialog, IDOK);
}

void deleteOwnArticle(HWND dialog) {
  const int tab = chosenTab(dialog);
  const std::u16string typedHeadword = typedText(dialog, IDC_OWN_HEADWORD);
  const std::u16string_view headword = trimmedOwnHeadword(typedHeadword);
  const std::wstring named = L"\"" + toWideText(headword.substr(0, 100)) + L"\" in " + toWideText(tabLabel(tab));
  if (ownArticleOf(tab, headword).empty()) {
    showInfoMessage(dialog, L"There is no own article for " + named + L" to delete.");
    return;
  }
  const std::wstring question = L"Delete your own article for " + named + L"?";
  if (MessageBoxW(dialog, question.c_str(), L"Delete own article", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!changeOwnArticle(dialog, tab, headword, u"")) return;
  choiceOf(dialog) = {tab, toWideText(headword)};
  EndDialog(dialog, IDC_OWN_DELETE);
}

}  // namespace

INT_PTR CALLBACK ownArticleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      fillOwnArticleDialog(dialog, *reinterpret_cast<OwnArticleChoice*>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          saveOwnArticle(dialog);
          return TRUE;
        case IDC_OWN_DELETE:
          deleteOwnArticle(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_OWN_DIRECTION:
          if (HIWORD(wParam) != CBN_SELCHANGE) return FALSE;
          showDirectionsArticle(dialog);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

void openOwnArticleDialog() {
  const int tab = selectedTab();
  OwnArticleChoice choice{tab, readWindowText(app.wordBoxes[tab])};
  const INT_PTR result = DialogBoxParamW(app.instance, MAKEINTRESOURCEW(IDD_OWN_ARTICLE), app.mainWindow,
                                         ownArticleDialogProc, reinterpret_cast<LPARAM>(&choice));
  if (result != IDOK && result != IDC_OWN_DELETE) return;
  // The user sees the result at once: the headword looked up in its direction's tab.
  SendMessageW(app.tabControl, TCM_SETCURSEL, choice.tab, 0);
  showCurrentTab();
  SetWindowTextW(app.wordBoxes[choice.tab], choice.headword.c_str());
  lookUpWord();
}
