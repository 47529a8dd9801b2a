#include "dictionary/own_article_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"
#include "dictionary/own_articles.h"
#include "dictionary/own_articles_win.h"
#include "resource.h"

namespace {

// What the dialog works on: the choice it starts with and returns, and both directions'
// own articles.
struct OwnArticleDialog {
  OwnArticleChoice& choice;
  DirectionStates& states;
};

OwnArticleDialog& dialogOf(HWND dialog) {
  return *reinterpret_cast<OwnArticleDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

DirectionState& chosenDirection(HWND dialog) {
  const auto selection = SendDlgItemMessageW(dialog, IDC_OWN_DIRECTION, CB_GETCURSEL, 0, 0);
  return dialogOf(dialog).states[directionIndex(directionOfSelection(selection))];
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
  std::u16string_view article = ownArticleOf(chosenDirection(dialog), trimmedOwnHeadword(headword));
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
  for (const Direction direction : bothDirections) {
    SendMessageW(directions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWideText(directionLabel(direction)).c_str()));
  }
  SendMessageW(directions, CB_SETCURSEL, directionIndex(choice.direction), 0);
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
  DirectionState& state = chosenDirection(dialog);
  const std::u16string typedHeadword = typedText(dialog, IDC_OWN_HEADWORD);
  const std::u16string_view headword = trimmedOwnHeadword(typedHeadword);
  const std::u16string article = storedOwnArticle(typedText(dialog, IDC_OWN_ARTICLE));
  const OwnInputCheck check = checkOwnInput(headword, article);
  if (check.rule != OwnInputRule::Kept) {
    showInfoMessage(dialog, toWideText(ownInputMessage(check)));
    return;
  }
  if (!changeOwnArticle(dialog, state, headword, article)) return;
  dialogOf(dialog).choice = {state.direction, toWideText(headword)};
  EndDialog(dialog, IDOK);
}

void deleteOwnArticle(HWND dialog) {
  DirectionState& state = chosenDirection(dialog);
  const std::u16string typedHeadword = typedText(dialog, IDC_OWN_HEADWORD);
  const std::u16string_view headword = trimmedOwnHeadword(typedHeadword);
  const std::wstring named =
      L"\"" + toWideText(headword.substr(0, 100)) + L"\" in " + toWideText(directionLabel(state.direction));
  if (ownArticleOf(state, headword).empty()) {
    showInfoMessage(dialog, L"There is no own article for " + named + L" to delete.");
    return;
  }
  const std::wstring question = L"Delete your own article for " + named + L"?";
  if (MessageBoxW(dialog, question.c_str(), L"Delete own article", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!changeOwnArticle(dialog, state, headword, u"")) return;
  dialogOf(dialog).choice = {state.direction, toWideText(headword)};
  EndDialog(dialog, IDC_OWN_DELETE);
}

}  // namespace

INT_PTR CALLBACK ownArticleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      fillOwnArticleDialog(dialog, reinterpret_cast<OwnArticleDialog*>(lParam)->choice);
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

bool runOwnArticleDialog(HINSTANCE instance, HWND owner, DirectionStates& states, OwnArticleChoice& choice) {
  OwnArticleDialog context{choice, states};
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_OWN_ARTICLE), owner, ownArticleDialogProc,
                                         reinterpret_cast<LPARAM>(&context));
  return result == IDOK || result == IDC_OWN_DELETE;
}
