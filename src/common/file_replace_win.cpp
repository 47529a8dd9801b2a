#include "common/file_replace_win.h"

#include "common/handles_win.h"

namespace {

bool writeWholeFile(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file);
}

// Writes the bytes into the open temporary file, then moves it over `path`; the temporary
// file is removed when anything fails.
bool writeThenMoveOver(FileHandle& file, const std::wstring& temporaryPath, const std::wstring& path,
                       const std::string& bytes) {
  const bool written = writeWholeFile(file.get(), bytes);
  file.reset();
  if (written && MoveFileExW(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(temporaryPath.c_str());
  return false;
}

}  // namespace

bool isReadOnlyFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool replaceFileContents(const std::wstring& path, const std::string& bytes) {
  // A user who made the file read-only does not want it rewritten; replacing it would
  // otherwise succeed on systems that let a rename overwrite a read-only file.
  if (isReadOnlyFile(path) || bytes.size() > MAXDWORD) return false;
  const std::wstring temporaryPath = path + L".tmp";
  // No sharing while it is written, so a second copy of the program saving at the same
  // moment cannot interleave with it; it fails and reports instead.
  FileHandle file(
      CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) return false;
  return writeThenMoveOver(file, temporaryPath, path, bytes);
}

bool replaceChosenFileContents(const std::wstring& path, const std::string& bytes) {
  if (isReadOnlyFile(path) || bytes.size() > MAXDWORD) return false;
  for (int n = 1; n < 1000; ++n) {
    const std::wstring temporaryPath = path + L".tmp" + (n == 1 ? std::wstring() : std::to_wstring(n));
    FileHandle file(
        CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.isOpen()) return writeThenMoveOver(file, temporaryPath, path, bytes);
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

std::wstring damagedCopyPath(const std::wstring& path) {
  std::wstring aside = path + L".damaged";
  for (int n = 2; GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES && n < 1000; ++n) {
    aside = path + L".damaged" + std::to_wstring(n);
  }
  return aside;
}
