// The packages as a user gets them: the installer run silently in this Wine session, the
// installed program used and then uninstalled, and the program started from an unzipped
// portable copy. The packages come from the native tree's build (cmake/Packages.cmake).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "resource.h"
#include "test_support_win.h"

namespace {

const wchar_t* const uninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TandemoxDictionary";
const wchar_t* const runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const runValue = L"EnglishChineseDictionary";

// The build passes host paths; Wine shows the host's root as drive Z:.
std::wstring hostPath(const char* path) {
  std::wstring windowsPath = L"Z:";
  for (const char* c = path; *c; ++c) windowsPath += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return windowsPath;
}

std::wstring folderOf(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
  return path;
}

std::wstring installDirectory() { return folderOf(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Tandemox Dictionary"; }
std::wstring shortcutPath() { return folderOf(CSIDL_PROGRAMS) + L"\\Tandemox Dictionary.lnk"; }

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every file and folder below a folder, as relative paths in order; empty when it is missing.
std::vector<std::wstring> treeOf(const std::wstring& root, const std::wstring& prefix = L"") {
  std::vector<std::wstring> entries;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((root + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(prefix + name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (auto& inner : treeOf(root + L"\\" + name, prefix + name + L"\\")) entries.push_back(inner);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(entries.begin(), entries.end());
  return entries;
}

void removeTree(const std::wstring& root) {
  const auto entries = treeOf(root);
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    const std::wstring path = root + L"\\" + *it;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
  }
  RemoveDirectoryW(root.c_str());
}

std::optional<std::wstring> registryText(HKEY root, const wchar_t* key, const wchar_t* value) {
  wchar_t data[1024] = L"";
  DWORD size = sizeof(data);
  if (RegGetValueW(root, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return std::nullopt;
  return std::wstring(data);
}

std::optional<DWORD> registryNumber(HKEY root, const wchar_t* key, const wchar_t* value) {
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegGetValueW(root, key, value, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS) return std::nullopt;
  return data;
}

bool keyExists(HKEY root, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void setRunValue(HKEY root, const std::wstring& data) {
  ASSERT_EQ(RegSetKeyValueW(root, runKey, runValue, REG_SZ, data.c_str(),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void deleteRunValues() {
  for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteKeyValueW(root, runKey, runValue);
}

// A previous run that failed half-way may have left an installation behind.
void startFromNothing() {
  removeTree(installDirectory());
  DeleteFileW(shortcutPath().c_str());
  RegDeleteTreeW(HKEY_CURRENT_USER, uninstallKey);
  deleteRunValues();
  ASSERT_FALSE(exists(installDirectory()));
}

// Runs a command line and waits until it and every process it started have ended: the
// uninstaller hands its work to a copy of itself in the temporary folder and returns at
// once. Returns the first process's exit code, or -1 when it could not run or time ran out.
long runToTheEnd(std::wstring commandLine) {
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!job || !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                              &startup, &process)) {
    ADD_FAILURE() << "cannot run " << std::string(commandLine.begin(), commandLine.end());
    if (job) CloseHandle(job);
    return -1;
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  long result = -1;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    result = static_cast<long>(exitCode);
  }
  for (int i = 0; i < 600; ++i) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting),
                                   nullptr) ||
        accounting.ActiveProcesses == 0) {
      break;
    }
    Sleep(100);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(job);
  return result;
}

long runSetup() { return runToTheEnd(L"\"" + hostPath(PACKAGE_SETUP) + L"\" /S"); }

std::wstring shortcutTarget(const std::wstring& link) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::wstring target;
  IShellLinkW* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t path[MAX_PATH] = L"";
      if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
        target = path;
      }
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return target;
}

struct ControlSearch {
  int id;
  HWND found;
};

// A named CALLBACK function: a lambda converts only to a pointer of the default calling
// convention, which 32-bit Windows does not call.
BOOL CALLBACK matchControl(HWND child, LPARAM parameter) {
  auto* wanted = reinterpret_cast<ControlSearch*>(parameter);
  if (GetDlgCtrlID(child) != wanted->id) return TRUE;
  wanted->found = child;
  return FALSE;
}

HWND findControl(HWND window, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(window, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The program started from a folder as a user starts it, until its window closes.
class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& directory) : window(startInstalledProgram(directory, process)) {}
  ~RunningProgram() {
    if (!process.hProcess) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }

  HWND mainWindow() const { return window; }
  DWORD processId() const { return process.dwProcessId; }

  // Types a word over whatever a tab's word box holds (start-up puts a word in the first),
  // key by key, and returns what that tab's article view then shows.
  std::wstring lookUp(const std::wstring& word, int tab = 0) const {
    const HWND edit = GetWindow(findControl(window, IDC_WORD_BOX + tab), GW_CHILD);
    const HWND article = findControl(window, IDC_ARTICLE_VIEW + tab);
    if (!edit || !article) return L"(no word box or article view)";
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t c : word) SendMessageW(edit, WM_CHAR, c, 1);
    return articleText(tab);
  }

  std::wstring articleText(int tab) const {
    // GetWindowText does not ask a window of another process for its text; the message does.
    wchar_t text[4096] = L"";
    SendMessageW(findControl(window, IDC_ARTICLE_VIEW + tab), WM_GETTEXT, std::size(text),
                 reinterpret_cast<LPARAM>(text));
    return text;
  }

  int headwordCount(int tab) const {
    return static_cast<int>(SendMessageW(findControl(window, IDC_WORD_LIST + tab), LVM_GETITEMCOUNT, 0, 0));
  }

  // A menu command, as the menu sends it; false when the program did not take it in time.
  bool choose(WORD command) const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, 10000, &ignored) != 0;
  }

  // Double-clicks the first headword of a tab's word list with the mouse, where the list
  // shows it: the first row, just below the column header if the list has one.
  void doubleClickFirstHeadword(int tab) const {
    const HWND list = findControl(window, IDC_WORD_LIST + tab);
    RECT header{};
    if (const HWND columns = FindWindowExW(list, nullptr, L"SysHeader32", nullptr)) {
      if (IsWindowVisible(columns)) GetClientRect(columns, &header);
    }
    const LPARAM point = MAKELPARAM(8, header.bottom + 6);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
  }

  // Tools, Options, then Save. True when the dialog came and went.
  bool saveOptions() const {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_TOOLS_OPTIONS, 0), 0);
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !dialog; ++i) {
      dialog = findWindowOf(process.dwProcessId, L"#32770", L"Application options dialog");
      if (!dialog) Sleep(20);
    }
    if (!dialog) return false;
    SendMessageW(GetDlgItem(dialog, IDC_OPTIONS_SAVE), BM_CLICK, 0, 0);
    for (int i = 0; i < 500 && IsWindow(dialog); ++i) Sleep(20);
    return !IsWindow(dialog);
  }

  // Ends the program through File, Exit; its exit code, or a failure value.
  DWORD exit() {
    const DWORD exitCode = exitInstalledProgram(window, process);
    process = {};
    return exitCode;
  }

 private:
  PROCESS_INFORMATION process{};
  HWND window;
};

