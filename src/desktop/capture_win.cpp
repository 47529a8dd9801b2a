#include "desktop/capture_win.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "common/handles_win.h"
#include "common/keyboard_win.h"
#include "common/text_seam_win.h"
#include "desktop/captured_text.h"

namespace {

void replaceCapturedText(CaptureState& capture, const std::wstring& text) {
  releaseCapturedText(capture);
  if (text.empty()) return;
  capture.text = new (std::nothrow) wchar_t[text.size() + 1];
  if (!capture.text) return;
  std::memcpy(capture.text, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// The clipboard's Unicode text as the capture keeps it; empty when the clipboard holds no
// text or its block cannot be read.
std::wstring readClipboardText() {
  const HANDLE block = GetClipboardData(CF_UNICODETEXT);
  if (!block) return {};
  const LockedBlock locked(block);
  if (!locked.data()) return {};
  return capturedTextFromBlock(locked.data(), GlobalSize(block));
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

void registerCaptureHotKey(CaptureState& capture, HWND window) {
  capture.window = window;
  RegisterHotKey(window, captureHotKeyId, MOD_CONTROL, VK_INSERT);
}

void joinClipboardChain(CaptureState& capture) { capture.nextViewer = SetClipboardViewer(capture.window); }

void leaveClipboardChain(CaptureState& capture) {
  ChangeClipboardChain(capture.window, capture.nextViewer);
  capture.nextViewer = nullptr;
}

void unregisterCaptureHotKey(const CaptureState& capture) { UnregisterHotKey(capture.window, captureHotKeyId); }

void releaseCapturedText(CaptureState& capture) {
  delete[] capture.text;
  capture.text = nullptr;
}

void onCaptureHotKey(CaptureState& capture, WPARAM hotKeyId) {
  if (hotKeyId != captureHotKeyId) return;
  capture.pending = true;
  sendControlKey(L'C');
}

bool onClipboardChanged(CaptureState& capture, WPARAM wParam, LPARAM lParam) {
  if (capture.nextViewer && IsWindow(capture.nextViewer)) {
    PostMessageW(capture.nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
  }
  if (!capture.pending) return false;
  {
    // Held open by another program: the previous capture stands and is looked up again.
    const OpenedClipboard clipboard(capture.window);
    if (clipboard.isOpen()) replaceCapturedText(capture, readClipboardTextOrNothing());
  }
  ShowWindow(capture.window, SW_SHOWNORMAL);
  SetForegroundWindow(capture.window);
  return true;
}

void onClipboardChainChanged(CaptureState& capture, HWND removed, HWND following) {
  if (removed == capture.nextViewer) {
    capture.nextViewer = following;
  } else if (capture.nextViewer) {
    SendMessageW(capture.nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                 reinterpret_cast<LPARAM>(following));
  }
}
