// Everyday words first: typed-text weights combined with written counts, the
// spoken reading of a word before its narrow one, the HSK level under the
// reading, and entries that only point elsewhere showing what they point to.
#include "articles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cedict.h"
#include "frequency.h"
#include "levels.h"
#include "readings.h"

namespace {

using namespace article_builder;

constexpr std::string_view kSource =
    "告訴 告诉 [gao4 su4] /to press charges; to file a complaint/\n"
    "告訴 告诉 [gao4 su5] /to tell; to inform; to let know/\n"
    "高速 高速 [gao1 su4] /high speed/\n"
    "精神 精神 [jing1 shen2] /spirit/mind/consciousness/\n"
    "精神 精神 [jing1 shen5] /vigor; vitality/\n"
    "哥哥 哥哥 [ge1 ge5] /older brother/\n"
    "各個 各个 [ge4 ge4] /every; various/\n"
    "老師 老师 [lao3 shi1] /teacher/\n"
    "教師 教师 [jiao4 shi1] /teacher/\n"
    "乾 干 [gan1] /dry/\n"
    "幹 干 [gan4] /to do/\n"
    "甘 甘 [gan1] /sweet/\n"
    "肝 肝 [gan1] /liver/\n"
    "西安市 西安市 [Xi1 an1 Shi4] /Xi'an, capital of Shaanxi/(slang) a made-up sense/\n"
    "西安 西安 [Xi1 an1] /see 西安市[Xi1 an1 Shi4]/\n"
    "先 先 [xian1] /first/\n"
    "某 某 [mou3] /see 不存在[bu4 cun2 zai4]/\n"
    "白 白 [Bai2] /surname Bai/\n"
    "白 白 [bai2] /white/\n"
    "法 法 [Fa3] /France/\n"
    "法 法 [fa3] /law/\n"
    "㳒 法 [fa3] /variant of 法[fa3]/\n"
    "丑 丑 [Chou3] /surname Chou/\n"
    "丑 丑 [chou3] /clown/\n"
    "醜 丑 [chou3] /ugly/\n"
    "丒 丒 [chou3] /variant of 醜|丑[chou3]/\n"
    "只 只 [zhi3] /only/\n"
    "秖 只 [zhi1] /grain that has begun to ripen/\n"
    "隻 只 [zhi1] /classifier for birds/\n"
    "廑 廑 [jin3] /careful/\n"
    "廑 廑 [qin2] /variant of 勤[qin2]/\n"
    "厪 厪 [qin2] /variant of 廑[qin2]/\n";

// Written counts that favour the written and news words.
constexpr std::string_view kWritten =
    "告诉 10000 v\n高速 9000 d\n各个 6000 r\n哥哥 4000 n\n教师 10000 n\n老师 6000 n\n干 5000 v\n甘 5000 a\n"
    "肝 5000 n\n西安 2500 ns\n先 30000 d\n精神 8000 n\n";

// Typed weights, in traditional characters, that favour the everyday words.
constexpr std::string_view kTyped =
    "告訴\t34000\n高速\t8000\n各個\t8000\n哥哥\t12000\n教師\t10000\n老師\t33000\n乾\t3000\n幹\t3000\n"
    "甘\t3000\n西安\t6000\n西安市\t500\n先\t85000\n精神\t9000\n隻\t4994\n秖\t404\n";

constexpr std::string_view kLevels =
    "2\t告诉\tgao4 su5\n"
    "4\t精神\tjing1 shen2\n"
    "1\t哥哥\tge1 ge5\n"
    "3\t老师\tlao3 shi5\n"  // a reading no entry has: the first block is labelled
    "5\t西安\txi1 an1\n"    // the entry's reading differs only in its capital
    "2\t白\tbai2\n"         // not the surname's Bai2
    "4\t丑\tchou3\n"        // two entries of the reading: labelled once
    "x\t先\txian1\n"
    "2\t\tgao4\n"
    "2\t告诉\tnot pinyin\n";

std::map<std::string, std::string> byHeadword(const std::vector<Record>& records) {
  std::map<std::string, std::string> articles;
  for (const Record& record : records) articles.emplace(record.headword, record.article);
  return articles;
}

struct Built {
  std::map<std::string, std::string> chinese;
  std::map<std::string, std::string> english;
};

Built build(bool withTyped) {
  const ParseResult parsed = parseCedict(kSource);
  FrequencyTable frequencies = parseFrequencies(kWritten);
  const UsageCounts typed = parseUsageCounts(kTyped);
  if (withTyped) combineWithUsage(frequencies, typed, parsed.entries);
  const WordLevels levels = parseWordLevels(kLevels);
  ChineseEnglishCounts chineseCounts;
  EnglishChineseCounts englishCounts;
  return {
      byHeadword(buildChineseEnglish(parsed.entries, frequencies, ReadingFrequencies{}, levels, chineseCounts,
                                     withTyped ? &typed : nullptr)),
      byHeadword(buildEnglishChinese(parsed.entries, frequencies, ReadingFrequencies{}, FormSources{}, englishCounts))};
}

std::string firstLine(const std::string& article) { return article.substr(0, article.find("\r\n")); }

TEST(TypedWeights, OutweighWrittenCountsWhereTheyDisagree) {
  const Built written = build(false);
  const Built combined = build(true);
  const struct {
    const char* headword;
    bool english;
    const char* writtenFirst;
    const char* combinedFirst;
  } cases[] = {
      {"gege", false, "1. 各个 (各個) gè gè", "1. 哥哥 gē ge"},
      {"teacher", true, "1. 教师 (教師) jiào shī", "1. 老师 (老師) lǎo shī"},
      // 告诉's written count is shared by its two readings; typed text
      // says plainly which word is meant.
      {"gaosu", false, "1. 高速 gāo sù", "1. 告诉 (告訴) gào su: to tell"},
  };
  for (const auto& c : cases) {
    const auto& w = c.english ? written.english : written.chinese;
    const auto& t = c.english ? combined.english : combined.chinese;
    EXPECT_EQ(firstLine(w.at(c.headword)).rfind(c.writtenFirst, 0), 0u) << w.at(c.headword);
    EXPECT_EQ(firstLine(t.at(c.headword)).rfind(c.combinedFirst, 0), 0u) << t.at(c.headword);
  }
}

TEST(TypedWeights, MapThroughTraditionalFormsAndKeepWrittenOnlyWordsCounted) {
  const ParseResult parsed = parseCedict(kSource);
  FrequencyTable table = parseFrequencies(kWritten);
  const CombinedCounts counts = combineWithUsage(table, parseUsageCounts(kTyped), parsed.entries);
  // 干 stands for both 乾 and 幹 and gets both weights; 甘 has one of them.
  EXPECT_GT(frequencyOf(table, "干"), frequencyOf(table, "甘"));
  // 肝 has no typed weight: that says nothing of its use, and it keeps its
  // written count.
  EXPECT_EQ(frequencyOf(table, "肝"), 5000u);
  EXPECT_EQ(counts.writtenOnly, 1u);
  EXPECT_EQ(partOfSpeechOf(table, "哥哥"), "n");
  // A word only the typed weights know is counted too.
  EXPECT_GT(frequencyOf(table, "西安市"), 0u);
}

TEST(TypedWeights, ReachWordsTheyListUnderAnotherTraditionalSpelling) {
  // The weights spell 吃饭 喫飯 and 因为 因爲; the dictionary 吃飯 and 因為, and gives 喫 and 爲 as
  // variants of 吃 and 为. 干事 (幹事) could also be spelt 乾事, but that is another entry's form.
  const ParseResult parsed = parseCedict(
      "吃 吃 [chi1] /to eat/\n喫 吃 [chi1] /variant of 吃[chi1]/\n飯 饭 [fan4] /meal/\n"
      "吃飯 吃饭 [chi1 fan4] /to eat a meal/\n為 为 [wei4] /because of/\n爲 为 [wei4] /variant of 為|为[wei4]/\n"
      "因為 因为 [yin1 wei4] /because/\n乾 干 [gan1] /dry/\n幹 干 [gan4] /to do/\n幹事 干事 [gan4 shi5] /secretary/\n"
      "乾事 乾事 [qian2 shi4] /a made-up word/\n");
  FrequencyTable table = parseFrequencies("吃饭 100 v\n因为 900 c\n干事 100 n\n乾事 100 n\n其他 8800 r\n");
  const CombinedCounts counts =
      combineWithUsage(table, parseUsageCounts("喫飯\t50000\n因爲\t40000\n乾事\t5000\n飯\t5000\n"), parsed.entries);
  EXPECT_EQ(counts.variantWords, 2u);
  // Written, 吃饭 and 干事 are counted alike; typed, 吃饭 is far the more common.
  EXPECT_GT(frequencyOf(table, "吃饭"), 10 * frequencyOf(table, "干事"));
  EXPECT_GT(frequencyOf(table, "因为"), 2 * 900u);
  EXPECT_EQ(frequencyOf(table, "干事"), 100u);
  EXPECT_GT(frequencyOf(table, "乾事"), frequencyOf(table, "干事"));
}

TEST(TypedWeights, ASpellingTwoWordsCouldHaveIsDividedBetweenThem) {
  // 台风 and 抬风 can both be spelt 臺風; 风波 has 風波 to itself.
  const ParseResult parsed = parseCedict(
      "臺 台 [tai2] /platform/\n臺 抬 [tai2] /a made-up variant/\n風 风 [feng1] /wind/\n"
      "台風 台风 [tai2 feng1] /typhoon/\n抬風 抬风 [tai2 feng1] /a made-up word/\n風波 风波 [feng1 bo1] /disturbance/\n");
  FrequencyTable table = parseFrequencies("台风 100 n\n抬风 100 n\n风波 100 n\n其他 9700 r\n");
  const CombinedCounts counts =
      combineWithUsage(table, parseUsageCounts("臺風\t6000\n風波\t3000\n其他\t91000\n"), parsed.entries);
  EXPECT_EQ(counts.variantWords, 2u);
  EXPECT_EQ(frequencyOf(table, "台风"), frequencyOf(table, "抬风"));
  EXPECT_EQ(frequencyOf(table, "台风"), frequencyOf(table, "风波"));
}

TEST(TypedWeights, UnreadableLinesAreSkippedAndCounted) {
  const UsageCounts usage =
      parseUsageCounts("# comment\n詞\t12\n詞\t40\n詞\t30\nno tab 5\n詞\tx1\n\t5\n詞\t\n詞\t99999999999999\n語\t8");
  EXPECT_EQ(usage.skippedLines, 5u);
  ASSERT_EQ(usage.words.size(), 2u);
  EXPECT_EQ(usage.words.at("詞"), 40u);
  EXPECT_EQ(usage.total, 48u);
}

TEST(NumberWords, ANumeralIsCountedWithTheMeasureWordsItBegins) {
  // 几 "how many" stands mostly inside 几个 and 几天, which the written counts
  // keep whole; 及 "and" stands alone. 几年 and 许多 end in a numeral, not a
  // measure word, and 几乎 "almost" is no number word.
  FrequencyTable table = parseFrequencies(
      "几 800 m\n及 5000 c\n几个 1300 m\n几天 400 m\n几年 400 m\n几乎 900 d\n个 9000 q\n天 3000 q\n年 9000 m\n"
      "许 300 m\n多 9000 m\n许多 2500 m\n个个 50 q\n");
  EXPECT_EQ(foldNumberWords(table), 2u);
  EXPECT_EQ(frequencyOf(table, "几"), 800u + 1300u + 400u);
  EXPECT_GT(frequencyOf(table, "几"), frequencyOf(table, "及") / 3);
  EXPECT_EQ(frequencyOf(table, "许"), 300u);
  EXPECT_EQ(frequencyOf(table, "几个"), 1300u);  // the number word keeps its own count
}

TEST(Readings, TheNeutralToneReadingComesBeforeANarrowOne) {
  const Built built = build(true);
  // 告诉: gào su "to tell" before gào sù "to press charges", in the article
  // and on the word's line in its pinyin list.
  const std::string tell = built.chinese.at("告诉");
  EXPECT_EQ(tell.rfind("gào su   (traditional 告訴)\r\nHSK 2\r\n1. to tell", 0), 0u) << tell;
  EXPECT_LT(tell.find("gào su "), tell.find("gào sù"));
  EXPECT_EQ(built.chinese.at("告訴").rfind("gào su   (simplified 告诉)\r\nHSK 2\r\n", 0), 0u);
  // A full-toned reading with several senses keeps its place.
  const std::string spirit = built.chinese.at("精神");
  EXPECT_EQ(spirit.rfind("jīng shén\r\nHSK 4\r\n1. spirit", 0), 0u) << spirit;
  EXPECT_EQ(spirit.find("HSK", 20), std::string::npos) << spirit;
}

TEST(Levels, LabelTheListedReadingOrElseTheFirstBlock) {
  const WordLevels levels = parseWordLevels(kLevels);
  EXPECT_EQ(levels.skippedLines, 3u);
  const Built built = build(true);
  EXPECT_EQ(built.chinese.at("哥哥").rfind("gē ge\r\nHSK 1\r\n", 0), 0u) << built.chinese.at("哥哥");
  EXPECT_EQ(built.chinese.at("老师").rfind("lǎo shī   (traditional 老師)\r\nHSK 3\r\n", 0), 0u);
  EXPECT_EQ(built.chinese.at("西安").rfind("Xī ān\r\nHSK 5\r\n", 0), 0u) << built.chinese.at("西安");
  EXPECT_EQ(built.chinese.at("白").find("HSK 2"), built.chinese.at("白").find("bái\r\nHSK 2\r\n") + 6)
      << built.chinese.at("白");
  EXPECT_EQ(built.chinese.at("白").find("Bái\r\nHSK"), std::string::npos) << built.chinese.at("白");
  // Two entries of one reading and weight: the traditional form typed more comes first.
  const std::string& zhi = built.chinese.at("只");
  EXPECT_LT(zhi.find("(traditional 隻)"), zhi.find("(traditional 秖)")) << zhi;
  const std::string& chou = built.chinese.at("丑");
  EXPECT_NE(chou.find("HSK 4"), std::string::npos) << chou;
  EXPECT_EQ(chou.find("HSK 4"), chou.rfind("HSK 4")) << chou;
  for (const char* unlisted : {"各个", "先", "教师", "gege"}) {
    EXPECT_EQ(built.chinese.at(unlisted).find("HSK"), std::string::npos) << unlisted;
  }
}

TEST(Pointers, ShowTheSensesOfTheEntryTheyName) {
  const Built built = build(true);
  EXPECT_NE(built.chinese.at("西安").find("\r\n1. see 西安市 [Xī ān Shì]: Xi'an, capital of Shaanxi\r\n"),
            std::string::npos)
      << built.chinese.at("西安");
  EXPECT_NE(built.chinese.at("xian").find(". 西安 Xī ān: see 西安市 [Xī ān Shì]: Xi'an, capital of Shaanxi\r\n"),
            std::string::npos)
      << built.chinese.at("xian");
  // The entry named: the reading's capitals count (law, not France), then the
  // traditional form (ugly, not clown).
  EXPECT_NE(built.chinese.at("㳒").find("1. variant of 法 [fǎ]: law\r\n"), std::string::npos) << built.chinese.at("㳒");
  EXPECT_NE(built.chinese.at("丒").find(": ugly\r\n"), std::string::npos) << built.chinese.at("丒");
  // A reading that only points on has no meaning of another reading to lend.
  EXPECT_NE(built.chinese.at("厪").find("1. variant of 廑 [qín]\r\n"), std::string::npos) << built.chinese.at("厪");
  // A pointer to a word the dictionary lacks stays as it is.
  EXPECT_NE(built.chinese.at("某").find("1. see 不存在 [bù cún zài]\r\n"), std::string::npos) << built.chinese.at("某");
}

TEST(Builder, SameInputsWithTypedWeightsAndLevelsGiveTheSameRecords) {
  const Built first = build(true);
  const Built second = build(true);
  EXPECT_EQ(first.chinese, second.chinese);
  EXPECT_EQ(first.english, second.english);
}

}  // namespace
