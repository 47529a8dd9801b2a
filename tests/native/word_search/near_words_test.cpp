// What a lookup that finds nothing offers: the nearest headwords by spelling, the most
// common first, and the text around a word that a capture brings along.
#include "dictionary/enclosing_punctuation.h"
#include "dictionary/near_words.h"
#include "dictionary/typed_lookup.h"
#include "search_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using search_test::escaped;

// An article of `lines` numbered lines: the more lines, the more common the headword.
std::u16string articleOfLines(int lines) {
  std::u16string article;
  for (int i = 1; i <= lines; ++i) {
    article += std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u". meaning\r\n";
  }
  return article;
}

std::u16string textOf(const std::vector<std::pair<std::u16string, int>>& records) {
  std::u16string text = u"Test dictionary\r\n";
  for (const auto& record : records) {
    text += u"|" + record.first + u"|" + articleOfLines(record.second);
  }
  return text;
}

// Sorted by code unit as the builder writes them; the numbers are article lines.
const std::u16string englishText = textOf({
    {u"Beijing", 2},
    {u"accommodate", 3},
    {u"dictionary", 4},
    {u"east", 2},
    {u"fast", 5},
    {u"last", 6},
    {u"receive", 7},
    {u"relieve", 2},
    {u"taste", 3},
    {u"test", 9},
    {u"vast", 1},
    {u"water", 8},
});

// Sorted too: the pinyin keys before the Chinese headwords.
const std::u16string chineseText =
    textOf({{u"shi", 30}, {u"shu", 20}, {u"shui", 8}, {u"shuijiao", 3}}) +
    u"|shuo|1. \u8BF4 shu\u014D: to speak\r\n(40 less common words not listed)\r\n" +
    textOf({{u"zhongguo", 2}, {u"\u4E2D\u56FD", 1}, {u"\u6C34", 1}, {u"\u6C34\u679C", 1}}).substr(17);

std::vector<std::u16string> nearest(Direction direction, std::u16string_view typed) {
  const std::u16string& text = direction == Direction::EnglishChinese ? englishText : chineseText;
  const ArticleText prepared = prepareArticleText(text);
  EXPECT_TRUE(prepared.sortedRecords);
  std::vector<std::u16string> words;
  for (const std::u16string_view word : nearestHeadwords(prepared, typed, direction)) {
    words.emplace_back(word);
  }
  // Read unsorted, the text offers the same.
  ArticleText scanned = prepared;
  scanned.sortedRecords = false;
  std::vector<std::u16string> scannedWords;
  for (const std::u16string_view word : nearestHeadwords(scanned, typed, direction)) {
    scannedWords.emplace_back(word);
  }
  EXPECT_EQ(words, scannedWords) << escaped(typed);
  return words;
}

struct Misspelling {
  Direction direction;
  std::u16string typed;
  std::u16string first;  // empty: nothing is offered
};

TEST(NearWords, MisspellingsOfferTheWordMeantFirst) {
  const Misspelling cases[] = {
      {Direction::EnglishChinese, u"recieve", u"receive"},         // two letters swapped
      {Direction::EnglishChinese, u"accomodate", u"accommodate"},  // a letter dropped
      {Direction::EnglishChinese, u"dictionnary", u"dictionary"},  // a letter doubled
      {Direction::EnglishChinese, u"Watr", u"water"},              // capitals ignored
      {Direction::EnglishChinese, u"beijnig", u"Beijing"},
      {Direction::EnglishChinese, u"tast", u"test"},                    // five at one edit: the most common
      {Direction::EnglishChinese, u"\u00ABrecieve\u00BB", u"receive"},  // the quotes dropped first
      {Direction::EnglishChinese, u"xq", u""},                          // too short to guess at
      {Direction::EnglishChinese, u"zzzzzzzz", u""},
      {Direction::ChineseEnglish, u"shuiy", u"shui"},  // a letter added
      {Direction::ChineseEnglish, u"zhongguoo", u"zhongguo"},
      {Direction::ChineseEnglish, u"zhonguo", u"zhongguo"},                 // a letter dropped
      {Direction::ChineseEnglish, u"Shuii", u"shui"},                       // typed with a capital
      {Direction::ChineseEnglish, u"shu\u01D0i", u"shui"},                  // and with a tone mark
      {Direction::ChineseEnglish, u"shuj", u"shuo"},                        // a letter off: "shuo" is the most common
      {Direction::ChineseEnglish, u"\u6C34\u679C\u5B50", u"\u6C34\u679C"},  // one character too many
  };
  for (const Misspelling& c : cases) {
    const std::vector<std::u16string> words = nearest(c.direction, c.typed);
    EXPECT_EQ(words.empty() ? std::string() : escaped(words.front()), escaped(c.first)) << "typed " << escaped(c.typed);
  }
}

