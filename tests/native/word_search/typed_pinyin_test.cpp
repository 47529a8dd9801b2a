// Typed pinyin: what a user may type for a pinyin headword, the ü spellings
// tried for it, and the order a found list is shown in.
#include "dictionary/typed_pinyin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// Printable ASCII as it is, everything else as \uXXXX, for failure messages.
std::string escaped(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(unit));
      out += code;
    }
  }
  return out;
}

// "beijing 2:3 6:1" (key, then offset:tone per typed tone), or "rejected".
std::string readAs(std::u16string_view typed, std::size_t maxLength = 100) {
  TypedPinyin read{u"stale", {{0, 1}}, {3}};
  if (!readTypedPinyin(typed, read, maxLength)) {
    // A rejected text must not leave an earlier key to be looked up.
    return read.key.empty() && read.tones.empty() && read.syllableStarts.empty() ? "rejected" : "rejected, output kept";
  }
  std::string text = escaped(read.key);
  for (const TypedTone& tone : read.tones) {
    text += " " + std::to_string(tone.keyOffset) + ":" + std::to_string(tone.tone);
  }
  return text;
}

TEST(ReadTypedPinyin, ReadsTheWaysPinyinIsTyped) {
  const struct {
    std::u16string typed;
    std::string expected;
  } cases[] = {
      {u"  xue   sheng\t", "xuesheng"},
      {u"\u3000wo\u00A0men", "women"},
      {u"BeiJING", "beijing"},
      {u"chang'an", "changan"},
      {u"xi’an", "xian"},
      // Digits belong to the letter before them, marks to the letter they mark.
      {u"bei3jing1", "beijing 2:3 6:1"},
      {u"Bei3 jing", "beijing 2:3"},
      {u"dong1xi5", "dongxi 3:1 5:5"},
      {u"běijīng", "beijing 1:3 4:1"},
      {u"Chángchéng", "changcheng 2:2 7:2"},
      {u"ĀÁǍÀ", "aaaa 0:1 1:2 2:3 3:4"},
      {u"ḿ ń ň ǹ", "mnnn 0:2 1:2 2:3 3:4"},
      {u"be\u030Ciji\u0304ng", "beijing 1:3 4:1"},
      {u"ha\u0300o", "hao 1:4"},
      {u"ǎ3", "a 0:3"},
      // The spellings of ü; a plain u stays u (see umlautSpellings).
      {u"nüren", "nvren"},
      {u"NÜ3", "nv 1:3"},
      {u"nu:3", "nv 1:3"},
      {u"NU:", "nv"},
      {u"lǜ", "lv 1:4"},
      {u"LǙ", "lv 1:3"},
      {u"nu\u0308\u0301", "nv 1:2"},
      {u"nuren", "nuren"},
      // Rejected: nothing to read, digits or marks with no letter right before
      // them, two tones on a letter, other scripts and punctuation.
      {u"", "rejected"},
      {u" '’ ", "rejected"},
      {u"123", "rejected"},
      {u"wo 3", "rejected"},
      {u"wo33", "rejected"},
      {u"wo6", "rejected"},
      {u"wo0", "rejected"},
      {u"\u0301a", "rejected"},
      {u"a3\u0301", "rejected"},
      {u"ǎ4", "rejected"},
      {u"nu::", "rejected"},
      {u"a:", "rejected"},
      {u"bei北京", "rejected"},
      {u"bei-jing", "rejected"},
      {u"ｂｅｉ", "rejected"},
      {u"ă", "rejected"},
      {std::u16string(u"wo\0", 3), "rejected"},
      {std::u16string(1, char16_t(0xD800)), "rejected"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readAs(c.typed), c.expected) << "typed: " << escaped(c.typed);
  }
}

// A blank or apostrophe between letters starts a syllable at the next letter.
TEST(ReadTypedPinyin, NotesWhereTypedSyllablesStart) {
  const struct {
    std::u16string typed;
    std::vector<std::size_t> starts;
  } cases[] = {
      {u"xi'an", {2}},
      {u"Xi\u2019an", {2}},
      {u"  xi an  ", {2}},
      {u"xian", {}},
      {u"'xian'", {}},
      {u"bei3 jing1", {3}},
      {u"w'o3 m\u0304e n", {1, 2, 4}},
      {u"xi '  an", {2}},
      // A tone digit ends its syllable, the 儿 "r" after it aside.
      {u"ku4ai4", {2}},
      {u"bei3jing1", {3}},
      {u"hui4r", {}},
      {u"hui4r5de", {4}},
      {u"yi1ren2", {2}},
  };
  for (const auto& c : cases) {
    TypedPinyin read;
    ASSERT_TRUE(readTypedPinyin(c.typed, read, 100)) << escaped(c.typed);
    EXPECT_EQ(read.syllableStarts, c.starts) << escaped(c.typed);
  }
}

