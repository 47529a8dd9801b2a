#include "common/keyboard_win.h"

#include <windows.h>

void sendControlKey(wchar_t letter) {
  // The fixed scan codes the program has always sent; Shift is never pressed, whatever
  // VkKeyScanW says the character needs.
  constexpr WORD controlScanCode = 0x9D;
  constexpr WORD letterScanCode = 0x9E;
  const auto letterKey = static_cast<WORD>(LOBYTE(VkKeyScanW(letter)));
  INPUT keys[4]{};
  const WORD codes[4] = {VK_CONTROL, letterKey, letterKey, VK_CONTROL};
  const WORD scans[4] = {controlScanCode, letterScanCode, letterScanCode, controlScanCode};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.wScan = scans[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  // One call: the four events enter the input stream together, so no keystroke of the
  // user's can fall between Control going down and coming up.
  SendInput(4, keys, sizeof(INPUT));
}
