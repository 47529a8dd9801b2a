// The user's own articles: edits keep the text sorted and in the article grammar, damaged
// texts are recognised, what the dialog accepts, and what a lookup lists and shows.
#include "dictionary/own_articles.h"
#include "dictionary/lookup.h"
#include "dictionary/typed_lookup.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "reference_search.h"
#include "search_comparison.h"

namespace {

// Edits in random order against a plain map: after each one the text reads back as the
// map's records, in order, and the word search takes it for sorted and finds every article.
TEST(OwnArticles, EditsKeepTheTextSortedAndReadable) {
  std::mt19937 random(15);
  const std::u16string_view pool[] = {u"a", u"ab", u"b", u"B", u"\u6C34", u"a b", u"ab\u00E9", u"zz", u"A"};
  std::map<std::u16string, std::u16string> expected;
  std::u16string text(emptyOwnArticles);
  for (int step = 0; step < 400; ++step) {
    const std::u16string headword(pool[random() % std::size(pool)]);
    if (random() % 3 == 0) {
      text = withoutOwnArticle(text, headword);
      expected.erase(headword);
    } else {
      const std::u16string article =
          storedOwnArticle(u"meaning " + std::u16string(1, u'0' + step % 10) + (step % 2 ? u"\nsecond line" : u""));
      text = withOwnArticle(text, headword, article);
      expected[headword] = article;
    }
    std::vector<OwnRecord> records;
    ASSERT_TRUE(readOwnRecords(text, records)) << search_test::escaped(text);
    ASSERT_EQ(records.size(), expected.size());
    auto want = expected.begin();
    for (const OwnRecord& record : records) {
      EXPECT_EQ(record.headword, want->first);
      EXPECT_EQ(record.article, want->second);
      ++want;
    }
    const ArticleText prepared = prepareArticleText(text);
    ASSERT_TRUE(prepared.sortedRecords);
    for (const auto& [headword, article] : expected) {
      const ArticleLookup lookup = findArticle(prepared, headword);
      ASSERT_EQ(lookup.status, ArticleStatus::Found);
      EXPECT_EQ(lookup.article, article);
    }
  }
}

TEST(OwnArticles, ReadsOnlyTextsThisProgramWrites) {
  const std::u16string longHeadword(maxOwnHeadwordLength, u'h');
  const std::u16string longArticle = std::u16string(maxOwnArticleLength - 2, u'x') + u"\r\n";
  struct Case {
    const char* what;
    std::u16string text;
    bool readable;
  };
  const Case cases[] = {
      {"no own articles", u"\n", true},
      {"one record", u"\n|a|x\r\n", true},
      {"two in order", u"\n|a|x\r\n|b|y\r\nz\r\n", true},
      {"headword at the limit", u"\n|" + longHeadword + u"|x\r\n", true},
      {"article at the limit", u"\n|a|" + longArticle, true},
      {"zero units", u"", false},
      {"no preamble", u"|a|x\r\n", false},
      {"a title before the preamble", u"title\n|a|x\r\n", false},
      {"cut inside a headword", u"\n|ab", false},
      {"cut inside an article", u"\n|a|x\r", false},
      {"article without its line end", u"\n|a|x", false},
      {"empty article", u"\n|a|\r\n|b|x\r\n", false},
      {"empty headword", u"\n||x\r\n", false},
      {"not sorted", u"\n|b|x\r\n|a|y\r\n", false},
      {"a headword twice", u"\n|a|x\r\n|a|y\r\n", false},
      {"line break in a headword", u"\n|a\rb|x\r\n", false},
      {"zero unit", std::u16string(u"\n|a|x\0\r\n", 8), false},
      {"headword one too long", u"\n|" + longHeadword + u"h|x\r\n", false},
      {"headword of 100,000 units", u"\n|" + std::u16string(100000, u'h') + u"|x\r\n", false},
      {"article one too long", u"\n|a|x" + longArticle, false},
      {"closing bar after the last article", u"\n|a|x\r\n|", false},
  };
  for (const Case& c : cases) {
    std::vector<OwnRecord> records;
    EXPECT_EQ(readOwnRecords(c.text, records), c.readable) << c.what;
  }
}

TEST(OwnArticles, StoresArticlesWithWindowsLineBreaksAndOneAtTheEnd) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"tea", u"tea\r\n"},
      {u"tea\r\n", u"tea\r\n"},
      {u"tea\n\n\r\n", u"tea\r\n"},
      {u"one\ntwo\rthree\r\nfour", u"one\r\ntwo\r\nthree\r\nfour\r\n"},
      {u"\r\n\r\nafter blank lines  ", u"\r\n\r\nafter blank lines  \r\n"},
      {u"", u""},
      {u" \t\r\n \n", u""},
  };
  for (const auto& [typed, stored] : cases) {
    EXPECT_EQ(storedOwnArticle(typed), stored) << search_test::escaped(typed);
  }
  EXPECT_EQ(trimmedOwnHeadword(u" \t\r\ngreen tea \n"), u"green tea");
}

