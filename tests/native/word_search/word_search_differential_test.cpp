// The engine against the straightforward search on many generated texts:
// sorted and unsorted records, duplicates, records not preceded by a line
// feed, tails with and without a closing bar, stray bars, line feeds and zero
// units, surrogate pairs, and words that run across fields. Every word is
// looked up on both engine paths; any difference fails.
#include "dictionary/word_search.h"
#include "reference_search.h"
#include "search_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Random = std::mt19937;

std::size_t below(Random& random, std::size_t count) {
  return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
}

bool chance(Random& random, double probability) { return std::bernoulli_distribution(probability)(random); }

// Units that make headwords sort in interesting ways: ASCII of both cases, a
// blank, a Latin letter, a CJK character, both halves of a surrogate pair
// (U+1F600) and a full-width sign that sorts above the surrogates.
const char16_t headwordUnits[] = {u'a',      u'a',      u'b',      u'c',      u'A',     u' ',
                                  u'\u00E9', u'\u6C34', u'\xD83D', u'\xDE00', u'\uFF01'};

std::u16string randomHeadword(Random& random) {
  std::u16string headword;
  const std::size_t length = chance(random, 0.03) ? 0 : 1 + below(random, 5);
  while (headword.size() < length) {
    if (chance(random, 0.1)) {
      headword += u"\U0001F600";
    } else {
      headword += headwordUnits[below(random, std::size(headwordUnits))];
    }
  }
  return headword;
}

std::u16string randomArticle(Random& random) {
  static const char16_t units[] = {u'x', u'y', u'\u6C34', u' ', u'\r', u'\n'};
  std::u16string article;
  const std::size_t length = below(random, 8);
  for (std::size_t i = 0; i < length; ++i) {
    article += units[below(random, std::size(units))];
  }
  if (chance(random, 0.85)) {
    article += u'\n';
  }
  return article;
}

// A text built like an article file, with its faults drawn at random.
std::u16string recordText(Random& random, std::vector<std::u16string>& headwords) {
  static const std::u16string preambles[] = {u"", u"\n", u"\uFEFFtitle\n", u"junk"};
  // Now and then a text long enough for the search's fences, its headwords sharing
  // their first units so that fences compare equal to words whose records differ.
  const bool long_ = chance(random, 0.15);
  const std::size_t count = long_ ? 40 + below(random, 260) : below(random, 40);
  const std::u16string shared = long_ ? std::u16string(below(random, 6), u'a') : u"";
  // A small pool makes duplicates common.
  std::vector<std::u16string> pool;
  for (std::size_t i = 0; i < 1 + count / 2; ++i) {
    pool.push_back(shared + randomHeadword(random));
  }
  for (std::size_t i = 0; i < count; ++i) {
    headwords.push_back(pool[below(random, pool.size())]);
  }
  if (chance(random, 0.6)) {
    std::sort(headwords.begin(), headwords.end());
  }
  std::u16string text = preambles[below(random, std::size(preambles))];
  for (const std::u16string& headword : headwords) {
    text += u"|" + headword + u"|" + randomArticle(random);
  }
  switch (below(random, 5)) {
    case 0:
      break;
    case 1:
      text += u"|";
      break;
    case 2:
      text += u"\n|";
      break;
    case 3:
      text += u"|" + randomHeadword(random);
      break;
    default:
      text += u"\n|" + randomHeadword(random);
      break;
  }
  if (chance(random, 0.2)) {
    static const char16_t strays[] = {u'|', u'\n', u'\0'};
    const std::size_t at = below(random, text.size() + 1);
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), strays[below(random, 3)]);
  }
  return text;
}

// Text made of separators and a few letters in any order.
std::u16string noiseText(Random& random) {
  static const char16_t units[] = {u'\n', u'\n', u'|', u'|', u'a', u'b', u'\xD83D', u'\xDE00', u'\0'};
  std::u16string text;
  const std::size_t length = below(random, 60);
  for (std::size_t i = 0; i < length; ++i) {
    text += units[below(random, std::size(units) - (chance(random, 0.9) ? 1 : 0))];
  }
  return text;
}

