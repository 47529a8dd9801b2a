#include "dictionary/word_search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// A record of the article text is "|" headword "|" article, and every record
// after the preamble begins with a line feed + "|" pair. A search finds the
// first occurrence of line feed + "|" + word; every occurrence of that pair is
// called a record start here, whatever the rest of the text looks like, and
// the units after it up to the next "|" (or the end of the text) its field.
//
// Two ways find the first occurrence:
// - a scan that visits the record starts in text order, a few units at a time;
// - a binary search, when the load-time check found the fields of all record
//   starts in non-decreasing code-unit order and the word holds neither "|" nor
//   a line feed. Such a word matches exactly at the record starts whose field
//   begins with it, and in sorted fields those form one run that begins at the
//   first field not smaller than the word.
// Both then walk the records after the match the same way.

namespace {

constexpr char16_t lineFeed = u'\n';
constexpr char16_t bar = u'|';
constexpr std::size_t none = std::u16string_view::npos;

// Word-at-a-time search for one code unit in units[from, end): eight units are
// tested per step with two 64-bit words, and only a step that holds the unit
// is looked at unit by unit. The zero-lane test may misplace a hit within the
// step but never reports one that is not there, so the order of units in the
// word does not matter.
std::size_t findUnit(const char16_t* units, std::size_t from, std::size_t end, char16_t wanted) {
  constexpr std::uint64_t lowBits = 0x0001000100010001ULL;
  constexpr std::uint64_t highBits = 0x8000800080008000ULL;
  const std::uint64_t pattern = lowBits * wanted;
  std::size_t i = from;
  while (end - i >= 8) {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    std::memcpy(&first, units + i, sizeof first);
    std::memcpy(&second, units + i + 4, sizeof second);
    first ^= pattern;
    second ^= pattern;
    const std::uint64_t hits = ((first - lowBits) & ~first) | ((second - lowBits) & ~second);
    if ((hits & highBits) != 0) {
      break;
    }
    i += 8;
  }
  for (; i < end; ++i) {
    if (units[i] == wanted) {
      return i;
    }
  }
  return none;
}

// The first line feed + "|" pair at a position in [from, limit) that leaves at
// least `unitsAfter` units of the text after the "|". It looks for the "|"
// and then at the unit before it: articles hold many line feeds (one per
// line) but no "|", so this stops about twice per record instead of at every
// line.
std::size_t findRecordStart(std::u16string_view text, std::size_t from, std::size_t limit, std::size_t unitsAfter) {
  const char16_t* units = text.data();
  const std::size_t size = text.size();
  const std::size_t barEnd = limit < size ? limit + 1 : size;
  std::size_t barFrom = from + 1;
  while (barFrom < barEnd) {
    const std::size_t at = findUnit(units, barFrom, barEnd, bar);
    if (at == none) {
      return none;
    }
    if (units[at - 1] == lineFeed && size - at >= 1 + unitsAfter) {
      return at - 1;
    }
    barFrom = at + 1;
  }
  return none;
}

// A word with "|" can match across a headword's end, which the sorted order of
// headwords says nothing about. A line feed without "|" cannot, but such words
// only come from pasted text and the scan is plainly right for them too.
bool containsFieldBreak(std::u16string_view word) {
  for (char16_t unit : word) {
    if (unit == bar || unit == lineFeed) {
      return true;
    }
  }
  return false;
}

// The word box text as far as a key holds it: a zero unit ends it as it would
// end a C string, and the key's fixed size cuts it.
std::u16string_view keyWord(std::u16string_view wordBoxText, std::size_t maxLength) {
  std::u16string_view word = wordBoxText.substr(0, maxLength);
  const std::size_t zero = word.find(u'\0');
  return zero == none ? word : word.substr(0, zero);
}

bool wordFollows(std::u16string_view text, std::size_t at, std::u16string_view word) {
  return text.size() - at >= word.size() && text.compare(at, word.size(), word) == 0;
}

// The scan: the first record start followed by the word, and by "|" too when
// `closed` asks for it.
std::size_t scanForWord(std::u16string_view text, std::u16string_view word, bool closed) {
  const std::size_t unitsAfter = word.size() + (closed ? 1 : 0);
  std::size_t from = 0;
  for (;;) {
    const std::size_t start = findRecordStart(text, from, text.size(), unitsAfter);
    if (start == none) {
      return none;
    }
    const std::size_t wordAt = start + 2;
    if (wordFollows(text, wordAt, word) && (!closed || text[wordAt + word.size()] == bar)) {
      return start;
    }
    from = start + 1;
  }
}

enum class FieldOrder { Smaller, BeginsWithWord, Greater };

// Compares the field of the record start at `start` with a word that holds no
// "|": a field that ends before the word does is the smaller.
FieldOrder compareField(std::u16string_view text, std::size_t start, std::u16string_view word) {
  const std::size_t fieldAt = start + 2;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (fieldAt + k >= text.size() || text[fieldAt + k] == bar) {
      return FieldOrder::Smaller;
    }
    const char16_t unit = text[fieldAt + k];
    if (unit != word[k]) {
      return unit < word[k] ? FieldOrder::Smaller : FieldOrder::Greater;
    }
  }
  return FieldOrder::BeginsWithWord;
}

