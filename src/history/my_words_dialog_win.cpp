#include "history/my_words_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/text_seam_win.h"
#include "resource.h"

namespace {

std::wstring (*exportPathChooser)(HWND owner) = nullptr;

// The dialog's state beside what it lends: the shown order of the entries.
struct OpenDialog {
  MyWordsDialog& dialog;
  std::vector<std::size_t> order;
  MyWordsColumn column = MyWordsColumn::Added;
  bool ascending = true;
  std::wstring cellText;  // the text a cell request last got; the list copies it at once
};

OpenDialog& openDialogOf(HWND window) { return *reinterpret_cast<OpenDialog*>(GetWindowLongPtrW(window, DWLP_USER)); }

HWND listOf(HWND window) { return GetDlgItem(window, IDC_MY_WORDS_LIST); }

struct Column {
  const wchar_t* title;
  int width;
  MyWordsColumn sorts;
};
constexpr Column columns[] = {
    {L"Word", 90, MyWordsColumn::Word},          {L"Reading", 80, MyWordsColumn::Reading},
    {L"First sense", 170, MyWordsColumn::Sense}, {L"Added", 70, MyWordsColumn::Added},
    {L"Looked up", 60, MyWordsColumn::Lookups},
};

void showEntries(HWND window) {
  OpenDialog& open = openDialogOf(window);
  open.order = sortedMyWords(open.dialog.state.words, open.column, open.ascending);
  // The list asks for each shown cell's text, so even ten thousand words show at once.
  SendMessageW(listOf(window), LVM_SETITEMCOUNT, open.order.size(), 0);
  InvalidateRect(listOf(window), nullptr, TRUE);
}

void setUpList(HWND window) {
  const HWND list = listOf(window);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (std::size_t i = 0; i < std::size(columns); ++i) {
    std::wstring title = columns[i].title;
    RECT cell{0, 0, columns[i].width, 1};
    MapDialogRect(window, &cell);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = columns[i].sorts == MyWordsColumn::Lookups ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = cell.right;
    column.pszText = title.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void giveCellText(HWND window, NMLVDISPINFOW& request) {
  OpenDialog& open = openDialogOf(window);
  if (!(request.item.mask & LVIF_TEXT) || !request.item.pszText || request.item.cchTextMax <= 0) return;
  request.item.pszText[0] = L'\0';
  if (request.item.iItem < 0 || static_cast<std::size_t>(request.item.iItem) >= open.order.size()) return;
  // The words can change under a list that has not been shown again yet (a message box
  // about a failed save repaints the list from its own message loop).
  const std::size_t index = open.order[static_cast<std::size_t>(request.item.iItem)];
  if (index >= open.dialog.state.words.myWords.size()) return;
  const MyWord& entry = open.dialog.state.words.myWords[index];
  switch (request.item.iSubItem) {
    case 0:
      open.cellText = toWideText(entry.word);
      break;
    case 1:
      open.cellText = toWideText(entry.reading);
      break;
    case 2:
      open.cellText = toWideText(entry.sense);
      break;
    case 3:
      open.cellText = toWideText(entry.added);
      break;
    case 4:
      open.cellText = std::to_wstring(lookupCount(open.dialog.state.words, entry.direction, entry.word));
      break;
    default:
      open.cellText.clear();
  }
  // The list's buffer is a limit: the text is cut to it, never written past it.
  const std::size_t room = static_cast<std::size_t>(request.item.cchTextMax) - 1;
  const std::size_t length = std::min(room, open.cellText.size());
  std::copy_n(open.cellText.data(), length, request.item.pszText);
  request.item.pszText[length] = L'\0';
}

void sortBy(HWND window, int columnIndex) {
  if (columnIndex < 0 || static_cast<std::size_t>(columnIndex) >= std::size(columns)) return;
  OpenDialog& open = openDialogOf(window);
  const MyWordsColumn clicked = columns[columnIndex].sorts;
  open.ascending = clicked == open.column ? !open.ascending : true;
  open.column = clicked;
  // The selection would name other words once they move.
  LVITEMW cleared{};
  cleared.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(listOf(window), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&cleared));
  showEntries(window);
}

// Removes the selected words; when the file cannot be saved, the list stays as it was.
void removeSelected(HWND window) {
  OpenDialog& open = openDialogOf(window);
  std::vector<bool> removed(open.dialog.state.words.myWords.size(), false);
  bool any = false;
  for (int item = -1;
       (item = static_cast<int>(SendMessageW(listOf(window), LVM_GETNEXTITEM, item, LVNI_SELECTED))) >= 0;) {
    if (static_cast<std::size_t>(item) >= open.order.size()) break;
    removed[open.order[static_cast<std::size_t>(item)]] = true;
    any = true;
  }
  if (!any) return;
  // The words are removed by name from the file as it is now, which another running copy
  // may have changed since the list was shown.
  std::set<std::pair<Direction, std::u16string>> names;
  for (std::size_t i = 0; i < removed.size(); ++i) {
    if (removed[i])
      names.emplace(open.dialog.state.words.myWords[i].direction, open.dialog.state.words.myWords[i].word);
  }
  rereadMyWords(open.dialog.state);
  std::vector<MyWord> kept;
  for (const MyWord& entry : open.dialog.state.words.myWords) {
    if (names.count(std::make_pair(entry.direction, entry.word)) == 0) {
      kept.push_back(entry);
    }
  }
  std::swap(kept, open.dialog.state.words.myWords);
  showEntries(window);
  if (!saveMyWords(open.dialog.state, window)) std::swap(kept, open.dialog.state.words.myWords);
  LVITEMW cleared{};
  cleared.stateMask = LVIS_SELECTED;
  SendMessageW(listOf(window), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&cleared));
  showEntries(window);
}

std::wstring askExportPath(HWND owner) {
  wchar_t path[MAX_PATH] = L"My Words.txt";
  OPENFILENAMEW choice{};
  choice.lStructSize = sizeof(choice);
  choice.hwndOwner = owner;
  choice.lpstrFilter = L"Flashcard text (*.txt)\0*.txt\0All files\0*.*\0";
  choice.lpstrFile = path;
  choice.nMaxFile = MAX_PATH;
  choice.lpstrTitle = L"Export My Words";
  choice.lpstrDefExt = L"txt";
  choice.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetSaveFileNameW(&choice)) return {};
  path[MAX_PATH - 1] = L'\0';
  return path;
}