const std::vector<std::wstring> installedFiles = {
    L"Articles",
    L"Articles\\Articles_Chinese_English.dat",
    L"Articles\\Articles_English_Chinese.dat",
    L"CC-CEDICT-NOTICE.txt",
    L"Help",
    L"Help\\Help.EN.html",
    L"LICENSE.txt",
    L"TandemoxDictionary.exe",
    L"Uninstall.exe",
    L"jieba-dict-NOTICE.txt",
    L"word-data-NOTICE.txt",
};

// A folder's files without the history of the words looked at: the program writes it once a
// looked-up article has stayed shown a moment, which on a slow machine happens within a
// case and on a fast one not; it is the user's, like the settings, and stays at uninstall.
std::vector<std::wstring> withoutHistory(std::vector<std::wstring> files) {
  files.erase(std::remove(files.begin(), files.end(), std::wstring(L"History.dat")), files.end());
  return files;
}

TEST(Installer, InstallsForTheUserAndUninstallsAllButTheUsersSettings) {
  startFromNothing();
  ASSERT_EQ(runSetup(), 0);

  const std::wstring directory = installDirectory();
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";
  EXPECT_EQ(treeOf(directory), installedFiles);
  EXPECT_TRUE(readFileBytes(program) == readFileBytes(builtProgramPath())) << "the installer holds another program";
  EXPECT_EQ(shortcutTarget(shortcutPath()), program);

  const std::wstring uninstaller = L"\"" + directory + L"\\Uninstall.exe\"";
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"DisplayName"), L"Tandemox Dictionary");
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"DisplayVersion"), L"" PACKAGE_VERSION);
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"Publisher"), L"Tandemox");
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"DisplayIcon"), program + L",0");
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"InstallLocation"), directory);
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"UninstallString"), uninstaller);
  const auto quietUninstall = registryText(HKEY_CURRENT_USER, uninstallKey, L"QuietUninstallString");
  EXPECT_EQ(quietUninstall, uninstaller + L" /S");
  const auto size = registryNumber(HKEY_CURRENT_USER, uninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size.has_value());
  EXPECT_GE(*size * 1024, readFileBytes(program)->size()) << "EstimatedSize is in KiB and covers the program";
  EXPECT_EQ(registryNumber(HKEY_CURRENT_USER, uninstallKey, L"NoModify"), 1u);
  EXPECT_EQ(registryNumber(HKEY_CURRENT_USER, uninstallKey, L"NoRepair"), 1u);

  // The user's settings: with "Load on System start" on, the program registers itself at
  // start-up, in HKLM where it may and in HKCU otherwise.
  writeRawFile(directory + L"\\Configuration.dat", "LoadOnStart=true\r\n");
  {
    RunningProgram running(directory);
    ASSERT_NE(running.mainWindow(), nullptr) << "the installed program shows no window";
    const std::wstring article = running.lookUp(L"water");
    EXPECT_NE(article.find(L"水"), std::wstring::npos) << "the article view shows: " << article;

    // Nothing is replaced or removed under a running program.
    EXPECT_EQ(runSetup(), 2) << "the installer went ahead while the program ran";
    EXPECT_EQ(runToTheEnd(uninstaller + L" /S _?=" + directory), 2) << "the uninstaller went ahead";
    EXPECT_EQ(withoutHistory(treeOf(directory)).size(), installedFiles.size() + 1);
    EXPECT_EQ(running.exit(), 0u);
  }
  // The program registers its path in quotes, as a path with spaces must be.
  const std::wstring registered = L"\"" + program + L"\"";
  const HKEY registeredIn =
      registryText(HKEY_LOCAL_MACHINE, runKey, runValue) == registered ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  ASSERT_EQ(registryText(registeredIn, runKey, runValue), registered) << "the program did not register itself";
  // The same name under the other root belongs to a portable copy elsewhere and stays.
  const HKEY otherRoot = registeredIn == HKEY_LOCAL_MACHINE ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  setRunValue(otherRoot, L"C:\\Portable\\TandemoxDictionary.exe");

  // The user's own articles are theirs too, like their settings.
  writeRawFile(directory + L"\\Own_Chinese_English.dat", "own articles");
  writeRawFile(directory + L"\\Own_English_Chinese.dat", "own articles");

  ASSERT_TRUE(quietUninstall.has_value());
  EXPECT_EQ(runToTheEnd(*quietUninstall), 0);
  EXPECT_EQ(withoutHistory(treeOf(directory)),
            (std::vector<std::wstring>{L"Configuration.dat", L"Own_Chinese_English.dat", L"Own_English_Chinese.dat"}));
  EXPECT_EQ(readFileBytes(directory + L"\\Configuration.dat"), std::string("LoadOnStart=true\r\n"));
  EXPECT_EQ(readFileBytes(directory + L"\\Own_English_Chinese.dat"), std::string("own articles"));
  EXPECT_FALSE(exists(shortcutPath()));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, uninstallKey)) << "the uninstall entry is left";
  EXPECT_EQ(registryText(registeredIn, runKey, runValue), std::nullopt);
  EXPECT_EQ(registryText(otherRoot, runKey, runValue), L"C:\\Portable\\TandemoxDictionary.exe");
  startFromNothing();
}

