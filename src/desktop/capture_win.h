// Looking up text selected in any program: the hot-key Control+Insert makes the foreground
// program copy its selection, and the main window, as a member of the clipboard viewer
// chain, takes the copied text when the clipboard changes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

constexpr int captureHotKeyId = 1;

// Start-up: Control+Insert for the main window (ignored when another program holds it).
void registerCaptureHotKey();
// Start-up: joins the clipboard viewer chain and keeps the viewer that follows.
void joinClipboardChain();
// Shutdown: leaves the chain, handing the following viewer to the one before.
void leaveClipboardChain();
// Shutdown: gives the hot-key up.
void unregisterCaptureHotKey();
// Frees the text of the last capture.
void releaseCapturedText();

// The word box text for a clipboard block of the given size: read no further than the block
// holds, since a text without its terminating NUL must not be overrun, and cleaned up as
// capturedTextFromClipboard says.
std::wstring capturedTextFromBlock(const void* data, std::size_t byteCount);

// WM_HOTKEY: sets a capture pending and has the focused program copy its selection.
void onCaptureHotKey(WPARAM hotKeyId);
// WM_DRAWCLIPBOARD: passes the notice on and, when a capture is pending, takes the text,
// brings the main window forward and looks the text up in the current tab.
void onClipboardChanged(WPARAM wParam, LPARAM lParam);
// WM_CHANGECBCHAIN: a viewer leaves the chain; keep the chain joined up.
void onClipboardChainChanged(HWND removed, HWND following);
