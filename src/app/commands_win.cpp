#include "app/commands_win.h"

#include "app/app_state_win.h"
#include "resource.h"

namespace {

// ---- commands ----

void exitProgram() { DestroyWindow(app.mainWindow); }

struct CommandRoute {
  WORD id;
  void (*run)();
};

constexpr CommandRoute mainCommands[] = {
    {IDM_EXIT, exitProgram},
    {IDM_TRAY_EXIT, exitProgram},
};

constexpr bool commandIdsAreUnique() {
  for (const auto& a : mainCommands) {
    int seen = 0;
    for (const auto& b : mainCommands) seen += a.id == b.id;
    if (seen != 1) return false;
  }
  return true;
}
static_assert(commandIdsAreUnique(), "a command id is routed twice");

// ---- messages ----

LRESULT onCreate(HWND, WPARAM, LPARAM) { return 0; }

LRESULT onDestroy(HWND, WPARAM, LPARAM) {
  shutDownApplication();
  return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const WORD id = LOWORD(wParam);
  for (const auto& route : mainCommands) {
    if (route.id == id) {
      route.run();
      return 0;
    }
  }
  return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

struct MessageRoute {
  UINT message;
  LRESULT (*handle)(HWND, WPARAM, LPARAM);
};

constexpr MessageRoute mainMessages[] = {
    {WM_CREATE, onCreate},
    {WM_DESTROY, onDestroy},
    {WM_COMMAND, onCommand},
};

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const auto& route : mainMessages) {
    if (route.message == message) return route.handle(window, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
