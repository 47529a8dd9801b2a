// The article text grammar shared by the article builder and the user's own articles: what
// each set of limits accepts, what a refusal says, and the records read.
#include "dictionary/article_grammar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ArticleGrammarLimits fileLimits() {
  ArticleGrammarLimits limits;
  limits.maxHeadwordLength = 9;
  limits.maxArticleLength = 8;
  return limits;
}

ArticleGrammarLimits ownLimits() {
  ArticleGrammarLimits limits;
  limits.preambleIsOneLineFeed = true;
  limits.needsRecord = false;
  limits.pairedSurrogates = false;
  limits.maxHeadwordLength = 9;
  limits.maxArticleLength = 8;
  limits.articleEndsWithCrLf = true;
  return limits;
}

TEST(ArticleGrammar, EachSetOfLimitsAcceptsItsOwnTexts) {
  struct Case {
    const char* what;
    std::u16string text;
    bool file;  // accepted with the article file limits
    bool own;   // accepted with the own article limits
  };
  const Case cases[] = {
      {"one record", u"\n|a|x\r\n", true, true},
      {"headword and article at their limits", u"\n|123456789|123456\r\n", true, true},
      {"headword one over", u"\n|1234567890|x\r\n", false, false},
      {"article one over", u"\n|a|1234567\r\n", false, false},
      {"title line before the preamble's line feed", u"title\r\n|a|x\r\n", true, false},
      {"two line feeds before the first record", u"\n\n|a|x\r\n", true, false},
      {"preamble alone", u"\n", false, true},
      {"no text at all", u"", false, false},
      {"article of a bare line feed", u"\n|a|x\n", true, false},
      {"article of only its line end", u"\n|a|\r\n", true, false},
      {"lone high surrogate", u"\n|a|\xD800x\r\n", false, true},
      {"lone low surrogate", u"\n|\xDC00|x\r\n", false, true},
      {"surrogate pair", u"\n|\xD840\xDC00|x\r\n", true, true},
      {"zero unit", std::u16string(u"\n|a|x\0\r\n", 8), false, false},
      {"bar after the last article", u"\n|a|x\r\n|", false, false},
      {"equal headwords", u"\n|a|x\r\n|a|y\r\n", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(checkArticleTextGrammar(c.text, fileLimits()).ok, c.file) << c.what;
    EXPECT_EQ(checkArticleTextGrammar(c.text, ownLimits()).ok, c.own) << c.what;
  }
}

TEST(ArticleGrammar, RefusalSaysWhatBrokeAndInWhichRecord) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"no records at all\n", "no record (record 1)"},
      {u"|a|x\n", "preamble does not end with a line feed (record 1)"},
      {u"\n|a|x\n|b", "headword without closing | (record 2)"},
      {u"\n|a|x\n||y\n", "empty headword (record 2)"},
      {u"\n|a|x\n|1234567890|y\n", "headword of 10 characters or more (record 2)"},
      {u"\n|a|x\n|b\nc|y\n", "line break in headword (record 2)"},
      {u"\n|b|x\n|a|y\n", "headwords out of order or repeated (record 2)"},
      {u"\n|a|x", "article does not end with a line feed (record 1)"},
      {u"\n|a|123456789\n", "article of 9 characters or more (record 1)"},
      {u"\n|a|\xDC00\n", "unpaired low surrogate (record 1)"},
  };
  for (const auto& [text, problem] : cases) {
    const ArticleGrammarCheck check = checkArticleTextGrammar(text, fileLimits());
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.problem, problem);
  }
}

TEST(ArticleGrammar, HandsBackTheRecordsAsViewsIntoTheText) {
  const std::u16string text = u"\n|a|one\r\n|b|two\r\nb\r\n";
  std::vector<ArticleRecord> records;
  const ArticleGrammarCheck check = checkArticleTextGrammar(text, ownLimits(), &records);
  ASSERT_TRUE(check.ok) << check.problem;
  EXPECT_EQ(check.records, 2u);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].headword, u"a");
  EXPECT_EQ(records[0].article, u"one\r\n");
  EXPECT_EQ(records[1].headword, u"b");
  EXPECT_EQ(records[1].article, u"two\r\nb\r\n");
  EXPECT_EQ(records[1].article.data(), text.data() + 12);
}

}  // namespace
