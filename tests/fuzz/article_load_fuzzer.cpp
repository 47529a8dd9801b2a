// An article file's bytes, loaded as the program loads them (a zero-filled block with room
// for a padding byte and a terminating unit, unscrambled in place, cut at the first zero
// unit, checked for sorted records), then searched as typing and the word list search it:
// list the headwords for words taken from the text itself, and fetch the article of every
// listed headword, whole and as the word list gives it back (cut to 199 units). The block
// is allocated to its exact size, so AddressSanitizer sees any read past the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dictionary/article_files.h"
#include "dictionary/word_search.h"
#include "fuzz_check.h"

namespace {

// What a double-click reads back from a word list item.
constexpr std::size_t chosenHeadwordLength = 199;
// Enough words per input to reach deep into a text without making each run slow.
constexpr std::size_t maxRecordStartsTried = 24;

bool liesWithin(std::u16string_view part, std::u16string_view whole) {
  return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

void checkArticle(const ArticleText& text, std::u16string_view word) {
  const ArticleLookup lookup = findArticle(text, word);
  if (lookup.status != ArticleStatus::Found) return;
  FUZZ_CHECK(liesWithin(lookup.article, text.text), text.text, word);
  FUZZ_CHECK(lookup.article.find(u'|') == std::u16string_view::npos, text.text, word);
}

void walk(const ArticleText& text, std::u16string_view word) {
  const HeadwordListing listing = listHeadwords(text, word);
  FUZZ_CHECK(listing.count <= maxListedHeadwords, text.text, word);
  FUZZ_CHECK((listing.status == ListingStatus::Listed) == (listing.count > 0), text.text, word);
  for (std::size_t i = 0; i < listing.count; ++i) {
    const std::u16string_view headword = listing.headwords[i];
    FUZZ_CHECK(liesWithin(headword, text.text), text.text, word);
    FUZZ_CHECK(headword.size() <= maxListedHeadwordLength, text.text, word);
    FUZZ_CHECK(headword.find(u'|') == std::u16string_view::npos, text.text, word);
    checkArticle(text, headword);
    checkArticle(text, headword.substr(0, chosenHeadwordLength));
  }
  checkArticle(text, word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!isAcceptableArticleFileSize(size)) return 0;
  const auto fileSize = static_cast<std::uint32_t>(size);
  const std::size_t blockSize = articleBlockSize(fileSize);
  FUZZ_CHECK(blockSize % 2 == 0 && blockSize >= size + 2, u"", u"");

  // Allocated as units so the text is aligned as a wide string; written as bytes.
  const std::unique_ptr<char16_t[]> units(new char16_t[blockSize / 2]());
  auto* bytes = reinterpret_cast<unsigned char*>(units.get());
  if (size > 0) std::memcpy(bytes, data, size);
  unscrambleArticleBytes(bytes, size);
  for (std::size_t i = 0; i < size; ++i) {
    FUZZ_CHECK(bytes[i] == static_cast<unsigned char>(data[i] - 2), u"", u"");
  }
  // The padding byte and the terminator stay zero: the text always ends.
  for (std::size_t i = size; i < blockSize; ++i) FUZZ_CHECK(bytes[i] == 0, u"", u"");

  const std::u16string_view loaded(units.get(), size / 2);
  const ArticleText text = prepareArticleText(loaded);
  FUZZ_CHECK(text.text.data() == loaded.data(), text.text, u"");
  FUZZ_CHECK(text.text.size() == std::min(loaded.size(), loaded.find(u'\0')), text.text, u"");

  // Typing: the empty box, then for the first record starts their headwords, one unit of
  // each, and the headword with the article run on (what a pasted record would look like).
  walk(text, u"");
  std::size_t from = 0;
  for (std::size_t tried = 0; tried < maxRecordStartsTried; ++tried) {
    const std::size_t start = text.text.find(u"\n|", from);
    if (start == std::u16string_view::npos) break;
    const std::u16string_view rest = text.text.substr(start + 2);
    const std::size_t bar = rest.find(u'|');
    walk(text, rest.substr(0, bar));
    walk(text, rest.substr(0, 1));
    if (bar != std::u16string_view::npos) walk(text, rest.substr(0, bar + 4));
    from = start + 1;
  }
  return 0;
}
