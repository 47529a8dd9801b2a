// What a learner sees first: readings ranked by how often each is used, the
// usual translation of an English word first, and English word forms that
// lead to their base word.
#include "articles.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "cedict.h"
#include "frequency.h"
#include "readings.h"
#include "word_forms.h"

namespace {

using namespace article_builder;

constexpr std::string_view kSource =
    "說 说 [shui4] /to persuade/\n"
    "說 说 [shuo1] /to speak; to say/to explain/\n"
    "聽 听 [ting1] /to listen to; to hear/\n"
    "听 听 [yin3] /smile (archaic)/\n"
    "的 的 [de5] /of; ~'s (possessive particle)/also pr. [di4] or [di5] in poetry and songs/\n"
    "的 的 [di1] /a taxi; a cab (abbr. for 的士[di1 shi4])/\n"
    "的 的 [di4] /(bound form) bull's-eye; target/\n"
    "的士 的士 [di1 shi4] /taxi (loanword)/\n"
    "出租車 出租车 [chu1 zu1 che1] /taxi/\n"
    "第 第 [di4] /(prefix indicating ordinal number)/\n"
    "水 水 [shui3] /water/\n"
    "跑 跑 [pao3] /to run/to escape/\n"
    "經營 经营 [jing1 ying2] /to engage in (business etc); to run; to operate/\n"
    "好 好 [hao3] /good/well/(after a form of address) hello/\n"
    "你好 你好 [ni3 hao3] /hello; hi/\n"
    "京 京 [jing1] /capital city/big/\n"
    "大 大 [da4] /big; large/\n"
    "渠 渠 [qu2] /(literary) big; great/\n"
    "蘋果 苹果 [ping2 guo3] /apple/\n"
    "買 买 [mai3] /to buy/\n"
    "腳 脚 [jiao3] /foot/\n"
    "生命 生命 [sheng1 ming4] /life/\n"
    "住 住 [zhu4] /to live/\n"
    "幸福 幸福 [xing2 fu2] /happy/\n"
    "更好 更好 [geng4 hao3] /better/\n"
    "眼鏡 眼镜 [yan3 jing4] /glasses/\n"
    "玻璃 玻璃 [bo1 li5] /glass/\n"
    "累 累 [lei3] /to accumulate/to involve or implicate (Taiwan pr. [lei4])/continuous/repeated/\n"
    "累 累 [lei4] /tired/weary/\n";

constexpr std::string_view kFrequencies =
    "说 100000 v\n听 20000 v\n的 318825 uj\n的士 300 n\n出租车 900 n\n第 23000 m\n水 24000 n\n跑 5000 v\n"
    "经营 12000 v\n好 92543 a\n你好 725 l\n京 6583 ns\n大 80000 a\n渠 9000 n\n苹果 2000 n\n买 9000 v\n"
    "脚 5000 n\n生命 9000 n\n住 9000 v\n幸福 3000 a\n更好 3000 d\n眼镜 1000 n\n玻璃 2000 n\n";

// Counts per reading, as Unihan_Readings.txt gives them (other fields are ignored).
constexpr std::string_view kReadings =
    "# Unihan_Readings.txt\n"
    "U+8BF4\tkMandarin\tshuō\n"
    "U+8BF4\tkHanyuPinlu\tshuō(10245)\n"
    "U+542C\tkHanyuPinlu\ttīng(2028) ting(48)\n"
    "U+7684\tkHanyuPinlu\tde(75596) dì(157) dí(84)\n"
    "U+7B2C\tkHanyuPinlu\tdì(4000)\n"
    "U+6C34\tkHanyuPinlu\tshuǐ(2000)\n"
    "U+7D2F\tkHanyuPinlu\tlèi(111) lěi(54)\n"
    "U+0041\tkHanyuPinlu\tbroken\n";

FormSources formSources() {
  FormSources sources;
  addWordNetIndex(sources, "  licence text\napple n 1 0\nglass n 1 0\nfoot n 1 0\nlife n 1 0\n", kNoun);
  addWordNetIndex(sources, "buy v 1 0\nlive v 1 0\nrun v 1 0\n", kVerb);
  addWordNetIndex(sources, "happy a 1 0\nbig a 1 0\ngood a 1 0\n", kAdjective);
  addWordNetExceptions(sources, "feet foot\nlives life\n", kNoun);
  addWordNetExceptions(sources, "bought buy\nran run\n", kVerb);
  addWordNetExceptions(sources, "happier happy\nbetter good well\nbest good\n", kAdjective);
  addWordList(sources, "apples\napple's\nglasses\nlives\nruns\nrunning\nbigger\nbiggest\nwaterer\n");
  return sources;
}

std::map<std::string, std::string> byHeadword(const std::vector<Record>& records) {
  std::map<std::string, std::string> articles;
  for (const Record& record : records) {
    EXPECT_TRUE(articles.emplace(record.headword, record.article).second) << "two records for " << record.headword;
  }
  return articles;
}

struct Built {
  std::map<std::string, std::string> chinese;
  std::map<std::string, std::string> english;
};

Built build(bool withReadings) {
  const ParseResult parsed = parseCedict(kSource);
  const FrequencyTable frequencies = parseFrequencies(kFrequencies);
  const ReadingFrequencies readings = withReadings ? parseReadingFrequencies(kReadings) : ReadingFrequencies{};
  ChineseEnglishCounts chineseCounts;
  EnglishChineseCounts englishCounts;
  return {byHeadword(buildChineseEnglish(parsed.entries, frequencies, readings, chineseCounts)),
          byHeadword(buildEnglishChinese(parsed.entries, frequencies, readings, formSources(), englishCounts))};
}

// The numbered line that names `word`, 0 when none does.
std::size_t placeOf(const std::string& article, const std::string& word) {
  std::size_t place = 0;
  std::size_t pos = 0;
  while (pos < article.size()) {
    const std::size_t end = article.find("\r\n", pos);
    const std::string line = article.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? article.size() : end + 2;
    if (line.empty() || line[0] < '1' || line[0] > '9') continue;
    ++place;
    if (line.find(". " + word + " ") != std::string::npos) return place;
  }
  return 0;
}

TEST(ReadingCounts, ParseTheCountedReadingsAndSkipBrokenLines) {
  const ReadingFrequencies readings = parseReadingFrequencies(kReadings);
  EXPECT_EQ(readings.skippedLines, 1u);
  ASSERT_EQ(readings.byCharacter.count("\u7684"), 1u);
  const auto& de = readings.byCharacter.at("\u7684");
  ASSERT_EQ(de.size(), 3u);
  EXPECT_EQ(de[0].syllable, "de5");
  EXPECT_EQ(de[0].count, 75596u);
  EXPECT_EQ(de[1].syllable, "di4");
  EXPECT_EQ(readings.byCharacter.at("\u542C")[1].syllable, "ting5");
}

// 说 is read shuō, hardly ever shuì, although its shuì entry comes first in
// the source; the counts put it right everywhere the reading matters.
TEST(ReadingCounts, DecideWhichReadingAWordsFrequencyBelongsTo) {
  const Built with = build(true);
  const Built without = build(false);
  const std::string shui = with.chinese.at("shui");
  EXPECT_EQ(placeOf(shui, "\u6C34"), 1u) << shui;
  EXPECT_GT(placeOf(shui, "\u8BF4"), 1u) << shui << " (the rare reading stays listed)";
  EXPECT_EQ(placeOf(without.chinese.at("shui"), "\u8BF4"), 1u) << "without the counts the rare reading wins";

  const std::string shuo = with.chinese.at("\u8BF4");
  EXPECT_EQ(shuo.rfind("shu\u014D", 0), 0u) << shuo;
  EXPECT_NE(shuo.find("shu\u00EC"), std::string::npos) << shuo;
  const std::string ting = with.chinese.at("\u542C");
  EXPECT_EQ(ting.rfind("t\u012Bng", 0), 0u) << ting;
  EXPECT_NE(ting.find("y\u01D0n"), std::string::npos) << ting;

  // 的 is counted as de: its taxi reading dī and the noted reading dì are rare.
  EXPECT_EQ(placeOf(with.english.at("taxi"), "\u51FA\u79DF\u8F66"), 1u) << with.english.at("taxi");
  EXPECT_EQ(placeOf(with.chinese.at("di"), "\u7B2C"), 1u) << with.chinese.at("di");
  EXPECT_EQ(placeOf(with.chinese.at("de"), "\u7684"), 1u);

  // The lèi that 累 "to accumulate" notes as Taiwan's is 累 "tired", which has it as its own.
  const std::string lei = with.chinese.at("\u7D2F");
  EXPECT_EQ(lei.rfind("l\u00E8i", 0), 0u) << lei;
}

TEST(EnglishRanking, PutsTheUsualTranslationFirst) {
  const Built built = build(true);
  const struct {
    const char* english;
    const char* first;
    const char* later;  // listed, but not first
  } cases[] = {
      {"run", "\u8DD1", "\u7ECF\u8425"},               // 经营 only runs a business
      {"hello", "\u4F60\u597D", "\u597D"},             // 好 says hello only after a form of address
      {"big", "\u5927", "\u6E20"},                     // 渠 is literary
      {"taxi", "\u51FA\u79DF\u8F66", "\u7684\u58EB"},  // 的士 is counted less
  };
  for (const auto& c : cases) {
    const std::string article = built.english.at(c.english);
    EXPECT_EQ(placeOf(article, c.first), 1u) << c.english << ":\n" << article;
    EXPECT_GT(placeOf(article, c.later), 1u) << c.english << ":\n" << article;
  }
  EXPECT_LT(placeOf(built.english.at("big"), "\u5927"), placeOf(built.english.at("big"), "\u4EAC"));
}

TEST(EnglishRanking, PhraseGlossesAlsoStandUnderTheirHeadWord) {
  const Built built = build(true);
  EXPECT_EQ(placeOf(built.english.at("listen"), "\u542C"), 1u);
  EXPECT_EQ(placeOf(built.english.at("listen to"), "\u542C"), 1u);
  EXPECT_EQ(built.english.count("engage"), 1u) << "\"engage in\" stands under \"engage\"";
}

// Common characters with many senses, some tagged as function words, beside
// words of one sense; and spellings shared by plain and bound words.
constexpr std::string_view kEverydaySource =
    "用 用 [yong4] /to use; to make use of/(coverb) with/to need/to eat or drink/expenses/\n"
    "使用 使用 [shi3 yong4] /to use/\n"
    "看 看 [kan4] /to see; to look at/to read/to think/to visit/to treat/\n"
    "看到 看到 [kan4 dao4] /to see/\n"
    "於 于 [yu2] /in; at/to go/\n"
    "去 去 [qu4] /to go/\n"
    "機 机 [ji1] /(bound form) machine/\n"
    "幾 几 [ji3] /how many/\n"
    "及 及 [ji2] /and/\n"
    "渠 渠 [qu2] /(literary) big/\n"
    "等 等 [deng3] /to wait for; to await/\n"
    "待 待 [dai4] /to wait/to treat/\n"
    "放棄 放弃 [fang4 qi4] /to give up/\n"
    "給予 给予 [ji3 yu3] /to give/\n"
    "自稱 自称 [zi4 cheng1] /to call oneself/\n"
    "稱呼 称呼 [cheng1 hu5] /to call; to address as/\n"
    "支持 支持 [zhi1 chi2] /to be in favor of/to support/to back/\n"
    "撐 撑 [cheng1] /to support; to prop up/\n"
    "說 说 [shuo1] /to speak; to say/to explain/to scold/\n"
    "罵 骂 [ma4] /to scold/\n";

constexpr std::string_view kEverydayCounts =
    "用 76586 p\n使用 24035 v\n看 40000 v\n看到 13411 v\n于 100000 p\n去 3000 v\n机 10000 n\n几 8000 m\n"
    "及 9000 c\n渠 9000 n\n等 30000 v\n待 8000 v\n放弃 30000 v\n给予 8000 v\n自称 3000 v\n称呼 2000 v\n"
    "支持 40000 v\n撑 3000 v\n说 50000 v\n骂 3000 v\n";

TEST(EverydayRanking, FirstSensesAndPlainWordsComeFirst) {
  const ParseResult parsed = parseCedict(kEverydaySource);
  const FrequencyTable frequencies = parseFrequencies(kEverydayCounts);
  ChineseEnglishCounts chineseCounts;
  EnglishChineseCounts englishCounts;
  const auto english = byHeadword(buildEnglishChinese(parsed.entries, frequencies, englishCounts));
  const auto chinese = byHeadword(buildChineseEnglish(parsed.entries, frequencies, chineseCounts));
  const struct {
    bool english;
    const char* key;
    const char* first;
    const char* second;
  } cases[] = {
      // 用 is tagged a preposition ("with") and has five senses, but
      // "to use" is its first.
      {true, "use", "\u7528", "\u4F7F\u7528"},
      {true, "see", "\u770B", "\u770B\u5230"},
      // "to go" is a later sense of 于, whose count is the preposition's.
      {true, "go", "\u53BB", "\u4E8E"},
      // "wait for" is waiting with an object; "give up" is no giving.
      {true, "wait", "\u7B49", "\u5F85"},
      {true, "give", "\u7ED9\u4E88", "\u653E\u5F03"},
      // Calling oneself is narrower than calling.
      {true, "call", "\u79F0\u547C", "\u81EA\u79F0"},
      // A word's senses are facets of one meaning, so its second one still
      // counts (支持); a character's third is a rarer use (说 "to scold").
      {true, "support", "\u652F\u6301", "\u6491"},
      {true, "scold", "\u9A82", "\u8BF4"},
      // A plain word before a more counted bound form (机), which a
      // plain word of less count (几) still passes.
      {false, "ji", "\u53CA", "\u51E0"},
      {false, "ji", "\u51E0", "\u673A"},
      // Damped: a literary word counted three times as often stays first.
      {false, "qu", "\u6E20", "\u53BB"},
  };
  for (const auto& c : cases) {
    const std::string& article = (c.english ? english : chinese).at(c.key);
    const std::size_t first = placeOf(article, c.first);
    EXPECT_GT(first, 0u) << c.key << ":\n" << article;
    EXPECT_LT(first, placeOf(article, c.second)) << c.key << ":\n" << article;
  }
}

TEST(WordForms, RecordsNameTheBaseWordOfEachForm) {
  const Built built = build(true);
  const std::map<std::string, std::string> expected = {
      {"apples", "apples: plural of apple\r\n"},
      {"bigger", "bigger: comparative of big\r\n"},
      {"bought", "bought: past form of buy\r\n"},
      {"feet", "feet: plural of foot\r\n"},
      {"happier", "happier: comparative of happy\r\n"},
      {"lives", "lives: plural of life\r\nlives: third person of live\r\n"},
      {"ran", "ran: past form of run\r\n"},
      {"running", "running: present participle of run\r\n"},
      {"runs", "runs: third person of run\r\n"},
  };
  for (const auto& form : expected) {
    ASSERT_EQ(built.english.count(form.first), 1u) << form.first;
    EXPECT_EQ(built.english.at(form.first), form.second);
  }
  // A form that is a headword keeps its own translations first.
  const std::string better = built.english.at("better");
  EXPECT_EQ(better.rfind("1. \u66F4\u597D", 0), 0u) << better;
  EXPECT_NE(better.find("\r\n\r\nbetter: comparative of good\r\n"), std::string::npos) << better;
  // Only words of the word list, of a base of ours with that part of speech
  // ("water" is no adjective), and never a possessive.
  for (const char* absent : {"waterer", "apple's", "glassed", "bests"}) {
    EXPECT_EQ(built.english.count(absent), 0u) << absent;
  }
  const std::string glasses = built.english.at("glasses");
  EXPECT_EQ(glasses.rfind("1. \u773C\u955C", 0), 0u) << glasses;
  EXPECT_NE(glasses.find("\r\n\r\nglasses: plural of glass\r\n"), std::string::npos) << glasses;
}

// A spelling another word makes more plainly is that word's form, and an "-er" noun is
// no comparative.
TEST(WordForms, ASpellingGoesToTheWordThatMakesIt) {
  FormSources sources;
  addWordNetIndex(sources,
                  "star v 1 0\nstare v 1 0\nsing v 1 0\nsinge v 1 0\nhop v 1 0\nhope v 1 0\n"
                  "be v 1 0\nsee v 1 0\nown v 1 0\n",
                  kVerb);
  addWordNetIndex(sources, "bed n 1 0\nseed n 1 0\n", kNoun);
  addWordNetIndex(sources, "own a 1 0\nbig a 1 0\ncut a 1 0\ncute a 1 0\n", kAdjective);
  addWordNetExceptions(sources, "sang sing\nwas be\nam be\nsaw see\n", kVerb);
  addWordList(sources,
              "staring\nstarring\nstared\nstarred\nsinging\nsinged\nsingeing\nhoping\nhopping\nhoped\n"
              "hopped\nbed\nseed\nowner\nbigger\nbiggest\ncuter\ncutest\n");
  const std::vector<std::string> headwords = {"star", "stare", "sing", "singe", "hop", "hope",
                                              "be",   "see",   "own",  "big",   "cut", "cute"};
  std::map<std::string, std::set<std::string>> lines;
  for (const FormLink& link : formLinks(headwords, sources)) lines[link.form].insert(formLinkLine(link));
  const std::map<std::string, std::set<std::string>> expected = {
      {"staring", {"staring: present participle of stare"}},
      {"starring", {"starring: present participle of star"}},
      {"stared", {"stared: past form of stare"}},
      {"starred", {"starred: past form of star"}},
      {"singing", {"singing: present participle of sing"}},
      {"singeing", {"singeing: present participle of singe"}},
      {"singed", {"singed: past form of singe"}},
      {"sang", {"sang: past form of sing"}},
      {"hoping", {"hoping: present participle of hope"}},
      {"hopping", {"hopping: present participle of hop"}},
      {"hoped", {"hoped: past form of hope"}},
      {"hopped", {"hopped: past form of hop"}},
      {"was", {"was: past form of be"}},
      {"am", {"am: form of be"}},
      {"saw", {"saw: past form of see"}},
      {"bigger", {"bigger: comparative of big"}},
      {"biggest", {"biggest: superlative of big"}},
      {"cuter", {"cuter: comparative of cute"}},
      {"cutest", {"cutest: superlative of cute"}},
  };
  EXPECT_EQ(lines, expected);
}

TEST(Builder, SameInputsGiveTheSameRecords) {
  const Built first = build(true);
  const Built second = build(true);
  EXPECT_EQ(first.chinese, second.chinese);
  EXPECT_EQ(first.english, second.english);
  const ParseResult parsed = parseCedict(kSource);
  const FrequencyTable frequencies = parseFrequencies(kFrequencies);
  EnglishChineseCounts counts;
  const auto a =
      buildEnglishChinese(parsed.entries, frequencies, parseReadingFrequencies(kReadings), formSources(), counts);
  const auto b =
      buildEnglishChinese(parsed.entries, frequencies, parseReadingFrequencies(kReadings), formSources(), counts);
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].headword, b[i].headword) << "record order " << i;
}

}  // namespace
