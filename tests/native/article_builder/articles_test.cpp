#include "articles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cedict.h"
#include "frequency.h"
#include "test_slice.h"

namespace {

// The Chinese-English side of the slice, by headword.
class ChineseSlice : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto parsed = article_builder::parseCedict(article_builder_test::kSliceSource);
    const auto frequencies = article_builder::parseFrequencies(article_builder_test::kSliceFrequencies);
    for (auto& record : article_builder::buildChineseEnglish(parsed.entries, frequencies, counts)) {
      EXPECT_TRUE(articles.emplace(record.headword, record.article).second) << "two records for " << record.headword;
    }
  }
  std::string article(const std::string& headword) const {
    const auto found = articles.find(headword);
    return found == articles.end() ? std::string() : found->second;
  }
  // Position of `text` in the article of `headword`, npos when absent.
  std::size_t where(const std::string& headword, const std::string& text) const { return article(headword).find(text); }
  std::map<std::string, std::string> articles;
  article_builder::ChineseEnglishCounts counts;
};

// Without reading counts the readings with more everyday senses lead; a
// surname reading counts less than a word, and pointers come last.
TEST_F(ChineseSlice, MergesAllReadingsMostUsedFirstWithPointersLast) {
  const std::string he = article("\u548C");
  const std::size_t surname = he.find("H\u00E9\r\n1. surname He");
  const std::size_t and_ = he.find("h\u00E9\r\n1. (joining two nouns) and");
  const std::size_t reply = he.find("h\u00E8\r\n1. to compose a poem");
  const std::size_t mix = he.find("hu\u00F3\r\n1. to combine");
  const std::size_t variant = he.find("(traditional \u548A)\r\n1. old variant of \u548C [h\u00E9]");
  ASSERT_NE(surname, std::string::npos) << he;
  ASSERT_NE(and_, std::string::npos) << he;
  ASSERT_NE(reply, std::string::npos) << he;
  ASSERT_NE(mix, std::string::npos) << he;
  ASSERT_NE(variant, std::string::npos) << he;
  EXPECT_LT(and_, reply);
  EXPECT_LT(reply, mix);
  EXPECT_LT(mix, surname);
  EXPECT_LT(surname, variant);
  EXPECT_NE(he.find("Taiwan pr. [hu\u00F2]\r\n"), std::string::npos) << he;
}

TEST_F(ChineseSlice, ShowsReadingSensesAndClassifiersReadably) {
  const std::string book = article("\u4E66");
  EXPECT_EQ(book.rfind("sh\u016B   (traditional \u66F8)\r\n1. book\r\n2. letter\r\n3. document\r\n4. to write\r\n", 0),
            0u)
      << book;
  EXPECT_NE(book.find("Classifiers: \u672C b\u011Bn, \u518C c\u00E8, \u90E8 b\u00F9\r\n"), std::string::npos) << book;
  EXPECT_NE(where("\u6C34", "shu\u01D0\r\n1. water\r\n"), std::string::npos);
  EXPECT_NE(where("\u5317\u4EAC", "B\u011Bi j\u012Bng\r\n1. Beijing"), std::string::npos);
  EXPECT_NE(where("\u4E00\u70B9\u513F", "y\u012B di\u01CEnr"), std::string::npos);
}

TEST_F(ChineseSlice, TraditionalFormsPointToTheSimplifiedForm) {
  EXPECT_EQ(article("\u50B3\u7D71").rfind("chu\u00E1n t\u01D2ng   (simplified \u4F20\u7EDF)\r\n1. tradition", 0), 0u);
  EXPECT_NE(where("\u4F20\u7EDF", "(traditional \u50B3\u7D71)"), std::string::npos);
  EXPECT_NE(where("\u4F20\u7EDF", "Classifier: \u4E2A g\u00E8\r\n"), std::string::npos);
  // 喫 is a traditional form of 吃 that only points to it.
  EXPECT_NE(where("\u55AB", "(simplified \u5403)\r\n1. variant of \u5403 [ch\u012B]"), std::string::npos);
  EXPECT_GE(counts.traditionalHeadwords, 5u);
}

TEST_F(ChineseSlice, TonelessPinyinListsWordsMostCommonFirst) {
  const std::string shui = article("shui");
  const std::size_t shuo = shui.find("\u8BF4 (\u8AAA) shu\u00EC: to persuade");
  const std::size_t water = shui.find("\u6C34 shu\u01D0: water");
  const std::size_t who = shui.find("\u8C01 (\u8AB0) shu\u00ED: who");  // from "also pr. [shui2]"
  const std::size_t sleep = shui.find("\u7761 shu\u00EC: to sleep");
  ASSERT_NE(shuo, std::string::npos) << shui;
  ASSERT_NE(water, std::string::npos) << shui;
  ASSERT_NE(who, std::string::npos) << shui;
  ASSERT_NE(sleep, std::string::npos) << shui;
  EXPECT_EQ(water, shui.find("2. ") + 3) << shui;  // 水 is among the first
  EXPECT_LT(water, who);
  EXPECT_LT(who, sleep);
  // 水 is listed once, although two of its readings are spelled "shui".
  EXPECT_EQ(shui.find("\u6C34 ", water + 1), std::string::npos) << shui;

  const std::string shuijiao = article("shuijiao");
  EXPECT_LT(shuijiao.find("\u7761\u89C9"), shuijiao.find("\u6C34\u9975")) << shuijiao;
  EXPECT_NE(where("nv", "1. \u5973 n\u01DA: female"), std::string::npos);
  EXPECT_EQ(article("nv"), article("n\u00FC"));
  EXPECT_NE(where("yidianr", "\u4E00\u70B9\u513F (\u4E00\u9EDE\u5152) y\u012B di\u01CEnr"), std::string::npos);
  EXPECT_NE(where("beijing", "\u5317\u4EAC B\u011Bi j\u012Bng: Beijing"), std::string::npos);
}

TEST_F(ChineseSlice, NoArticleHoldsASeparator) {
  for (const auto& record : articles) {
    EXPECT_EQ(record.first.find('|'), std::string::npos) << record.first;
    EXPECT_EQ(record.second.find('|'), std::string::npos) << record.first << ": " << record.second;
    EXPECT_GE(record.second.size(), 2u);
    EXPECT_EQ(record.second.substr(record.second.size() - 2), "\r\n") << record.first;
  }
}

TEST(Preamble, CreditsTheSourceAndEndsWithALineFeed) {
  const std::string preamble = article_builder::preambleText("English-Chinese dictionary", "2026-09-10", 125049);
  EXPECT_EQ(preamble.rfind("English-Chinese dictionary\r\n", 0), 0u);
  EXPECT_NE(preamble.find("CC-CEDICT (release 2026-09-10), 125049 entries"), std::string::npos);
  EXPECT_NE(preamble.find("Creative Commons Attribution-ShareAlike 4.0"), std::string::npos);
  EXPECT_EQ(preamble.find('|'), std::string::npos);
  EXPECT_EQ(preamble.back(), '\n');
}

}  // namespace
