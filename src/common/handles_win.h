// Small owners of Windows handles and held states: each releases what it holds when it goes
// out of scope, so no early return can leak a handle or leave a control without drawing.
#pragma once
#include <windows.h>
#include <unknwn.h>
#include <wininet.h>

#include <cstddef>
#include <utility>

// One handle, closed by Close when the owner ends; Invalid is the value that holds nothing.
template <typename Handle, auto Close, auto Invalid>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle opened) : handle(opened) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle(std::exchange(other.handle, invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle, invalid()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle; }
  bool isOpen() const { return handle != invalid(); }
  explicit operator bool() const { return isOpen(); }
  // Where an opening call writes the new handle; whatever was held is closed first.
  Handle* out() {
    reset();
    return &handle;
  }
  void reset(Handle opened = invalid()) {
    if (handle != invalid()) Close(handle);
    handle = opened;
  }
  Handle release() { return std::exchange(handle, invalid()); }

 private:
  static Handle invalid() { return reinterpret_cast<Handle>(Invalid); }
  Handle handle = invalid();
};

namespace handle_closers {
inline void closeHandle(HANDLE handle) { CloseHandle(handle); }
inline void closeKey(HKEY key) { RegCloseKey(key); }
inline void closeInternet(HINTERNET handle) { InternetCloseHandle(handle); }
inline void freeGlobal(HGLOBAL block) { GlobalFree(block); }
}  // namespace handle_closers

// An open file, or INVALID_HANDLE_VALUE.
using FileHandle = UniqueHandle<HANDLE, handle_closers::closeHandle, static_cast<INT_PTR>(-1)>;
// A thread, an event or another kernel object that is null when there is none.
using KernelHandle = UniqueHandle<HANDLE, handle_closers::closeHandle, INT_PTR{0}>;
using RegistryKey = UniqueHandle<HKEY, handle_closers::closeKey, INT_PTR{0}>;
using InternetHandle = UniqueHandle<HINTERNET, handle_closers::closeInternet, INT_PTR{0}>;

// A fixed global memory block (GlobalAlloc with GMEM_FIXED), as bytes.
class GlobalBlock {
 public:
  GlobalBlock() = default;
  // A zero-filled block of the given size; holds nothing when the allocation fails.
  explicit GlobalBlock(std::size_t size) : block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, size)) {}
  unsigned char* bytes() const { return static_cast<unsigned char*>(block.get()); }
  explicit operator bool() const { return block.isOpen(); }
  void reset() { block.reset(); }

 private:
  UniqueHandle<HGLOBAL, handle_closers::freeGlobal, INT_PTR{0}> block;
};

// One COM reference, released when the owner ends.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ComRef(ComRef&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      reset();
      pointer = std::exchange(other.pointer, nullptr);
    }
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() { reset(); }

  void reset() {
    if (pointer) pointer->Release();
    pointer = nullptr;
  }
  // Where a creating call writes the new reference; whatever was held is released first.
  Interface** out() {
    reset();
    return &pointer;
  }
  // The same, as the void** that CoCreateInstance and QueryInterface take.
  void** outAsVoid() { return reinterpret_cast<void**>(out()); }
  Interface* get() const { return pointer; }
  Interface* operator->() const { return pointer; }
  explicit operator bool() const { return pointer != nullptr; }

 private:
  Interface* pointer = nullptr;
};

// Holds a control's drawing while it is refilled, then repaints it once: a list or rich edit
// control that redraws at every change makes each keystroke many times slower. A hidden
// control draws nothing and is left alone: turning drawing back on would show it.
class RedrawSuspended {
 public:
  explicit RedrawSuspended(HWND control) : control(IsWindowVisible(control) ? control : nullptr) {
    if (this->control) SendMessageW(this->control, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawSuspended() {
    if (!control) return;
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    // The frame too: a scroll bar the new contents brought or took away is drawn there, and
    // would otherwise stay as it was until the user scrolls.
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  RedrawSuspended(const RedrawSuspended&) = delete;
  RedrawSuspended& operator=(const RedrawSuspended&) = delete;

 private:
  HWND control;
};

// The clipboard held open for as long as this lives.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : opened(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (opened) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool isOpen() const { return opened; }

 private:
  const bool opened;
};

// A global memory block locked for as long as this lives.
class LockedBlock {
 public:
  explicit LockedBlock(HANDLE block) : block(block), locked(GlobalLock(block)) {}
  ~LockedBlock() {
    if (locked) GlobalUnlock(block);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const void* data() const { return locked; }

 private:
  const HANDLE block;
  void* const locked;
};
