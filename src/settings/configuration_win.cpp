#include "settings/configuration_win.h"

#include <windows.h>

#include <algorithm>

#include "common/file_replace_win.h"
#include "common/handles_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "settings/configuration.h"
#include "settings/window_placement.h"

namespace {

// Reads at most maxConfigurationReadSize bytes; wholeFile tells whether that was all of it.
std::string readStartOfFile(HANDLE file, bool& wholeFile) {
  std::string bytes;
  char chunk[4096];
  wholeFile = false;
  while (bytes.size() < maxConfigurationReadSize) {
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof(chunk), maxConfigurationReadSize - bytes.size()));
    DWORD got = 0;
    if (!ReadFile(file, chunk, wanted, &got, nullptr)) return bytes;  // a read error ends the reading
    if (got == 0) {
      wholeFile = true;
      return bytes;
    }
    bytes.append(chunk, got);
  }
  DWORD got = 0;
  wholeFile = ReadFile(file, chunk, 1, &got, nullptr) && got == 0;
  return bytes;
}

}  // namespace

std::wstring configurationFilePath() { return fileBesideProgram(toWideText(configurationFileName)); }

void loadConfiguration(Settings& settings) {
  settings.clear();
  readConfiguration(settings);
}

bool readConfiguration(Settings& settings) {
  const std::wstring path = configurationFilePath();
  settings.clear();
  // Opened for update, as the file is meant to be rewritten: a read-only file counts as
  // missing. The attribute is checked as well because a process with administrative
  // rights can open such a file for writing on some systems.
  if (isReadOnlyFile(path)) return true;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool wholeFile = false;
  const std::string bytes = readStartOfFile(file.get(), wholeFile);
  settings = parseConfiguration(bytes, wholeFile);
  return true;
}

bool updateConfiguration(const Settings& changes) {
  Settings current;
  if (!readConfiguration(current)) return false;
  for (const auto& change : changes) current[change.first] = change.second;
  keepMissingSettingsOff(current);
  return saveConfiguration(current);
}

bool saveConfiguration(const Settings& settings) {
  return replaceFileContents(configurationFilePath(), serialiseConfiguration(settings));
}
