// What a user sees for typed words, rule by rule. Every case runs on both
// paths of the engine (binary search where the text allows it, and the scan).
#include "dictionary/word_search.h"
#include "search_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using search_test::escaped;

std::u16string record(std::u16string_view headword, std::u16string_view article) {
  return u"|" + std::u16string(headword) + u"|" + std::u16string(article);
}

// Both ways the engine may search one text: as prepared, and scanned.
std::vector<ArticleText> bothPaths(std::u16string_view text) {
  ArticleText prepared = prepareArticleText(text);
  ArticleText scanned = prepared;
  scanned.sortedRecords = false;
  return {prepared, scanned};
}

std::vector<std::string> listed(const HeadwordListing& listing) {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < listing.count; ++i) {
    items.push_back(escaped(listing.headwords[i]));
  }
  return items;
}

std::vector<std::string> escapedAll(const std::vector<std::u16string>& words) {
  std::vector<std::string> items;
  for (const std::u16string& word : words) {
    items.push_back(escaped(word));
  }
  return items;
}

// "wA", "wB", ...: headwords in code-unit order.
std::u16string numberedHeadword(int i) {
  std::u16string headword = u"w";
  headword.push_back(static_cast<char16_t>(u'A' + i));
  return headword;
}

std::u16string numberedRecords(int count) {
  std::u16string text = u"\n";
  for (int i = 0; i < count; ++i) {
    text += record(numberedHeadword(i), u"article\n");
  }
  return text;
}

std::vector<std::u16string> numberedHeadwords(int first, int count) {
  std::vector<std::u16string> words;
  for (int i = first; i < first + count; ++i) {
    words.push_back(numberedHeadword(i));
  }
  return words;
}

struct ListingCase {
  const char* rule;
  std::u16string text;
  std::u16string word;
  ListingStatus status;
  std::vector<std::u16string> headwords;
};

const std::u16string sevenUnits = u"\n|ab|x\n";
const std::u16string twoRecordsOpen = u"\n" + record(u"a", u"1\n") + record(u"b", u"2\n");
const std::u16string twoRecordsClosed = twoRecordsOpen + u"|";
const std::u16string twoRecordsCutOff = twoRecordsOpen + u"|c";

std::vector<ListingCase> listingCases() {
  const std::u16string longKeyHeadword = std::u16string(497, u'k') + u"z";
  return {
      {"a whole headword lists it", sevenUnits, u"ab", ListingStatus::Listed, {u"ab"}},
      {"the beginning of a headword lists it whole", sevenUnits, u"a", ListingStatus::Listed, {u"ab"}},
      {"an empty box lists from the first record", sevenUnits, u"", ListingStatus::Listed, {u"ab"}},
      {"the middle of a headword finds nothing", sevenUnits, u"b", ListingStatus::NoMatch, {}},
      {"more than the headword finds nothing", sevenUnits, u"abc", ListingStatus::NoMatch, {}},
      {"article text is not searched", sevenUnits, u"x", ListingStatus::NoMatch, {}},
      {"case counts", u"\n" + record(u"apple", u"1\n"), u"Apple", ListingStatus::NoMatch, {}},
      {"capitals sort first and list with what follows",
       u"\n" + record(u"Apple", u"1\n") + record(u"apple", u"2\n"),
       u"Ap",
       ListingStatus::Listed,
       {u"Apple", u"apple"}},
      {"lower case finds only its own record",
       u"\n" + record(u"Apple", u"1\n") + record(u"apple", u"2\n"),
       u"ap",
       ListingStatus::Listed,
       {u"apple"}},
      {"an empty box lists the first 25 records", numberedRecords(30), u"", ListingStatus::Listed,
       numberedHeadwords(0, 25)},
      {"the records after the match are listed whether or not they match", numberedRecords(30), u"wC",
       ListingStatus::Listed, numberedHeadwords(2, 25)},
      {"a listing near the end keeps its items (no closing bar)", numberedRecords(30), u"wZ", ListingStatus::Listed,
       numberedHeadwords(25, 5)},
      {"a listing near the end keeps its items (closing bar)",
       twoRecordsClosed,
       u"a",
       ListingStatus::Listed,
       {u"a", u"b"}},
      {"the last headword lists (closing bar)", twoRecordsClosed, u"b", ListingStatus::Listed, {u"b"}},
      {"a cut-off headword at the end is not listed", twoRecordsCutOff, u"", ListingStatus::Listed, {u"a", u"b"}},
      {"a word found only in a cut-off headword finds nothing",
       twoRecordsCutOff,
       u"c",
       ListingStatus::UnclosedHeadword,
       {}},
      {"a text of nothing but a closing bar has no record", u"\n|", u"", ListingStatus::NoMatch, {}},
      {"a zero unit ends the text",
       u"\n|ab|x\n" + std::u16string(1, u'\0') + u"\n|cd|y\n",
       u"cd",
       ListingStatus::NoMatch,
       {}},
      {"a zero unit ends the word",
       sevenUnits,
       u"ab" + std::u16string(1, u'\0') + u"zz",
       ListingStatus::Listed,
       {u"ab"}},
      {"a record not preceded by a line feed is listed but not found",
       u"\n" + record(u"ab", u"x") + record(u"cd", u"y\n"),
       u"cd",
       ListingStatus::NoMatch,
       {}},
      {"a record not preceded by a line feed follows in the list",
       u"\n" + record(u"ab", u"x") + record(u"cd", u"y\n"),
       u"a",
       ListingStatus::Listed,
       {u"ab", u"cd"}},
      {"a word with a bar matches across fields", u"\n|ab|x\n|cd|y\n", u"ab|x", ListingStatus::Listed, {u"ab", u"cd"}},
      {"a word with a line feed matches across records",
       u"\n|ab|x\n|cd|y\n",
       u"ab|x\n|c",
       ListingStatus::Listed,
       {u"ab", u"cd"}},
      {"half a surrogate pair is a prefix",
       u"\n" + record(u"\U0001F600", u"1\n") + record(u"\uFF01", u"2\n"),
       u"\xD83D",
       ListingStatus::Listed,
       {u"\U0001F600", u"\uFF01"}},
      {"a word longer than the key holds is cut to 497 units",
       u"\n" + record(longKeyHeadword, u"1\n"),
       std::u16string(497, u'k') + u"zzzz",
       ListingStatus::Listed,
       {longKeyHeadword}},
      {"a headword of 999 units is listed whole",
       u"\n" + record(std::u16string(999, u'h'), u""),
       u"h",
       ListingStatus::Listed,
       {std::u16string(999, u'h')}},
      {"a headword of 1000 units is listed cut to 999",
       u"\n" + record(std::u16string(1000, u'h'), u""),
       u"h",
       ListingStatus::Listed,
       {std::u16string(999, u'h')}},
      {"a headword of 5000 units is listed cut to 999",
       u"\n" + record(std::u16string(5000, u'h'), u"") + record(u"i", u""),
       u"h",
       ListingStatus::Listed,
       {std::u16string(999, u'h'), u"i"}},
  };
}

