// The settings as a user meets them in the real program: Configuration.dat read at start,
// the options dialog opened from Tools, "Options", the View menu's "Always on Top" and the
// start-with-Windows value in the registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "resource.h"
#include "settings/configuration.h"
#include "settings/configuration_win.h"
#include "settings/options_win.h"
#include "test_support_win.h"

namespace {

const std::string defaultsAsSaved = "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n";

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The Run value under root, or nothing when the value does not exist.
std::optional<std::wstring> runValue(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, runKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  wchar_t data[2048] = L"";
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, runValueName().c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_GE(size, sizeof(wchar_t)) << "the stored data ends in a null character";
  EXPECT_EQ(data[size / sizeof(wchar_t) - 1], L'\0') << "the stored data ends in a null character";
  return std::wstring(data);
}

void setUserRunValue(const std::wstring& data) { ASSERT_TRUE(writeRunValue(HKEY_CURRENT_USER, runValueName(), data)); }

void removeRunValues() {
  for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, runKeyPath, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, runValueName().c_str());
      RegCloseKey(key);
    }
  }
}

std::wstring quotedProgramPath() { return L"\"" + executablePath() + L"\""; }

bool isTopMost() { return (GetWindowLongPtrW(app.mainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool isTopMostChecked() {
  return (GetMenuState(GetMenu(app.mainWindow), IDM_VIEW_ALWAYS_ON_TOP, MF_BYCOMMAND) & MF_CHECKED) != 0;
}
int selectedTabIndex() { return static_cast<int>(SendMessageW(app.tabControl, TCM_GETCURSEL, 0, 0)); }
bool tabControlsShown(int tab) {
  return IsWindowVisible(app.tabs[tab].controls.wordBox) && IsWindowVisible(app.tabs[tab].controls.wordList);
}

void sendCommand(WORD id) { SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// What the options dialog showed when it opened.
struct DialogView {
  bool opened = false;
  bool closed = false;
  std::vector<std::wstring> items;
  int selection = -2;
  bool loadOnStart = false;
  bool alwaysOnTop = false;
  bool cancelIsDefault = false;
};

using DialogAction = std::function<void(HWND dialog)>;

// Opens Tools, "Options" as the user would. The dialog is modal, so a second thread reads
// it and acts on it while the command runs the dialog's loop on this thread.
DialogView useOptionsDialog(const DialogAction& act) {
  DialogView view;
  std::thread user([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && !dialog; ++i) {
      dialog = findOwnWindow(L"#32770", L"Application options dialog");
      if (!dialog) Sleep(10);
    }
    if (!dialog) return;
    view.opened = true;
    const HWND list = GetDlgItem(dialog, IDC_DEFAULT_LANGUAGE);
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < 10; ++i) {
      wchar_t text[100] = L"";
      if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 100)
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      view.items.emplace_back(text);
    }
    view.selection = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    view.loadOnStart = IsDlgButtonChecked(dialog, IDC_LOAD_ON_START) == BST_CHECKED;
    view.alwaysOnTop = IsDlgButtonChecked(dialog, IDC_ALWAYS_ON_TOP) == BST_CHECKED;
    view.cancelIsDefault = LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)) == IDCANCEL;
    act(dialog);
    for (int i = 0; i < 1000 && IsWindow(dialog); ++i) Sleep(10);
    view.closed = !IsWindow(dialog);
    // Never leave the test hanging in a dialog that did not close.
    if (!view.closed) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  sendCommand(IDM_TOOLS_OPTIONS);
  user.join();
  return view;
}

void click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void choose(HWND dialog, int item) { SendDlgItemMessageW(dialog, IDC_DEFAULT_LANGUAGE, CB_SETCURSEL, item, 0); }
void pressSave(HWND dialog) { click(dialog, IDC_OPTIONS_SAVE); }
void pressCancel(HWND dialog) { click(dialog, IDCANCEL); }

// A key typed while the dialog has the focus: the dialog manager treats Enter and Esc.
void typeKey(HWND dialog, WORD key) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
  const HWND focus = thread.hwndFocus ? thread.hwndFocus : dialog;
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

class UserSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, u"\n|a|一 yī\n|water|水 shuǐ\n");
    writeArticleFile(directory, 1, u"\n|水|shuǐ\n1. water\n");
    configuration = directory + L"\\Configuration.dat";
    removeRunValues();
  }
  void TearDown() override {
    setRunValueWriterForTesting(nullptr);
    if (app.mainWindow && IsWindow(app.mainWindow)) {
      EXPECT_EQ(exitProgramAndWait(), 0);
    }
    SetFileAttributesW(configuration.c_str(), FILE_ATTRIBUTE_NORMAL);
    removeRunValues();
  }
  void writeConfiguration(const std::string& bytes) { writeRawFile(configuration, bytes); }
  std::string storedConfiguration() { return readFileBytes(configuration).value_or("(no file)"); }

  std::wstring directory;
  std::wstring configuration;
};

