#include "dictionary/article_margins_win.h"

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
