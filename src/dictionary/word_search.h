// Word search over one loaded article text: the headword listing that fills a
// tab's word list and the exact lookup that fills its article view.
//
// The text is searched where it lies in memory. Results are views into it, so
// nothing is copied; the load-time check keeps one flag and, for sorted text, a
// few kilobytes of fences that narrow a binary search. Results are those of a plain code-unit substring
// search (the first occurrence of line feed + "|" + the word, then the records
// that follow it), whichever path finds them.
#ifndef DICTIONARY_WORD_SEARCH_H
#define DICTIONARY_WORD_SEARCH_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The word list shows at most this many headwords per search.
inline constexpr std::size_t maxListedHeadwords = 25;

// A search key held 500 units: line feed, "|", the word and a terminator, and
// the article key one more "|". Longer word box text is cut to what the key
// holds, so a long word still lists and shows what its first units find.
inline constexpr std::size_t maxListingWordLength = 497;
inline constexpr std::size_t maxArticleWordLength = 496;

// A listed headword of 1,000 units or more is cut to this length.
inline constexpr std::size_t maxListedHeadwordLength = 999;

// One tab's searchable text and what the load-time check learnt about it.
struct ArticleText {
  // The loaded text up to its first zero unit, if it has one: the search
  // treats the text as a zero-terminated string, and a control could show
  // nothing after a zero anyway.
  std::u16string_view text;
  // True when every record start (line feed + "|" followed by at least one
  // unit) is followed by a headword field no smaller, in code-unit order,
  // than the one before it. Lookups may then binary-search in place.
  bool sortedRecords = false;
  // In sorted text, every recordFenceSpacing-th record start, with the first
  // units of its field packed into a number that orders as the fields do. A
  // binary search first narrows its range among these, so it reads a few
  // pages of the text instead of one page per step. Empty otherwise.
  struct Fence {
    std::uint64_t key = 0;
    std::size_t start = 0;
  };
  std::vector<Fence> fences;
};

inline constexpr std::size_t recordFenceSpacing = 32;

// Builds the searchable text from a loaded and unscrambled article text: cuts
// it at its first zero unit and runs the sortedness check (one pass). Call once
// after loading and keep the result with the text; the view stays valid as
// long as the loaded block does.
ArticleText prepareArticleText(std::u16string_view loadedText);

enum class ListingStatus {
  // No record begins with the word: empty the list and the article view.
  NoMatch,
  // headwords[0..count) hold the first matching headword and the records
  // after it, in file order; count is at least 1.
  Listed,
  // The only match is a headword fragment at the end of the text with no
  // closing "|" (a cut-off file): it is no record, so the list and the
  // article view are emptied as for no match.
  UnclosedHeadword,
};

struct HeadwordListing {
  ListingStatus status = ListingStatus::NoMatch;
  std::size_t count = 0;
  // Views into the searched text; headwords of maxListedHeadwordLength + 1
  // units or more are cut to maxListedHeadwordLength.
  std::array<std::u16string_view, maxListedHeadwords> headwords{};
};

// Lists the first headword that begins with the word box text and the
// headwords of the records after it, at most maxListedHeadwords in all. The
// listing ends early, keeping its items, at the end of the text or at a tail
// that is no complete record.
HeadwordListing listHeadwords(const ArticleText& text, std::u16string_view wordBoxText);

// The same listing, except that after its first headword it stops before any headword
// greater than `last`. When another listing of at most maxListedHeadwords ending with
// `last` is merged with this one, the headwords left out could never be shown, and a
// listing of a large text then reads one record instead of up to twenty-five.
HeadwordListing listHeadwordsUpTo(const ArticleText& text, std::u16string_view wordBoxText, std::u16string_view last);

enum class ArticleStatus {
  // No headword equals the word: empty the article view, keep the list.
  NotFound,
  // article holds the text of the first record whose headword equals the
  // word, up to the next "|" or the end of the text, whatever its length.
  Found,
};

struct ArticleLookup {
  ArticleStatus status = ArticleStatus::NotFound;
  std::u16string_view article;
};

// Finds the article of the first record whose headword is exactly the word
// box text.
ArticleLookup findArticle(const ArticleText& text, std::u16string_view wordBoxText);

// The article of the record whose headword a listing of this text gave (a view into
// it): from after the headword's closing "|" to the next "|" or the end of the text.
// NotFound for a view that does not lie in the text or is not followed by a "|".
ArticleLookup articleOfListedHeadword(const ArticleText& text, std::u16string_view listedHeadword);

// The article view is given at most this many units of an article. Articles of
// well-formed files are far shorter; a rich edit control needs minutes to lay
// out a text of a few hundred thousand units, so an article that long (a
// damaged file) would freeze the window.
inline constexpr std::size_t maxShownArticleLength = 65536;

// The part of a found article that the view is given: all of it, or its first
// maxShownArticleLength units, less the first half of a character whose second
// half the cut would drop.
std::u16string_view shownArticle(std::u16string_view article);

#endif
