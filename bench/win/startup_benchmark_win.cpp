// How long the dictionary takes to start under Windows (or Wine), next to a minimal window
// program of ours started the same way in the same run, and how much memory it holds once
// started, next to the size of its article files.
//
// Each round starts both programs as new processes, alternately, and times from just before
// CreateProcess until the program's window is visible and answers messages; for the
// dictionary also until tab 0's article view shows the initial lookup. Then the process's
// memory counters are read and the program is closed. One unmeasured round warms the disk
// cache and the Wine server first.
//
// Usage: startup_benchmark FOLDER [ROUNDS]
//   FOLDER holds TandemoxDictionary.exe and its Articles\ (an installed copy of the program);
//   minimal_window.exe is taken from beside this benchmark.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resource.h"
#include "window_search_win.h"

namespace {

const wchar_t kDictionaryClass[] = L"KESTRELVALE_10";
const wchar_t kDictionaryCaption[] = L"Tandemox English to Chinese, Chinese to English Talking Dictionary";
const wchar_t kMinimalClass[] = L"MinimalWindow";
const wchar_t kMinimalCaption[] = L"Minimal window";
const DWORD kStartLimitMilliseconds = 60000;

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double millisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// True once the window's thread has reached its message loop and, when a control is named,
// that control holds text. A sent message is answered only while the thread takes messages.
bool answersWithText(HWND window, int controlId) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &result)) return false;
  if (controlId == 0) return true;
  // The article views are children of the tab control.
  HWND control = GetDlgItem(GetDlgItem(window, IDC_TAB_CONTROL), controlId);
  if (!control) return false;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 100, &result)) return false;
  return result > 0;
}

struct Start {
  bool ok = false;
  double milliseconds = 0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
};

// Starts a program, waits until it shows what it should, reads its memory, closes it.
Start startAndClose(const std::wstring& program, const std::wstring& folder, const wchar_t* className,
                    const wchar_t* caption, int readyControl, UINT closeCommand) {
  Start start;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + program + L"\"";
  LARGE_INTEGER began;
  QueryPerformanceCounter(&began);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
    return start;
  }
  HWND window = nullptr;
  while (millisecondsSince(began) < kStartLimitMilliseconds) {
    if (!window) window = visibleWindowOf(process.dwProcessId, className, caption);
    if (window && answersWithText(window, readyControl)) {
      start.milliseconds = millisecondsSince(began);
      start.ok = true;
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (start.ok) {
    start.memory.cb = sizeof(start.memory);
    GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&start.memory),
                         sizeof(start.memory));
    if (closeCommand) PostMessageW(window, WM_COMMAND, MAKEWPARAM(closeCommand, 0), 0);
    else PostMessageW(window, WM_CLOSE, 0, 0);
  } else {
    std::fwprintf(stderr, L"%ls did not show %ls in time\n", program.c_str(),
                  !window        ? L"its window"
                  : readyControl ? L"the initial lookup"
                                 : L"a window that answers");
    if (window) {
      // What the user would see instead, such as a message box.
      HWND other = GetLastActivePopup(window);
      wchar_t caption[256] = L"";
      if (other && other != window && GetWindowTextW(other, caption, 256))
        std::fwprintf(stderr, L"  showing: %ls\n", caption);
    }
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return start;
}

std::wstring folderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

std::wstring ownFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return folderOf(path);
    }
    path.resize(path.size() * 2);
  }
}

unsigned long long fileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double megabytes(double bytes) { return bytes / (1024.0 * 1024.0); }

}  // namespace

int wmain(int argumentCount, wchar_t** arguments) {
  if (argumentCount < 2) {
    std::fwprintf(stderr, L"usage: startup_benchmark FOLDER [ROUNDS]\n");
    return 2;
  }
  const std::wstring folder = arguments[1];
  const int rounds = argumentCount > 2 ? std::max(1, _wtoi(arguments[2])) : 10;
  const std::wstring dictionary = folder + L"\\TandemoxDictionary.exe";
  const std::wstring minimal = ownFolder() + L"\\minimal_window.exe";
  const double articleBytes = static_cast<double>(fileSize(folder + L"\\Articles\\Articles_English_Chinese.dat") +
                                                  fileSize(folder + L"\\Articles\\Articles_Chinese_English.dat"));

  // The program tells its vendor it started; keep that on this machine.
  SetEnvironmentVariableW(L"http_proxy", L"http://127.0.0.1:9/");

  std::vector<double> dictionaryTimes, minimalTimes, dictionaryPrivate, dictionaryWorkingSet, minimalPrivate,
      minimalWorkingSet;
  for (int round = -1; round < rounds; ++round) {
    const Start small = startAndClose(minimal, ownFolder(), kMinimalClass, kMinimalCaption, 0, 0);
    const Start full =
        startAndClose(dictionary, folder, kDictionaryClass, kDictionaryCaption, IDC_ARTICLE_VIEW, IDM_EXIT);
    if (!small.ok || !full.ok) return 1;
    if (round < 0) continue;  // warm-up
    std::printf("round %2d: minimal window %7.1f ms, dictionary %7.1f ms (%.2fx)\n", round + 1, small.milliseconds,
                full.milliseconds, full.milliseconds / small.milliseconds);
    minimalTimes.push_back(small.milliseconds);
    dictionaryTimes.push_back(full.milliseconds);
    minimalPrivate.push_back(static_cast<double>(small.memory.PrivateUsage));
    minimalWorkingSet.push_back(static_cast<double>(small.memory.WorkingSetSize));
    dictionaryPrivate.push_back(static_cast<double>(full.memory.PrivateUsage));
    dictionaryWorkingSet.push_back(static_cast<double>(full.memory.WorkingSetSize));
  }
  const double minimalMedian = median(minimalTimes), dictionaryMedian = median(dictionaryTimes);
  std::printf("start-up to the initial lookup, median of %d: dictionary %.1f ms, minimal window %.1f ms, ratio %.2f\n",
              rounds, dictionaryMedian, minimalMedian, dictionaryMedian / minimalMedian);
  // Resident memory is the working set; Wine leaves the private-bytes counter at zero, so it
  // is shown only where the system fills it in.
  const double dictionaryResident = median(dictionaryWorkingSet), minimalResident = median(minimalWorkingSet);
  std::printf("resident memory after start, median: dictionary %.1f MB, minimal window %.1f MB",
              megabytes(dictionaryResident), megabytes(minimalResident));
  if (median(dictionaryPrivate) > 0)
    std::printf(" (private: %.1f MB and %.1f MB)", megabytes(median(dictionaryPrivate)),
                megabytes(median(minimalPrivate)));
  std::printf(
      "\narticle files %.1f MB; the dictionary's resident memory beyond the minimal window %.1f MB (%.2f x the files)\n",
      megabytes(articleBytes), megabytes(dictionaryResident - minimalResident),
      articleBytes > 0 ? (dictionaryResident - minimalResident) / articleBytes : 0.0);
  return 0;
}