// The installed copy with the real article files, used as a person would: both tabs, the
// word list, a double-click, the options, File, Exit; then uninstalled, which keeps the
// saved options.
TEST(Installer, TheInstalledProgramLooksUpBothWaysAndKeepsItsSavedOptions) {
  startFromNothing();
  ASSERT_EQ(runSetup(), 0);
  const std::wstring directory = installDirectory();
  {
    RunningProgram running(directory);
    ASSERT_NE(running.mainWindow(), nullptr) << "the installed program shows no window";
    EXPECT_EQ(textOf(running.mainWindow()), L"Tandemox English to Chinese, Chinese to English Talking Dictionary");

    const std::wstring water = running.lookUp(L"water");
    EXPECT_NE(water.find(L"水"), std::wstring::npos) << "the article view shows: " << water;
    EXPECT_EQ(running.headwordCount(0), 25) << "headwords listed for \"water\"";

    ASSERT_TRUE(running.choose(IDM_VIEW_CHINESE_ENGLISH));
    const std::wstring shui = running.lookUp(L"水", 1);
    EXPECT_NE(shui.find(L"shuǐ"), std::wstring::npos) << "the article view shows: " << shui;
    EXPECT_GT(running.headwordCount(1), 0);
    const std::wstring toneless = running.lookUp(L"shui", 1);
    EXPECT_NE(toneless.find(L"水"), std::wstring::npos) << "the article view shows: " << toneless;
    EXPECT_GT(running.headwordCount(1), 1) << "headwords listed for \"shui\"";

    // A double-click on a headword shows its article: the view is emptied first, so only
    // the double-click can fill it.
    SendMessageW(findControl(running.mainWindow(), IDC_ARTICLE_VIEW + 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    ASSERT_EQ(running.articleText(1), L"");
    running.doubleClickFirstHeadword(1);
    std::wstring shown;
    for (int i = 0; i < 100 && shown.empty(); ++i) {
      Sleep(50);
      shown = running.articleText(1);
    }
    EXPECT_FALSE(shown.empty()) << "no article after a double-click on the first headword";

    ASSERT_FALSE(exists(directory + L"\\Configuration.dat"));
    EXPECT_TRUE(running.saveOptions()) << "the options dialog did not come and go";
    EXPECT_TRUE(exists(directory + L"\\Configuration.dat")) << "Save wrote no Configuration.dat";
    EXPECT_EQ(running.exit(), 0u);
  }
  const auto uninstall = registryText(HKEY_CURRENT_USER, uninstallKey, L"QuietUninstallString");
  ASSERT_TRUE(uninstall.has_value());
  EXPECT_EQ(runToTheEnd(*uninstall), 0);
  // What the user made stays: the saved options and the history of the words looked at.
  EXPECT_EQ(treeOf(directory), (std::vector<std::wstring>{L"Configuration.dat", L"History.dat"}));
  startFromNothing();
}

TEST(Installer, UninstallLeavesNoFolderWhenTheUserKeptNothingInIt) {
  startFromNothing();
  ASSERT_EQ(runSetup(), 0);
  // "Load on System start" switched off leaves the value with empty data.
  setRunValue(HKEY_CURRENT_USER, L"");
  // Installing again over the installed copy is an update: same files, one entry.
  ASSERT_EQ(runSetup(), 0);
  EXPECT_EQ(treeOf(installDirectory()), installedFiles);

  const auto uninstall = registryText(HKEY_CURRENT_USER, uninstallKey, L"UninstallString");
  ASSERT_TRUE(uninstall.has_value());
  EXPECT_EQ(runToTheEnd(*uninstall + L" /S"), 0);
  EXPECT_FALSE(exists(installDirectory()));
  EXPECT_FALSE(exists(shortcutPath()));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, uninstallKey));
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, runKey, runValue), std::nullopt);
  startFromNothing();
}

