#include "desktop/tray_win.h"

#include <shellapi.h>

#include "resource.h"

namespace {

// The record in the form whose size field reads 952 on 32-bit Windows: it ends with the item
// GUID and has no balloon-icon handle. The same form measures 968 bytes in a 64-bit build,
// hence the system's size name rather than a number.
constexpr DWORD trayRecordSize = NOTIFYICONDATAW_V3_SIZE;
#if !defined(_WIN64)
static_assert(trayRecordSize == 952, "the 32-bit notification icon record");
#endif

}  // namespace

bool addTrayIcon(NOTIFYICONDATAW& record, HWND owner, HINSTANCE instance) {
  record = NOTIFYICONDATAW{};
  record.cbSize = trayRecordSize;
  record.hWnd = owner;
  record.uID = trayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  // The tooltip names the program; the text is cut to what the record holds.
  LoadStringW(instance, IDS_APP_TITLE, record.szTip, static_cast<int>(sizeof(record.szTip) / sizeof(record.szTip[0])));
  record.uCallbackMessage = trayCallbackMessage;
  // The notification area shows small icons, at the size for the DPI the taskbar is drawn
  // at (the system's): the image drawn for that size, not the big one shrunk.
  record.hIcon =
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  return Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
}

void removeTrayIcon(NOTIFYICONDATAW& record) {
  if (record.cbSize == 0) return;  // never added
  Shell_NotifyIconW(NIM_DELETE, &record);
}

void restoreTrayIcon(NOTIFYICONDATAW& record) {
  if (record.cbSize == 0) return;
  Shell_NotifyIconW(NIM_ADD, &record);
}

UINT taskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

bool showTrayMenu(HWND owner, HINSTANCE instance, UINT menuId) {
  const HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(menuId));
  if (!menu) return false;
  const HMENU popup = GetSubMenu(menu, 0);
  if (!popup) {
    DestroyMenu(menu);
    return false;
  }
  // A menu whose owner is not the foreground window stays open when the user clicks
  // elsewhere; the message posted afterwards lets the owner's queue see the menu close.
  SetForegroundWindow(owner);
  POINT cursor{};
  GetCursorPos(&cursor);
  const BOOL tracked =
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
  return tracked != FALSE;
}
