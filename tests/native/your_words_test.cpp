// The user's record of words: what the history keeps, where Back and Forward go, My Words,
// the two files (read back whole, or refused whole when damaged) and the flashcard export
// read back by a strict tab-separated reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/utf8_text.h"
#include "history/your_words.h"

namespace {

constexpr Direction english = Direction::EnglishChinese;
constexpr Direction chinese = Direction::ChineseEnglish;

std::vector<std::u16string> historyOf(const YourWords& words, Direction direction) {
  return words.of(direction).history;
}

// A word box's text after each keystroke, then the lookups that make a word "looked at":
// only those reach the history.
TEST(History, KeepsWordsLookedAtMostRecentFirstOnceEachAndBounded) {
  YourWords words;
  // Typing "water" key by key looks up w, wa, wat, ... but only the settled word is kept.
  EXPECT_TRUE(rememberLookedAt(words, english, u"water"));
  EXPECT_TRUE(rememberLookedAt(words, english, u"fire"));
  EXPECT_TRUE(rememberLookedAt(words, english, u"water"));
  EXPECT_EQ(historyOf(words, english), (std::vector<std::u16string>{u"water", u"fire"}));
  EXPECT_EQ(lookupCount(words, english, u"water"), 2u);
  EXPECT_TRUE(historyOf(words, chinese).empty()) << "each tab has a history of its own";

  for (int i = 0; i < 40; ++i)
    rememberLookedAt(words, english, u"w" + std::u16string(1, u'a' + i % 26) + u"x" + std::u16string(1, u'a' + i / 26));
  ASSERT_EQ(words.of(english).history.size(), maxHistoryWords);
  EXPECT_EQ(words.of(english).history.front(), u"wnxb") << "the last word looked at comes first";
  EXPECT_EQ(lookupCount(words, english, u"water"), 2u) << "a word that left the history keeps its count";

  for (const std::u16string& refused :
       {std::u16string(), std::u16string(maxKeptWordLength + 1, u'a'), std::u16string(u"a\tb"), std::u16string(u"a\nb"),
        std::u16string(1, u'\xD800')}) {
    EXPECT_FALSE(rememberLookedAt(words, chinese, refused));
  }
  EXPECT_TRUE(historyOf(words, chinese).empty());
}

TEST(History, CountsStayBoundedAndNeverDropWordsTheUserKeeps) {
  YourWords words;
  ASSERT_EQ(toggleMyWord(words, english, u"kept", u"1. 留 liú: kept", u"2024-01-02"), MyWordsChange::Added);
  rememberLookedAt(words, english, u"kept");
  for (std::size_t i = 0; i < maxCountedWords + 50; ++i) {
    rememberLookedAt(words, english,
                     u"w" + std::u16string(1, u'a' + i % 26) + std::u16string(1, u'a' + i / 26 % 26) +
                         std::u16string(1, u'a' + i / 676));
  }
  EXPECT_LE(words.of(english).lookups.size(), maxCountedWords);
  EXPECT_EQ(lookupCount(words, english, u"kept"), 1u);
  for (const auto& word : words.of(english).history) EXPECT_EQ(lookupCount(words, english, word), 1u);

  // More kept words than the bound, each counted: all keep their counts, and the file that
  // holds them reads back.
  for (std::size_t i = 0; i < maxCountedWords + 50; ++i) {
    const std::u16string word = u"k" + std::u16string(1, u'a' + i % 26) + std::u16string(1, u'a' + i / 26 % 26) +
                                std::u16string(1, u'a' + i / 676);
    toggleMyWord(words, english, word, u"1. 留 liú: kept", u"2024-01-02");
    rememberLookedAt(words, english, word);
  }
  EXPECT_GT(words.of(english).lookups.size(), maxCountedWords);
  YourWords read;
  ASSERT_TRUE(readHistoryFile(historyFileText(words), read));
  EXPECT_EQ(read.of(english).lookups, words.of(english).lookups);
}

TEST(BackForward, StepsThroughTheWordsLookedAtInOrder) {
  BackForward steps;
  EXPECT_FALSE(stepBack(steps, u"")) << "nothing to go back to";
  for (const auto word : {u"one", u"two", u"three"}) visitStep(steps, word);
  visitStep(steps, u"three");  // looked at again: no new step
  EXPECT_EQ(stepBack(steps, u"three"), u"two");
  EXPECT_EQ(stepBack(steps, u"two"), u"one");
  EXPECT_FALSE(stepBack(steps, u"one"));
  EXPECT_EQ(stepForward(steps), u"two");
  EXPECT_EQ(stepForward(steps), u"three");
  EXPECT_FALSE(stepForward(steps));

  // Typed away from the current word without settling on one: Back returns to it first.
  EXPECT_EQ(stepBack(steps, u"thr"), u"three");
  EXPECT_EQ(stepBack(steps, u"three"), u"two");
  // A new word after going back drops the steps ahead, as in a browser.
  visitStep(steps, u"four");
  EXPECT_FALSE(stepForward(steps));
  EXPECT_EQ(stepBack(steps, u"four"), u"two");
  EXPECT_EQ(stepBack(steps, u"two"), u"one");

  BackForward many;
  for (std::size_t i = 0; i < maxBackForwardSteps + 10; ++i)
    visitStep(many, std::u16string(1, u'a' + i % 2) + std::u16string(i + 1, u'x'));
  EXPECT_EQ(many.steps.size(), maxBackForwardSteps);
  EXPECT_EQ(many.current, maxBackForwardSteps - 1);
}

TEST(MyWords, CtrlDAddsWithReadingAndFirstSenseThenRemoves) {
  struct Case {
    Direction direction;
    std::u16string word;
    std::u16string article;
    std::u16string reading;
    std::u16string sense;
  };
  const Case cases[] = {
      {chinese, u"水", u"shuǐ\r\n1. water\r\n2. river\r\n", u"shuǐ", u"water"},
      {chinese, u"11区", u"11 Qū   (traditional 11區)\r\n1. (ACG) Japan\r\n", u"11 Qū", u"(ACG) Japan"},
      {english, u"Canada", u"1. 加拿大 Jiā ná dà: Canada\r\n2. 加 Jiā: Canada\r\n", u"", u"加拿大 Jiā ná dà"},
      {english, u"mine", u"Your own article:\r\nmy\tfirst\r\nline\r\nFrom the dictionary:\r\n", u"", u"my; first"},
      {chinese, u"火", u"Your own article:\r\nmy note\r\n\r\nFrom the dictionary:\r\nhuǒ\r\n1. fire\r\n", u"huǒ",
       u"fire"},
      {chinese, u"空", u"", u"", u""},
  };
  YourWords words;
  for (const Case& c : cases) {
    ASSERT_EQ(toggleMyWord(words, c.direction, c.word, c.article, u"2024-03-05"), MyWordsChange::Added);
    const auto index = findMyWord(words, c.direction, c.word);
    ASSERT_TRUE(index);
    EXPECT_EQ(words.myWords[*index].reading, c.reading);
    EXPECT_EQ(words.myWords[*index].sense, c.sense);
    EXPECT_FALSE(findMyWord(words, otherDirection(c.direction), c.word));
  }
  EXPECT_EQ(toggleMyWord(words, chinese, u"水", u"", u"2024-03-05"), MyWordsChange::Removed);
  EXPECT_FALSE(findMyWord(words, chinese, u"水"));
  EXPECT_EQ(toggleMyWord(words, chinese, u"a\tb", u"", u"2024-03-05"), MyWordsChange::Refused);
  EXPECT_EQ(toggleMyWord(words, chinese, std::u16string(500, u'x'), u"", u"2024-03-05"), MyWordsChange::Refused);
  EXPECT_FALSE(keptWordMessage(checkKeptWord(std::u16string(500, u'x'))).empty());
}

TEST(MyWords, ColumnsSortAscendingAndDescending) {
  YourWords words;
  toggleMyWord(words, english, u"b", u"1. 二 èr: b", u"2024-01-03");
  toggleMyWord(words, english, u"c", u"1. 一 yī: c", u"2024-01-01");
  toggleMyWord(words, english, u"a", u"1. 三 sān: a", u"2024-01-02");
  rememberLookedAt(words, english, u"c");
  rememberLookedAt(words, english, u"c");
  rememberLookedAt(words, english, u"a");
  using Order = std::vector<std::size_t>;
  EXPECT_EQ(sortedMyWords(words, MyWordsColumn::Word, true), (Order{2, 0, 1}));
  EXPECT_EQ(sortedMyWords(words, MyWordsColumn::Word, false), (Order{1, 0, 2}));
  EXPECT_EQ(sortedMyWords(words, MyWordsColumn::Added, true), (Order{1, 2, 0}));
  EXPECT_EQ(sortedMyWords(words, MyWordsColumn::Lookups, false), (Order{1, 2, 0}));
  EXPECT_EQ(sortedMyWords(words, MyWordsColumn::Sense, true), (Order{1, 2, 0}));
}

YourWords sampleWords() {
  YourWords words;
  for (const auto word : {u"water", u"a|b", u"fire", u"water"}) rememberLookedAt(words, english, word);
  rememberLookedAt(words, chinese, u"水");
  rememberLookedAt(words, chinese, u"𠀀");  // beyond the basic plane
  toggleMyWord(words, chinese, u"水", u"shuǐ\r\n1. water\tclear\r\n", u"2024-03-05");
  toggleMyWord(words, english, u"fire", u"1. 火 huǒ: fire", u"2023-12-31");
  return words;
}

TEST(YourWordsFiles, ReadBackExactlyWhatWasWritten) {
  const YourWords written = sampleWords();
  YourWords read;
  ASSERT_TRUE(readHistoryFile(historyFileText(written), read));
  ASSERT_TRUE(readMyWordsFile(myWordsFileText(written), read));
  for (const Direction direction : bothDirections) {
    EXPECT_EQ(read.of(direction).history, written.of(direction).history);
    EXPECT_EQ(read.of(direction).lookups, written.of(direction).lookups);
  }
  ASSERT_EQ(read.myWords.size(), written.myWords.size());
  for (std::size_t i = 0; i < read.myWords.size(); ++i) {
    EXPECT_EQ(read.myWords[i].direction, written.myWords[i].direction);
    EXPECT_EQ(read.myWords[i].word, written.myWords[i].word);
    EXPECT_EQ(read.myWords[i].reading, written.myWords[i].reading);
    EXPECT_EQ(read.myWords[i].sense, written.myWords[i].sense);
    EXPECT_EQ(read.myWords[i].added, written.myWords[i].added);
  }
  // Empty lists are files too.
  YourWords empty;
  EXPECT_TRUE(readHistoryFile(historyFileText(YourWords{}), empty));
  EXPECT_TRUE(readMyWordsFile(myWordsFileText(YourWords{}), empty));
}

// Every way a file can be damaged is refused whole, and what was read before stays.
TEST(YourWordsFiles, DamagedFilesAreRefusedWholeAndChangeNothing) {
  const YourWords sample = sampleWords();
  const std::string history = historyFileText(sample);
  const std::string myWords = myWordsFileText(sample);
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string longLine = std::string("Dictionary history 1\nH\t0\t") + std::string(100000, 'x') + "\nE\t1\n";
  const std::vector<std::pair<const char*, std::string>> damagedHistories = {
      {"empty", ""},
      {"truncated in a line", history.substr(0, history.size() / 2)},
      {"truncated before the count line", history.substr(0, history.rfind("E\t"))},
      {"all zeros", std::string(4096, '\0')},
      {"random bytes", "\x8f\x01\xfe\xc3(\x99\x10\x7f\n"},
      {"a line of 100,000 characters", longLine},
      {"a wrong count", replaced(history, "E\t", "E\t1")},
      {"a word twice in the history", replaced(history, "H\t0\tfire\n", "H\t0\twater\n")},
      {"an unknown direction", replaced(history, "H\t0\tfire", "H\t2\tfire")},
      {"a count of zero", replaced(history, "\t2\twater", "\t0\twater")},
      {"broken UTF-8", replaced(history, "水", "\xe6\xb0")},
      {"an encoded surrogate", replaced(history, "水", "\xed\xa0\x80")},
      {"carriage returns", replaced(history, "\n", "\r\n")},
      {"anything after the count line", history + "H\t0\tmore\n"},
      {"a settings file", "LoadOnStart=true\r\n"},
  };
  for (const auto& [what, bytes] : damagedHistories) {
    YourWords words = sample;
    EXPECT_FALSE(readHistoryFile(bytes, words)) << what;
    EXPECT_EQ(words.of(english).history, sample.of(english).history) << what;
  }
  const std::vector<std::pair<const char*, std::string>> damagedMyWords = {
      {"truncated", myWords.substr(0, myWords.size() - 3)},
      {"a bad date", replaced(myWords, "2024-03-05", "2024-3-5")},
      {"a tab too few", replaced(myWords, "\tshuǐ", "shuǐ")},
      {"a word twice", replaced(myWords, "\tfire\t", "\t水\t").replace(myWords.find("W\t0"), 3, "W\t1")},
      {"the history's first line", replaced(myWords, "My Words", "history")},
  };
  for (const auto& [what, bytes] : damagedMyWords) {
    YourWords words = sample;
    EXPECT_FALSE(readMyWordsFile(bytes, words)) << what;
    EXPECT_EQ(words.myWords.size(), sample.myWords.size()) << what;
  }
}

// A strict reader of the export: every line ends in a line feed and has exactly three
// fields, none holding a tab, a carriage return or a broken UTF-8 sequence.
std::vector<std::vector<std::u16string>> readCards(const std::string& bytes) {
  std::vector<std::vector<std::u16string>> cards;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    EXPECT_NE(end, std::string::npos) << "the last card has no line feed";
    if (end == std::string::npos) break;
    const std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    std::vector<std::u16string> fields;
    std::size_t from = 0;
    for (;;) {
      const std::size_t tab = line.find('\t', from);
      const auto field = textFromUtf8(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
      EXPECT_TRUE(field.has_value()) << "broken UTF-8 in \"" << line << "\"";
      fields.push_back(field.value_or(u""));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    EXPECT_EQ(fields.size(), 3u) << line;
    cards.push_back(fields);
    start = end + 1;
  }
  return cards;
}

TEST(FlashcardExport, EveryCardIsThreeFieldsWithBreaksWrittenAsSemicolons) {
  const std::vector<MyWord> cards = {
      {chinese, u"水", u"shuǐ", u"water", u"2024-01-01"},
      {english, u"a|b", u"", u"line one\r\nline two\ttabbed\n\n", u"2024-01-01"},
      {english, u"bad\xD800", u"\tlead", u"\r\n", u"2024-01-01"},
      {chinese, std::u16string(500, u'字'), u"zì", u"character", u"2024-01-01"},
  };
  const auto read = readCards(flashcardText(cards));
  ASSERT_EQ(read.size(), cards.size());
  EXPECT_EQ(read[0], (std::vector<std::u16string>{u"水", u"shuǐ", u"water"}));
  EXPECT_EQ(read[1], (std::vector<std::u16string>{u"a|b", u"", u"line one; line two; tabbed"}));
  EXPECT_EQ(read[2], (std::vector<std::u16string>{u"bad\uFFFD", u"lead", u""}));
  EXPECT_EQ(read[3][0].size(), maxKeptWordLength);
}

TEST(Utf8, WritesWhatItReadsAndRefusesWhatIsNotUtf8) {
  const std::u16string text = u"a ü 水 𠀀 \uFFFF";
  EXPECT_EQ(textFromUtf8(utf8FromText(text)), text);
  EXPECT_EQ(utf8FromText(u"x\xDC00y"), "x\xEF\xBF\xBDy");
  for (const std::string bad : {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80", "\xED\xA0\x80", "\xE6\xB0"}) {
    EXPECT_FALSE(textFromUtf8(bad)) << bad;
  }
}

}  // namespace