TEST(ReadTypedPinyin, LongAndHostileTextIsBounded) {
  // The limit counts key letters, not blanks, apostrophes or tones.
  EXPECT_EQ(readAs(u"w'o3 m\u0304e n", 5), "women 1:3 2:1");
  EXPECT_EQ(readAs(u"women", 4), "rejected");
  EXPECT_EQ(readAs(std::u16string(497, u'a'), 496), "rejected");
  EXPECT_EQ(readAs(std::u16string(500, u'\''), 496), "rejected");
  EXPECT_EQ(readAs(std::u16string(500, u'\u0301'), 496), "rejected");
  EXPECT_EQ(readAs(std::u16string(1000000, u' ') + u"a3"), "a 0:3");
}

std::vector<std::string> spellings(std::u16string_view key, std::size_t limit) {
  std::vector<std::string> out;
  for (const std::u16string& variant : umlautSpellings(key, limit)) {
    out.push_back(escaped(variant));
  }
  return out;
}

TEST(UmlautSpellings, TriesUAfterNOrLAsUmlautFewestChangesFirst) {
  using List = std::vector<std::string>;
  EXPECT_EQ(spellings(u"nuren", 8), List({"nvren"}));
  EXPECT_EQ(spellings(u"lue", 8), List({"lve"}));
  EXPECT_EQ(spellings(u"uju", 8), List());
  EXPECT_EQ(spellings(u"nuu", 8), List({"nvu"}));  // the second u follows a u
  EXPECT_EQ(spellings(u"nulunu", 4), List({"nvlunu", "nulvnu", "nulunv", "nvlvnu"}));
  EXPECT_EQ(spellings(u"nulu", 0), List());

  // Four places: each of the 15 changes once, by size.
  const List all = spellings(u"nulununu", 100);
  ASSERT_EQ(all.size(), 15u);
  EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), 15u);
  EXPECT_EQ(all[4], "nvlvnunu");
  EXPECT_EQ(all.back(), "nvlvnvnv");

  // 250 places: the limit holds, singles first.
  std::u16string many;
  for (int i = 0; i < 250; ++i) {
    many += u"nu";
  }
  const std::vector<std::u16string> variants = umlautSpellings(many, 300);
  ASSERT_EQ(variants.size(), 300u);
  EXPECT_EQ(variants[249].substr(496), u"nunv");
  EXPECT_EQ(variants[250].substr(0, 6), u"nvnvnu");
}

// A list article as the builder writes it: numbered word lines, then an
// optional closing line.
std::u16string list(std::initializer_list<std::u16string_view> words, std::u16string_view closing = {}) {
  std::u16string text;
  int number = 0;
  for (std::u16string_view word : words) {
    for (char c : std::to_string(++number) + ". ") {
      text.push_back(static_cast<char16_t>(c));
    }
    text.append(word).append(u"\r\n");
  }
  return closing.empty() ? text : text.append(closing).append(u"\r\n");
}