TEST_F(UserSettings, WithoutAFileTheProgramStartsOnTabZeroAndTheFirstSaveWritesThreeLines) {
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(app.settings.empty());
  EXPECT_EQ(selectedTabIndex(), 0);
  EXPECT_FALSE(isTopMost());

  const DialogView view = useOptionsDialog(pressSave);
  ASSERT_TRUE(view.opened) << "Tools, Options opened no dialog";
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(view.items, (std::vector<std::wstring>{L"English Chinese", L"Chinese English"}));
  EXPECT_EQ(view.selection, 0);
  EXPECT_FALSE(view.loadOnStart);
  EXPECT_FALSE(view.alwaysOnTop);
  EXPECT_TRUE(view.cancelIsDefault) << "Enter must cancel the dialog";

  EXPECT_EQ(storedConfiguration(), defaultsAsSaved);
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::wstring()) << "switched off: the value stays, empty";
  EXPECT_FALSE(fileExists(configuration + L".tmp")) << "no temporary file is left behind";
  EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(UserSettings, SavingChineseEnglishSelectsTheSecondTabAtOnceAndStoresIt) {
  writeConfiguration("LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nColour=blue\r\n");
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(app.settings.at(u"Colour"), u"blue");

  const DialogView view = useOptionsDialog([](HWND dialog) {
    choose(dialog, 1);
    pressSave(dialog);
  });
  ASSERT_TRUE(view.closed);
  EXPECT_EQ(selectedTabIndex(), 1);
  EXPECT_TRUE(tabControlsShown(1)) << "the chosen tab's controls show without waiting for a paint";
  EXPECT_FALSE(tabControlsShown(0));
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n")
      << "an unknown key is dropped at the save";
  EXPECT_EQ(app.settings, parseConfiguration(storedConfiguration())) << "after a save memory holds what the file holds";

  // Saving again with the same choices rewrites the same lines.
  const DialogView again = useOptionsDialog(pressSave);
  EXPECT_EQ(again.selection, 1);
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n");
}

TEST_F(UserSettings, AStoredTabNumberThatNamesNoTabOpensWithoutSelectionAndSavesMinusOne) {
  writeConfiguration("LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=7\r\n");
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(selectedTabIndex(), 0);
  EXPECT_TRUE(tabControlsShown(0));
  sendCommand(IDM_VIEW_CHINESE_ENGLISH);

  const DialogView view = useOptionsDialog(pressSave);
  EXPECT_EQ(view.selection, -1);
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=-1\r\n");
  EXPECT_EQ(selectedTabIndex(), 1) << "no choice leaves the selected tab as it was";
  EXPECT_TRUE(tabControlsShown(1));
}

