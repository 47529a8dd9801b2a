// The learner check's truth of the most used word: what it reads of a corpus's counts, and
// when one word of a group stands out clearly enough to be expected first.
#include "usage_truth.h"

#include <gtest/gtest.h>

TEST(UsageTruth, ReadsWholeCountsAndAddsUpRepeatedWords) {
  const auto usage = parseUsage("告诉,300\n告诉,200\n,5\nno count\nab,1x\nc,d,7\n高速,0\n哥哥,\n一,-3\n");
  EXPECT_EQ(usage.size(), 2u);
  EXPECT_EQ(usage.at("告诉"), 500);
  EXPECT_EQ(usage.at("c,d"), 7);  // the count is after the last comma
}

TEST(UsageTruth, ExpectsAWordOnlyWhenItIsUsedTwiceAsOftenAsAnyOther) {
  const auto usage = parseUsage("告诉,500\n高速,250\n缟素,10\n哥哥,499\n各个,300\n一声,19\n");
  const struct {
    std::set<std::string> group;
    const char* expected;
  } cases[] = {
      {{"告诉", "高速", "缟素"}, "告诉"},  // exactly twice the next
      {{"哥哥", "各个"}, ""},              // less than twice
      {{"一声", "医生"}, ""},              // too rarely counted to tell, though the other has no count
      {{"告诉", "未知"}, "告诉"},          // a word the corpus lacks counts as never used
      {{"未知", "不详"}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(clearlyMostUsed(c.group, usage, 20), c.expected) << c.expected;
}

TEST(UsageTruth, ExpectsOnlyWordsWhoseCountsCanBelongToTheLookup) {
  using article_builder::parseCedict;
  const auto parsed = parseCedict(
      "告訴 告诉 [gao4 su5] /to tell/\n高速 高速 [gao1 su4] /high speed/\n"
      "行 行 [xing2] /to walk/OK/\n行 行 [hang2] /row/\n航 航 [hang2] /boat/\n星 星 [xing1] /star/\n"
      "老師 老师 [lao3 shi1] /teacher/\n教師 教师 [jiao4 shi1] /teacher/\n"
      "看 看 [kan4] /to see/\n看 看 [kan1] /to look after/\n見 见 [jian4] /to see/\n"
      "先生 先生 [xian1 sheng5] /Mister/teacher/\n");
  const auto usage =
      parseUsage("告诉,900\n高速,300\n行,5000\n航,100\n星,100\n老师,100\n教师,40\n看,9000\n见,300\n先生,5000\n");
  const UsageExpectations expected = expectedByUse(parsed.entries, usage, 20);
  // 行 is read xing and hang, so its count says nothing of either key alone; 看 has two
  // entries; 先生 means "teacher" only second, so its count does not keep 老师 from being
  // expected, but 老师 is not twice 先生 either.
  std::vector<std::pair<std::string, std::string>> pinyin, english;
  for (const auto& item : expected.pinyin) pinyin.emplace_back(item.typed, item.word);
  for (const auto& item : expected.english) english.emplace_back(item.typed, item.word);
  EXPECT_EQ(pinyin, (std::vector<std::pair<std::string, std::string>>{{"gaosu", "告诉"}}));
  EXPECT_TRUE(english.empty()) << english.front().first;
  // Without 先生 in the counts, 老师 stands out under "teacher".
  const auto fewer = parseUsage("老师,100\n教师,40\n");
  const UsageExpectations teacher = expectedByUse(parsed.entries, fewer, 20);
  ASSERT_EQ(teacher.english.size(), 1u);
  EXPECT_EQ(teacher.english.front().word, "老师");
}

TEST(UsageTruth, CorporaAgreeOnlyWhereEachExpectsTheSameWord) {
  const Judgements microblog = {{"weibo", {"微博", 0.002, 5}}, {"ji", {"几", 0.001, 1}}, {"tu", {"图", 0.001, 2}}};
  const Judgements subtitles = {{"weibo", {"微波", 0.0001, 1}}, {"ji", {"几", 0.0004, 1}}, {"hei", {"嘿", 0.001, 2}}};
  const Judgements agreed = agreedJudgements({microblog, subtitles});
  // 微博 against 微波: the corpora disagree; 图 and 嘿: one corpus alone says so.
  ASSERT_EQ(agreed.size(), 1u);
  EXPECT_EQ(agreed.at("ji").word, "几");
  EXPECT_EQ(agreed.at("ji").share, 0.0004);  // common only as far as the rarer count says
  EXPECT_EQ(agreedJudgements({microblog}).size(), 3u);
  EXPECT_TRUE(agreedJudgements({}).empty());
}

TEST(UsageTruth, PairsEveryTranslationBothDictionariesGiveWhateverItsSense) {
  using article_builder::parseCedict;
  const auto parsed = parseCedict(
      "給 给 [gei3] /to; for/to give/\n交給 交给 [jiao1 gei3] /to give; to deliver/\n授予 授予 [shou4 yu3] /to give/\n"
      "在 在 [zai4] /at; in/to exist/\n存在 存在 [cun2 zai4] /to exist/\n生存 生存 [sheng1 cun2] /to exist/\n");
  const Translations translations =
      parseTranslations("give\t弹性,给,授予,,交给\nexist\t存在,生存,发生\nno tab here\n\tno headword\ncall\t呼叫\n");
  EXPECT_EQ(translations.at("give"), (std::set<std::string>{"弹性", "给", "授予", "交给"}));
  EXPECT_EQ(translations.size(), 3u);
  const auto usage = parseUsage("给,9000\n交给,300\n授予,100\n在,90000\n存在,1000\n生存,400\n");
  std::vector<std::pair<std::string, std::string>> expected;
  for (const auto& item : expectedByTranslation(parsed.entries, translations, usage, 20)) {
    expected.emplace_back(item.typed, item.word);
  }
  // 给 gives "give" only second, and still is the word expected; 在 is far more used than
  // 存在, but the other dictionary does not pair it with "exist".
  EXPECT_EQ(expected, (std::vector<std::pair<std::string, std::string>>{{"exist", "存在"}, {"give", "给"}}));
}
