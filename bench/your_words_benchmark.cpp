// What start-up and a save of My Words cost with 10,000 kept words and full histories: the
// files written and read back (the part of start-up and of a save that grows with them).
#include <benchmark/benchmark.h>

#include <string>

#include "history/your_words.h"

namespace {

// 10,000 kept words, 5,000 counted ones in each direction and both histories full, as the
// files hold them. Built directly: adding them one by one through the commands would pay
// for the counts' bound at each of them.
YourWords fullWords() {
  YourWords words;
  for (int i = 0; i < 10000; ++i) {
    const std::string number = std::to_string(i);
    const std::u16string word = u"word" + std::u16string(number.begin(), number.end());
    const Direction direction = i % 2 ? Direction::ChineseEnglish : Direction::EnglishChinese;
    words.myWords.push_back(
        MyWord{direction, word, u"shu\u01D0", u"water; a river or lake, a body of water", u"2024-01-01"});
    DirectionWords& own = words.of(direction);
    own.lookups.emplace(word, static_cast<std::uint32_t>(i % 50 + 1));
    if (own.history.size() < maxHistoryWords) own.history.push_back(word);
  }
  return words;
}

void writeMyWordsFile(benchmark::State& state) {
  const YourWords words = fullWords();
  for (auto _ : state) benchmark::DoNotOptimize(myWordsFileText(words));
}
BENCHMARK(writeMyWordsFile)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void readBothFilesAtStart(benchmark::State& state) {
  const YourWords words = fullWords();
  const std::string history = historyFileText(words);
  const std::string myWords = myWordsFileText(words);
  for (auto _ : state) {
    YourWords read;
    benchmark::DoNotOptimize(readHistoryFile(history, read));
    benchmark::DoNotOptimize(readMyWordsFile(myWords, read));
  }
}
BENCHMARK(readBothFilesAtStart)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
