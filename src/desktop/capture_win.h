// Looking up text selected in any program: the hot-key Control+Insert makes the foreground
// program copy its selection, and the main window, as a member of the clipboard viewer
// chain, takes the copied text when the clipboard changes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

constexpr int captureHotKeyId = 1;

// What the capture keeps between the hot-key and the clipboard's change.
struct CaptureState {
  HWND window = nullptr;      // the window that holds the hot-key and views the clipboard
  HWND nextViewer = nullptr;  // the clipboard viewer after it in the chain
  bool pending = false;       // the hot-key was pressed and the copied text not yet taken
  wchar_t* text = nullptr;    // the program's own copy of the last captured text, or null
};

// Start-up: Control+Insert for the window (ignored when another program holds it).
void registerCaptureHotKey(CaptureState& capture, HWND window);
// Start-up: joins the clipboard viewer chain and keeps the viewer that follows.
void joinClipboardChain(CaptureState& capture);
// Shutdown: leaves the chain, handing the following viewer to the one before.
void leaveClipboardChain(CaptureState& capture);
// Shutdown: gives the hot-key up.
void unregisterCaptureHotKey(const CaptureState& capture);
// Frees the text of the last capture.
void releaseCapturedText(CaptureState& capture);

// The word box text for a clipboard block of the given size: read no further than the block
// holds, since a text without its terminating NUL must not be overrun, and cleaned up as
// capturedTextFromClipboard says.
std::wstring capturedTextFromBlock(const void* data, std::size_t byteCount);

// WM_HOTKEY: sets a capture pending and has the focused program copy its selection.
void onCaptureHotKey(CaptureState& capture, WPARAM hotKeyId);
// WM_DRAWCLIPBOARD: passes the notice on and, when a capture is pending, takes the text and
// brings the window forward. True when a capture was pending: the caller then looks the
// captured text up and the capture is over.
bool onClipboardChanged(CaptureState& capture, WPARAM wParam, LPARAM lParam);
// WM_CHANGECBCHAIN: a viewer leaves the chain; keep the chain joined up.
void onClipboardChainChanged(CaptureState& capture, HWND removed, HWND following);
