// A stand-in for a DLL planted beside the program under a system DLL's name: when loaded,
// it leaves a marker file next to itself, so a test can see whether the program took it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH * 2 - 32);
    if (length == 0 || length >= MAX_PATH * 2 - 32) return TRUE;
    wchar_t* slash = path;
    for (wchar_t* p = path; *p; ++p) {
      if (*p == L'\\') slash = p;
    }
    lstrcpyW(slash, L"\\planted-dll-was-loaded.txt");
    const HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  }
  return TRUE;
}
