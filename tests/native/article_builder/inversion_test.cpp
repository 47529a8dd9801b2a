#include "inversion.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "articles.h"
#include "cedict.h"
#include "frequency.h"
#include "test_slice.h"

namespace {

using article_builder::Candidate;
using article_builder::englishHeadword;
using article_builder::englishHeadwords;
using article_builder::Entry;
using article_builder::GlossHeadword;

TEST(EnglishHeadword, IsWhatAUserTypes) {
  struct Case {
    const char* part;
    const char* headword;  // empty: no headword
  };
  const Case cases[] = {
      {"to eat", "eat"},
      {"to be fond of", "fond of"},
      {"to be", "be"},
      {"a (article)", "a"},
      {"(bound form) individual", "individual"},
      {"to eat at (a cafeteria etc)", "eat at"},
      {"cat (CL:\u96BB|\u53EA[zhi1])", "cat"},
      {"the Internet", "Internet"},
      {"Beijing", "Beijing"},
      {"to persuade sb", "persuade"},
      {"all right!", "all right"},
      {"where?", "where"},
      {"fig. to be jealous", "jealous"},
      {"T-shirt", "T-shirt"},
      {"Z\u00FCrich", "Z\u00FCrich"},
      {"lit. to draw a snake and add feet", ""},
      {"(classifier used before a noun that has no specific classifier)", ""},
      {"variant of \u5403[chi1]", ""},
      {"the emergency number for law enforcement in Mainland China", ""},
      {"surname Shui", ""},
      {"used in transliteration", ""},
      {"sb", ""},
      {"~'s", ""},
      {"to ... -ize", ""},
      {"to be ...ed", ""},
      {"", ""},
      // The words that remarks begin with are words too.
      {"surname", "surname"},
      {"radical", "radical"},
      {"to see off", "see off"},
      {"to be used to", "used to"},
      {"radical in Chinese characters (Kangxi radical 85)", ""},
      {"classifier for birds", ""},
      // Labels and notes; an exclamation's sentence capital.
      {"by ext. to swagger", "swagger"},
      {"coll. pr. [zhei4]", ""},
      {"Beijing pr", ""},
      {"cf Still waters run deep", ""},
      {"Good night!", "good night"},
      {"I love you!", "I love you"},
      {"Merry Christmas!", "Merry Christmas"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(englishHeadword(c.part), c.headword) << "gloss part \"" << c.part << "\"";
  }
}

TEST(EnglishHeadwords, OnePerPartAndNoneForPointers) {
  const auto found = englishHeadwords("to eat; to consume; eat");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].headword, "eat");
  EXPECT_EQ(found[0].part, 0u);
  EXPECT_EQ(found[1].headword, "consume");
  EXPECT_EQ(found[1].part, 1u);

  // A ";" inside parentheses does not split the gloss.
  const auto completely = englishHeadwords("(usually followed by a negative; literary) completely");
  ASSERT_EQ(completely.size(), 1u);
  EXPECT_EQ(completely[0].headword, "completely");

  EXPECT_TRUE(englishHeadwords("variant of \u500B|\u4E2A[ge4]").empty());
  EXPECT_TRUE(englishHeadwords("see \u6C34[shui3]").empty());
  EXPECT_TRUE(englishHeadwords("CL:\u672C[ben3]").empty());
  EXPECT_TRUE(englishHeadwords("Taiwan pr. [han4]").empty());

  // Only a two-word verb phrase stands under its verb as well.
  const auto heads = [](const char* gloss) {
    std::vector<std::string> out;
    for (const GlossHeadword& found : englishHeadwords(gloss)) out.push_back(found.headword);
    return out;
  };
  EXPECT_EQ(heads("to listen to"), (std::vector<std::string>{"listen to", "listen"}));
  EXPECT_EQ(heads("badly off"), (std::vector<std::string>{"badly off"}));
  EXPECT_EQ(heads("to put up with"), (std::vector<std::string>{"put up with"}));
}

TEST(Ranking, CountedWordsFirstByScoreThenTheRestInSourceOrder) {
  std::vector<Entry> entries(6);
  const char* words[] = {"A", "B", "C", "D", "E", "B"};
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i].simplified = words[i];

  const auto make = [](std::size_t entry, double score, bool counted, std::size_t order) {
    Candidate c;
    c.entry = entry;
    c.score = score;
    c.counted = counted;
    c.order = order;
    return c;
  };
  std::vector<Candidate> candidates = {
      make(0, 0.0, false, 0),  // no count: after every counted word
      make(1, 5.0, true, 1),  make(2, 9.0, true, 2),
      make(3, 5.0, true, 3),                          // same score as entry 1: source order decides
      make(4, 0.0, false, 4), make(5, 7.0, true, 5),  // the same word as entry 1, better: it stands for "B"
  };
  auto ranked = candidates;
  rankCandidates(ranked, entries, 10);
  std::vector<std::size_t> order;
  for (const Candidate& c : ranked) order.push_back(c.entry);
  EXPECT_EQ(order, (std::vector<std::size_t>{2, 5, 3, 0, 4}));

  // Ranking does not depend on the order candidates were collected in.
  auto reversed = std::vector<Candidate>(candidates.rbegin(), candidates.rend());
  rankCandidates(reversed, entries, 10);
  std::vector<std::size_t> reversedOrder;
  for (const Candidate& c : reversed) reversedOrder.push_back(c.entry);
  EXPECT_EQ(reversedOrder, order);

  auto limited = candidates;
  rankCandidates(limited, entries, 2);
  ASSERT_EQ(limited.size(), 2u);
  EXPECT_EQ(limited[0].entry, 2u);
  EXPECT_EQ(limited[1].entry, 5u);
}

