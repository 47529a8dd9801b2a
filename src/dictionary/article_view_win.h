// What makes an article comfortable to read: a margin inside the view, and a scroll bar
// that is there whenever the article is longer than the view.
#pragma once
#include <windows.h>

// Gives the view inner margins of 6 pixels at 96 DPI (3 above), scaled to the DPI, for its
// present size: called again after every change of size.
void setArticleViewMargins(HWND view, UINT dpi);

// After new text: shows the vertical scroll bar when the text runs past the view's bottom
// and hides it otherwise. A rich edit control given its text while it does not redraw may
// leave the bar as it was until the user scrolls, hiding that there is more to read.
void showArticleScrollBarIfLonger(HWND view);
