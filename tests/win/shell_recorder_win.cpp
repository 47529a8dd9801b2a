// Stands in for the browser in the tests: registered as the program that opens web pages and
// HTML files, it writes the target it was given into the record file named before it.
//
//   shell_recorder RECORD-FILE TARGET
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 1;
  const std::wstring target = argv[2];
  const HANDLE file = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  DWORD written = 0;
  WriteFile(file, target.data(), static_cast<DWORD>(target.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
