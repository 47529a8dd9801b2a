// What makes an article comfortable to read: a margin inside the view.
#pragma once
#include <windows.h>

// Gives the view inner margins of 6 pixels at 96 DPI (3 above), scaled to the DPI, for its
// present size: called again after every change of size.
void setArticleViewMargins(HWND view, UINT dpi);
