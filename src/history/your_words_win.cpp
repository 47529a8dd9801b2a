#include "history/your_words_win.h"

#include <commctrl.h>

#include <cstdio>
#include <optional>

#include "common/file_replace_win.h"
#include "common/handles_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "common/window_text_win.h"

namespace {

enum class StoredFileRead { absent, read, damaged };

// The whole file, or absent or damaged: a folder in its place, a file that cannot be opened,
// or one larger than any the program writes (never read into memory).
StoredFileRead readStoredFile(const std::wstring& path, std::string& bytes) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? StoredFileRead::absent
                                                                          : StoredFileRead::damaged;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return StoredFileRead::damaged;
  FileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.isOpen()) return StoredFileRead::damaged;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxYourWordsFileSize) {
    return StoredFileRead::damaged;
  }
  bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())) {
    return StoredFileRead::damaged;
  }
  return StoredFileRead::read;
}

void tellDamaged(HWND owner, const std::wstring& path, const wchar_t* what) {
  showInfoMessage(owner, L"The file\r\n" + path + L"\r\ncould not be read, so " + what +
                             L" starts empty. The file was left as it is; a copy of it is kept beside it, ending in "
                             L"\".damaged\", before it is next saved. Everything else works as before.");
}

// Copies a file that could not be read (at start-up or at a later re-read) aside before it is
// first replaced.
// True when it is safe to replace.
bool keepDamagedFileAside(HWND owner, const std::wstring& path, bool& damaged, bool tell) {
  if (!damaged) return true;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    damaged = false;
    return true;
  }
  const std::wstring aside = damagedCopyPath(path);
  if (!CopyFileW(path.c_str(), aside.c_str(), TRUE)) {
    if (tell) {
      showInfoMessage(owner, L"The file\r\n" + path + L"\r\ncould not be read and could not be copied aside to\r\n" +
                                 aside +
                                 L"\r\nbefore it is replaced, so nothing was saved. Please move it away or make room "
                                 L"on the disk.");
    }
    return false;
  }
  damaged = false;
  return true;
}

LRESULT CALLBACK wordBoxEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR command,
                                 DWORD_PTR mainWindow) {
  const bool listOpen = SendMessageW(GetParent(edit), CB_GETDROPPEDSTATE, 0, 0) != 0;
  if (message == WM_KEYDOWN && wParam == VK_RETURN && !listOpen) {
    PostMessageW(reinterpret_cast<HWND>(mainWindow), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    return 0;
  }
  // The edit field would beep at a line break it cannot hold.
  if (message == WM_CHAR && wParam == L'\r' && !listOpen) return 0;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, wordBoxEditProc, command);
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

std::wstring historyFilePath() { return fileBesideProgram(toWideText(historyFileName)); }
std::wstring myWordsFilePath() { return fileBesideProgram(toWideText(myWordsFileName)); }

ReadYourWords readYourWordsFiles() {
  ReadYourWords result;
  std::string bytes;
  StoredFileRead read = readStoredFile(historyFilePath(), bytes);
  result.historyDamaged =
      read == StoredFileRead::damaged || (read == StoredFileRead::read && !readHistoryFile(bytes, result.words));
  bytes.clear();
  read = readStoredFile(myWordsFilePath(), bytes);
  result.myWordsDamaged =
      read == StoredFileRead::damaged || (read == StoredFileRead::read && !readMyWordsFile(bytes, result.words));
  return result;
}

void takeReadYourWords(YourWordsState& state, ReadYourWords read, HWND owner) {
  state.words = std::move(read.words);
  state.historyDamaged = read.historyDamaged;
  state.myWordsDamaged = read.myWordsDamaged;
  if (state.historyDamaged) tellDamaged(owner, historyFilePath(), L"the history of the words you looked up");
  if (state.myWordsDamaged) tellDamaged(owner, myWordsFilePath(), L"My Words");
}

bool saveHistory(YourWordsState& state, HWND owner) {
  const std::wstring path = historyFilePath();
  const bool tell = !state.historySaveFailureTold;
  if (!keepDamagedFileAside(owner, path, state.historyDamaged, tell)) {
    state.historySaveFailureTold = true;
    return false;
  }
  if (replaceFileContents(path, historyFileText(state.words))) return true;
  if (tell) {
    showInfoMessage(owner, L"The history could not be saved to\r\n" + path +
                               L"\r\nThe file or its folder may be read-only, or the disk full. The program goes on "
                               L"without saving it and does not tell again.");
  }
  state.historySaveFailureTold = true;
  return false;
}

bool saveMyWords(YourWordsState& state, HWND owner) {
  const std::wstring path = myWordsFilePath();
  if (!keepDamagedFileAside(owner, path, state.myWordsDamaged, true)) return false;
  if (replaceFileContents(path, myWordsFileText(state.words))) return true;
  showInfoMessage(owner, L"My Words could not be saved to\r\n" + path +
                             L"\r\nNothing was changed. The file or its folder may be read-only, or the disk full.");
  return false;
}

void rereadMyWords(YourWordsState& state) {
  if (state.myWordsDamaged) return;
  std::string bytes;
  if (readStoredFile(myWordsFilePath(), bytes) != StoredFileRead::read) return;
  YourWords read;
  if (readMyWordsFile(bytes, read)) {
    state.words.myWords = std::move(read.myWords);
  } else {
    // Spoilt since the start (edited by hand, cut short): kept aside before the next save
    // replaces it, as a file found so at the start is.
    state.myWordsDamaged = true;
  }
}

bool exportFlashcards(HWND owner, const std::wstring& path, const std::vector<MyWord>& cards) {
  if (replaceChosenFileContents(path, flashcardText(cards))) return true;
  showInfoMessage(owner, L"The flashcards could not be written to\r\n" + path +
                             L"\r\nNothing was changed. The folder may be read-only, or the disk full.");
  return false;
}

void showHistoryInWordBox(HWND wordBox, const std::vector<std::u16string>& history) {
  if (!wordBox || SendMessageW(wordBox, CB_GETDROPPEDSTATE, 0, 0)) return;
  // Items go one by one: emptying the list in one step would empty the box's text too.
  for (LRESULT count = SendMessageW(wordBox, CB_GETCOUNT, 0, 0); count > 0; --count) {
    SendMessageW(wordBox, CB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
  }
  for (const std::u16string& word : history) {
    SendMessageW(wordBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWideText(word).c_str()));
  }
}

std::wstring chosenHistoryWord(HWND wordBox) {
  const LRESULT chosen = SendMessageW(wordBox, CB_GETCURSEL, 0, 0);
  if (chosen < 0) return {};
  const LRESULT length = SendMessageW(wordBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen), 0);
  if (length <= 0) return {};
  std::wstring word(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(wordBox, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(word.data()));
  if (copied < 0 || copied > length) return {};
  word.resize(static_cast<std::size_t>(copied));
  return word;
}

void watchWordBoxEnter(HWND wordBox, HWND mainWindow, WORD command) {
  const HWND edit = GetWindow(wordBox, GW_CHILD);
  if (edit) SetWindowSubclass(edit, wordBoxEditProc, command, reinterpret_cast<DWORD_PTR>(mainWindow));
}

std::u16string todayText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u", static_cast<unsigned>(now.wYear) % 10000u,
                static_cast<unsigned>(now.wMonth) % 100u, static_cast<unsigned>(now.wDay) % 100u);
  return std::u16string(text, text + 10);
}
