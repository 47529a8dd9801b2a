// The real program, started as its own process from a folder laid out as an installed copy.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "test_support_win.h"

namespace {

std::wstring builtProgramPath() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring testDirectory(path, length);
  testDirectory.resize(testDirectory.rfind(L'\\'));
  return testDirectory + L"\\..\\..\\src\\TandemoxDictionary.exe";
}

struct FoundWindow {
  DWORD processId;
  HWND window;
};

HWND findMainWindowOf(DWORD processId) {
  FoundWindow found{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* wanted = reinterpret_cast<FoundWindow*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[64] = L"";
        GetClassNameW(window, className, 64);
        if (owner == wanted->processId && std::wstring(className) == L"KESTRELVALE_10") {
          wanted->window = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.window;
}

TEST(Program, StartsWithItsWindowAndEndsCleanlyThroughFileExit) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"\n|a|一 yī\n|apple|苹果 píngguǒ\n");
  writeArticleFile(directory, 1, u"\n|水|shuǐ\n1. water\n");
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";
  ASSERT_TRUE(CopyFileW(builtProgramPath().c_str(), program.c_str(), FALSE)) << "the program was not built";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.c_str(), &startup, &process));
  WaitForInputIdle(process.hProcess, 10000);

  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    window = findMainWindowOf(process.dwProcessId);
    if (!window) Sleep(50);
  }
  ASSERT_NE(window, nullptr) << "no main window appeared";
  wchar_t caption[200] = L"";
  GetWindowTextW(window, caption, 200);
  EXPECT_STREQ(caption, L"Tandemox English to Chinese, Chinese to English Talking Dictionary");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(FindWindowW(L"#32770", L"Info Message"), nullptr) << "both article files were there";

  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0) << "the program did not end after Exit";
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
