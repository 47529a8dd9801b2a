// Helpers for driving the real program inside a test process under Wine.
#pragma once
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A fresh folder for one test's fixture files, which the program then takes for its own
// directory. Named after the running test, emptied first.
std::wstring makeFixtureDirectory();
// Writes an article file (index 0 or 1) from plain text, scrambled as the program stores it.
void writeArticleFile(const std::wstring& directory, int index, const std::u16string& plainText);
void writeRawFile(const std::wstring& path, const std::string& bytes);

// The folder of the running test executable, and the program as the build made it.
std::wstring testExecutableDirectory();
std::wstring builtProgramPath();

// The whole text of a window or control.
std::wstring textOf(HWND control);
// How many headwords a tab's word list holds.
int listCount(int tab);
// A file's bytes, or nothing when it cannot be opened; other processes may go on writing,
// replacing or deleting it meanwhile.
std::optional<std::string> readFileBytes(const std::wstring& path);

// Replaces the clipboard's contents with text, and reads its text back.
void putTextOnClipboard(const std::wstring& text);
std::wstring clipboardText();

// The real program as its own process: copies the built program into a fixture folder,
// starts it there and waits for its main window (null when none appeared).
bool installProgramCopy(const std::wstring& directory);
HWND startInstalledProgram(const std::wstring& directory, PROCESS_INFORMATION& process);
// The main window of the given process, or null.
HWND findMainWindowOf(DWORD processId);
// Ends the program through File, Exit and returns its exit code (or a failure value); closes
// the process handles.
DWORD exitInstalledProgram(HWND window, PROCESS_INFORMATION& process);

// A program started with arguments in a folder; ended (killed) when this goes out of scope
// if it still runs. Starting a process under Wine on a busy machine now and then fails for a
// moment, so it tries a few times; `error` holds the last failure.
struct ChildProcess {
  PROCESS_INFORMATION info{};
  bool started = false;
  DWORD error = 0;
  ChildProcess(const std::wstring& program, const std::wstring& arguments, const std::wstring& directory);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
};

// Loads the window texts, registers the class and runs the real start-up sequence.
bool startProgram(int showCommand = SW_SHOWNORMAL);
// Sends the Exit command and pumps messages until the quit message; returns its code, or
// -1 when the program did not quit within the time limit.
int exitProgramAndWait();
// Pumps the thread's pending messages for the given time.
void pumpMessages(DWORD milliseconds);
// Presses keys with the given modifiers held, then Insert, as the user would.
void pressInsertWith(const std::vector<WORD>& modifiers);

// A visible top-level window of the given process with the given class and caption, or
// null. Other test processes share the desktop, so a search by name alone could find theirs.
HWND findWindowOf(DWORD processId, const wchar_t* className, const wchar_t* caption);
// The same, in this process.
HWND findOwnWindow(const wchar_t* className, const wchar_t* caption);

// Watches for the program's "Info Message" boxes as a user would see them: finds each box
// by its title, reads its text and presses OK.
struct MessageBoxWatcher {
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  std::vector<std::wstring> texts();

 private:
  void watch();
  std::atomic<bool> stopping{false};
  CRITICAL_SECTION lock;
  std::vector<std::wstring> seen;
  std::thread worker;
};
