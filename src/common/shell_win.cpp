#include "common/shell_win.h"

#include <shellapi.h>

#include "common/paths.h"
#include "common/text_seam_win.h"

namespace {
std::wstring programDirectoryOverride;
void (*shellOpenRecorder)(const std::wstring&) = nullptr;
}  // namespace

// The buffer grows until the whole path fits: a cut path would name files in some other
// folder.
std::wstring executablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};  // longer than any Windows path can be
    path.resize(path.size() * 2);
  }
}

namespace {

// The path the program's files are named from: the executable's, or in tests a path inside
// the fixture folder that stands for it.
std::u16string programPathForFiles() {
  if (!programDirectoryOverride.empty()) return toCoreText(programDirectoryOverride + L"\\program");
  return toCoreText(executablePath());
}

}  // namespace

std::wstring programDirectory() { return toWideText(directoryOfPath(programPathForFiles())); }

std::wstring fileBesideProgram(std::wstring_view relativeName) {
  return toWideText(fileBesideProgram(programPathForFiles(), toCoreText(relativeName)));
}

void setProgramDirectoryForTesting(const std::wstring& directory) { programDirectoryOverride = directory; }

bool shellOpen(const std::wstring& target) {
  if (shellOpenRecorder) {
    shellOpenRecorder(target);
    return true;
  }
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void setShellOpenForTesting(void (*recorder)(const std::wstring& target)) { shellOpenRecorder = recorder; }

void showInfoMessage(HWND owner, const std::wstring& text) { MessageBoxW(owner, text.c_str(), L"Info Message", MB_OK); }
