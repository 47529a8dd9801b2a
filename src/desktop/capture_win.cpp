#include "desktop/capture_win.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "app/app_state_win.h"
#include "common/keyboard_win.h"
#include "common/text_seam_win.h"
#include "desktop/captured_text.h"
#include "dictionary/word_search_win.h"

namespace {

// The clipboard held open for as long as this lives.
struct OpenedClipboard {
  explicit OpenedClipboard(HWND owner) : opened(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (opened) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  const bool opened;
};

// A global memory block locked for as long as this lives.
struct LockedBlock {
  explicit LockedBlock(HANDLE block) : block(block), data(GlobalLock(block)) {}
  ~LockedBlock() {
    if (data) GlobalUnlock(block);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const HANDLE block;
  void* const data;
};

void replaceCapturedText(const std::wstring& text) {
  releaseCapturedText();
  if (text.empty()) return;
  app.capturedText = new (std::nothrow) wchar_t[text.size() + 1];
  if (!app.capturedText) return;
  std::memcpy(app.capturedText, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// The clipboard's Unicode text as the capture keeps it; empty when the clipboard holds no
// text or its block cannot be read.
std::wstring readClipboardText() {
  const HANDLE block = GetClipboardData(CF_UNICODETEXT);
  if (!block) return {};
  const LockedBlock locked(block);
  if (!locked.data) return {};
  return capturedTextFromBlock(locked.data, GlobalSize(block));
}

// Out of memory while copying counts as a clipboard without text: nothing may escape
// into the system code that called the window procedure.
std::wstring readClipboardTextOrNothing() {
  try {
    return readClipboardText();
  } catch (...) {
    return {};
  }
}

}  // namespace

std::wstring capturedTextFromBlock(const void* data, std::size_t byteCount) {
  const std::size_t units = std::min<std::size_t>(byteCount / sizeof(wchar_t), maxClipboardUnitsRead);
  const std::wstring raw(static_cast<const wchar_t*>(data), units);
  return toWideText(capturedTextFromClipboard(toCoreText(raw)));
}

void registerCaptureHotKey() { RegisterHotKey(app.mainWindow, captureHotKeyId, MOD_CONTROL, VK_INSERT); }

void joinClipboardChain() { app.nextClipboardViewer = SetClipboardViewer(app.mainWindow); }

void leaveClipboardChain() {
  ChangeClipboardChain(app.mainWindow, app.nextClipboardViewer);
  app.nextClipboardViewer = nullptr;
}

void unregisterCaptureHotKey() { UnregisterHotKey(app.mainWindow, captureHotKeyId); }

void releaseCapturedText() {
  delete[] app.capturedText;
  app.capturedText = nullptr;
}

void onCaptureHotKey(WPARAM hotKeyId) {
  if (hotKeyId != captureHotKeyId) return;
  app.capturePending = true;
  sendControlKey(L'C');
}

void onClipboardChanged(WPARAM wParam, LPARAM lParam) {
  if (app.nextClipboardViewer && IsWindow(app.nextClipboardViewer)) {
    PostMessageW(app.nextClipboardViewer, WM_DRAWCLIPBOARD, wParam, lParam);
  }
  if (!app.capturePending) return;
  {
    // Held open by another program: the previous capture stands and is looked up again.
    const OpenedClipboard clipboard(app.mainWindow);
    if (clipboard.opened) replaceCapturedText(readClipboardTextOrNothing());
  }
  ShowWindow(app.mainWindow, SW_SHOWNORMAL);
  SetForegroundWindow(app.mainWindow);
  lookUpCapturedText();
  app.capturePending = false;
}

void onClipboardChainChanged(HWND removed, HWND following) {
  if (removed == app.nextClipboardViewer) {
    app.nextClipboardViewer = following;
  } else if (app.nextClipboardViewer) {
    SendMessageW(app.nextClipboardViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(following));
  }
}
