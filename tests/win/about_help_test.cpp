// The About box, the help commands and the accelerator that opens the box.
#include <gtest/gtest.h>

#include "test_support_win.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "desktop/about_help_win.h"
#include "resource.h"

namespace {

// Rich edit controls hand paragraphs back with CR LF; the box's texts separate them by CR.
std::wstring paragraphsOf(HWND control) {
  std::wstring text = textOf(control);
  for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.erase(at + 1, 1);
  return text;
}

HWND findAboutBox() {
  const HWND box = FindWindowW(L"#32770", L"About");
  return box && IsWindowVisible(box) && GetWindow(box, GW_OWNER) == app.mainWindow ? box : nullptr;
}

// Runs `open` on this thread (it returns when the modal box closes) while `use` gets the
// box on a helper thread, as the user would see it; `use` closes the box. True when the
// box appeared. The helper watches for as long as `open` runs rather than for a fixed time:
// on a busy machine a box can take seconds to come, and one that came after the helper had
// stopped looking would never be closed.
bool withAboutBox(const std::function<void()>& open, const std::function<void(HWND)>& use) {
  std::atomic<bool> appeared{false};
  std::atomic<bool> openReturned{false};
  std::thread helper([&] {
    while (!openReturned) {
      if (const HWND box = findAboutBox()) {
        appeared = true;
        use(box);
        return;
      }
      Sleep(10);
    }
  });
  open();
  openReturned = true;
  helper.join();
  return appeared;
}

std::vector<std::wstring> shellTargets;
void recordShellTarget(const std::wstring& target) { shellTargets.push_back(target); }

std::u16string articleOfSize(std::size_t units) {
  std::u16string text = u"\n|a|article of a\n|water|";
  text.append(units - text.size() - 1, u'x');
  return text + u"\n";
}

struct AboutAndHelp : ::testing::Test {
  void SetUp() override {
    directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, articleOfSize(3000));  // 6 000 bytes
    writeArticleFile(directory, 1, u"\n|水|shuǐ\n");
    shellTargets.clear();
    setShellOpenForTesting(recordShellTarget);
    ASSERT_TRUE(startProgram());
    pumpMessages(50);
  }
  void TearDown() override { setShellOpenForTesting(nullptr); }
  std::wstring directory;
};

TEST_F(AboutAndHelp, AboutShowsTheVersionTheLoadedFilesAndTheProductDetails) {
  for (const WORD command : {IDM_HELP_ABOUT, IDM_LOOKUP_AND_ABOUT}) {
    std::wstring version, dictionaries, details, ok, systemInfo, title;
    bool readOnly = false;
    const bool appeared = withAboutBox([&] { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0); },
                                       [&](HWND box) {
                                         version = textOf(GetDlgItem(box, 1437));
                                         dictionaries = paragraphsOf(GetDlgItem(box, 35485));
                                         details = paragraphsOf(GetDlgItem(box, 35486));
                                         ok = textOf(GetDlgItem(box, IDOK));
                                         systemInfo = textOf(GetDlgItem(box, 554));
                                         readOnly =
                                             (GetWindowLongW(GetDlgItem(box, 35485), GWL_STYLE) & ES_READONLY) != 0;
                                         SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);  // Esc
                                       });
    ASSERT_TRUE(appeared) << "command " << command;
    EXPECT_EQ(version, L"Version 1.2.15 Chinese");
    EXPECT_EQ(dictionaries, L"Articles English Chinese  6 Kb\rArticles Chinese English 1 Kb");
    EXPECT_EQ(details.rfind(L"English to Chinese, Chinese to English Talking Desktop dictionary", 0), 0u) << details;
    EXPECT_EQ(ok, L"Ok");
    EXPECT_EQ(systemInfo, L"System info");
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(findAboutBox(), nullptr) << "Esc closed the box";
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(AboutAndHelp, SystemInfoStartsTheToolEachTimeAndTheBoxStaysOpen) {
  bool openAfterPresses = false;
  const bool appeared = withAboutBox([] { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_HELP_ABOUT, 0), 0); },
                                     [&](HWND box) {
                                       for (int press = 0; press < 2; ++press) {
                                         SendMessageW(GetDlgItem(box, 554), BM_CLICK, 0, 0);
                                       }
                                       openAfterPresses = IsWindowVisible(box) != FALSE;
                                       SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                                     });
  ASSERT_TRUE(appeared);
  EXPECT_TRUE(openAfterPresses);
  EXPECT_EQ(shellTargets, (std::vector<std::wstring>{L"msinfo32.exe", L"msinfo32.exe"}));
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST_F(AboutAndHelp, HelpCommandsHandTheHelpPageToTheShell) {
  const std::wstring page = directory + L"\\Help\\Help.EN.html";
  std::wstring pageUrl = L"file:///" + directory + L"/Help/Help.EN.html";
  for (auto& c : pageUrl) c = c == L'\\' ? L'/' : c;
  struct Case {
    WORD command;
    std::wstring target;
  };
  const Case cases[] = {
      {IDM_HELP_SEARCH, page},
      {IDM_HELP_CONTENTS, page},
      {IDT_HELP, page},
      {IDT_NEW_LANGUAGE, pageUrl + L"#further-languages"},
  };
  for (const auto& c : cases) {
    shellTargets.clear();
    SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
    EXPECT_EQ(shellTargets, std::vector<std::wstring>{c.target}) << "command " << c.command;
  }
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// The real loop step with the real accelerator table, fed the keys Alt+"?" as typed.
void typeAltQuestionMark(HACCEL accelerators) {
  const SHORT scan = VkKeyScanW(L'?');
  const WORD key = LOBYTE(scan);
  const bool shift = (HIBYTE(scan) & 1) != 0;
  std::vector<INPUT> keys;
  auto push = [&](WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(input);
  };
  push(VK_MENU, false);
  if (shift) push(VK_SHIFT, false);
  push(key, false);
  push(key, true);
  if (shift) push(VK_SHIFT, true);
  push(VK_MENU, true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < 500) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) handleLoopMessage(message, accelerators);
    Sleep(5);
  }
}