TEST_F(UserSettings, TheViewCommandTogglesTheWindowOnlyAndSaveAppliesTheDialogsBox) {
  writeConfiguration(defaultsAsSaved);
  ASSERT_TRUE(startProgram());
  EXPECT_FALSE(isTopMostChecked());

  sendCommand(IDM_VIEW_ALWAYS_ON_TOP);
  EXPECT_TRUE(isTopMost());
  EXPECT_TRUE(isTopMostChecked());
  EXPECT_EQ(app.settings.at(u"AlwaysOnTop"), u"false");
  EXPECT_EQ(storedConfiguration(), defaultsAsSaved);
  sendCommand(IDM_VIEW_ALWAYS_ON_TOP);
  EXPECT_FALSE(isTopMost());
  EXPECT_FALSE(isTopMostChecked());

  sendCommand(IDM_VIEW_ALWAYS_ON_TOP);
  const DialogView view = useOptionsDialog(pressSave);
  EXPECT_FALSE(view.alwaysOnTop) << "the box shows the stored setting, not the window";
  EXPECT_FALSE(isTopMost()) << "Save applies the cleared box";
  EXPECT_FALSE(isTopMostChecked());

  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_ALWAYS_ON_TOP);
    pressSave(dialog);
  });
  EXPECT_TRUE(isTopMost());
  EXPECT_TRUE(isTopMostChecked());
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=false\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\n");
}

// Every way of leaving the dialog other than Save changes nothing.
struct LeavingWay {
  const char* name;
  DialogAction leave;
};

void PrintTo(const LeavingWay& way, std::ostream* out) { *out << way.name; }

class LeavingTheOptions : public UserSettings, public ::testing::WithParamInterface<LeavingWay> {};

TEST_P(LeavingTheOptions, ChangesNothing) {
  const std::string stored = "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\nColour=blue\r\n";
  writeConfiguration(stored);
  ASSERT_TRUE(startProgram());
  const Settings before = app.settings;

  const DialogView view = useOptionsDialog([](HWND dialog) {
    choose(dialog, 1);
    click(dialog, IDC_LOAD_ON_START);
    click(dialog, IDC_ALWAYS_ON_TOP);
    GetParam().leave(dialog);
  });
  EXPECT_TRUE(view.closed) << GetParam().name << " did not close the dialog";
  EXPECT_EQ(storedConfiguration(), stored);
  EXPECT_EQ(app.settings, before);
  EXPECT_EQ(selectedTabIndex(), 0);
  EXPECT_FALSE(isTopMost());
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::nullopt);
  EXPECT_EQ(runValue(HKEY_CURRENT_USER), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    UserSettings, LeavingTheOptions,
    ::testing::Values(LeavingWay{"Enter", [](HWND dialog) { typeKey(dialog, VK_RETURN); }},
                      LeavingWay{"Esc", [](HWND dialog) { typeKey(dialog, VK_ESCAPE); }},
                      LeavingWay{"Cancel", pressCancel},
                      LeavingWay{"CloseBox", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UserSettings, LoadOnSystemStartWritesTheQuotedProgramPathAndClearingItEmptiesTheValue) {
  // A value the user's own key kept from a time without access to the machine key.
  setUserRunValue(L"\"C:\\Old Place\\TandemoxDictionary.exe\"");
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_LOAD_ON_START);
    pressSave(dialog);
  });
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), quotedProgramPath());
  EXPECT_EQ(runValue(HKEY_CURRENT_USER), std::wstring()) << "cleared, so the program starts once at log-on";
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n");

  const DialogView ticked = useOptionsDialog(pressSave);
  EXPECT_TRUE(ticked.loadOnStart);
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), quotedProgramPath()) << "saving twice writes the same value";

  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_LOAD_ON_START);
    pressSave(dialog);
  });
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::wstring());
  EXPECT_EQ(storedConfiguration(), defaultsAsSaved);
  EXPECT_TRUE(boxes.texts().empty());
}

bool refuseMachineKey(HKEY root, const std::wstring& name, const std::wstring& data) {
  return root != HKEY_LOCAL_MACHINE && writeRunValue(root, name, data);
}
bool refuseEveryKey(HKEY, const std::wstring&, const std::wstring&) { return false; }

TEST_F(UserSettings, AUserWhoCannotWriteTheMachineKeyGetsTheValueInTheirOwnRunKey) {
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  setRunValueWriterForTesting(refuseMachineKey);
  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_LOAD_ON_START);
    pressSave(dialog);
  });
  EXPECT_EQ(runValue(HKEY_CURRENT_USER), quotedProgramPath());
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::nullopt);

  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_LOAD_ON_START);
    pressSave(dialog);
  });
  EXPECT_EQ(runValue(HKEY_CURRENT_USER), std::wstring()) << "switching off clears the value the program wrote";
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::nullopt);
  EXPECT_TRUE(boxes.texts().empty()) << "both saves worked";
}