// The first four units of a field or word, each in 16 bits from the highest,
// missing units as zero. Neither holds a zero unit (the text is cut at its
// first), so a smaller key means a smaller field and a greater key a greater
// one; equal keys say nothing.
std::uint64_t packedKey(std::u16string_view units) {
  std::uint64_t key = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    key = key << 16 | (k < units.size() ? units[k] : 0u);
  }
  return key;
}

// The first record start whose field is not smaller than the word, in a text
// whose fields are sorted. The fences first bound the range: those with a
// smaller key lie before the answer, those with a greater one at or after it.
// Probes then land anywhere; each moves on to the next record start before
// [lo, hi) is narrowed. Record starts before `lo` have smaller fields, those
// from `hi` on do not, and `best` is the first of those. Each probe reads at
// most the half of the range it discards, so even records of any length cost
// no more than one pass.
std::size_t firstFieldNotBefore(const ArticleText& sorted, std::u16string_view word) {
  const std::u16string_view text = sorted.text;
  std::size_t lo = 0;
  std::size_t hi = text.size();
  std::size_t best = none;
  if (!sorted.fences.empty()) {
    const std::uint64_t key = packedKey(word);
    const auto& fences = sorted.fences;
    const auto smaller = std::lower_bound(fences.begin(), fences.end(), key,
                                          [](const ArticleText::Fence& f, std::uint64_t k) { return f.key < k; });
    const auto greater = std::upper_bound(smaller, fences.end(), key,
                                          [](std::uint64_t k, const ArticleText::Fence& f) { return k < f.key; });
    if (smaller != fences.begin()) {
      lo = std::prev(smaller)->start + 1;
    }
    if (greater != fences.end()) {
      hi = greater->start;
      best = greater->start;
    }
  }
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    const std::size_t start = findRecordStart(text, mid, hi, 1);
    if (start == none) {
      hi = mid;
    } else if (compareField(text, start, word) == FieldOrder::Smaller) {
      lo = start + 1;
    } else {
      best = start;
      hi = mid;
    }
  }
  return best;
}

bool useBinarySearch(const ArticleText& text, std::u16string_view word) {
  return text.sortedRecords && !containsFieldBreak(word);
}

// The record start of the first occurrence of line feed + "|" + word.
std::size_t findListingMatch(const ArticleText& text, std::u16string_view word) {
  if (!useBinarySearch(text, word)) {
    return scanForWord(text.text, word, false);
  }
  const std::size_t start = firstFieldNotBefore(text, word);
  if (start == none || compareField(text.text, start, word) != FieldOrder::BeginsWithWord) {
    return none;
  }
  return start;
}

// The record start of the first occurrence of line feed + "|" + word + "|".
std::size_t findArticleMatch(const ArticleText& text, std::u16string_view word) {
  if (!useBinarySearch(text, word)) {
    return scanForWord(text.text, word, true);
  }
  // Equal fields sort before longer ones, so the first field not smaller
  // than the word is the only candidate for an exact match.
  const std::size_t start = firstFieldNotBefore(text, word);
  if (start == none || compareField(text.text, start, word) != FieldOrder::BeginsWithWord) {
    return none;
  }
  const std::size_t end = start + 2 + word.size();
  return end < text.text.size() && text.text[end] == bar ? start : none;
}

std::size_t findBar(std::u16string_view text, std::size_t from) {
  return from >= text.size() ? none : findUnit(text.data(), from, text.size(), bar);
}

// The load-time check: whether the fields of all record starts are in order,
// collecting the fences on the way when asked to.
bool checkRecordOrder(std::u16string_view text, std::vector<ArticleText::Fence>* fences) {
  std::u16string_view previous;
  bool first = true;
  std::size_t count = 0;
  std::size_t start = findRecordStart(text, 0, text.size(), 1);
  while (start != none) {
    const std::size_t fieldAt = start + 2;
    const std::size_t fieldEnd = findBar(text, fieldAt);
    const std::u16string_view field = text.substr(fieldAt, (fieldEnd == none ? text.size() : fieldEnd) - fieldAt);
    if (!first && field < previous) {
      return false;
    }
    if (fences && count++ % recordFenceSpacing == 0) {
      fences->push_back({packedKey(field), start});
    }
    previous = field;
    first = false;
    if (fieldEnd == none) {
      break;
    }
    // No "|" lies inside the field, so the next pair's "|" is at or after
    // the field's end.
    start = findRecordStart(text, fieldEnd - 1, text.size(), 1);
  }
  return true;
}

}  // namespace