TEST(WordSearchListing, ShowsWhatTheRulesSay) {
  for (const ListingCase& c : listingCases()) {
    for (const ArticleText& text : bothPaths(c.text)) {
      SCOPED_TRACE(std::string(c.rule) + (text.sortedRecords ? " (binary search)" : " (scan)"));
      const HeadwordListing listing = listHeadwords(text, c.word);
      EXPECT_EQ(search_test::statusName(listing.status), search_test::statusName(c.status));
      EXPECT_EQ(listed(listing), escapedAll(c.headwords));
    }
  }
}

struct ArticleCase {
  const char* rule;
  std::u16string text;
  std::u16string word;
  ArticleStatus status;
  std::u16string article;
};

std::vector<ArticleCase> articleCases() {
  const std::u16string longArticle = std::u16string(60000, u'\x6C34') + u"\n";
  return {
      {"a whole headword shows its article with its line feed", sevenUnits, u"ab", ArticleStatus::Found, u"x\n"},
      {"the beginning of a headword shows nothing", sevenUnits, u"a", ArticleStatus::NotFound, u""},
      {"an empty box shows nothing", sevenUnits, u"", ArticleStatus::NotFound, u""},
      {"case counts", sevenUnits, u"AB", ArticleStatus::NotFound, u""},
      {"of two equal headwords the first shows", u"\n" + record(u"a", u"first\n") + record(u"a", u"second\n"), u"a",
       ArticleStatus::Found, u"first\n"},
      {"the last article shows without a closing bar", twoRecordsOpen, u"b", ArticleStatus::Found, u"2\n"},
      {"the last article shows with a closing bar", twoRecordsClosed, u"b", ArticleStatus::Found, u"2\n"},
      {"an empty last article shows empty", u"\n|a|", u"a", ArticleStatus::Found, u""},
      {"a cut-off headword has no article", twoRecordsCutOff, u"c", ArticleStatus::NotFound, u""},
      {"an article of 50000 units or more shows whole", u"\n" + record(u"a", longArticle), u"a", ArticleStatus::Found,
       longArticle},
      {"a word longer than the key holds is cut to 496 units", u"\n" + record(std::u16string(496, u'k'), u"long\n"),
       std::u16string(600, u'k'), ArticleStatus::Found, u"long\n"},
      {"a word of 497 units is not cut to a 496-unit headword", u"\n" + record(std::u16string(497, u'k'), u"497\n"),
       std::u16string(497, u'k'), ArticleStatus::NotFound, u""},
      {"a zero unit ends the article", u"\n|ab|x" + std::u16string(1, u'\0') + u"y|", u"ab", ArticleStatus::Found,
       u"x"},
      {"a headword shown from a cut list item is sought as cut", u"\n" + record(std::u16string(250, u'h'), u"1\n"),
       std::u16string(199, u'h'), ArticleStatus::NotFound, u""},
      {"a word with a bar takes the article after the headword's own bar", u"\n|ab|x\n|cd|y\n", u"ab|x\n",
       ArticleStatus::Found, u"x\n"},
  };
}