TEST(Ranking, FunctionWordCountsDoNotCarryContentMeanings) {
  EXPECT_LT(article_builder::partOfSpeechWeight("p", "go"), 1.0);  // 于 "to go"
  EXPECT_LT(article_builder::partOfSpeechWeight("r", "beautiful"), 1.0);
  EXPECT_EQ(article_builder::partOfSpeechWeight("p", "in"), 1.0);
  EXPECT_EQ(article_builder::partOfSpeechWeight("r", "that"), 1.0);
  EXPECT_EQ(article_builder::partOfSpeechWeight("v", "go"), 1.0);
  // The first part of the first sense keeps its weight however many senses
  // follow; every later meaning is diluted by them.
  EXPECT_EQ(article_builder::positionWeight(0, 1, 0), article_builder::positionWeight(0, 6, 0));
  EXPECT_GT(article_builder::positionWeight(0, 6, 0), article_builder::positionWeight(0, 6, 1));
  EXPECT_GT(article_builder::positionWeight(0, 2, 1), article_builder::positionWeight(0, 6, 1));
  EXPECT_GT(article_builder::positionWeight(1, 2, 0), article_builder::positionWeight(1, 6, 0));
  EXPECT_GT(article_builder::positionWeight(1, 6, 0), article_builder::positionWeight(3, 6, 0));
}

TEST(Ranking, UsageLabelsWeighAGlossWhereverTheyStand) {
  EXPECT_GT(article_builder::registerWeight("water"), article_builder::registerWeight("(literary) water"));
  EXPECT_EQ(article_builder::registerWeight("big (old)"), article_builder::registerWeight("(old) big"));
  // Where a word comes from says nothing of how much it is used.
  EXPECT_EQ(article_builder::registerWeight("(loanword) coffee"), 1.0);
  EXPECT_EQ(article_builder::registerWeight("beer (loanword)"), 1.0);
}

TEST(Frequencies, BadLinesAreSkippedAndDuplicatesKeepTheLargerCount) {
  const auto table = article_builder::parseFrequencies(
      "\u6C34 24314 n\r\n"
      "\u6C34 100 v\n"                      // listed twice: the larger count stays
      "lonely\n"                            // no count
      "\u5403 abc v\n"                      // count not a number
      " 12 n\n"                             // no word
      "\u8BF4 12x v\n"                      // junk after the digits
      "\u597D 99999999999999999999999 a\n"  // too large: saturates, never wraps
      "\n"
      "\u4E8E 106176 p");
  EXPECT_EQ(table.skippedLines, 4u);
  EXPECT_EQ(article_builder::frequencyOf(table, "\u6C34"), 24314u);
  EXPECT_EQ(article_builder::partOfSpeechOf(table, "\u6C34"), "n");
  EXPECT_EQ(article_builder::partOfSpeechOf(table, "\u4E8E"), "p");
  EXPECT_EQ(article_builder::frequencyOf(table, "\u5403"), 0u);
  EXPECT_GT(article_builder::frequencyOf(table, "\u597D"), 1000000000000u);
}

// The English side of the slice: the usual word comes first, pointers and
// notes never become headwords.
class EnglishSlice : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto parsed = article_builder::parseCedict(article_builder_test::kSliceSource);
    const auto frequencies = article_builder::parseFrequencies(article_builder_test::kSliceFrequencies);
    article_builder::EnglishChineseCounts counts;
    for (auto& record : article_builder::buildEnglishChinese(parsed.entries, frequencies, counts)) {
      articles[record.headword] = record.article;
    }
  }
  std::string article(const std::string& headword) const {
    const auto found = articles.find(headword);
    return found == articles.end() ? std::string() : found->second;
  }
  std::map<std::string, std::string> articles;
};

TEST_F(EnglishSlice, MostCommonWordComesFirst) {
  const std::string eat = article("eat");
  ASSERT_FALSE(eat.empty());
  EXPECT_EQ(eat.rfind("1. \u5403 ch\u012B: to eat; to consume\r\n", 0), 0u) << eat;
  EXPECT_NE(eat.find("2. \u98DF sh\u00ED: to eat"), std::string::npos) << eat;
  EXPECT_EQ(article("water").rfind("1. \u6C34 shu\u01D0: water", 0), 0u);
  EXPECT_EQ(article("book").rfind("1. \u4E66 (\u66F8) sh\u016B: book", 0), 0u);
  EXPECT_EQ(article("persuade").rfind("1. \u8BF4 (\u8AAA) shu\u00EC", 0), 0u);
}

TEST_F(EnglishSlice, HasTheInitialWordAndNoPointerHeadwords) {
  EXPECT_NE(article("a").find("\u4E00 y\u012B: a (article)"), std::string::npos);
  for (const auto& record : articles) {
    EXPECT_EQ(record.first.find("variant"), std::string::npos) << record.first;
    EXPECT_EQ(record.first.find("surname"), std::string::npos) << record.first;
    EXPECT_EQ(record.first.find('('), std::string::npos) << record.first;
    EXPECT_EQ(record.second.find('|'), std::string::npos) << record.first;
    // 喫 only points to 吃: it is listed nowhere.
    EXPECT_EQ(record.second.find("\u55AB"), std::string::npos) << record.first;
  }
}

}  // namespace
