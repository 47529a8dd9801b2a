#include "dictionary/article_files_win.h"

#include "app/app_state_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/word_search.h"

namespace {

enum class LoadResult { loaded, notOpened, sizeUnreadable };

// Opens, sizes, allocates and reads one file. A failed allocation or read is not reported:
// the tab then finds nothing, which is what the user sees of it.
LoadResult loadArticleFile(int index) {
  const std::wstring path = fileBesideProgram(toWideText(articleFileRelativePath(index)));
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LoadResult::notOpened;

  // The full 64-bit size: the low 32 bits alone would take a 4 GiB + 10 byte file for a
  // 10 byte one. Files beyond the cap count as unreadable sizes.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
      !isAcceptableArticleFileSize(static_cast<std::uint64_t>(size.QuadPart))) {
    app.fileSize[index] = INVALID_FILE_SIZE;
    CloseHandle(file);
    return LoadResult::sizeUnreadable;
  }
  const auto byteCount = static_cast<std::uint32_t>(size.QuadPart);
  app.fileSize[index] = byteCount;

  auto* block = static_cast<unsigned char*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, articleBlockSize(byteCount)));
  app.fileText[index] = block;
  if (block) {
    DWORD bytesRead = 0;
    ReadFile(file, block, byteCount, &bytesRead, nullptr);
  }
  CloseHandle(file);
  return LoadResult::loaded;
}

}  // namespace

void loadArticleFiles() {
  for (int index = 0; index < 2; ++index) {
    switch (loadArticleFile(index)) {
      case LoadResult::loaded:
        break;
      case LoadResult::notOpened:
        showInfoMessage(toWideText(missingArticleFileMessage()));
        return;
      case LoadResult::sizeUnreadable:
        showInfoMessage(toWideText(index == 0 ? missingArticleFileMessage() : unreadableSecondFileMessage()));
        return;
    }
  }
  for (int tab = 0; tab < 2; ++tab) {
    app.tabText[tab] = app.fileText[tab];
    app.tabSize[tab] = app.fileSize[tab];
  }
}

void unscrambleArticles() {
  if (app.fileSize[0] != 0 && app.fileSize[1] != 0 && app.fileText[0] && app.fileText[1]) {
    for (int index = 0; index < 2; ++index) unscrambleArticleBytes(app.fileText[index], app.fileSize[index]);
  }
  // The word search's one load-time pass: where the text ends and whether its records are
  // sorted, which lets every lookup binary-search instead of scanning the whole text.
  for (int tab = 0; tab < 2; ++tab) {
    if (!app.tabText[tab]) continue;
    const auto* units = reinterpret_cast<const char16_t*>(app.tabText[tab]);
    app.searchTexts[tab] = prepareArticleText(std::u16string_view(units, app.tabSize[tab] / 2));
  }
}

void releaseArticleFiles() {
  for (int index = 0; index < 2; ++index) {
    if (app.fileText[index]) GlobalFree(app.fileText[index]);
    app.fileText[index] = nullptr;
    app.tabText[index] = nullptr;
    app.searchTexts[index] = {};
  }
}
