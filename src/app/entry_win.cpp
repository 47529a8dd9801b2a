#include "app/app_state_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return runDictionary(instance, showCommand);
}
