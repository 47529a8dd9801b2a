#include "common/window_text_win.h"

#include <commctrl.h>

#include <algorithm>

std::wstring readWindowText(HWND control) {
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(copied), length));
  return text;
}

std::wstring readListItemText(HWND list, int item) {
  // A list view tells no item's length: the buffer doubles until the copy leaves room to
  // spare, which only a text that fits whole does.
  std::wstring text(256, L'\0');
  for (;;) {
    LVITEMW request{};
    request.iSubItem = 0;
    request.pszText = text.data();
    request.cchTextMax = static_cast<int>(text.size());
    const auto copied =
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    if (copied < 0) return {};
    if (static_cast<std::size_t>(copied) + 1 < text.size() || text.size() >= 65536) {
      text.resize(std::min<std::size_t>(static_cast<std::size_t>(copied), text.size() - 1));
      return text;
    }
    text.assign(text.size() * 2, L'\0');
  }
}