TEST(OwnArticles, RefusesInputThatBreaksTheGrammarAndSaysWhere) {
  const std::u16string maxArticle = std::u16string(maxOwnArticleLength - 2, u'x') + u"\r\n";
  struct Case {
    std::u16string headword;
    std::u16string article;
    OwnInputRule rule;
    std::size_t line;
    std::size_t column;
  };
  const Case cases[] = {
      {u"a", u"x\r\n", OwnInputRule::Kept, 0, 0},
      {std::u16string(maxOwnHeadwordLength, u'h'), maxArticle, OwnInputRule::Kept, 0, 0},
      {u"", u"x\r\n", OwnInputRule::HeadwordEmpty, 0, 0},
      {std::u16string(maxOwnHeadwordLength + 1, u'h'), u"x\r\n", OwnInputRule::HeadwordTooLong, 1, 497},
      {u"a|b", u"x\r\n", OwnInputRule::HeadwordBar, 1, 2},
      {u"ab\ncd", u"x\r\n", OwnInputRule::HeadwordLineBreak, 1, 3},
      {std::u16string(u"a\0", 2), u"x\r\n", OwnInputRule::HeadwordLineBreak, 1, 2},
      {u"a", u"", OwnInputRule::ArticleEmpty, 0, 0},
      {u"a", u"x" + maxArticle, OwnInputRule::ArticleTooLong, 1, 50001},
      {u"a", u"line one\r\nsee | here\r\n", OwnInputRule::ArticleBar, 2, 5},
      {u"a|", u"|\r\n", OwnInputRule::HeadwordBar, 1, 2},
  };
  for (const Case& c : cases) {
    const OwnInputCheck check = checkOwnInput(c.headword, c.article);
    EXPECT_EQ(check.rule, c.rule) << search_test::escaped(c.headword);
    if (c.line != 0) {
      EXPECT_EQ(check.line, c.line) << search_test::escaped(c.headword);
      EXPECT_EQ(check.column, c.column) << search_test::escaped(c.headword);
    }
    EXPECT_EQ(ownInputMessage(check).empty(), c.rule == OwnInputRule::Kept);
  }
  const std::u16string message = ownInputMessage(checkOwnInput(u"a", u"line one\r\nsee | here\r\n"));
  EXPECT_NE(message.find(u"line 2, character 5"), std::u16string::npos) << search_test::escaped(message, 200);
}

// The merged word list against the straightforward one, over sorted dictionary texts and
// own texts made by the edits, for words taken from both; and a keystroke's one lookup
// against the separate searches it stands for.
TEST(OwnArticles, MergedListingAgreesWithStraightforwardMerge) {
  std::mt19937 random(1015);
  const char16_t letters[] = {u'a', u'b', u'c', u'B', u'\u6C34'};
  const auto word = [&](std::size_t maxLength) {
    std::u16string out(random() % maxLength + 1, u'a');
    for (char16_t& unit : out) unit = letters[random() % std::size(letters)];
    return out;
  };
  int merges = 0;
  int found = 0;
  int full = 0;
  for (int round = 0; round < 300; ++round) {
    std::vector<std::u16string> dictionaryWords(random() % 60);
    for (auto& w : dictionaryWords) w = word(4);
    std::sort(dictionaryWords.begin(), dictionaryWords.end());
    std::u16string dictionaryText = u"\n";
    for (const auto& w : dictionaryWords) dictionaryText += u"|" + w + u"|d\r\n";
    std::u16string ownText(emptyOwnArticles);
    std::vector<std::u16string> ownWords(random() % 40);
    for (auto& w : ownWords) {
      w = random() % 3 == 0 && !dictionaryWords.empty() ? dictionaryWords[random() % dictionaryWords.size()] : word(4);
      ownText = withOwnArticle(ownText, w, u"o\r\n");
    }
    const ArticleText dictionary = prepareArticleText(dictionaryText);
    const ArticleText own = prepareArticleText(ownText);
    std::vector<std::u16string> typed = ownWords;
    typed.insert(typed.end(), dictionaryWords.begin(), dictionaryWords.end());
    for (int i = 0; i < 20; ++i) typed.push_back(word(3));
    // Text a key cuts or that holds what ends a field or the key.
    typed.push_back(std::u16string(maxArticleWordLength, u'a') + u"b");
    typed.push_back(ownWords.empty() ? u"a" : ownWords[0] + u'\0' + u"x");
    typed.push_back(u"a|o");
    typed.push_back(u"o\r\n|a");
    for (const std::u16string& w : typed) {
      const bool whole = random() % 2 == 0;
      const std::u16string cut = whole ? w : w.substr(0, random() % (w.size() + 1));
      // The own lookup of one search finds what the two searches find.
      const OwnLookup ownFound = lookUpOwnArticles(own, cut);
      const HeadwordListing ownListing = listHeadwords(own, cut);
      const ArticleLookup ownArticle = findArticle(own, cut);
      ASSERT_EQ(ownFound.article.status, ownArticle.status) << search_test::escaped(cut);
      ASSERT_EQ(ownFound.article.article, ownArticle.article) << search_test::escaped(cut);
      ASSERT_EQ(ownFound.listing.count, ownListing.count) << search_test::escaped(cut);
      found += ownArticle.status == ArticleStatus::Found;
      const HeadwordListing merged = mergedListing(ownFound.listing, listHeadwords(dictionary, cut));
      const reference::Listing expected = reference::mergedListing(reference::listHeadwords(ownText, cut),
                                                                   reference::listHeadwords(dictionaryText, cut));
      ASSERT_EQ(merged.status, expected.status) << search_test::escaped(cut);
      ASSERT_EQ(merged.count, expected.headwords.size()) << search_test::escaped(cut);
      for (std::size_t k = 0; k < merged.count; ++k) {
        ASSERT_EQ(merged.headwords[k], expected.headwords[k]) << search_test::escaped(cut) << " item " << k;
      }
      merges += merged.count > 0;
      // The keystroke's one lookup shows what the separate searches show.
      for (const Direction direction : bothDirections) {
        const Lookup one = lookUp(dictionary, own, direction, cut);
        const HeadwordListing separate =
            mergedListing(listHeadwords(own, cut), listTypedWord(dictionary, cut, direction));
        ASSERT_EQ(one.listing.status, separate.status) << search_test::escaped(cut);
        ASSERT_EQ(one.listing.count, separate.count) << search_test::escaped(cut);
        for (std::size_t k = 0; k < separate.count; ++k) {
          ASSERT_EQ(one.listing.headwords[k], separate.headwords[k]) << search_test::escaped(cut);
        }
        full += separate.count == maxListedHeadwords && ownListing.count > 0;
        std::u16string composed;
        std::u16string_view shown;
        std::u16string spelling;
        const bool dictionaryFound = findTypedArticle(dictionary, cut, direction, composed, shown, &spelling);
        const std::u16string dictionaryArticle(shown);
        // Text that found the dictionary's headword in another spelling ("B" for "b")
        // shows that headword's own article.
        const ArticleLookup ownOfFound =
            ownArticle.status == ArticleStatus::Found || !dictionaryFound ? ownArticle : findArticle(own, spelling);
        const std::u16string expectedArticle = ownOfFound.status == ArticleStatus::Found
                                                   ? ownArticleView(ownOfFound.article, dictionaryArticle)
                                                   : dictionaryArticle;
        ASSERT_EQ(one.articleFound, dictionaryFound || ownArticle.status == ArticleStatus::Found)
            << search_test::escaped(cut);
        ASSERT_EQ(one.article(), expectedArticle) << search_test::escaped(cut);
      }
    }
  }
  EXPECT_GT(merges, 5000);
  EXPECT_GT(found, 1000);
  EXPECT_GT(full, 500);
}

