#include "common/dpi_win.h"

namespace {

// The per-monitor functions by name, from user32, where this Windows has them.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  // GetProcAddress returns a generic function pointer; the caller names the real signature.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
using GetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFunction = int(WINAPI*)(HANDLE);

// The values of DPI_AWARENESS: 2 is "per monitor" (both versions).
constexpr int perMonitorAwareness = 2;

UINT screenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : baseDpi;
}

}  // namespace

int scaledForDpi(int size, UINT dpi) { return MulDiv(size, static_cast<int>(dpi), static_cast<int>(baseDpi)); }

UINT dpiOfWindow(HWND window) {
  static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return systemDpi();
}

UINT systemDpi() {
  static const UINT dpi = screenDpi();
  return dpi;
}

int systemMetricForDpi(int index, UINT dpi) {
  static const auto getSystemMetricsForDpi = user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi) return getSystemMetricsForDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

bool isPerMonitorDpiAware() {
  static const auto threadContext =
      user32Function<GetThreadDpiAwarenessContextFunction>("GetThreadDpiAwarenessContext");
  static const auto awarenessOf =
      user32Function<GetAwarenessFromDpiAwarenessContextFunction>("GetAwarenessFromDpiAwarenessContext");
  return threadContext && awarenessOf && awarenessOf(threadContext()) == perMonitorAwareness;
}

void enableNonClientScaling(HWND window) {
  // Under the second version Windows scales the frame by itself and the call is refused;
  // under the first it is what makes the caption and menu follow the monitor.
  static const auto enable = user32Function<EnableNonClientDpiScalingFunction>("EnableNonClientDpiScaling");
  if (enable && isPerMonitorDpiAware()) enable(window);
}
