// Stands in for the browser in the test prefix: registered as the handler of http URLs, it
// stores the command line the shell started it with, so a test can see exactly what the
// program handed over. The record goes into the folder named by SHELL_OPEN_RECORDS, one file
// per start, written under another name and then renamed so it appears whole.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t folder[1024] = L"";
  const DWORD length = GetEnvironmentVariableW(L"SHELL_OPEN_RECORDS", folder, 1024);
  if (length == 0 || length >= 1024) return 1;
  const std::wstring base = std::wstring(folder) + L"\\" + std::to_wstring(GetCurrentProcessId());
  const std::wstring partial = base + L".partial";
  const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const wchar_t* commandLine = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return MoveFileW(partial.c_str(), (base + L".commandline").c_str()) ? 0 : 1;
}
