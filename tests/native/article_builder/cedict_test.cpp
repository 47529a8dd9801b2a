#include "cedict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_slice.h"

namespace {

using article_builder::Entry;
using article_builder::LineKind;
using article_builder::parseCedict;
using article_builder::parseCedictLine;

TEST(SourceLine, ReadsAllFieldsAndDropsEmptyGlosses) {
  struct Case {
    const char* line;
    const char* traditional;
    const char* simplified;
    const char* pinyin;
    const char* otherPinyin;
    std::vector<std::string> glosses;
  };
  const Case cases[] = {
      {"\u66F8 \u4E66 [shu1] /book/letter/", "\u66F8", "\u4E66", "shu1", "", {"book", "letter"}},
      // Windows line end, blanks around fields, an empty gloss between slashes.
      {"\u6C34  \u6C34  [shui3]  /water// River /\r", "\u6C34", "\u6C34", "shui3", "", {"water", "River"}},
      // The reading written in double brackets.
      {"\u4E2D\u570B \u4E2D\u56FD [[Zhong1 guo2]] /China/",
       "\u4E2D\u570B",
       "\u4E2D\u56FD",
       "Zhong1 guo2",
       "",
       {"China"}},
      // A second, double-bracketed reading after the first.
      {"\u548C \u548C [he2] [[han4]] /and/", "\u548C", "\u548C", "he2", "han4", {"and"}},
      // A "|" inside a gloss is kept for the display code to rewrite.
      {"\u500B \u4E2A [ge3] /used in \u81EA\u500B\u5152|\u81EA\u4E2A\u513F[zi4 ge3 r5]/",
       "\u500B",
       "\u4E2A",
       "ge3",
       "",
       {"used in \u81EA\u500B\u5152|\u81EA\u4E2A\u513F[zi4 ge3 r5]"}},
  };
  for (const Case& c : cases) {
    Entry entry;
    std::string reason;
    ASSERT_EQ(parseCedictLine(c.line, entry, reason), LineKind::entry) << c.line << ": " << reason;
    EXPECT_EQ(entry.traditional, c.traditional);
    EXPECT_EQ(entry.simplified, c.simplified);
    EXPECT_EQ(entry.pinyin, c.pinyin);
    EXPECT_EQ(entry.otherPinyin, c.otherPinyin);
    EXPECT_EQ(entry.glosses, c.glosses) << c.line;
  }
}

TEST(SourceLine, MalformedLinesAreSkippedWithAReason) {
  struct Case {
    std::string line;
    const char* reason;
  };
  const Case cases[] = {
      {"lonely", "missing simplified form"},
      {"a b", "missing [pinyin]"},
      {"no pinyin here /gloss/", "missing [pinyin]"},
      {"a b [x1 /g/", "unclosed [pinyin]"},
      {"中國 中国 [Zhong1 guo2 /China/see 中華[Zhong1 hua2]/", "unclosed [pinyin]"},
      {"国 国 [guo2] [[guo2 /a/ [b]]/d/", "unclosed [[pinyin]]"},
      {"a b [] /g/", "empty [pinyin]"},
      {"a b [x1] [[y1 /g/", "unclosed [[pinyin]]"},
      {"a b [x1] no glosses", "missing /glosses/"},
      {"a b [x1] /g", "glosses not closed with /"},
      {"a b [x1] /", "glosses not closed with /"},
      {"a b [x1] // /", "no glosses"},
      {"a|b c [x1] /g/", "separator inside headword"},
      {"a c/d [x1] /g/", "separator inside headword"},
      {"\xFF\xFE b [x1] /g/", "invalid UTF-8"},
      {"a b [x1] /g\x01/", "control character in line"},
      {std::string(1000, 'h') + " b [x1] /g/", "headword too long"},
  };
  for (const Case& c : cases) {
    Entry entry;
    std::string reason;
    EXPECT_EQ(parseCedictLine(c.line, entry, reason), LineKind::skipped) << c.line;
    EXPECT_EQ(reason, c.reason) << c.line;
  }
}

TEST(SourceLine, CommentsAndBlankLinesAreNotEntries) {
  Entry entry;
  std::string reason;
  EXPECT_EQ(parseCedictLine("# CC-CEDICT", entry, reason), LineKind::comment);
  EXPECT_EQ(parseCedictLine("   ", entry, reason), LineKind::blank);
  EXPECT_EQ(parseCedictLine("\r", entry, reason), LineKind::blank);
}

TEST(SourceText, KeepsSourceOrderAndCountsSkippedLinesByReason) {
  const auto result = parseCedict(article_builder_test::kSliceSource);
  EXPECT_EQ(result.releaseDate, "2026-09-10");
  EXPECT_EQ(result.commentLines, 2u);
  EXPECT_EQ(skippedTotal(result), 3u);
  EXPECT_EQ(result.skipped.at("separator inside headword"), 1u);
  EXPECT_EQ(result.skipped.at("missing [pinyin]"), 1u);
  EXPECT_EQ(result.skipped.at("missing /glosses/"), 1u);
  EXPECT_EQ(result.entries.size() + skippedTotal(result) + result.commentLines, result.lines);

  ASSERT_GE(result.entries.size(), 2u);
  EXPECT_EQ(result.entries.front().simplified, "\u4E00");
  EXPECT_EQ(result.entries.front().line, 3u);
  for (std::size_t i = 1; i < result.entries.size(); ++i) {
    EXPECT_LT(result.entries[i - 1].line, result.entries[i].line);
  }
  // Nothing of a skipped line reaches the entries.
  for (const Entry& entry : result.entries) {
    EXPECT_EQ(entry.traditional.find('|'), std::string::npos);
    EXPECT_NE(entry.simplified, "pinyin");
  }
}

TEST(SourceText, ByteOrderMarkAndMissingFinalLineFeedAreHarmless) {
  const auto result = parseCedict("\xEF\xBB\xBF\u6C34 \u6C34 [shui3] /water/");
  ASSERT_EQ(result.entries.size(), 1u);
  EXPECT_EQ(result.entries[0].traditional, "\u6C34");
  EXPECT_EQ(skippedTotal(result), 0u);
}

}  // namespace
