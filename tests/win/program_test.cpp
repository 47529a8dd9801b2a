// The real program, started as its own process from a folder laid out as an installed copy.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "test_support_win.h"

namespace {

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Lays the program out in a fixture folder as an installed copy, with small article files.
std::wstring installProgram() {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, u"\n|a|一 yī\n|apple|苹果 píngguǒ\n");
  writeArticleFile(directory, 1, u"\n|水|shuǐ\n1. water\n");
  EXPECT_TRUE(installProgramCopy(directory)) << "the program was not built";
  return directory;
}

TEST(Program, StartsWithItsWindowAndEndsCleanlyThroughFileExit) {
  const auto directory = installProgram();
  PROCESS_INFORMATION process{};
  const HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr) << "no main window appeared";
  wchar_t caption[200] = L"";
  GetWindowTextW(window, caption, 200);
  EXPECT_STREQ(caption, L"Tandemox English to Chinese, Chinese to English Talking Dictionary");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(findWindowOf(process.dwProcessId, L"#32770", L"Info Message"), nullptr) << "both article files were there";

  EXPECT_EQ(exitInstalledProgram(window, process), 0u) << "the program did not end cleanly after Exit";
}

// A DLL named like the rich edit library, planted in the program's folder, must not be
// loaded: the program takes system DLLs from the system folder only. Wine is told to
// prefer a native DLL of that name, as Windows would find the planted one first.
TEST(Program, IgnoresARichEditDllPlantedInItsFolder) {
  const auto directory = installProgram();
  const std::wstring planted = directory + L"\\RICHED20.DLL";
  const std::wstring marker = directory + L"\\planted-dll-was-loaded.txt";
  ASSERT_TRUE(CopyFileW((testExecutableDirectory() + L"\\planted.dll").c_str(), planted.c_str(), FALSE));

  // Wine's per-program setting: prefer a native RICHED20.DLL wherever the search finds one.
  for (const wchar_t* exe : {L"bare_loader.exe", L"TandemoxDictionary.exe"}) {
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + exe + L"\\DllOverrides";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"riched20", REG_SZ, L"native,builtin",
                              sizeof(L"native,builtin")),
              ERROR_SUCCESS);
  }

  // A program that loads the library by its bare name does take the planted DLL.
  const std::wstring loader = directory + L"\\bare_loader.exe";
  ASSERT_TRUE(CopyFileW((testExecutableDirectory() + L"\\bare_loader.exe").c_str(), loader.c_str(), FALSE));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION bare{};
  std::wstring commandLine = L"\"" + loader + L"\"";
  ASSERT_TRUE(CreateProcessW(loader.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                             &startup, &bare));
  WaitForSingleObject(bare.hProcess, 10000);
  CloseHandle(bare.hThread);
  CloseHandle(bare.hProcess);
  ASSERT_TRUE(fileExists(marker)) << "the planted DLL cannot show that it was loaded";
  DeleteFileW(marker.c_str());

  PROCESS_INFORMATION process{};
  const HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr) << "no main window appeared";
  EXPECT_FALSE(fileExists(marker)) << "the program loaded RICHED20.DLL from its own folder";
  EXPECT_NE(
      FindWindowExW(FindWindowExW(window, nullptr, L"SysTabControl32", nullptr), nullptr, L"RichEdit20W", nullptr),
      nullptr)
      << "the article views need the system's rich edit library";
  EXPECT_EQ(exitInstalledProgram(window, process), 0u);
  for (const wchar_t* exe : {L"bare_loader.exe", L"TandemoxDictionary.exe"}) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Wine\\AppDefaults\\") + exe).c_str());
  }
}

// The entry applies AlwaysOnTop after start-up, by the switch rule: on only when the value
// begins with "true".
struct TopMostCase {
  const char* name;
  const char* line;
  bool topMost;
};

void PrintTo(const TopMostCase& c, std::ostream* out) { *out << c.name; }

class StartingWithAlwaysOnTop : public ::testing::TestWithParam<TopMostCase> {};

TEST_P(StartingWithAlwaysOnTop, MakesTheWindowTopMostOnlyWhenTheValueBeginsWithTrue) {
  const auto directory = installProgram();
  writeRawFile(directory + L"\\Configuration.dat", std::string("LoadOnStart=false\r\n") + GetParam().line + "\r\n");
  PROCESS_INFORMATION process{};
  const HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr) << "no main window appeared";
  EXPECT_EQ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, GetParam().topMost);
  EXPECT_EQ(exitInstalledProgram(window, process), 0u);
}

