#include "dictionary/own_articles_win.h"

#include <string>
#include <vector>

#include "common/direction.h"
#include "common/file_replace_win.h"
#include "common/shell_win.h"
#include "common/text_seam_win.h"
#include "dictionary/article_files.h"
#include "dictionary/article_files_win.h"
#include "dictionary/own_articles.h"

namespace {

enum class OwnFileRead { absent, read, damaged };

// The whole file as UTF-16 text, unscrambled. Anything but a whole, readable file of an even
// size within the article file limit, in the grammar this program writes, counts as damaged.
OwnFileRead readOwnFile(const std::wstring& path, std::u16string& text) {
  ArticleFileBytes file;
  switch (readArticleFile(path, file)) {
    case ArticleFileRead::read:
      break;
    case ArticleFileRead::absent:
      return OwnFileRead::absent;
    default:
      return OwnFileRead::damaged;
  }
  if (file.size % 2 != 0) return OwnFileRead::damaged;
  unscrambleArticleBytes(file.block.bytes(), file.size);
  text.assign(reinterpret_cast<const char16_t*>(file.block.bytes()), file.size / 2);
  std::vector<OwnRecord> records;
  return readOwnRecords(text, records) ? OwnFileRead::read : OwnFileRead::damaged;
}
// Copies a file that could not be read (at start-up or when a save re-read it) aside before it
// is first replaced, so whatever the user had in it can still be recovered. True when it is
// safe to replace.
bool keepDamagedFileAside(HWND owner, DirectionState& state) {
  if (!state.own.fileDamaged) return true;
  const std::wstring path = ownArticlesPath(state.direction);
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    state.own.fileDamaged = false;
    return true;
  }
  const std::wstring aside = damagedCopyPath(path);
  if (!CopyFileW(path.c_str(), aside.c_str(), TRUE)) {
    showInfoMessage(owner, L"Your own articles file\r\n" + path +
                               L"\r\ncould not be read and could not be copied aside to\r\n" + aside +
                               L"\r\nbefore it is replaced, so nothing was saved. Please move the file away or make "
                               L"room on the disk, then save again.");
    return false;
  }
  state.own.fileDamaged = false;
  return true;
}

void useOwnText(OwnArticleTexts& own, std::u16string text) {
  own.text = std::move(text);
  own.search = prepareArticleText(own.text);
}

}  // namespace

std::wstring ownArticlesPath(Direction direction) {
  return fileBesideProgram(toWideText(ownArticleFileName(direction)));
}

void loadOwnArticles(DirectionStates& states, HWND owner) {
  for (DirectionState& state : states) {
    const std::wstring path = ownArticlesPath(state.direction);
    std::u16string text;
    const OwnFileRead read = readOwnFile(path, text);
    state.own.fileDamaged = read == OwnFileRead::damaged;
    useOwnText(state.own, read == OwnFileRead::read ? std::move(text) : std::u16string(emptyOwnArticles));
    if (read == OwnFileRead::damaged) {
      showInfoMessage(owner,
                      L"Your own articles file\r\n" + path +
                          L"\r\ncould not be read, so its articles are not shown. The file was left as it is; a copy "
                          L"of it is kept beside it, ending in \".damaged\", before your next own article in " +
                          toWideText(directionLabel(state.direction)) +
                          L" replaces it. The dictionary's articles work as before.");
    }
  }
}

bool changeOwnArticle(HWND owner, DirectionState& state, std::u16string_view headword,
                      std::u16string_view storedArticle) {
  const std::wstring path = ownArticlesPath(state.direction);
  // The change goes into the file as it is now: another running copy may have saved own
  // articles of its own since this one read it.
  std::u16string base;
  const OwnFileRead read = state.own.fileDamaged ? OwnFileRead::damaged : readOwnFile(path, base);
  const bool current = read == OwnFileRead::read;
  // A file spoilt since the start is kept aside before it is replaced, as one found so at
  // the start is.
  if (read == OwnFileRead::damaged) state.own.fileDamaged = true;
  const std::u16string_view text = current ? std::u16string_view(base) : std::u16string_view(state.own.text);
  std::u16string changed =
      storedArticle.empty() ? withoutOwnArticle(text, headword) : withOwnArticle(text, headword, storedArticle);
  if (!keepDamagedFileAside(owner, state)) return false;
  std::string bytes(reinterpret_cast<const char*>(changed.data()), changed.size() * sizeof(char16_t));
  scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  if (!replaceFileContents(path, bytes)) {
    showInfoMessage(owner, L"Your own article could not be saved to\r\n" + path +
                               L"\r\nNothing was changed. The file or its folder may be read-only, or the disk "
                               L"full; your text is still in the dialog.");
    return false;
  }
  useOwnText(state.own, std::move(changed));
  return true;
}

std::u16string_view ownArticleOf(const DirectionState& state, std::u16string_view headword) {
  if (checkOwnInput(headword, u"x\r\n").rule != OwnInputRule::Kept) return {};
  const ArticleLookup lookup = findArticle(state.own.search, headword);
  return lookup.status == ArticleStatus::Found ? lookup.article : std::u16string_view();
}