TEST_F(UserSettings, NoWritableRunKeyIsReportedAndTheOtherChoicesStillApply) {
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  setRunValueWriterForTesting(refuseEveryKey);
  useOptionsDialog([](HWND dialog) {
    choose(dialog, 1);
    click(dialog, IDC_LOAD_ON_START);
    click(dialog, IDC_ALWAYS_ON_TOP);
    pressSave(dialog);
  });
  EXPECT_EQ(boxes.texts(), std::vector<std::wstring>{L"The program could not be set to start with Windows."});
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
  EXPECT_EQ(selectedTabIndex(), 1);
  EXPECT_TRUE(isTopMost());
}

// A machine-wide value that already starts the program is kept as it is, and the user's
// own key stays empty: both would start two copies at log-on.
TEST_F(UserSettings, AMachineWideValueNamingTheProgramIsNotDoubledInTheUsersKey) {
  ASSERT_TRUE(writeRunValue(HKEY_LOCAL_MACHINE, runValueName(), quotedProgramPath()));
  writeConfiguration("LoadOnStart=true\r\n");
  setRunValueWriterForTesting(refuseMachineKey);
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  useOptionsDialog(pressSave);
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), quotedProgramPath());
  EXPECT_EQ(runValue(HKEY_CURRENT_USER), std::nullopt);
  EXPECT_TRUE(boxes.texts().empty());
}

// Each save writes its own change over what the file holds at that moment: the user or a
// second copy of the program may have changed the file since this copy read it.
TEST_F(UserSettings, EachSaveKeepsTheOtherSettingsTheFileHoldsNow) {
  ASSERT_TRUE(startProgram());
  writeConfiguration(
      "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n"
      "WindowPlacement=10,20,410,320,normal\r\n");
  SendMessageW(app.mainWindow, WM_COMMAND, IDM_TONE_COLOURS_FIRST, 0);
  EXPECT_EQ(storedConfiguration(),
            "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\nToneColours=1\r\n"
            "WindowPlacement=10,20,410,320,normal\r\n");

  writeConfiguration("LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\nToneColours=2\r\n");
  useOptionsDialog([](HWND dialog) {
    click(dialog, IDC_ALWAYS_ON_TOP);
    pressSave(dialog);
  });
  EXPECT_EQ(storedConfiguration(), "LoadOnStart=false\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\nToneColours=2\r\n")
      << "the dialog's three choices as shown, the scheme as the file has it";

  writeConfiguration("LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\nToneColours=3\r\n");
  SetWindowPos(app.mainWindow, nullptr, 140, 110, 430, 350, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(exitProgramAndWait(), 0);
  const std::string stored = storedConfiguration();
  EXPECT_EQ(stored.substr(0, stored.find("WindowPlacement=")),
            "LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\nToneColours=3\r\n");
  EXPECT_NE(stored.find("WindowPlacement=140,110,"), std::string::npos) << stored;
}

TEST_F(UserSettings, AReadOnlyFileIsTreatedAsMissingAtStart) {
  writeConfiguration("LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
  ASSERT_TRUE(SetFileAttributesW(configuration.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(app.settings.empty());
  EXPECT_EQ(selectedTabIndex(), 0);
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), std::nullopt) << "LoadOnStart was not read";
  const DialogView view = useOptionsDialog(pressCancel);
  EXPECT_EQ(view.selection, 0);
  EXPECT_FALSE(view.loadOnStart);
  EXPECT_FALSE(view.alwaysOnTop);
}

TEST_F(UserSettings, SavingOverAReadOnlyFileTellsTheUserAndKeepsTheChoicesForThisRun) {
  const std::string stored = "LoadOnStart=false\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n";
  writeConfiguration(stored);
  ASSERT_TRUE(SetFileAttributesW(configuration.c_str(), FILE_ATTRIBUTE_READONLY));
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  useOptionsDialog([](HWND dialog) {
    choose(dialog, 1);
    click(dialog, IDC_LOAD_ON_START);
    click(dialog, IDC_ALWAYS_ON_TOP);
    pressSave(dialog);
  });
  const auto texts = boxes.texts();
  ASSERT_EQ(texts.size(), 1u) << "the failed save is reported once";
  EXPECT_NE(texts[0].find(L"could not be saved"), std::wstring::npos) << std::string(texts[0].begin(), texts[0].end());
  EXPECT_NE(texts[0].find(configurationFilePath()), std::wstring::npos) << "the message names the file";
  EXPECT_EQ(storedConfiguration(), stored);
  EXPECT_TRUE(GetFileAttributesW(configuration.c_str()) & FILE_ATTRIBUTE_READONLY);

  // The rest of Save applied, and the running program remembers the choice.
  EXPECT_EQ(selectedTabIndex(), 1);
  EXPECT_TRUE(isTopMost());
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), quotedProgramPath());
  const DialogView reopened = useOptionsDialog(pressCancel);
  EXPECT_EQ(reopened.selection, 1);
  EXPECT_TRUE(reopened.loadOnStart);
  EXPECT_TRUE(reopened.alwaysOnTop);
}

