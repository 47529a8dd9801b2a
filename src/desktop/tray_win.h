// The icon in the notification area and its menu.
#pragma once
#include <windows.h>
#include <shellapi.h>

// The message the icon sends to its owner window, and the icon's id there.
constexpr UINT trayCallbackMessage = WM_USER + 2321;
static_assert(trayCallbackMessage == 3345, "the icon's callback message");
constexpr UINT trayIconId = 123;

// Fills the icon's record for the owner window (icon 2210 of the given module, callback
// message, no tooltip) and adds the icon. Returns whether the shell took it.
bool addTrayIcon(NOTIFYICONDATAW& record, HWND owner, HINSTANCE instance);
// Removes the icon with the record it was added with.
void removeTrayIcon(NOTIFYICONDATAW& record);
// After the shell has restarted (its "TaskbarCreated" broadcast), adds the icon again from the
// kept record: the new notification area knows nothing of the old icons.
void restoreTrayIcon(NOTIFYICONDATAW& record);
// The message the shell broadcasts when its taskbar has been created anew.
UINT taskbarCreatedMessage();

// Loads the menu resource, tracks its first popup at the cursor for the owner window and
// destroys it again. False when the menu or its popup cannot be loaded, or tracking failed.
bool showTrayMenu(HWND owner, HINSTANCE instance, UINT menuId);