ArticleText prepareArticleText(std::u16string_view loadedText) {
  ArticleText prepared;
  const std::size_t zero = findUnit(loadedText.data(), 0, loadedText.size(), u'\0');
  prepared.text = zero == none ? loadedText : loadedText.substr(0, zero);
  prepared.sortedRecords = checkRecordOrder(prepared.text, &prepared.fences);
  if (!prepared.sortedRecords) {
    prepared.fences = {};
  }
  return prepared;
}

namespace {

// The listing walk. With `last`, a headword after the first that is greater than *last
// ends the listing.
HeadwordListing listFrom(const ArticleText& text, std::u16string_view wordBoxText, const std::u16string_view* last) {
  HeadwordListing listing;
  const std::u16string_view word = keyWord(wordBoxText, maxListingWordLength);
  const std::size_t start = findListingMatch(text, word);
  if (start == none) {
    return listing;
  }
  const std::u16string_view all = text.text;
  std::size_t headwordAt = start + 2;
  for (;;) {
    const std::size_t headwordEnd = findBar(all, headwordAt);
    if (headwordEnd == none) {
      // What is left has no closing "|": an empty tail after the last
      // article, or a cut-off headword. Neither is a record; a listing
      // that reaches it keeps the records before it.
      if (listing.count == 0 && headwordAt < all.size()) {
        listing.status = ListingStatus::UnclosedHeadword;
      }
      return listing;
    }
    std::size_t length = headwordEnd - headwordAt;
    if (length > maxListedHeadwordLength) {
      length = maxListedHeadwordLength;
    }
    const std::u16string_view headword = all.substr(headwordAt, length);
    if (last != nullptr && listing.count > 0 && headword > *last) {
      return listing;
    }
    listing.headwords[listing.count] = headword;
    ++listing.count;
    listing.status = ListingStatus::Listed;
    if (listing.count == maxListedHeadwords) {
      return listing;
    }
    // The end of the text ends the last article.
    const std::size_t articleEnd = findBar(all, headwordEnd + 1);
    if (articleEnd == none) {
      return listing;
    }
    headwordAt = articleEnd + 1;
  }
}

}  // namespace

HeadwordListing listHeadwords(const ArticleText& text, std::u16string_view wordBoxText) {
  return listFrom(text, wordBoxText, nullptr);
}

HeadwordListing listHeadwordsUpTo(const ArticleText& text, std::u16string_view wordBoxText, std::u16string_view last) {
  return listFrom(text, wordBoxText, &last);
}

ArticleLookup articleOfListedHeadword(const ArticleText& text, std::u16string_view listedHeadword) {
  ArticleLookup lookup;
  const std::u16string_view all = text.text;
  const char16_t* at = listedHeadword.data();
  if (at < all.data() || at > all.data() + all.size()) {
    return lookup;
  }
  const std::size_t headwordAt = static_cast<std::size_t>(at - all.data());
  const std::size_t headwordEnd = findBar(all, headwordAt);
  if (headwordEnd == none) {
    return lookup;
  }
  const std::size_t articleAt = headwordEnd + 1;
  const std::size_t articleEnd = findBar(all, articleAt);
  lookup.status = ArticleStatus::Found;
  lookup.article = all.substr(articleAt, (articleEnd == none ? all.size() : articleEnd) - articleAt);
  return lookup;
}

ArticleLookup findArticle(const ArticleText& text, std::u16string_view wordBoxText) {
  ArticleLookup lookup;
  const std::u16string_view word = keyWord(wordBoxText, maxArticleWordLength);
  const std::size_t start = findArticleMatch(text, word);
  if (start == none) {
    return lookup;
  }
  const std::u16string_view all = text.text;
  // The headword ends at the first "|" after the record start's "|"; the
  // matched key guarantees there is one.
  const std::size_t headwordEnd = findBar(all, start + 2);
  const std::size_t articleAt = headwordEnd + 1;
  const std::size_t articleEnd = findBar(all, articleAt);
  lookup.status = ArticleStatus::Found;
  lookup.article = all.substr(articleAt, (articleEnd == none ? all.size() : articleEnd) - articleAt);
  return lookup;
}

std::u16string_view shownArticle(std::u16string_view article) {
  if (article.size() <= maxShownArticleLength) {
    return article;
  }
  std::size_t length = maxShownArticleLength;
  const char16_t last = article[length - 1];
  if (last >= 0xD800 && last <= 0xDBFF) {
    --length;
  }
  return article.substr(0, length);
}