TEST(OrderByTypedTones, PutsWordsWithTheTypedTonesFirst) {
  const std::u16string_view bj1 = u"北京 Běi jīng: Beijing", bj2 = u"背景 bèi jǐng: background",
                            bj3 = u"北境 běi jìng: northern border";
  const std::u16string_view closing = u"(3 less common words not listed)";
  const std::u16string beijing = list({bj1, bj2, bj3}, closing);
  const std::u16string_view shu1 = u"书 (書) shū: book", shu2 = u"熟 shú: ripe",
                            shu3 = u"树 (樹) shù: tree: a woody plant";
  const std::u16string_view dx1 = u"东西 dōng xī: east and west", dx2 = u"东西 dōng xi: thing";
  const std::u16string_view er1 = u"点儿 (點兒) diǎnr: a little", er2 = u"垫儿 (墊兒) diànr: cushion";
  const std::u16string_view lv1 = u"绿 (綠) lǜ: green", lv2 = u"旅 lu\u0308\u030C: to travel";
  const std::u16string_view mk1 = u"马克 Mǎ kè: Marc", mk2 = u"马·克 Mǎ · Kē: Ma Ke";
  const std::u16string_view qu1 = u"取 qǔ: to take", qu2 = u"趣 qǜ: (u after q is no ü)";
  const std::u16string_view xa1 = u"先 xiān: first", xa2 = u"西安 Xī ān: Xi'an", xa3 = u"现 (現) xiàn: now";
  const struct {
    std::u16string article;
    std::u16string typed;
    std::u16string expected;
  } cases[] = {
      {beijing, u"bei4jing3", list({bj2, bj1, bj3}, closing)},
      {beijing, u"bei3jing", list({bj1, bj3, bj2}, closing)},  // both groups keep order
      {beijing, u"beijing4", list({bj3, bj1, bj2}, closing)},
      {list({shu1, shu2, shu3}), u"shu4", list({shu3, shu1, shu2})},
      {list({dx1, dx2}), u"dong xi5", list({dx2, dx1})},
      {list({er1, er2}), u"dianr4", list({er2, er1})},
      {list({er1, er2}), u"dian4r", list({er2, er1})},
      {list({lv1, lv2}), u"lu3", list({lv2, lv1})},
      {list({mk1, mk2}), u"ma3ke1", list({mk2, mk1})},
      // Typed syllable starts: the words that part there first, with any typed tone.
      {list({xa1, xa2, xa3}), u"xi'an", list({xa2, xa1, xa3})},
      {list({xa1, xa2, xa3}), u"xi an1", list({xa2, xa1, xa3})},
      {list({xa1, xa2, xa3}), u"xi'an4", list({xa1, xa2, xa3})},
      {list({xa1, xa2, xa3}), u"xian4", list({xa3, xa1, xa2})},
      {list({xa1, xa2, xa3}), u"xia'n", list({xa1, xa2, xa3})},
      {list({dx1, dx2}), u"dongx'i", list({dx1, dx2})},
      // Unchanged: no tone typed, no line with the tones, the line leads already,
      // a neutral tone asked of a marked syllable, other letters.
      {beijing, u"beijing", beijing},
      {beijing, u"bei1jing1", beijing},
      {beijing, u"bei3jing1", beijing},
      {list({dx1, dx2}), u"dong5xi", list({dx1, dx2})},
      {beijing, u"bei4jin3", beijing},
      {list({shu1, shu2, shu3}), u"shv4", list({shu1, shu2, shu3})},
      {list({qu1, qu2}), u"qu4", list({qu1, qu2})},
  };
  for (const auto& c : cases) {
    TypedPinyin typed;
    ASSERT_TRUE(readTypedPinyin(c.typed, typed, 100)) << escaped(c.typed);
    EXPECT_EQ(escaped(orderByTypedTones(c.article, typed)), escaped(c.expected)) << "typed: " << escaped(c.typed);
  }
}

// Other lines hold their places and line ends stay with the places; an
// unreadable numbered line is moved and renumbered like any word line.
TEST(OrderByTypedTones, OtherLinesAndDamagedArticles) {
  TypedPinyin typed;
  ASSERT_TRUE(readTypedPinyin(u"hao3", typed, 100));
  EXPECT_EQ(escaped(orderByTypedTones(u"Read hao:\r\n1. 耗 hào: x\n7. broken\r\n\r\n"
                                      u"3. 好 hǎo: good\r\n(1 less common word)",
                                      typed)),
            escaped(u"Read hao:\r\n1. 好 hǎo: good\n2. 耗 hào: x\r\n\r\n"
                    u"3. broken\r\n(1 less common word)"));

  const std::u16string damaged[] = {
      u"",
      u"1.",
      u"1. ",
      std::u16string(100000, u'\n'),
      u"1. 好 (: hǎo: x\r\n2. 好 ha\u0301\u030C: x\r\n3. 好 hǎo3: x\r\n4. 好hǎo: x\r\n"
      u"5. 好 \u030Chao: x\r\n",
  };
  for (const std::u16string& article : damaged) {
    EXPECT_EQ(escaped(orderByTypedTones(article, typed)), escaped(article));
  }
  // A tone offset outside the key matches nothing.
  const TypedPinyin outside{u"hao", {{7, 3}}, {}};
  EXPECT_EQ(escaped(orderByTypedTones(u"1. 耗 hào: x\r\n2. 好 hǎo: y", outside)),
            escaped(u"1. 耗 hào: x\r\n2. 好 hǎo: y"));
}

}  // namespace
