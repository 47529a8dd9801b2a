// What each tab shows for text typed the way learners type it: capitals,
// inflected English forms, pinyin with blanks, apostrophes, tones or u for ü.
// Text the exact search answers keeps exactly that answer.
#include "dictionary/typed_lookup.h"
#include "reference_search.h"
#include "search_comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using search_test::escaped;

std::u16string textOf(const std::vector<std::pair<std::u16string, std::u16string>>& records) {
  std::u16string text = u"Test dictionary\r\n";
  for (const auto& record : records) {
    text += u"|" + record.first + u"|" + record.second;
  }
  return text;
}

// Records as the builder writes them, sorted by code unit.
const std::u16string englishText = textOf({
    {u"Beijing", u"1. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\r\n"},
    {u"apple", u"1. \u82F9\u679C p\u00EDng gu\u01D2: apple\r\n"},
    {u"apples", u"apples: plural of apple\r\n"},
    {u"better", u"1. \u66F4\u597D g\u00E8ng h\u01CEo: better\r\n\r\nbetter: comparative of good\r\n"},
    {u"good", u"1. \u597D h\u01CEo: good\r\n"},
    {u"live", u"1. \u4F4F zh\u00F9: to live\r\n"},
    {u"lives", u"lives: plural of life\r\nlives: third person of live\r\n"},
    {u"tea", u"1. \u8336 ch\u00E1: tea\r\n"},
    {u"teacher", u"1. \u8001\u5E08 l\u01CEo sh\u012B: teacher\r\n"},
});

const std::u16string beijingList =
    u"1. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\r\n2. \u80CC\u666F b\u00E8i j\u01D0ng: background\r\n";

const std::u16string chineseText = textOf({
    {u"beijing", beijingList},
    {u"changan", u"1. \u957F\u5B89 Ch\u00E1ng \u0101n: Chang'an\r\n"},
    {u"lu", u"1. \u8DEF l\u00F9: road\r\n"},
    {u"lv", u"1. \u7EFF l\u01DC: green\r\n"},
    {u"nvren", u"1. \u5973\u4EBA n\u01DA r\u00E9n: woman\r\n"},
    {u"women", u"1. \u6211\u4EEC w\u01D2 men: we\r\n"},
    {u"xian", u"1. \u5148 xi\u0101n: first\r\n2. \u897F\u5B89 X\u012B \u0101n: Xi'an\r\n"},
    {u"\u5317\u4EAC", u"B\u011Bi j\u012Bng\r\n1. Beijing\r\n"},
});

struct Case {
  Direction tab;
  std::u16string typed;
  std::u16string article;      // empty: no article
  std::u16string listedFirst;  // empty: nothing listed
};

std::vector<ArticleText> bothPaths(std::u16string_view text) {
  ArticleText prepared = prepareArticleText(text);
  ArticleText scanned = prepared;
  scanned.sortedRecords = false;
  return {prepared, scanned};
}

void expectShows(const Case& c) {
  const std::u16string& text = c.tab == Direction::EnglishChinese ? englishText : chineseText;
  for (const ArticleText& searched : bothPaths(text)) {
    std::u16string article;
    const bool found = articleForTypedWord(searched, c.typed, c.tab, article);
    EXPECT_EQ(found, !c.article.empty()) << escaped(c.typed);
    EXPECT_EQ(escaped(article), escaped(c.article)) << "typed " << escaped(c.typed);
    const HeadwordListing listing = listTypedWord(searched, c.typed, c.tab);
    EXPECT_EQ(listing.count == 0 ? std::string() : escaped(listing.headwords[0]), escaped(c.listedFirst))
        << "typed " << escaped(c.typed);
  }
}

TEST(TypedLookup, EnglishCapitalsAndWordFormsReachTheirRecords) {
  const std::u16string apple = u"1. \u82F9\u679C p\u00EDng gu\u01D2: apple\r\n";
  const std::u16string tea = u"1. \u8336 ch\u00E1: tea\r\n";
  const Case cases[] = {
      {Direction::EnglishChinese, u"apples", u"apples: plural of apple\r\n" + apple, u"apples"},
      {Direction::EnglishChinese, u"Apples", u"apples: plural of apple\r\n" + apple, u"apples"},
      {Direction::EnglishChinese, u"Tea", tea, u"tea"},
      {Direction::EnglishChinese, u"TEA", tea, u"tea"},
      {Direction::EnglishChinese, u"  tea ", tea, u"tea"},
      {Direction::EnglishChinese, u"Te", u"", u"tea"},
      {Direction::EnglishChinese, u"beijing", u"1. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\r\n", u"Beijing"},
      // A form that is a word of its own keeps its translations first.
      {Direction::EnglishChinese, u"better",
       u"1. \u66F4\u597D g\u00E8ng h\u01CEo: better\r\n\r\nbetter: comparative of good\r\n1. \u597D h\u01CEo: good\r\n",
       u"better"},
      // A form of two words shows both; a base that is missing is only named.
      {Direction::EnglishChinese, u"lives",
       u"lives: plural of life\r\nlives: third person of live\r\n1. \u4F4F zh\u00F9: to live\r\n", u"lives"},
      {Direction::EnglishChinese, u"teax", u"", u""},
  };
  for (const Case& c : cases) expectShows(c);
}

