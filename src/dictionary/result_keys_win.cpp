#include "dictionary/result_keys_win.h"

#include <commctrl.h>

namespace {

enum class ResultControl { wordBox, wordList, articleView, pronounce };

// The edit field inside the word box's combo box: it, not the box, gets the keys.
HWND editOf(HWND wordBox) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (wordBox && GetComboBoxInfo(wordBox, &info) && info.hwndItem) return info.hwndItem;
  return GetWindow(wordBox, GW_CHILD);
}

int listCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool shiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }
bool altDown() { return (GetKeyState(VK_MENU) & 0x8000) != 0; }

// Into the list on its first item, showing that item's article.
bool enterList(const ResultKeyPaths& paths) {
  const HWND list = paths.controls->wordList;
  if (listCount(list) <= 0) return false;
  markListedHeadword(list, 0);
  SetFocus(list);
  if (paths.showListed) paths.showListed(0);
  return true;
}

// Tab order: word box, list (when it lists anything), article, Pronounce, and round again.
void moveFocus(const ResultKeyPaths& paths, ResultControl from, bool backwards) {
  const DirectionControls& controls = *paths.controls;
  constexpr ResultControl order[] = {ResultControl::wordBox, ResultControl::wordList, ResultControl::articleView,
                                     ResultControl::pronounce};
  int at = 0;
  while (order[at] != from) ++at;
  for (int step = 1; step < 4; ++step) {
    const ResultControl next = order[(at + (backwards ? 4 - step : step)) % 4];
    switch (next) {
      case ResultControl::wordBox:
        focusWordBox(controls);
        return;
      case ResultControl::wordList:
        if (listCount(controls.wordList) <= 0) continue;
        // Arriving from the word box lands on the first item; from elsewhere the list keeps
        // the item the user was on.
        if (from == ResultControl::wordBox || SendMessageW(controls.wordList, LVM_GETSELECTIONMARK, 0, 0) < 0) {
          enterList(paths);
        } else {
          SetFocus(controls.wordList);
        }
        return;
      case ResultControl::articleView:
        if (!controls.articleView) continue;
        SetFocus(controls.articleView);
        return;
      case ResultControl::pronounce:
        if (!controls.pronounceButton) continue;
        SetFocus(controls.pronounceButton);
        return;
    }
  }
}

// True when the key was taken; the matching character message is then dropped too, so the
// control neither beeps nor types it.
bool onKey(const ResultKeyPaths& paths, ResultControl control, WPARAM key) {
  if (altDown()) return false;
  if (key == VK_TAB) {
    if (control == ResultControl::articleView && paths.viewHasLinks && paths.viewHasLinks()) return false;
    moveFocus(paths, control, shiftDown());
    return true;
  }
  switch (control) {
    case ResultControl::wordBox:
      if (key == VK_DOWN) return enterList(paths);
      if (key == VK_RETURN && paths.enterInWordBox) {
        paths.enterInWordBox();
        return true;
      }
      return false;
    case ResultControl::wordList:
      if (key == VK_RETURN && paths.chooseListed) {
        paths.chooseListed();
        return true;
      }
      break;
    case ResultControl::articleView:
    case ResultControl::pronounce:
      break;
  }
  if (key == VK_ESCAPE) {
    focusWordBox(*paths.controls);
    return true;
  }
  return false;
}

}  // namespace

bool takeResultKey(const ResultKeyPaths& paths, const MSG& message) {
  if (message.message != WM_KEYDOWN || !paths.controls || !message.hwnd) return false;
  const DirectionControls& controls = *paths.controls;
  ResultControl control;
  if (message.hwnd == controls.wordBox || message.hwnd == editOf(controls.wordBox)) {
    // Down, Enter and Escape move through, choose from and close the open history.
    if (SendMessageW(controls.wordBox, CB_GETDROPPEDSTATE, 0, 0)) return false;
    control = ResultControl::wordBox;
  } else if (message.hwnd == controls.wordList) {
    control = ResultControl::wordList;
  } else if (message.hwnd == controls.articleView) {
    control = ResultControl::articleView;
  } else if (message.hwnd == controls.pronounceButton) {
    control = ResultControl::pronounce;
  } else {
    return false;
  }
  return onKey(paths, control, message.wParam);
}

void markListedHeadword(HWND list, int item) {
  if (item < 0 || item >= listCount(list)) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, item);
  SendMessageW(list, LVM_ENSUREVISIBLE, item, FALSE);
}

void focusWordBox(const DirectionControls& controls) {
  if (!controls.wordBox) return;
  SetFocus(editOf(controls.wordBox));
  SendMessageW(controls.wordBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}