TEST_F(UserSettings, AFolderInTheFilesPlaceIsReportedAndLeftAlone) {
  ASSERT_TRUE(CreateDirectoryW(configuration.c_str(), nullptr));
  MessageBoxWatcher boxes;
  ASSERT_TRUE(startProgram());
  useOptionsDialog(pressSave);
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_TRUE(GetFileAttributesW(configuration.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(fileExists(configuration + L".tmp"));
  RemoveDirectoryW(configuration.c_str());
}

// Start-up: the tab DefaultLanguageId names, and the Run value LoadOnStart asks for.
struct StartCase {
  const char* name;
  const char* configuration;  // null: no file
  int tab;
  bool registers;
};

const std::string longLineFile = "DefaultLanguageId=1\r\n" + std::string(2000, 'x') + "\r\nLoadOnStart=true\r\n";

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class StartingWithAFile : public UserSettings, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartingWithAFile, SelectsTheStoredTabAndRewritesTheRunValueWhenAsked) {
  const StartCase& c = GetParam();
  if (c.configuration) writeConfiguration(c.configuration);
  const std::wstring stale = L"\"C:\\Old Place\\TandemoxDictionary.exe\"";
  ASSERT_TRUE(writeRunValue(HKEY_LOCAL_MACHINE, runValueName(), stale));
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(selectedTabIndex(), c.tab);
  EXPECT_TRUE(tabControlsShown(c.tab));
  EXPECT_FALSE(tabControlsShown(1 - c.tab));
  EXPECT_EQ(runValue(HKEY_LOCAL_MACHINE), c.registers ? quotedProgramPath() : stale);
  EXPECT_FALSE(isTopMost()) << "start-up applies AlwaysOnTop only after the tray icon, in the entry";
}

INSTANTIATE_TEST_SUITE_P(
    UserSettings, StartingWithAFile,
    ::testing::Values(StartCase{"NoFile", nullptr, 0, false}, StartCase{"TabOne", "DefaultLanguageId=1\r\n", 1, false},
                      StartCase{"TabZero", "DefaultLanguageId=0\r\n", 0, false},
                      StartCase{"EmptyNumber", "DefaultLanguageId=\r\n", 0, false},
                      StartCase{"NotANumber", "DefaultLanguageId=x\r\n", 0, false},
                      StartCase{"LeadingNumber", "DefaultLanguageId=1abc\r\n", 1, false},
                      StartCase{"NoSuchTab", "DefaultLanguageId=7\r\n", 0, false},
                      StartCase{"NoChoiceSaved", "DefaultLanguageId=-1\r\n", 0, false},
                      StartCase{"LoadOnStartTrue", "LoadOnStart=true\r\nAlwaysOnTop=true\n", 0, true},
                      StartCase{"LoadOnStartTrueish", "LoadOnStart=true, please\n", 0, true},
                      StartCase{"LoadOnStartCapitalT", "LoadOnStart=True\r\n", 0, false},
                      StartCase{"LoadOnStartAfterABlank", " LoadOnStart=true\r\n", 0, false},
                      StartCase{"LoadOnStartBeyondALongLine", longLineFile.c_str(), 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