// The cards in the order the list shows them.
void exportShown(HWND window) {
  OpenDialog& open = openDialogOf(window);
  const std::wstring path = exportPathChooser ? exportPathChooser(window) : askExportPath(window);
  if (path.empty()) return;
  std::vector<MyWord> cards;
  cards.reserve(open.order.size());
  for (const std::size_t index : open.order) cards.push_back(open.dialog.state.words.myWords[index]);
  exportFlashcards(window, path, cards);
}

void chooseItem(HWND window, int item) {
  OpenDialog& open = openDialogOf(window);
  if (item < 0 || static_cast<std::size_t>(item) >= open.order.size()) return;
  open.dialog.chosen = open.dialog.state.words.myWords[open.order[static_cast<std::size_t>(item)]];
  EndDialog(window, IDOK);
}

INT_PTR onNotify(HWND window, const NMHDR& header) {
  if (header.idFrom != IDC_MY_WORDS_LIST) return FALSE;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      giveCellText(window, *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return TRUE;
    case LVN_COLUMNCLICK:
      sortBy(window, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return TRUE;
    case NM_DBLCLK:
      chooseItem(window, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK myWordsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      setUpList(window);
      showEntries(window);
      return TRUE;
    case WM_NOTIFY:
      return onNotify(window, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MY_WORDS_REMOVE:
          removeSelected(window);
          return TRUE;
        case IDC_MY_WORDS_EXPORT:
          exportShown(window);
          return TRUE;
        case IDCANCEL:
          EndDialog(window, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool runMyWordsDialog(HINSTANCE instance, HWND owner, MyWordsDialog& dialog) {
  OpenDialog open{dialog, {}, MyWordsColumn::Added, true, {}};
  dialog.chosen.reset();
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MY_WORDS), owner, myWordsDialogProc,
                                         reinterpret_cast<LPARAM>(&open));
  return result == IDOK && dialog.chosen.has_value();
}

void setExportPathChooserForTesting(std::wstring (*chooser)(HWND owner)) { exportPathChooser = chooser; }
