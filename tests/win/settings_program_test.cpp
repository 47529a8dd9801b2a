// The settings against the program as its own process: always-on-top applied by the entry
// at start, and saves that survive the process being killed at any moment.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "test_support_win.h"

namespace {

std::wstring testDirectory() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring full(path, length);
  return full.substr(0, full.rfind(L'\\'));
}

struct Process {
  PROCESS_INFORMATION info{};
  bool started = false;
  Process(const std::wstring& program, const std::wstring& arguments, const std::wstring& directory) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.c_str(), &startup, &info);
  }
  ~Process() {
    if (!started) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info.hProcess, 1);
      WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
};

HWND waitForMainWindow(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND window;
  } search{processId, nullptr};
  for (int i = 0; i < 200 && !search.window; ++i) {
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
          auto* wanted = reinterpret_cast<Search*>(parameter);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t className[64] = L"";
          GetClassNameW(window, className, 64);
          if (owner != wanted->processId || std::wstring(className) != L"KESTRELVALE_10") return TRUE;
          wanted->window = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.window) Sleep(50);
  }
  return search.window;
}

std::optional<std::string> readFileBytes(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

struct TopMostCase {
  const char* name;
  const char* line;
  bool topMost;
};

void PrintTo(const TopMostCase& c, std::ostream* out) { *out << c.name; }

class StartingTheProgram : public ::testing::TestWithParam<TopMostCase> {};

TEST_P(StartingTheProgram, MakesTheWindowTopMostOnlyWhenAlwaysOnTopBeginsWithTrue) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"\n|a|一 yī\n");
  writeArticleFile(directory, 1, u"\n|水|shuǐ\n");
  writeRawFile(directory + L"\\Configuration.dat", std::string("LoadOnStart=false\r\n") + GetParam().line + "\r\n");
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";
  ASSERT_TRUE(CopyFileW((testDirectory() + L"\\..\\..\\src\\TandemoxDictionary.exe").c_str(), program.c_str(), FALSE))
      << "the program was not built";

  Process running(program, L"", directory);
  ASSERT_TRUE(running.started);
  WaitForInputIdle(running.info.hProcess, 10000);
  const HWND window = waitForMainWindow(running.info.dwProcessId);
  ASSERT_NE(window, nullptr) << "no main window appeared";
  EXPECT_EQ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, GetParam().topMost);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(105, 0), 0);
  EXPECT_EQ(WaitForSingleObject(running.info.hProcess, 10000), WAIT_OBJECT_0);
}

INSTANTIATE_TEST_SUITE_P(Settings, StartingTheProgram,
                         ::testing::Values(TopMostCase{"True", "AlwaysOnTop=true", true},
                                           TopMostCase{"TrueAndMore", "AlwaysOnTop=trueish", true},
                                           TopMostCase{"CapitalT", "AlwaysOnTop=True", false},
                                           TopMostCase{"False", "AlwaysOnTop=false", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// "LoadOnStart=true", "AlwaysOnTop=false" or "true", "DefaultLanguageId=" and a number:
// exactly what one whole save writes.
std::optional<unsigned long> wholeSaveNumber(const std::string& bytes) {
  for (const char* alwaysOnTop : {"false", "true"}) {
    const std::string head = std::string("LoadOnStart=true\r\nAlwaysOnTop=") + alwaysOnTop + "\r\nDefaultLanguageId=";
    if (bytes.compare(0, head.size(), head) != 0) continue;
    const std::string rest = bytes.substr(head.size());
    if (rest.size() < 3 || rest.compare(rest.size() - 2, 2, "\r\n") != 0) return std::nullopt;
    const std::string digits = rest.substr(0, rest.size() - 2);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return std::nullopt;
    const unsigned long number = std::stoul(digits);
    // Odd saves store false, even ones true.
    if ((number % 2 == 1) != (std::string(alwaysOnTop) == "false")) return std::nullopt;
    return number;
  }
  return std::nullopt;
}

TEST(SavingSettings, AKillAtAnyMomentLeavesEitherTheOldOrTheNewWholeFile) {
  const auto directory = makeFixtureDirectory();
  const std::wstring configuration = directory + L"\\Configuration.dat";
  writeRawFile(configuration, "LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\n");
  const std::wstring saver = testDirectory() + L"\\configuration_saver.exe";
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(0, 25);

  unsigned long last = 0;
  int runs = 0;
  for (int kill = 0; kill < 30; ++kill) {
    const std::wstring eventName = L"configuration-saver-ready-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(kill);
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    {
      Process saving(saver, L"\"" + directory + L"\" " + eventName, directory);
      ASSERT_TRUE(saving.started) << "configuration_saver.exe was not built";
      const DWORD waited = WaitForSingleObject(ready, 20000);
      CloseHandle(ready);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the saver never completed a save";
      Sleep(static_cast<DWORD>(delay(random)));
      ASSERT_TRUE(TerminateProcess(saving.info.hProcess, 1));
      ASSERT_EQ(WaitForSingleObject(saving.info.hProcess, 10000), WAIT_OBJECT_0);
    }
    ++runs;
    const auto bytes = readFileBytes(configuration);
    ASSERT_TRUE(bytes.has_value()) << "kill " << kill << " left no Configuration.dat";
    const auto number = wholeSaveNumber(*bytes);
    ASSERT_TRUE(number.has_value()) << "kill " << kill << " left a broken file: \"" << *bytes << "\"";
    // Every run starts counting at 1 again; what matters is that each file is one whole save.
    EXPECT_GE(*number, 1u);
    last = *number;
  }
  EXPECT_EQ(runs, 30);
  std::printf("last run's file held save number %lu\n", last);
}

}  // namespace