TEST(TypedLookup, PinyinTypedAnyWayReachesTheTonelessRecord) {
  const std::u16string background =
      u"1. \u80CC\u666F b\u00E8i j\u01D0ng: background\r\n"
      u"2. \u5317\u4EAC B\u011Bi j\u012Bng: Beijing\r\n";
  const std::u16string woman = u"1. \u5973\u4EBA n\u01DA r\u00E9n: woman\r\n";
  const Case cases[] = {
      {Direction::ChineseEnglish, u"wo men", u"1. \u6211\u4EEC w\u01D2 men: we\r\n", u"women"},
      {Direction::ChineseEnglish, u"Beijing", beijingList, u"beijing"},
      {Direction::ChineseEnglish, u"bei3jing1", beijingList, u"beijing"},
      {Direction::ChineseEnglish, u"bei4jing3", background, u"beijing"},
      {Direction::ChineseEnglish, u"b\u00E8ij\u01D0ng", background, u"beijing"},
      {Direction::ChineseEnglish, u"be\u0300iji\u030Cng", background, u"beijing"},
      {Direction::ChineseEnglish, u"bei4 jing", background, u"beijing"},
      {Direction::ChineseEnglish, u"chang'an", u"1. \u957F\u5B89 Ch\u00E1ng \u0101n: Chang'an\r\n", u"changan"},
      {Direction::ChineseEnglish, u"Ch\u00E1ng\u0101n", u"1. \u957F\u5B89 Ch\u00E1ng \u0101n: Chang'an\r\n",
       u"changan"},
      {Direction::ChineseEnglish, u"nuren", woman, u"nvren"},
      {Direction::ChineseEnglish, u"nu:3ren2", woman, u"nvren"},
      {Direction::ChineseEnglish, u"n\u00FCren", woman, u"nvren"},
      {Direction::ChineseEnglish, u"bei", u"", u"beijing"},
      // "lu" is a record: it shows 路 and nothing read lü.
      {Direction::ChineseEnglish, u"lu", u"1. \u8DEF l\u00F9: road\r\n", u"lu"},
      {Direction::ChineseEnglish, u"lu4", u"1. \u8DEF l\u00F9: road\r\n", u"lu"},
      {Direction::ChineseEnglish, u"bei6jing", u"", u""},
      // A typed syllable boundary puts the words read with it first.
      {Direction::ChineseEnglish, u"Xi'an", u"1. \u897F\u5B89 X\u012B \u0101n: Xi'an\r\n2. \u5148 xi\u0101n: first\r\n",
       u"xian"},
      {Direction::ChineseEnglish, u"xi an", u"1. \u897F\u5B89 X\u012B \u0101n: Xi'an\r\n2. \u5148 xi\u0101n: first\r\n",
       u"xian"},
      {Direction::ChineseEnglish, u"Xian", u"1. \u5148 xi\u0101n: first\r\n2. \u897F\u5B89 X\u012B \u0101n: Xi'an\r\n",
       u"xian"},
      {Direction::ChineseEnglish, u"\u5317\u4EAC", u"B\u011Bi j\u012Bng\r\n1. Beijing\r\n", u"\u5317\u4EAC"},
  };
  for (const Case& c : cases) expectShows(c);
}

// Whatever is typed, the answer is the exact search's when that has one, and
// nothing breaks on text that is no word at all.
TEST(TypedLookup, NeverChangesOrEmptiesWhatTheExactSearchFinds) {
  std::vector<std::u16string> typed = {u"",
                                       u"'",
                                       u"3",
                                       u"\u0301",
                                       u"\u0301a",
                                       u"a\u0301\u0301",
                                       u"\xD800",
                                       u"\u5317jing",
                                       u"b\u5317",
                                       std::u16string(500, u'\''),
                                       std::u16string(600, u'a'),
                                       std::u16string(499, u'n') + u"u"};
  for (const std::u16string& text : {englishText, chineseText}) {
    for (std::size_t at = text.find(u"\n|"); at != std::u16string::npos; at = text.find(u"\n|", at + 1)) {
      const std::size_t end = text.find(u'|', at + 2);
      typed.push_back(text.substr(at + 2, end - at - 2));
      typed.push_back(text.substr(at + 2, 1));
    }
  }
  for (Direction tab : bothDirections) {
    const std::u16string& text = tab == Direction::EnglishChinese ? englishText : chineseText;
    for (const ArticleText& searched : bothPaths(text)) {
      for (const std::u16string& word : typed) {
        const HeadwordListing plain = listHeadwords(searched, word);
        const HeadwordListing listing = listTypedWord(searched, word, tab);
        if (plain.status != ListingStatus::NoMatch) {
          ASSERT_EQ(listing.count, plain.count) << escaped(word);
          for (std::size_t i = 0; i < plain.count; ++i) {
            EXPECT_EQ(listing.headwords[i].data(), plain.headwords[i].data()) << escaped(word);
          }
        }
        const ArticleLookup exact = findArticle(searched, word);
        std::u16string article;
        const bool found = articleForTypedWord(searched, word, tab, article);
        EXPECT_LE(article.size(), maxShownArticleLength);
        if (exact.status == ArticleStatus::Found) {
          EXPECT_TRUE(found) << escaped(word);
          EXPECT_TRUE(reference::keepsLinesInOrder(article, exact.article))
              << escaped(word) << " shows " << escaped(article);
        }
      }
    }
  }
}

}  // namespace
