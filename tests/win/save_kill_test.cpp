// Saving Configuration.dat survives the saving process being killed at any moment: a
// stand-in process saves in a loop and is killed again and again, and every time the file
// is found whole.
#include <gtest/gtest.h>

#include <optional>
#include <cstdio>
#include <random>
#include <string>

#include "test_support_win.h"

namespace {

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
  const std::wstring saver = testExecutableDirectory() + L"\\configuration_saver.exe";
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delay(0, 25);

  // Kills that came after the saver's first save, so in the middle of its loop.
  int killsAmidSaving = 0;
  unsigned long savesSeen = 0;
  for (int kill = 0; kill < 30; ++kill) {
    const std::wstring eventName =
        L"configuration-saver-ready-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(kill);
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    {
      ChildProcess saving(saver, L"\"" + directory + L"\" " + eventName, directory);
      ASSERT_TRUE(saving.started) << "kill " << kill << ": configuration_saver.exe did not start, error "
                                  << saving.error;
      const DWORD waited = WaitForSingleObject(ready, 20000);
      CloseHandle(ready);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the saver never completed a save";
      Sleep(static_cast<DWORD>(delay(random)));
      ASSERT_TRUE(TerminateProcess(saving.info.hProcess, 1));
      ASSERT_EQ(WaitForSingleObject(saving.info.hProcess, 10000), WAIT_OBJECT_0);
    }
    const auto bytes = readFileBytes(configuration);
    ASSERT_TRUE(bytes.has_value()) << "kill " << kill << " left no Configuration.dat";
    const auto number = wholeSaveNumber(*bytes);
    ASSERT_TRUE(number.has_value()) << "kill " << kill << " left a broken file: \"" << *bytes << "\"";
    EXPECT_GE(*number, 1u) << "the saver's first save had completed";
    killsAmidSaving += *number > 1;
    savesSeen += *number;
  }
  EXPECT_GT(killsAmidSaving, 0) << "every kill came right after the first save; the test proves little";
  std::printf("%d of 30 kills came amid saving; %lu saves completed before the kills\n", killsAmidSaving, savesSeen);
}

}  // namespace
