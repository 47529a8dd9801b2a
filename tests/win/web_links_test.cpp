// "Check for Updates" and "Technical Support" hand the vendor's pages to the shell. A recorder
// registered as the http handler of the test prefix stands in for the browser and stores the
// command line the shell gave it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "resource.h"
#include "test_support_win.h"

namespace {

// Makes the recorder the shell's handler of http URLs for the life of the test and puts the
// previous handler back afterwards.
struct RecorderAsBrowser {
  static constexpr const wchar_t* key = L"http\\shell\\open\\command";
  std::wstring previous;
  bool hadPrevious = false;

  RecorderAsBrowser() {
    wchar_t value[2048];
    LONG size = sizeof(value);
    hadPrevious = RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS;
    if (hadPrevious) previous = value;
    const std::wstring command = L"\"" + testExecutableDirectory() + L"\\url_recorder.exe\" \"%1\"";
    EXPECT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(),
                           static_cast<DWORD>(command.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  ~RecorderAsBrowser() {
    if (hadPrevious) {
      RegSetValueW(HKEY_CLASSES_ROOT, key, REG_SZ, previous.c_str(),
                   static_cast<DWORD>(previous.size() * sizeof(wchar_t)));
    }
  }
};

std::wstring readUtf16File(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::wstring text;
  wchar_t buffer[1024];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read / sizeof(wchar_t));
  CloseHandle(file);
  return text;
}

// The command lines the recorder stored in folder, waiting up to the time given for count of them.
std::vector<std::wstring> recordedCommandLines(const std::wstring& folder, size_t count, DWORD milliseconds) {
  std::vector<std::wstring> lines;
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    lines.clear();
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((folder + L"\\*.commandline").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do lines.push_back(readUtf16File(folder + L"\\" + entry.cFileName));
      while (FindNextFileW(search, &entry));
      FindClose(search);
    }
    if (lines.size() >= count || GetTickCount64() >= end) return lines;
    pumpMessages(20);
  }
}

std::vector<std::wstring> argumentsOf(const std::wstring& commandLine) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(commandLine.c_str(), &count);
  std::vector<std::wstring> result;
  for (int i = 0; i < count; ++i) result.emplace_back(arguments[i]);
  LocalFree(arguments);
  return result;
}

TEST(BrowserCommands, HandTheShellTheVendorPagesExactlyAsStored) {
  struct Case {
    WORD command;
    const wchar_t* address;
  };
  // One slash after the host and a plain blank inside the version, as the addresses are stored.
  const Case cases[] = {
      {IDM_HELP_CHECK_UPDATES, L"http://tandemox.example/download_chinese?client=DesktopVersion_1.2.15 Chinese"},
      {IDM_HELP_TECHNICAL_SUPPORT, L"http://tandemox.example/contact_us?client=DesktopVersion_1.2.15 Chinese"},
  };
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"\n|a|一 yī\n");
  writeArticleFile(directory, 1, u"\n|水|shuǐ\n");
  ASSERT_TRUE(startProgram());
  RecorderAsBrowser recorder;

  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const std::wstring records = directory + L"\\opened-" + std::to_wstring(c.command);
    ASSERT_TRUE(CreateDirectoryW(records.c_str(), nullptr));
    ASSERT_TRUE(SetEnvironmentVariableW(L"SHELL_OPEN_RECORDS", records.c_str()));

    EXPECT_EQ(SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(c.command, 0), 0), 0);

    const auto lines = recordedCommandLines(records, 1, 10000);
    ASSERT_EQ(lines.size(), 1u) << "the shell did not start the http handler exactly once";
    // The handler's command is "recorder" "%1": the address arrives whole, blank and all.
    const auto arguments = argumentsOf(lines[0]);
    ASSERT_EQ(arguments.size(), 2u) << std::string(lines[0].begin(), lines[0].end());
    EXPECT_EQ(arguments[1], c.address);
    const std::wstring quoted = L"\"" + std::wstring(c.address) + L"\"";
    EXPECT_EQ(lines[0].substr(lines[0].size() - std::min(lines[0].size(), quoted.size())), quoted);
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