TEST(NearWords, RanksByEditsThenHowCommonAndOffersAtMostTen) {
  EXPECT_EQ(nearest(Direction::EnglishChinese, u"tast"),
            (std::vector<std::u16string>{u"test", u"last", u"fast", u"taste", u"east", u"vast"}));
  // "shuo" lists one word and leaves 40 out: more common than "shui" with its eight.
  EXPECT_EQ(nearest(Direction::ChineseEnglish, u"shuu"), (std::vector<std::u16string>{u"shuo", u"shu", u"shui"}));

  // A learner level says more than homophones: "xuesheng" lists one word, but a word of
  // HSK 1, so it comes before "xuechen" with three unlevelled ones; without the level line
  // it would not.
  const auto levelled = [](std::u16string_view level) {
    return u"Test dictionary\r\n|xuechen|1. \u5B66\u81E3 xu\u00E9 ch\u00E9n: a\r\n2. \u5B66\u5C18 b\r\n"
           u"3. \u96EA\u6C89 c\r\n|xuesheng|1. \u5B66\u751F xu\u00E9 sheng: student\r\n"
           u"|\u5B66\u751F|xu\u00E9 sheng\r\n" +
           std::u16string(level) + u"1. student\r\n|\u5B66\u81E3|xu\u00E9 ch\u00E9n\r\n1. a\r\n";
  };
  for (const auto& [level, first] : {std::pair{u"HSK 1\r\n", u"xuesheng"}, std::pair{u"", u"xuechen"}}) {
    const std::u16string text = levelled(level);
    const ArticleText prepared = prepareArticleText(text);
    ASSERT_TRUE(prepared.sortedRecords);
    const auto words = nearestHeadwords(prepared, u"xueshen", Direction::ChineseEnglish);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(escaped(words.front()), escaped(first));
  }

  std::vector<std::pair<std::u16string, int>> many;
  for (char16_t c = u'a'; c <= u'z'; ++c) {
    many.push_back({std::u16string(u"cat") + c, 1});
  }
  const std::u16string manyText = textOf(many);
  const ArticleText prepared = prepareArticleText(manyText);
  EXPECT_EQ(nearestHeadwords(prepared, u"catt", Direction::EnglishChinese).size(), maxNearWords);
}

// Each answers or says nothing was found, and never reads past what it is given.
TEST(NearWords, HostileTextAnswersOrOffersNothing) {
  const std::u16string lone = std::u16string(u"rec") + char16_t(0xD800) + u"ive";
  const struct {
    Direction direction;
    std::u16string typed;
    bool offers;
  } cases[] = {
      {Direction::EnglishChinese, u"r", false},
      {Direction::EnglishChinese, std::u16string(500, u'e'), false},
      {Direction::ChineseEnglish, std::u16string(500, u'\u6C34'), false},
      {Direction::EnglishChinese, u"1234567", false},
      {Direction::ChineseEnglish, u"1234567", false},
      {Direction::EnglishChinese, u"wat\u6C34er", true},
      {Direction::ChineseEnglish, u"shui\u6C34", false},
      {Direction::EnglishChinese, lone, true},
      {Direction::ChineseEnglish, std::u16string(1, char16_t(0xDC00)) + u"\u6C34", true},
      {Direction::EnglishChinese, u"...!?\u00AB\u00BB", false},
      {Direction::ChineseEnglish, u"\u3002\u300C\u300D", false},
      {Direction::EnglishChinese, std::u16string(u"water\0x", 7), false},
  };
  for (const auto& c : cases) {
    const std::vector<std::u16string> words = nearest(c.direction, c.typed);
    EXPECT_EQ(!words.empty(), c.offers) << "typed " << escaped(c.typed);
    const std::u16string message = noEntryMessage(c.typed, {});
    EXPECT_EQ(message.rfind(u"No entry for \"", 0), 0u) << escaped(c.typed);
  }
}

