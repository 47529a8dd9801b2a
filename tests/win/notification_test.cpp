// The start and exit notification requests of the real program, as a real HTTP server on
// loopback sees them. loopback_http_server.py runs this test with its listeners named in the
// environment; the program reaches them through the system's proxy setting (http_proxy, which
// Wine's WinINet honours), so the vendor's host name never has to resolve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resource.h"
#include "test_support_win.h"

namespace {

// What Wine 8's WinINet sends for the program's requests through a proxy. For a proxy it
// builds the absolute form of the target itself, "http://" + host + ":80/", and puts it in
// front of the object name without noticing that the name is already an absolute URL; the
// double slash of the stored address stays, the blank goes out as %20, and WinINet adds a
// "Content-Length: 0" of its own. The program adds no header and sends no body.
const std::string startRequest =
    "HEAD http://tandemox.example:80/http://tandemox.example//home?client=DesktopVersion_1.2.15%20Chinese HTTP/1.1\r\n"
    "Host: tandemox.example\r\n"
    "Content-Length: 0\r\n"
    "User-Agent: Tandemox notification agent\r\n"
    "Connection: Keep-Alive\r\n"
    "\r\n";
const std::string exitRequest =
    "HEAD http://tandemox.example:80/http://tandemox.example//home?client=DesktopVersion_1.2.15%20Chinese"
    "&SessionCompleted HTTP/1.1\r\n"
    "Host: tandemox.example\r\n"
    "Content-Length: 0\r\n"
    "User-Agent: Tandemox notification agent\r\n"
    "Connection: Keep-Alive\r\n"
    "\r\n";

std::wstring environmentValue(const wchar_t* name) {
  wchar_t value[1024] = L"";
  const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
  if (length == 0 || length >= std::size(value)) return {};
  return value;
}

// A listener's "127.0.0.1:PORT"; empty, with the test failed, when the server script did not
// start this run.
std::wstring listenerAddress(const wchar_t* name) {
  const std::wstring address = environmentValue(name);
  if (address.empty()) {
    ADD_FAILURE() << std::string(name, name + wcslen(name))
                  << " is not set: the test runs through tests/win/loopback_http_server.py";
  }
  return address;
}

struct Record {
  std::string name;   // NNN-LISTENER.request
  std::string bytes;  // the raw request as received
};

std::string readWholeFile(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

// The requests the server has stored so far, in the order they arrived.
std::vector<Record> storedRequests() {
  const std::wstring folder = environmentValue(L"NOTIFICATION_TEST_RECORDS");
  std::vector<Record> records;
  if (folder.empty()) return records;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((folder + L"\\*.request").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return records;
  do {
    const std::wstring name = entry.cFileName;
    records.push_back({std::string(name.begin(), name.end()), readWholeFile(folder + L"\\" + name)});
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.name < b.name; });
  return records;
}

// Waits until at least count requests are stored or the time is up; returns what is stored.
std::vector<Record> waitForRequests(size_t count, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  auto records = storedRequests();
  while (records.size() < count && GetTickCount64() < end) {
    Sleep(20);
    records = storedRequests();
  }
  return records;
}

// The program as built, installed into the test's fixture folder and started as its own
// process with http_proxy pointing at one of the listeners. Ends the process if a test
// leaves it running.
struct InstalledProgram {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;

  ~InstalledProgram() {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }

  void start(const std::wstring& proxyAddress) {
    const auto directory = makeFixtureDirectory();
    writeArticleFile(directory, 0, u"\n|a|一 yī\n|apple|苹果 píngguǒ\n");
    writeArticleFile(directory, 1, u"\n|水|shuǐ\n1. water\n");
    const std::wstring program = directory + L"\\TandemoxDictionary.exe";
    ASSERT_TRUE(CopyFileW(builtProgramPath().c_str(), program.c_str(), FALSE)) << "the program was not built";
    // The program inherits this; nothing else in the test process uses the network.
    ASSERT_TRUE(SetEnvironmentVariableW(L"http_proxy", (L"http://" + proxyAddress + L"/").c_str()));

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program + L"\"";
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               directory.c_str(), &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);
    for (int i = 0; i < 200 && !window; ++i) {
      window = findWindowOf(process.dwProcessId, L"KESTRELVALE_10",
                            L"Tandemox English to Chinese, Chinese to English Talking Dictionary");
      if (!window) Sleep(50);
    }
    ASSERT_NE(window, nullptr) << "no main window appeared";
  }

  // Chooses File, Exit and returns how long the process took to end, in milliseconds, or
  // a large number when it had not ended after ten seconds.
  ULONGLONG exitAndTime() {
    const ULONGLONG start = GetTickCount64();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) return 1000000;
    const ULONGLONG elapsed = GetTickCount64() - start;
    std::printf("the process ended %llu ms after Exit\n", elapsed);
    return elapsed;
  }

