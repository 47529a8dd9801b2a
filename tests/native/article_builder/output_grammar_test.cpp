// The built files, read back the way the program reads them: unscrambled by
// the program's own code, then checked against the text grammar.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "articles.h"
#include "cedict.h"
#include "dictionary/article_files.h"
#include "frequency.h"
#include "sha256.h"
#include "test_slice.h"
#include "writer.h"

namespace {

using article_builder::checkArticleGrammar;
using article_builder::composeArticleText;
using article_builder::Record;
using article_builder::storedBytes;
using article_builder::WriteCounts;

struct BuiltSlice {
  std::vector<unsigned char> englishChinese;
  std::vector<unsigned char> chineseEnglish;
};

BuiltSlice buildSlice() {
  const auto parsed = article_builder::parseCedict(article_builder_test::kSliceSource);
  const auto frequencies = article_builder::parseFrequencies(article_builder_test::kSliceFrequencies);
  article_builder::EnglishChineseCounts englishCounts;
  article_builder::ChineseEnglishCounts chineseCounts;
  WriteCounts writeCounts;
  BuiltSlice built;
  built.englishChinese = storedBytes(composeArticleText(
      article_builder::preambleText("English-Chinese dictionary", parsed.releaseDate, parsed.entries.size()),
      article_builder::buildEnglishChinese(parsed.entries, frequencies, englishCounts), writeCounts));
  built.chineseEnglish = storedBytes(composeArticleText(
      article_builder::preambleText("Chinese-English dictionary", parsed.releaseDate, parsed.entries.size()),
      article_builder::buildChineseEnglish(parsed.entries, frequencies, chineseCounts), writeCounts));
  return built;
}

// Unscrambles with the program's code and reads the bytes as UTF-16LE.
std::u16string readAsProgramDoes(std::vector<unsigned char> bytes) {
  unscrambleArticleBytes(bytes.data(), bytes.size());
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return text;
}

// The grammar, checked here independently of the builder's own checker.
void expectGrammar(const std::u16string& text) {
  const std::size_t first = text.find(u'|');
  ASSERT_NE(first, std::u16string::npos);
  ASSERT_GT(first, 0u);
  EXPECT_EQ(text[first - 1], u'\n') << "preamble must end with a line feed";

  std::vector<std::u16string> headwords;
  std::size_t pos = first;
  while (pos != std::u16string::npos) {
    const std::size_t headEnd = text.find(u'|', pos + 1);
    ASSERT_NE(headEnd, std::u16string::npos) << "headword without closing |";
    headwords.push_back(text.substr(pos + 1, headEnd - pos - 1));
    const std::size_t next = text.find(u'|', headEnd + 1);
    const std::u16string article =
        text.substr(headEnd + 1, (next == std::u16string::npos ? text.size() : next) - headEnd - 1);
    ASSERT_FALSE(article.empty());
    EXPECT_EQ(article.back(), u'\n') << "every article ends with a line feed";
    EXPECT_LT(article.size(), 50000u);
    EXPECT_LT(headwords.back().size(), 1000u);
    EXPECT_FALSE(headwords.back().empty());
    EXPECT_EQ(headwords.back().find(u'\n'), std::u16string::npos);
    pos = next;
  }
  // Each "|" is a field boundary, so a record has exactly two; and every
  // line feed + "|" pair starts a record.
  std::size_t bars = 0;
  std::size_t pairs = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'|') continue;
    ++bars;
    if (i > 0 && text[i - 1] == u'\n') ++pairs;
  }
  EXPECT_EQ(bars, 2 * headwords.size());
  EXPECT_EQ(pairs, headwords.size());
  for (std::size_t i = 1; i < headwords.size(); ++i) {
    EXPECT_LT(headwords[i - 1], headwords[i]) << "records sorted by UTF-16 code unit, no repeats";
  }
}

TEST(BuiltSlice, ReadBackByTheProgramFollowsTheGrammar) {
  const BuiltSlice built = buildSlice();
  for (const auto* bytes : {&built.englishChinese, &built.chineseEnglish}) {
    ASSERT_EQ(bytes->size() % 2, 0u);
    const std::u16string text = readAsProgramDoes(*bytes);
    expectGrammar(text);
    const auto check = checkArticleGrammar(text);
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_GT(check.records, 10u);
    if (bytes == &built.englishChinese) {
      // The initial word the program looks up at start.
      EXPECT_NE(text.find(u"\n|a|"), std::u16string::npos);
    } else {
      // A pinyin headword leads to the word in the Chinese-English file.
      EXPECT_NE(text.find(u"\n|shui|"), std::u16string::npos);
    }
  }
}