TEST(NearWords, TheMessageQuotesTheWordAndListsTheSuggestions) {
  EXPECT_EQ(noEntryMessage(u"recieve", {u"receive", u"relieve"}),
            u"No entry for \"recieve\". Did you mean:\r\nreceive\r\nrelieve\r\n");
  EXPECT_EQ(noEntryMessage(u" \u201Cxyzzy.\u201D ", {}), u"No entry for \"xyzzy\".");
  EXPECT_EQ(noEntryMessage(u"?!", {}), u"No entry for \"?!\".");
  // A long quote is cut, never between the halves of a pair.
  const std::u16string pair = u"\U0001F600";
  const std::u16string longText = std::u16string(59, u'a') + pair + u"tail";
  EXPECT_EQ(noEntryMessage(longText, {}), u"No entry for \"" + std::u16string(59, u'a') + u"\u2026\".");
}

TEST(EnclosingPunctuation, DropsQuotesBracketsAndStopsFromBothEndsOnly) {
  const struct {
    std::u16string typed;
    std::u16string bare;
  } cases[] = {
      {u"dictionary.", u"dictionary"},
      {u"\u00ABwater\u00BB", u"water"},
      {u"\u201Ctea,\u201D", u"tea"},
      {u"(book)", u"book"},
      {u"'apple'", u"apple"},
      {u"\u300C\u6C34\u300D\u3002", u"\u6C34"},
      {u"\uFF08\u6C34\uFF09", u"\u6C34"},
      {u"a.m.", u"a.m"},
      {u"rock 'n' roll!", u"rock 'n' roll"},
      {u"-ism", u"-ism"},
      {u"C++", u"C++"},
      {u"\"\u2026\"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(escaped(withoutEnclosingPunctuation(c.typed)), escaped(c.bare)) << escaped(c.typed);
  }
}

// The text without its enclosing punctuation is one more reading of text that finds
// nothing: headwords written with punctuation keep being found as they stand.
TEST(EnclosingPunctuation, ALookupFindsTheWordInsideAndKeepsWhatFoundAlready) {
  const std::u16string text =
      u"Test\r\n|etc.|1. \u7B49\u7B49: etc.\r\n|lv|1. \u7EFF: green\r\n|tea|1. \u8336: tea\r\n"
      u"|water|1. \u6C34: water\r\n|\u6C34|shu\u01D0: water\r\n";
  const ArticleText prepared = prepareArticleText(text);
  const struct {
    Direction direction;
    std::u16string typed;
    std::u16string articleStart;
  } cases[] = {
      {Direction::EnglishChinese, u"water.", u"1. \u6C34"},
      {Direction::EnglishChinese, u"\u00ABWater\u00BB", u"1. \u6C34"},
      {Direction::EnglishChinese, u"\u201Ctea\u201D", u"1. \u8336"},
      {Direction::EnglishChinese, u"etc.", u"1. \u7B49"},
      {Direction::ChineseEnglish, u"\u300C\u6C34\u300D", u"shu\u01D0"},
      {Direction::ChineseEnglish, u"l\u00FC.", u"1. \u7EFF"},
      {Direction::ChineseEnglish, u"lu:", u"1. \u7EFF"},
  };
  for (const auto& c : cases) {
    std::u16string article;
    EXPECT_TRUE(articleForTypedWord(prepared, c.typed, c.direction, article)) << escaped(c.typed);
    EXPECT_EQ(escaped(article.substr(0, c.articleStart.size())), escaped(c.articleStart)) << escaped(c.typed);
    EXPECT_EQ(listTypedWord(prepared, c.typed, c.direction).status, ListingStatus::Listed) << escaped(c.typed);
  }
}

}  // namespace