  DWORD exitCode() const {
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }
};

std::vector<std::string> namesOf(const std::vector<Record>& records) {
  std::vector<std::string> names;
  for (const auto& record : records) names.push_back(record.name);
  return names;
}

TEST(NotificationRequests, StartAndExitEachSendOneHeadRequestWithTheExactTarget) {
  const std::wstring proxy = listenerAddress(L"NOTIFICATION_TEST_ANSWERING");
  ASSERT_FALSE(proxy.empty());
  InstalledProgram program;
  ASSERT_NO_FATAL_FAILURE(program.start(proxy));

  auto records = waitForRequests(1, 10000);
  ASSERT_EQ(records.size(), 1u) << "the start-up request never reached the server";
  // A moment more shows that start-up sends one request and no more.
  Sleep(500);
  records = storedRequests();
  ASSERT_EQ(namesOf(records), std::vector<std::string>{"001-answering.request"});
  EXPECT_EQ(records[0].bytes, startRequest);

  const ULONGLONG exitTime = program.exitAndTime();
  EXPECT_LT(exitTime, 1000u) << "Exit took " << exitTime << " ms";
  EXPECT_EQ(program.exitCode(), 0u);

  waitForRequests(2, 5000);
  Sleep(500);  // and that exit sends no more than one
  records = storedRequests();
  ASSERT_EQ(namesOf(records), (std::vector<std::string>{"001-answering.request", "002-answering.request"}))
      << "exit sends exactly one more request";
  EXPECT_EQ(records[1].bytes, exitRequest);
}

// Starts the program with its proxy at the given listener, lets the start-up worker reach the
// network and chooses Exit: the process must end within a second whatever the network does.
void expectPromptExit(const wchar_t* listener, bool listenerReadsRequests) {
  const std::wstring proxy = listenerAddress(listener);
  ASSERT_FALSE(proxy.empty());
  InstalledProgram program;
  ASSERT_NO_FATAL_FAILURE(program.start(proxy));
  if (listenerReadsRequests) {
    // The start-up worker has sent its request and now waits for an answer that never comes.
    const auto records = waitForRequests(1, 10000);
    ASSERT_EQ(records.size(), 1u) << "the start-up request never reached the server";
    EXPECT_EQ(records[0].bytes, startRequest);
  } else {
    Sleep(500);  // time for the start-up worker to reach the network
  }

  const ULONGLONG exitTime = program.exitAndTime();
  EXPECT_LT(exitTime, 1000u) << "Exit took " << exitTime << " ms";
  EXPECT_EQ(program.exitCode(), 0u);
  if (listenerReadsRequests) {
    // The exit request went out beside the start-up one still waiting for its answer.
    const auto records = waitForRequests(2, 5000);
    ASSERT_EQ(records.size(), 2u) << "the exit request never reached the server";
    EXPECT_EQ(records[1].bytes, exitRequest);
  }
}

TEST(ExitWhileTheNetworkFails, EndsTheProcessWithinASecondWhenTheServerAcceptsAndNeverAnswers) {
  expectPromptExit(L"NOTIFICATION_TEST_STALLING", true);
}

TEST(ExitWhileTheNetworkFails, EndsTheProcessWithinASecondWhenTheServerNeverAccepts) {
  expectPromptExit(L"NOTIFICATION_TEST_UNACCEPTING", false);
}

TEST(ExitWhileTheNetworkFails, EndsTheProcessWithinASecondWhenNothingListens) {
  expectPromptExit(L"NOTIFICATION_TEST_REFUSING", false);
}

}  // namespace
