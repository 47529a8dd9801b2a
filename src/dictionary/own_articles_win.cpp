#include "dictionary/own_articles_win.h"

#include <string>
#include <vector>

#include "app/app_state_win.h"
#include "common/file_replace_win.h"
#include "common/globals.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/own_articles.h"

namespace {

enum class OwnFileRead { absent, read, damaged };

// The whole file as UTF-16 text, unscrambled. Anything but a whole, readable file of an even
// size within the article file limit counts as damaged.
OwnFileRead readOwnFile(const std::wstring& path, std::u16string& text) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return OwnFileRead::absent;
  }
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file.isOpen() || !GetFileSizeEx(file.handle, &size) || size.QuadPart < 0 ||
      !isAcceptableArticleFileSize(static_cast<std::uint64_t>(size.QuadPart)) || size.QuadPart % 2 != 0) {
    return OwnFileRead::damaged;
  }
  text.assign(static_cast<std::size_t>(size.QuadPart / 2), u'\0');
  auto* bytes = reinterpret_cast<unsigned char*>(text.data());
  const auto byteCount = static_cast<DWORD>(size.QuadPart);
  DWORD done = 0;
  while (done < byteCount) {
    DWORD got = 0;
    if (!ReadFile(file.handle, bytes + done, byteCount - done, &got, nullptr) || got == 0) return OwnFileRead::damaged;
    done += got;
  }
  unscrambleArticleBytes(bytes, byteCount);
  std::vector<OwnRecord> records;
  return readOwnRecords(text, records) ? OwnFileRead::read : OwnFileRead::damaged;
}

// The first of "<file>.damaged", "<file>.damaged2", ... that does not exist yet.
std::wstring asidePath(const std::wstring& path) {
  std::wstring aside = path + L".damaged";
  for (int n = 2; GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES && n < 1000; ++n) {
    aside = path + L".damaged" + std::to_wstring(n);
  }
  return aside;
}

// Copies a file that could not be read at start-up aside before it is first replaced, so
// whatever the user had in it can still be recovered. True when it is safe to replace.
bool keepDamagedFileAside(HWND owner, int tab) {
  if (!app.ownFileDamaged[tab]) return true;
  const std::wstring path = ownArticlesPath(tab);
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    app.ownFileDamaged[tab] = false;
    return true;
  }
  const std::wstring aside = asidePath(path);
  if (!CopyFileW(path.c_str(), aside.c_str(), TRUE)) {
    showInfoMessage(owner, L"Your own articles file\r\n" + path +
                               L"\r\ncould not be read at start and could not be copied aside to\r\n" + aside +
                               L"\r\nbefore it is replaced, so nothing was saved. Please move the file away or make "
                               L"room on the disk, then save again.");
    return false;
  }
  app.ownFileDamaged[tab] = false;
  return true;
}

void useOwnText(int tab, std::u16string text) {
  app.ownText[tab] = std::move(text);
  app.ownSearchTexts[tab] = prepareArticleText(app.ownText[tab]);
}

}  // namespace

std::wstring ownArticlesPath(int tab) { return fileBesideProgram(toWideText(ownArticleFileName(tab))); }

void loadOwnArticles() {
  for (int tab = 0; tab < 2; ++tab) {
    const std::wstring path = ownArticlesPath(tab);
    std::u16string text;
    const OwnFileRead read = readOwnFile(path, text);
    app.ownFileDamaged[tab] = read == OwnFileRead::damaged;
    useOwnText(tab, read == OwnFileRead::read ? std::move(text) : std::u16string(emptyOwnArticles));
    if (read == OwnFileRead::damaged) {
      showInfoMessage(L"Your own articles file\r\n" + path +
                      L"\r\ncould not be read, so its articles are not shown. The file was left as it is; a copy "
                      L"of it is kept beside it, ending in \".damaged\", before your next own article in " +
                      toWideText(tabLabel(tab)) + L" replaces it. The dictionary's articles work as before.");
    }
  }
}

bool changeOwnArticle(HWND owner, int tab, std::u16string_view headword, std::u16string_view storedArticle) {
  std::u16string changed = storedArticle.empty() ? withoutOwnArticle(app.ownText[tab], headword)
                                                 : withOwnArticle(app.ownText[tab], headword, storedArticle);
  if (!keepDamagedFileAside(owner, tab)) return false;
  const std::wstring path = ownArticlesPath(tab);
  std::string bytes(reinterpret_cast<const char*>(changed.data()), changed.size() * sizeof(char16_t));
  scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  if (!replaceFileContents(path, bytes)) {
    showInfoMessage(owner, L"Your own article could not be saved to\r\n" + path +
                               L"\r\nNothing was changed. The file or its folder may be read-only, or the disk "
                               L"full; your text is still in the dialog.");
    return false;
  }
  useOwnText(tab, std::move(changed));
  return true;
}

std::u16string_view ownArticleOf(int tab, std::u16string_view headword) {
  if (checkOwnInput(headword, u"x\r\n").rule != OwnInputRule::Kept) return {};
  const ArticleLookup lookup = findArticle(app.ownSearchTexts[tab], headword);
  return lookup.status == ArticleStatus::Found ? lookup.article : std::u16string_view();
}
