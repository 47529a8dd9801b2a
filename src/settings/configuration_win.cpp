#include "settings/configuration_win.h"

#include <windows.h>

#include <algorithm>

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "settings/configuration.h"

namespace {

struct FileHandle {
  HANDLE handle;
  explicit FileHandle(HANDLE opened) : handle(opened) {}
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
  void close() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
  }
};

bool isReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

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

bool writeWholeFile(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file);
}

}  // namespace

std::wstring configurationFilePath() { return fileBesideProgram(toWideText(configurationFileName)); }

void loadConfiguration() {
  const std::wstring path = configurationFilePath();
  app.settings.clear();
  // Opened for update, as the file is meant to be rewritten: a read-only file counts as
  // missing. The attribute is checked as well because a process with administrative
  // rights can open such a file for writing on some systems.
  if (isReadOnlyFile(path)) return;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) return;
  bool wholeFile = false;
  const std::string bytes = readStartOfFile(file.handle, wholeFile);
  app.settings = parseConfiguration(bytes, wholeFile);
}

bool saveConfiguration() {
  const std::wstring path = configurationFilePath();
  // A user who made the file read-only does not want it rewritten; replacing it would
  // otherwise succeed on systems that let a rename overwrite a read-only file.
  if (isReadOnlyFile(path)) return false;
  const std::wstring temporaryPath = path + L".tmp";
  const std::string bytes = serialiseConfiguration(app.settings);

  // No sharing while it is written, so a second copy of the program saving at the same
  // moment cannot interleave with it; it fails and reports instead.
  FileHandle file(CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.isOpen()) return false;
  const bool written = writeWholeFile(file.handle, bytes);
  file.close();
  if (written && MoveFileExW(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporaryPath.c_str());
  return false;
}