INSTANTIATE_TEST_SUITE_P(Program, StartingWithAlwaysOnTop,
                         ::testing::Values(TopMostCase{"True", "AlwaysOnTop=true", true},
                                           TopMostCase{"TrueAndMore", "AlwaysOnTop=trueish", true},
                                           TopMostCase{"CapitalT", "AlwaysOnTop=True", false},
                                           TopMostCase{"False", "AlwaysOnTop=false", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The line Configuration.dat keeps for a window's normal place and its state.
std::string placementLine(const WINDOWPLACEMENT& placement, const char* state) {
  const RECT& normal = placement.rcNormalPosition;
  return "WindowPlacement=" + std::to_string(normal.left) + "," + std::to_string(normal.top) + "," +
         std::to_string(normal.right) + "," + std::to_string(normal.bottom) + "," + state + "\r\n";
}

// The window comes back where the user left it: moved, resized and maximised, across an
// exit and a start, with the place kept in Configuration.dat.
TEST(Program, KeepsItsWindowPlacementAcrossARestart) {
  const auto directory = installProgram();
  PROCESS_INFORMATION process{};
  HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 150, 120, 420, 360, SWP_NOZORDER | SWP_NOACTIVATE);
  WINDOWPLACEMENT before{};
  before.length = sizeof(before);
  ASSERT_TRUE(GetWindowPlacement(window, &before));
  ShowWindow(window, SW_MAXIMIZE);
  ASSERT_EQ(exitInstalledProgram(window, process), 0u);

  const auto saved = readFileBytes(directory + L"\\Configuration.dat");
  ASSERT_TRUE(saved.has_value()) << "the placement was saved";
  EXPECT_NE(saved->find(placementLine(before, "maximised")), std::string::npos) << *saved;
  EXPECT_NE(saved->find("LoadOnStart=false\r\n"), std::string::npos) << "a missing switch stays off: " << *saved;

  window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window)) << "maximised again";
  ShowWindow(window, SW_RESTORE);
  WINDOWPLACEMENT after{};
  after.length = sizeof(after);
  ASSERT_TRUE(GetWindowPlacement(window, &after));
  EXPECT_TRUE(EqualRect(&after.rcNormalPosition, &before.rcNormalPosition))
      << after.rcNormalPosition.left << "," << after.rcNormalPosition.top << " "
      << after.rcNormalPosition.right - after.rcNormalPosition.left << "x"
      << after.rcNormalPosition.bottom - after.rcNormalPosition.top;
  EXPECT_EQ(exitInstalledProgram(window, process), 0u);
}

// At log-off Windows ends the program after WM_ENDSESSION, without destroying its window.
TEST(Program, KeepsItsWindowPlacementWhenTheSessionEnds) {
  const auto directory = installProgram();
  PROCESS_INFORMATION process{};
  const HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 170, 130, 430, 370, SWP_NOZORDER | SWP_NOACTIVATE);
  WINDOWPLACEMENT before{};
  before.length = sizeof(before);
  ASSERT_TRUE(GetWindowPlacement(window, &before));
  SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
  SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);

  const auto saved = readFileBytes(directory + L"\\Configuration.dat");
  ASSERT_TRUE(saved.has_value()) << "the placement was saved";
  EXPECT_NE(saved->find(placementLine(before, "normal")), std::string::npos) << *saved;
}

TEST(Program, AWindowLeftOnAMonitorThatIsGoneComesBackOnScreen) {
  const auto directory = installProgram();
  writeRawFile(
      directory + L"\\Configuration.dat",
      "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nWindowPlacement=9000,200,9400,523,normal\r\n");
  PROCESS_INFORMATION process{};
  const HWND window = startInstalledProgram(directory, process);
  ASSERT_NE(window, nullptr);
  RECT shown{};
  GetWindowRect(window, &shown);
  EXPECT_LE(shown.right, GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(shown.right - shown.left, 400) << "the size is kept";
  EXPECT_EQ(exitInstalledProgram(window, process), 0u);
}

// A window the user left where it opened changes nothing in the file, and creates none.
TEST(Program, AnUnmovedWindowLeavesConfigurationAsItWas) {
  const auto directory = installProgram();
  for (const bool withFile : {true, false}) {
    const std::wstring path = directory + L"\\Configuration.dat";
    DeleteFileW(path.c_str());
    if (withFile) writeRawFile(path, "AlwaysOnTop=false\r\n");
    PROCESS_INFORMATION process{};
    const HWND window = startInstalledProgram(directory, process);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(exitInstalledProgram(window, process), 0u);
    const auto bytes = readFileBytes(path);
    EXPECT_EQ(bytes.has_value(), withFile);
    if (bytes) {
      EXPECT_EQ(*bytes, "AlwaysOnTop=false\r\n");
    }
  }
}

}  // namespace
