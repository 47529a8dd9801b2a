#include "common/window_text_win.h"

#include <algorithm>

std::wstring readWindowText(HWND control) {
  const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(copied), length));
  return text;
}