// A program file that something else holds open (a process whose window has already gone,
// a scanner) stops an update and an uninstall with exit code 2, and both leave the
// installed programs' entry and the uninstaller as they were; once the file is free, the
// uninstall goes through.
TEST(Installer, AHeldProgramFileStopsUpdateAndUninstallWithoutTakingTheEntry) {
  startFromNothing();
  ASSERT_EQ(runSetup(), 0);
  const std::wstring directory = installDirectory();
  RegSetKeyValueW(HKEY_CURRENT_USER, uninstallKey, L"DisplayVersion", REG_SZ, L"0.9", 8);
  const HANDLE held = CreateFileW((directory + L"\\TandemoxDictionary.exe").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(runSetup(), 2);
  EXPECT_EQ(registryText(HKEY_CURRENT_USER, uninstallKey, L"DisplayVersion"), L"0.9") << "an update that failed";
  const auto uninstall = registryText(HKEY_CURRENT_USER, uninstallKey, L"UninstallString");
  ASSERT_TRUE(uninstall.has_value());
  // "_?=" keeps the uninstaller in place, so that its exit code is the uninstall's.
  EXPECT_EQ(runToTheEnd(*uninstall + L" /S _?=" + directory), 2);
  EXPECT_TRUE(exists(directory + L"\\Articles\\Articles_English_Chinese.dat")) << "removed beneath the held file";
  EXPECT_TRUE(exists(shortcutPath()));
  EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, uninstallKey));
  CloseHandle(held);
  EXPECT_EQ(runToTheEnd(*uninstall + L" /S"), 0);
  EXPECT_FALSE(exists(directory));
  EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, uninstallKey));
  startFromNothing();
}

TEST(PortableCopy, RunsFromTheUnzippedFolderAndLooksWordsUp) {
  const std::wstring directory = hostPath(PORTABLE_COPY_DIR);
  RunningProgram running(directory);
  ASSERT_NE(running.mainWindow(), nullptr) << "the unzipped program shows no window";
  EXPECT_EQ(findWindowOf(running.processId(), L"#32770", L"Info Message"), nullptr) << "an article file is missing";
  const std::wstring article = running.lookUp(L"water");
  EXPECT_NE(article.find(L"水"), std::wstring::npos) << "the article view shows: " << article;
  EXPECT_EQ(running.exit(), 0u);
}

}  // namespace
