#include "pinyin.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using article_builder::isNumberedPinyin;
using article_builder::markPinyin;
using article_builder::markSyllable;
using article_builder::tonelessKeys;

struct MarkCase {
  const char* numbered;
  const char* marked;
};

TEST(ToneMarks, EachSyllableCarriesTheMarkWhereLearnersExpectIt) {
  const MarkCase cases[] = {
      {"hao3", "h\u01CEo"},    // a takes the mark
      {"xue2", "xu\u00E9"},    // e takes the mark
      {"lou4", "l\u00F2u"},    // the o of "ou"
      {"shui3", "shu\u01D0"},  // else the last vowel
      {"liu2", "li\u00FA"},
      {"guo2", "gu\u00F3"},
      {"nu:3", "n\u01DA"},         // u: is ü
      {"nv3", "n\u01DA"},          // so is v
      {"lu:e4", "l\u00FC\u00E8"},  // ü before e: e takes the mark
      {"lu:5", "l\u00FC"},         // neutral tone keeps ü unmarked
      {"le5", "le"},               // neutral tone: no mark
      {"r5", "r"},                 // erhua syllable
      {"Bei3", "B\u011Bi"},        // capital kept
      {"A1", "\u0100"},
      {"E4", "\u00C8"},
      {"Lu:3", "L\u01DA"},
      {"m2", "\u1E3F"},  // syllabic nasals mark the consonant
      {"m4", "m\u0300"},
      {"n4", "\u01F9"},
      {"ng2", "\u0144g"},
      {"hng4", "h\u01F9g"},
      {"hm5", "hm"},
      {"xx5", "xx"},  // placeholder syllable, neutral tone
  };
  for (const MarkCase& c : cases) {
    EXPECT_EQ(markSyllable(c.numbered), c.marked) << "syllable " << c.numbered;
  }
}

TEST(ToneMarks, TokensThatAreNotNumberedSyllablesAreLeftAlone) {
  for (const char* token : {"A", "xyz", "\u00B7", ",", "3", "11", "u:", "shui6", "sh:ui3", ""}) {
    EXPECT_EQ(markSyllable(token), token) << "token " << token;
  }
}

TEST(ToneMarks, WholeReadingsKeepSeparatorsAndAttachErhua) {
  const MarkCase cases[] = {
      {"Bei3 jing1", "B\u011Bi j\u012Bng"},
      {"shui3 jiao3", "shu\u01D0 ji\u01CEo"},
      {"yi1 dian3 r5", "y\u012B di\u01CEnr"},
      {"zi4 ge3 r5", "z\u00EC g\u011Br"},
      {"Ka3 er3 \u00B7 Ma3 ke4 si1", "K\u01CE \u011Br \u00B7 M\u01CE k\u00E8 s\u012B"},
      {"shi2wa3", "sh\u00ED w\u01CE"},  // glued syllables are split
      {"san1 C", "s\u0101n C"},
      {"  wang4   bu5  liao3 ", "w\u00E0ng bu li\u01CEo"},
  };
  for (const MarkCase& c : cases) {
    EXPECT_EQ(markPinyin(c.numbered), c.marked) << "reading " << c.numbered;
  }
}

TEST(TonelessKeys, AreWhatAUserTypes) {
  struct Case {
    const char* numbered;
    bool ok;
    const char* withV;
    const char* withU;
  };
  const Case cases[] = {
      {"shui3 jiao4", true, "shuijiao", "shuijiao"},
      {"Bei3 jing1", true, "beijing", "beijing"},
      {"nu:3 er2", true, "nver", "n\u00FCer"},
      {"yi1 dian3 r5", true, "yidianr", "yidianr"},
      {"Ka3 er3 \u00B7 Ma3 ke4 si1", true, "kaermakesi", "kaermakesi"},
      {"ka3 la1 O K", false, "", ""},  // Latin letters have no typed pinyin form
      {"11 Qu1", false, "", ""},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    std::string withV = "stale";
    std::string withU = "stale";
    EXPECT_EQ(tonelessKeys(c.numbered, withV, withU), c.ok) << c.numbered;
    EXPECT_EQ(withV, c.withV) << c.numbered;
    EXPECT_EQ(withU, c.withU) << c.numbered;
  }
}

TEST(NumberedPinyin, IsRecognisedOnlyWhenEveryTokenIsASyllable) {
  EXPECT_TRUE(isNumberedPinyin("han4"));
  EXPECT_TRUE(isNumberedPinyin("Zhong1 guo2"));
  EXPECT_TRUE(isNumberedPinyin("Ka3 er3 \u00B7 Ma3"));
  EXPECT_FALSE(isNumberedPinyin(""));
  EXPECT_FALSE(isNumberedPinyin("see above"));
  EXPECT_FALSE(isNumberedPinyin("A B"));
  EXPECT_FALSE(isNumberedPinyin("\u00B7"));
}

}  // namespace