TEST(OwnArticles, ViewShowsTheOwnArticleFirstUnderItsHeading) {
  EXPECT_EQ(ownArticleView(u"mine\r\n", u""), u"Your own article:\r\nmine\r\n");
  EXPECT_EQ(ownArticleView(u"mine\r\n", u"theirs\r\n"),
            u"Your own article:\r\nmine\r\n\r\nFrom the dictionary:\r\ntheirs\r\n");
  const std::u16string longDictionary(2 * maxShownArticleLength, u'd');
  const std::u16string view = ownArticleView(u"mine\r\n", longDictionary);
  EXPECT_EQ(view.size(), maxShownArticleLength);
  EXPECT_EQ(view.substr(0, 24), u"Your own article:\r\nmine\r");
}

TEST(OwnArticles, TextThatFindsAHeadwordInAnotherSpellingShowsItsOwnArticle) {
  const ArticleText dictionary = prepareArticleText(u"\n|tea|1. 茶 chá: tea\r\n|水|shuǐ\r\n1. water\r\n");
  const std::u16string ownText =
      withOwnArticle(withOwnArticle(emptyOwnArticles, u"tea", u"mine\r\n"), u"水", u"my water\r\n");
  const ArticleText own = prepareArticleText(ownText);
  const struct {
    std::u16string typed;
    Direction direction;
    std::u16string headword;
    std::u16string own;
  } cases[] = {{u"tea", Direction::EnglishChinese, u"tea", u"mine"},
               {u"Tea", Direction::EnglishChinese, u"tea", u"mine"},
               {u"TEA", Direction::EnglishChinese, u"tea", u"mine"},
               {u"水。", Direction::ChineseEnglish, u"水", u"my water"}};
  for (const auto& c : cases) {
    const Lookup found = lookUp(dictionary, own, c.direction, c.typed);
    EXPECT_EQ(found.headword, c.headword) << search_test::escaped(c.typed);
    EXPECT_EQ(std::u16string(found.article()).rfind(u"Your own article:\r\n" + c.own + u"\r\n", 0), 0u)
        << search_test::escaped(c.typed);
  }
}

TEST(OwnArticles, FileNamesFollowTheDirection) {
  EXPECT_EQ(ownArticleFileName(Direction::EnglishChinese), u"Own_English_Chinese.dat");
  EXPECT_EQ(ownArticleFileName(Direction::ChineseEnglish), u"Own_Chinese_English.dat");
}

}  // namespace