TEST(WordSearchArticle, ShowsWhatTheRulesSay) {
  for (const ArticleCase& c : articleCases()) {
    for (const ArticleText& text : bothPaths(c.text)) {
      SCOPED_TRACE(std::string(c.rule) + (text.sortedRecords ? " (binary search)" : " (scan)"));
      const ArticleLookup lookup = findArticle(text, c.word);
      EXPECT_EQ(lookup.status, c.status);
      EXPECT_EQ(escaped(lookup.article, 100), escaped(c.article, 100));
      EXPECT_EQ(lookup.article.size(), c.article.size());
    }
  }
}

TEST(WordSearchArticle, ViewGetsAtMostTheCapWithoutHalvingACharacter) {
  const std::u16string atCap(maxShownArticleLength, u'x');
  EXPECT_EQ(shownArticle(atCap).size(), maxShownArticleLength);
  EXPECT_EQ(shownArticle(u"x\n"), u"x\n");

  const std::u16string longer = atCap + u"tail";
  EXPECT_EQ(shownArticle(longer), atCap);
  EXPECT_EQ(shownArticle(longer).data(), longer.data()) << "a view into the text, no copy";

  // A character outside the basic plane (two units) that straddles the cap is dropped whole.
  const std::u16string straddling = std::u16string(maxShownArticleLength - 1, u'x') + u"\U00020000tail";
  EXPECT_EQ(shownArticle(straddling), std::u16string(maxShownArticleLength - 1, u'x'));
  const std::u16string fitting = std::u16string(maxShownArticleLength - 2, u'x') + u"\U00020000tail";
  EXPECT_EQ(shownArticle(fitting).size(), maxShownArticleLength);
}

struct SortCheckCase {
  const char* rule;
  std::u16string text;
  bool sorted;
};

TEST(WordSearchPreparation, AllowsBinarySearchOnlyOnSortedFields) {
  const std::u16string zero(1, u'\0');
  const SortCheckCase cases[] = {
      {"records in code-unit order", twoRecordsOpen, true},
      {"records out of order", u"\n" + record(u"b", u"1\n") + record(u"a", u"2\n"), false},
      {"equal headwords side by side", u"\n" + record(u"a", u"1\n") + record(u"a", u"2\n"), true},
      {"equal headwords apart", u"\n" + record(u"a", u"1\n") + record(u"b", u"2\n") + record(u"a", u"3\n"), false},
      {"a closing bar after the last article", twoRecordsClosed, true},
      {"a cut-off headword in order", twoRecordsCutOff, true},
      {"a cut-off headword out of order", twoRecordsOpen + u"|0", false},
      {"an empty text", u"", true},
      {"capitals before lower case", u"\n" + record(u"B", u"\n") + record(u"a", u"\n"), true},
      {"lower case before capitals", u"\n" + record(u"a", u"\n") + record(u"B", u"\n"), false},
      {"surrogates sort below the last BMP block", u"\n" + record(u"\U0001F600", u"\n") + record(u"\uFF01", u"\n"),
       true},
      {"code-point order is not code-unit order", u"\n" + record(u"\uFF01", u"\n") + record(u"\U0001F600", u"\n"),
       false},
      {"a record start inside an article counts", u"\n" + record(u"b", u"x\n|a") + record(u"c", u"\n"), false},
      {"the text ends at a zero unit", u"\n" + record(u"b", u"\n") + zero + record(u"a", u"\n"), true},
  };
  for (const SortCheckCase& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(prepareArticleText(c.text).sortedRecords, c.sorted);
  }
}

TEST(WordSearchPreparation, SearchableTextEndsAtTheFirstZeroUnit) {
  const std::u16string text = u"\n|a|1\n" + std::u16string(1, u'\0') + u"\n|b|2\n";
  const ArticleText prepared = prepareArticleText(text);
  EXPECT_EQ(prepared.text.data(), text.data());
  EXPECT_EQ(prepared.text.size(), 6u);
  EXPECT_EQ(prepareArticleText(twoRecordsOpen).text.size(), twoRecordsOpen.size());
}

}  // namespace