TEST(BuiltSlice, SameInputGivesTheSameBytes) {
  const BuiltSlice first = buildSlice();
  const BuiltSlice second = buildSlice();
  EXPECT_EQ(first.englishChinese, second.englishChinese);
  EXPECT_EQ(first.chineseEnglish, second.chineseEnglish);
}

TEST(StoredForm, IsUtf16LittleEndianWithEveryBytePlusTwo) {
  // Line feed, "|", "ab", "|", "x", line feed: one record "ab" -> "x".
  const std::vector<unsigned char> expected = {0x0C, 0x02, 0x7E, 0x02, 0x63, 0x02, 0x64,
                                               0x02, 0x7E, 0x02, 0x7A, 0x02, 0x0C, 0x02};
  EXPECT_EQ(storedBytes(u"\n|ab|x\n"), expected);
  // 0xFE and 0xFF wrap around to 0x00 and 0x01.
  EXPECT_EQ(storedBytes(u"\uFFFE"), (std::vector<unsigned char>{0x00, 0x01}));
}

TEST(Compose, CleansSortsMergesAndBoundsRecords) {
  std::vector<Record> records = {
      {"zebra", "last\r\n"},
      {"b|ad", "a headword with a bar is dropped\r\n"},
      {"", "an empty headword is dropped\r\n"},
      {"two\nlines", "a headword with a line break is dropped\r\n"},
      {"apple", "with | bar"},  // bar replaced, line feed added
      {"Apple", "capital sorts first\r\n"},
      {"apple", "second apple\r\n"},                        // merged into the first
      {"huge", std::string(60000, 'x') + "\r\n"},           // cut below the limit
      {"\xF0\xA0\x80\x80", "supplementary character\r\n"},  // U+20000: surrogates
      {"\xEF\xBC\xA1", "fullwidth A\r\n"},                  // U+FF21 sorts after surrogates
  };
  WriteCounts counts;
  const std::u16string text = composeArticleText("Title | with bar\r\n", records, counts);
  const auto check = checkArticleGrammar(text);
  ASSERT_TRUE(check.ok) << check.problem;
  expectGrammar(text);
  EXPECT_EQ(counts.droppedRecords, 3u);
  EXPECT_EQ(counts.mergedDuplicates, 1u);
  EXPECT_EQ(counts.shortenedArticles, 1u);
  EXPECT_EQ(check.records, 6u);

  EXPECT_EQ(text.find(u"Title / with bar\r\n|Apple|"), 0u);
  EXPECT_NE(text.find(u"\n|apple|with / bar\r\n\r\nsecond apple\r\n|huge|"), std::u16string::npos);
  const std::size_t supplementary = text.find(u"\n|\U00020000|");
  const std::size_t fullwidth = text.find(u"\n|\uFF21|");
  ASSERT_NE(supplementary, std::u16string::npos);
  ASSERT_NE(fullwidth, std::u16string::npos);
  EXPECT_LT(supplementary, fullwidth) << "code-unit order, not code-point order";
  const std::u16string_view tail = u"|fullwidth A\r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << "no | after the last article";
}

TEST(GrammarCheck, CatchesEveryWayATextCanBreak) {
  struct Case {
    const char16_t* text;
    const char* why;
  };
  const Case broken[] = {
      {u"no records at all\n", "no record"},
      {u"|a|x\n", "preamble without line feed"},
      {u"\n|a|x", "article without line feed"},
      {u"\n||x\n", "empty headword"},
      {u"\n|b|x\n|a|y\n", "out of order"},
      {u"\n|a|x\n|a|y\n", "repeated headword"},
      {u"\n|a|x\n|", "trailing |"},
      {u"\n|a\nb|x\n", "line break in headword"},
      {u"\n|a", "unclosed headword"},
      {u"\n|a|x\n\u0000\n", "zero unit"},
      {u"\n|a|\xD800x\n", "lone surrogate"},
  };
  for (const Case& c : broken) {
    const std::u16string text(
        c.text, std::char_traits<char16_t>::length(c.text) + (std::string_view(c.why) == "zero unit" ? 2 : 0));
    EXPECT_FALSE(checkArticleGrammar(text).ok) << c.why;
  }
  EXPECT_TRUE(checkArticleGrammar(u"title\r\n|a|x\r\n|b|y\n").ok);
  const std::u16string longHeadword = u"\n|" + std::u16string(1000, u'h') + u"|x\n";
  EXPECT_FALSE(checkArticleGrammar(longHeadword).ok);
  const std::u16string longArticle = u"\n|a|" + std::u16string(50000, u'x') + u"\n";
  EXPECT_FALSE(checkArticleGrammar(longArticle).ok);
}

TEST(Sha256, MatchesKnownDigests) {
  using article_builder::sha256Hex;
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // Two-block message: the padding spills into a second block.
  EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256Hex(std::string(1000, 'a')), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

}  // namespace
