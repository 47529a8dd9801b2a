#include "dictionary/article_files_win.h"

#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"

ArticleFileRead readArticleFile(const std::wstring& path, ArticleFileBytes& file) {
  file = {};
  const FileHandle handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ArticleFileRead::absent
                                                                          : ArticleFileRead::notOpened;
  }
  // The full 64-bit size: the low 32 bits alone would take a 4 GiB + 10 byte file for a
  // 10 byte one. Files beyond the cap count as unreadable sizes.
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle.get(), &size) || size.QuadPart < 0 ||
      !isAcceptableArticleFileSize(static_cast<std::uint64_t>(size.QuadPart))) {
    file.size = INVALID_FILE_SIZE;
    return ArticleFileRead::sizeRefused;
  }
  file.size = static_cast<std::uint32_t>(size.QuadPart);
  file.block = GlobalBlock(articleBlockSize(file.size));
  if (!file.block) return ArticleFileRead::readFailed;
  // ReadFile may return fewer bytes than asked for; a read that fails or ends early leaves
  // no half a text behind.
  DWORD done = 0;
  while (done < file.size) {
    DWORD got = 0;
    if (!ReadFile(handle.get(), file.block.bytes() + done, file.size - done, &got, nullptr) || got == 0) {
      file.block.reset();
      return ArticleFileRead::readFailed;
    }
    done += got;
  }
  return ArticleFileRead::read;
}

void loadArticleFiles(LoadedDictionary& dictionary, HWND owner) {
  for (const Direction direction : bothDirections) {
    const int index = directionIndex(direction);
    const std::wstring path = fileBesideProgram(toWideText(articleFileRelativePath(direction)));
    // A failed allocation or read is not reported: the tab then finds nothing, which is
    // what the user sees of it.
    switch (readArticleFile(path, dictionary.files[index].bytes)) {
      case ArticleFileRead::read:
      case ArticleFileRead::readFailed:
        break;
      case ArticleFileRead::absent:
      case ArticleFileRead::notOpened:
        showInfoMessage(owner, toWideText(missingArticleFileMessage()));
        return;
      case ArticleFileRead::sizeRefused:
        showInfoMessage(owner, toWideText(index == 0 ? missingArticleFileMessage() : unreadableSecondFileMessage()));
        return;
    }
  }
  for (DictionaryFile& file : dictionary.files) file.text = file.bytes.block.bytes();
}

void unscrambleArticles(LoadedDictionary& dictionary) {
  auto& files = dictionary.files;
  // Each text that was read: a file that failed to read leaves its own tab without a text,
  // never the other tab searching scrambled bytes.
  if (dictionary.loaded()) {
    for (DictionaryFile& file : files) {
      if (file.bytes.block) unscrambleArticleBytes(file.bytes.block.bytes(), file.bytes.size);
    }
  }
  // The word search's one load-time pass: where the text ends and whether its records are
  // sorted, which lets every lookup binary-search instead of scanning the whole text.
  for (DictionaryFile& file : files) {
    if (!file.text) continue;
    const auto* units = reinterpret_cast<const char16_t*>(file.text);
    file.search = prepareArticleText(std::u16string_view(units, file.bytes.size / 2));
  }
}

void releaseArticleFiles(LoadedDictionary& dictionary) {
  for (DictionaryFile& file : dictionary.files) {
    file.bytes.block.reset();
    file.text = nullptr;
    file.search = {};
  }
}
