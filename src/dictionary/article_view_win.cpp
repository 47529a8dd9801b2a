#include "dictionary/article_view_win.h"

#include <richedit.h>

#include "common/dpi_win.h"

void setArticleViewMargins(HWND view, UINT dpi) {
  if (!view) return;
  const int margin = scaledForDpi(6, dpi);
  RECT client{};
  GetClientRect(view, &client);
  // The text's rectangle inside the view; set only when it changes, since setting it lays
  // the text out again.
  const RECT wanted{client.left + margin, client.top + margin / 2, client.right - margin, client.bottom};
  RECT current{};
  SendMessageW(view, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&current));
  if (wanted.right > wanted.left && !EqualRect(&wanted, &current)) {
    SendMessageW(view, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&wanted));
  }
}

void showArticleScrollBarIfLonger(HWND view) {
  if (!view) return;
  RECT client{};
  GetClientRect(view, &client);
  // Where the text ends: below the view's bottom means there is more than it shows.
  POINTL end{};
  const auto length = GetWindowTextLengthW(view);
  SendMessageW(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&end), length);
  const bool longer = length > 0 && end.y >= client.bottom;
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof(bar);
  const bool shown = GetScrollBarInfo(view, OBJID_VSCROLL, &bar) && !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  if (shown != longer) ShowScrollBar(view, SB_VERT, longer);
}
