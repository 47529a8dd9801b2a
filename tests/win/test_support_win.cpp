#include "test_support_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/app_state_win.h"
#include "app/your_words_commands_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "resource.h"
#include "window_search_win.h"

namespace {

std::wstring executableDirectory() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring full(path, length);
  return full.substr(0, full.rfind(L'\\'));
}

void removeTree(const std::wstring& directory) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = directory + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(directory.c_str());
}

// Window enumeration callbacks are named CALLBACK functions: a lambda converts only to a
// pointer of the default calling convention, which 32-bit Windows does not call.
struct MainWindowSearch {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK matchMainWindow(HWND window, LPARAM parameter) {
  auto* wanted = reinterpret_cast<MainWindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  if (owner == wanted->processId && std::wstring(className) == L"KESTRELVALE_10") {
    wanted->window = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::wstring testExecutableDirectory() { return executableDirectory(); }

std::wstring builtProgramPath() { return executableDirectory() + L"\\..\\..\\src\\TandemoxDictionary.exe"; }

std::wstring textOf(HWND control) {
  wchar_t text[4096] = L"";
  GetWindowTextW(control, text, 4096);
  return text;
}

int listCount(int tab) {
  return static_cast<int>(SendMessageW(app.tabs[tab].controls.wordList, LVM_GETITEMCOUNT, 0, 0));
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

void putTextOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

std::wstring clipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = units;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring makeFixtureDirectory() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  // Parameterised tests have "/" in their names, which would name a folder below.
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const std::wstring root = executableDirectory() + L"\\fixtures";
  CreateDirectoryW(root.c_str(), nullptr);
  const std::wstring directory = root + L"\\" + std::wstring(name.begin(), name.end());
  removeTree(directory);
  CreateDirectoryW(directory.c_str(), nullptr);
  setProgramDirectoryForTesting(directory);
  return directory;
}

void writeRawFile(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create fixture file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

void writeArticleFile(const std::wstring& directory, int index, const std::u16string& plainText) {
  std::string bytes;
  for (const char16_t unit : plainText) {
    bytes += static_cast<char>(unit & 0xff);
    bytes += static_cast<char>(unit >> 8);
  }
  scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  CreateDirectoryW((directory + L"\\Articles").c_str(), nullptr);
  writeRawFile(directory + L"\\" + toWideText(articleFileRelativePath(directionOfSelection(index))), bytes);
}

bool installProgramCopy(const std::wstring& directory) {
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";
  return CopyFileW(builtProgramPath().c_str(), program.c_str(), FALSE) != FALSE;
}

HWND findMainWindowOf(DWORD processId) {
  MainWindowSearch search{processId, nullptr};
  EnumWindows(matchMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

HWND startInstalledProgram(const std::wstring& directory, PROCESS_INFORMATION& process) {
  const std::wstring program = directory + L"\\TandemoxDictionary.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                      &startup, &process)) {
    return nullptr;
  }
  // Generous, for an emulated machine; a program that starts in time costs no more.
  const DWORD limit = 60000;
  const DWORD started = GetTickCount();
  WaitForInputIdle(process.hProcess, limit);
  while (GetTickCount() - started < limit) {
    // The window can be found while it is still being made, before its controls exist; it
    // is ready once its thread answers messages from its message loop.
    const HWND window = findMainWindowOf(process.dwProcessId);
    DWORD_PTR ignored = 0;
    if (window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limit, &ignored)) return window;
    Sleep(50);
  }
  return nullptr;
}

DWORD exitInstalledProgram(HWND window, PROCESS_INFORMATION& process) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  DWORD exitCode = 0xDEAD;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

bool startProgram(int showCommand) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  loadWindowTexts(instance);
  registerMainWindowClass(instance);
  if (!startApplication(instance, showCommand)) return false;
  // The kept words are read beside start-up; a test starts once they are in.
  ensureYourWordsRead();
  return true;
}

void pumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

int exitProgramAndWait() {
  SendMessageW(app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < 10000) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
  return -1;
}

HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  return visibleWindowOf(processId, className, caption);
}

HWND findOwnWindow(const wchar_t* className, const wchar_t* caption) {
  return findWindowOf(GetCurrentProcessId(), className, caption);
}

MessageBoxWatcher::MessageBoxWatcher() {
  InitializeCriticalSection(&lock);
  worker = std::thread([this] { watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher() {
  stopping = true;
  worker.join();
  DeleteCriticalSection(&lock);
}

std::vector<std::wstring> MessageBoxWatcher::texts() {
  EnterCriticalSection(&lock);
  auto copy = seen;
  LeaveCriticalSection(&lock);
  return copy;
}

void MessageBoxWatcher::watch() {
  while (!stopping) {
    const HWND box = findOwnWindow(L"#32770", L"Info Message");
    if (box) {
      // A message box's text is the static control with id 0xFFFF.
      wchar_t text[1024] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));
      EnterCriticalSection(&lock);
      seen.emplace_back(text);
      LeaveCriticalSection(&lock);
      SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      // Wait for this box to go before looking for the next one.
      for (int i = 0; i < 400 && IsWindow(box); ++i) Sleep(5);
    }
    Sleep(10);
  }
}

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments, const std::wstring& directory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             directory.c_str(), &startup, &info);
    if (!started) error = GetLastError();
  }
}

ChildProcess::~ChildProcess() {
  if (!started) return;
  if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 10000);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
}

void pressInsertWith(const std::vector<WORD>& modifiers) {
  std::vector<INPUT> keys;
  auto key = [&](WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (code == VK_INSERT) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    keys.push_back(input);
  };
  for (const WORD modifier : modifiers) key(modifier, false);
  key(VK_INSERT, false);
  key(VK_INSERT, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, true);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}