// Words worth looking up in a text: the empty word, every start of what follows
// each line feed + "|" (so prefixes, whole headwords and words that run into
// the article), the known headwords and near misses of them, and random words
// with bars and line feeds.
std::vector<std::u16string> wordsFor(Random& random, std::u16string_view text,
                                     const std::vector<std::u16string>& headwords) {
  std::vector<std::u16string> words{u""};
  for (std::size_t at = text.find(u"\n|"); at != std::u16string_view::npos; at = text.find(u"\n|", at + 1)) {
    if (!chance(random, 0.25)) {
      continue;
    }
    const std::u16string_view after = text.substr(at + 2, 8);
    for (std::size_t length = 1; length <= after.size(); ++length) {
      words.emplace_back(after.substr(0, length));
    }
  }
  for (const std::u16string& headword : headwords) {
    if (!chance(random, 0.25)) {
      continue;
    }
    words.push_back(headword);
    if (!headword.empty()) {
      std::u16string miss = headword;
      miss.back() = static_cast<char16_t>(miss.back() + 1);
      words.push_back(miss);
      words.push_back(headword.substr(0, headword.size() - 1) + u"\n");
    }
  }
  static const char16_t units[] = {u'a', u'b', u'A', u'\n', u'|', u'\xD83D', u'\xDE00', u'x'};
  for (int i = 0; i < 6; ++i) {
    std::u16string word;
    const std::size_t length = 1 + below(random, 4);
    for (std::size_t k = 0; k < length; ++k) {
      word += units[below(random, std::size(units))];
    }
    words.push_back(word);
  }
  return words;
}

TEST(WordSearchDifferential, AgreesWithStraightforwardSearchOnGeneratedTexts) {
  Random random(20240607);
  int sortedTexts = 0;
  int unsortedTexts = 0;
  int lookups = 0;
  for (int round = 0; round < 2500; ++round) {
    std::vector<std::u16string> headwords;
    const std::u16string text = chance(random, 0.75) ? recordText(random, headwords) : noiseText(random);
    const ArticleText prepared = prepareArticleText(text);
    (prepared.sortedRecords ? sortedTexts : unsortedTexts) += 1;
    for (const std::u16string& word : wordsFor(random, text, headwords)) {
      ASSERT_TRUE(search_test::agreesWithReference(text, prepared, word)) << "round " << round;
      ++lookups;
    }
  }
  // Both paths must have had real work.
  EXPECT_GT(sortedTexts, 1000);
  EXPECT_GT(unsortedTexts, 800);
  EXPECT_GT(lookups, 80000);
}

// Headwords and words around the key and headword limits, where an
// off-by-one in a cut would pick a different record.
TEST(WordSearchDifferential, AgreesAroundTheLengthLimits) {
  const std::size_t lengths[] = {0, 1, 495, 496, 497, 498, 499, 998, 999, 1000, 1001};
  std::vector<std::u16string> headwords;
  for (std::size_t length : lengths) {
    for (char16_t last : {u'a', u'b'}) {
      if (length > 0) {
        headwords.push_back(std::u16string(length - 1, u'a') + last);
      }
    }
  }
  std::sort(headwords.begin(), headwords.end());
  std::u16string text = u"\n";
  for (const std::u16string& headword : headwords) {
    text += u"|" + headword + u"|" + std::u16string(headword.size() % 7, u'x') + u"\n";
  }
  const ArticleText prepared = prepareArticleText(text);
  ASSERT_TRUE(prepared.sortedRecords);
  for (std::size_t length : lengths) {
    for (std::u16string_view tail : {u"", u"b", u"a", u"bb", u"|", u"c"}) {
      for (std::size_t extra : {0u, 1u, 100u}) {
        const std::u16string word = std::u16string(length + extra, u'a') + std::u16string(tail);
        ASSERT_TRUE(search_test::agreesWithReference(text, prepared, word));
      }
    }
  }
}

}  // namespace