TEST_F(AboutAndHelp, AltQuestionMarkLooksUpThenOpensTheBoxOnlyWhenTheMainWindowHasTheKeys) {
  const HACCEL accelerators = LoadAcceleratorsW(app.instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ASSERT_NE(accelerators, nullptr);
  SetForegroundWindow(app.mainWindow);
  // The word box says "water" but nothing has looked it up yet.
  SetWindowTextW(app.tabs[0].controls.wordBox, L"water");
  ASSERT_EQ(listCount(0), 2);

  const HWND edit = GetWindow(app.tabs[0].controls.wordBox, GW_CHILD);
  SetFocus(edit);
  bool appeared = withAboutBox([&] { typeAltQuestionMark(accelerators); },
                               [](HWND box) { SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0); });
  EXPECT_FALSE(appeared) << "the keys went to the word box, whose command does nothing";
  EXPECT_EQ(listCount(0), 2) << "and nothing was looked up";
  EXPECT_EQ(textOf(app.tabs[0].controls.wordBox), L"water");

  SetFocus(app.mainWindow);
  int listedWhenTheBoxOpened = -1;
  appeared = withAboutBox([&] { typeAltQuestionMark(accelerators); },
                          [&](HWND box) {
                            listedWhenTheBoxOpened = listCount(0);
                            SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
                          });
  EXPECT_TRUE(appeared);
  EXPECT_EQ(listedWhenTheBoxOpened, 1) << "the lookup of \"water\" ran before the box opened";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

TEST(AboutBox, ShowsAFileThatIsNotInUse) {
  const auto directory = makeFixtureDirectory();
  writeArticleFile(directory, 0, articleOfSize(3000));  // and no second file
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  std::wstring dictionaries;
  ASSERT_TRUE(withAboutBox([] { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_HELP_ABOUT, 0), 0); },
                           [&](HWND box) {
                             dictionaries = paragraphsOf(GetDlgItem(box, 35485));
                             SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
                           }));
  EXPECT_EQ(dictionaries, L"Articles English Chinese  not loaded\rArticles Chinese English not loaded")
      << "neither tab can search while a file is missing";
  EXPECT_EQ(exitProgramAndWait(), 0);
}

// Sets a registry value for the length of a test and puts the old one back.
struct RegistryValueForTest {
  RegistryValueForTest(const std::wstring& key, const std::wstring& value) : key(key) {
    wchar_t old[2048];
    DWORD size = sizeof(old);
    hadValue =
        RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
    if (hadValue) oldValue = old;
    set = RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  ~RegistryValueForTest() {
    if (hadValue) {
      RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, oldValue.c_str(),
                      static_cast<DWORD>((oldValue.size() + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    }
  }
  std::wstring key, oldValue;
  bool hadValue = false, set = false;
};

std::wstring readRecord(const std::wstring& path) {
  for (int i = 0; i < 200; ++i) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      wchar_t text[2048] = L"";
      DWORD bytes = 0;
      ReadFile(file, text, sizeof(text) - sizeof(wchar_t), &bytes, nullptr);
      CloseHandle(file);
      if (bytes > 0) return std::wstring(text, bytes / sizeof(wchar_t));
    }
    pumpMessages(50);
  }
  return L"(nothing recorded)";
}

// The real shell, with a recorder of ours registered as the program that opens HTML files:
// the help page's path reaches it whole, blanks included. Without a Help folder the shell
// finds nothing to open and the program says nothing.
TEST(HelpPage, ReachesTheRegisteredProgramWithItsPathUnchanged) {
  const auto fixture = makeFixtureDirectory();
  const std::wstring installed = fixture + L"\\Program Folder";
  CreateDirectoryW(installed.c_str(), nullptr);
  writeArticleFile(installed, 0, u"\n|a|article of a\n");
  writeArticleFile(installed, 1, u"\n|水|shuǐ\n");
  setProgramDirectoryForTesting(installed);
  const std::wstring record = fixture + L"\\opened.txt";
  const RegistryValueForTest association(L".html", L"htmlfile");
  const RegistryValueForTest handler(
      L"htmlfile\\shell\\open\\command",
      L"\"" + testExecutableDirectory() + L"\\shell_recorder.exe\" \"" + record + L"\" \"%1\"");
  ASSERT_TRUE(association.set && handler.set);
  ASSERT_TRUE(startProgram());

  MessageBoxWatcher boxes;
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_HELP_CONTENTS, 0), 0);
  pumpMessages(1000);
  EXPECT_EQ(GetFileAttributesW(record.c_str()), INVALID_FILE_ATTRIBUTES) << "there is no page to open yet";
  EXPECT_TRUE(boxes.texts().empty());

  CreateDirectoryW((installed + L"\\Help").c_str(), nullptr);
  writeRawFile(installed + L"\\Help\\Help.EN.html", "<!DOCTYPE html><title>Help</title>");
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_HELP_CONTENTS, 0), 0);
  EXPECT_EQ(readRecord(record), installed + L"\\Help\\Help.EN.html");
  // A program that cannot take the page's address with a section still gets the page.
  DeleteFileW(record.c_str());
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDT_NEW_LANGUAGE, 0), 0);
  EXPECT_EQ(readRecord(record), installed + L"\\Help\\Help.EN.html");
  EXPECT_EQ(exitProgramAndWait(), 0);
}

}  // namespace
