// What one keystroke in a word box costs the search: the listing of up to 25
// headwords plus the exact article, for real words, beginnings of words and
// absent words, by the engine and by the straightforward scan of the whole text
// in the same run. The engine is asked what the program asks: the typed
// text's listing and article, which reads text that finds nothing in the other
// ways a learner may have meant it ("Water", "Shui3"). After the benchmarks a
// summary gives the median cost per keystroke over each word set and the ratio
// of scan to engine, and the same keystrokes in the English tab with 100,000
// own articles beside them without any.
//
// Usage: keystroke_benchmark [benchmark flags] [folder with the article files]
// The folder may also come from ARTICLES_DIR. Without either, a synthetic
// sorted text of the real files' size is searched instead.
#include "article_source.h"

#include "dictionary/lookup.h"
#include "dictionary/near_words.h"
#include "dictionary/own_articles.h"
#include "dictionary/word_search.h"
#include "straightforward_scan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct WordSet {
  std::string name;
  std::vector<std::u16string> words;
};

struct SearchedText {
  std::string name;
  Direction tab = Direction::EnglishChinese;
  std::u16string text;
  ArticleText prepared;
  double prepareMilliseconds = 0;
  std::vector<WordSet> wordSets;
};

// The exact search alone, as every keystroke ran before typed text was read in
// other forms: the part of the cost that the second reading adds shows beside it.
std::size_t plainKeystroke(const ArticleText& text, Direction, std::u16string_view word) {
  const HeadwordListing listing = listHeadwords(text, word);
  const ArticleLookup article = findArticle(text, word);
  return listing.count + article.article.size();
}

// The user's own articles the engine keystroke searches beside the dictionary: none, or
// 100,000 headwords spread over the alphabet like English words ("ab" + "word" + a number).
struct OwnTexts {
  std::u16string none = u"\n";
  std::u16string many;
  ArticleText noneSearch;
  ArticleText manySearch;
};

OwnTexts& ownTexts() {
  static OwnTexts texts = [] {
    OwnTexts made;
    std::vector<std::u16string> headwords;
    for (std::size_t i = 0; i < 100000; ++i) {
      std::string word{static_cast<char>('a' + i % 26), static_cast<char>('a' + i / 26 % 26)};
      word += "word" + std::to_string(i);
      headwords.emplace_back(word.begin(), word.end());
    }
    std::sort(headwords.begin(), headwords.end());
    std::vector<OwnRecord> records;
    for (const auto& headword : headwords) {
      records.push_back({headword, u"my own meaning of the word, a line of about sixty units\r\n"});
    }
    made.many = ownArticlesText(records);
    made.noneSearch = prepareArticleText(made.none);
    made.manySearch = prepareArticleText(made.many);
    return made;
  }();
  return texts;
}

// The keystroke as the window makes it: one lookup gives the list and the article.
std::size_t engineKeystroke(const ArticleText& text, Direction tab, std::u16string_view word) {
  const Lookup found = lookUp(text, ownTexts().noneSearch, tab, word);
  return found.listing.count + found.article().size();
}

std::size_t keystrokeWithOwnArticles(const ArticleText& text, Direction tab, std::u16string_view word) {
  const Lookup found = lookUp(text, ownTexts().manySearch, tab, word);
  return found.listing.count + found.article().size();
}

std::vector<std::u16string_view> headwordsOf(std::u16string_view text) {
  std::vector<std::u16string_view> headwords;
  for (std::size_t at = text.find(u"\n|"); at != std::u16string_view::npos; at = text.find(u"\n|", at + 1)) {
    const std::size_t end = text.find(u'|', at + 2);
    if (end == std::u16string_view::npos) {
      break;
    }
    headwords.push_back(text.substr(at + 2, end - at - 2));
  }
  return headwords;
}

bool lowerCaseWord(std::u16string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char16_t c) { return c >= u'a' && c <= u'z'; });
}

// Real words spread evenly over the text, beginnings of them (one to three
// units, as while typing), words that are in no record, and words typed in
// another form than the record's (a capital, and in the Chinese tab a tone
// number), which only the second reading of the text finds.
std::vector<WordSet> chooseWords(const ArticleText& prepared, std::size_t perSet, Direction tab) {
  const std::vector<std::u16string_view> headwords = headwordsOf(prepared.text);
  WordSet words{"words", {}};
  WordSet prefixes{"prefixes", {}};
  WordSet absent{"absent", {}};
  WordSet typed{"typed", {}};
  if (headwords.empty()) {
    return {};
  }
  const std::size_t step = std::max<std::size_t>(1, headwords.size() / perSet);
  for (std::size_t i = step / 2; i < headwords.size() && words.words.size() < perSet; i += step) {
    const std::u16string_view headword = headwords[i];
    if (headword.empty()) {
      continue;
    }
    words.words.emplace_back(headword);
    prefixes.words.emplace_back(headword.substr(0, 1 + words.words.size() % 3));
    // A typing slip: the word with its last unit doubled and a stray letter.
    std::u16string slip(headword);
    slip += slip.back();
    slip += u'q';
    if (listHeadwords(prepared, slip).status == ListingStatus::NoMatch) {
      absent.words.push_back(std::move(slip));
    }
  }
  for (std::size_t i = 0; i < headwords.size() && typed.words.size() < perSet; i += step / 4 + 1) {
    if (!lowerCaseWord(headwords[i])) {
      continue;
    }
    std::u16string form(headwords[i]);
    form.front() = static_cast<char16_t>(form.front() - u'a' + u'A');
    if (tab == Direction::ChineseEnglish) {
      form += u'3';
    }
    typed.words.push_back(std::move(form));
  }
  return {words, prefixes, absent, typed};
}

double median(std::vector<double> values) {
  if (values.empty()) {
    return 0;
  }
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double microsecondsSince(Clock::time_point start, double repeats) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / repeats;
}

// Per-word cost in microseconds. One engine keystroke takes less than the
// clock resolves, so each word is timed over a batch of repeats; the best of
// three batches keeps a time slice lost to another process out of the figure.
template <typename Keystroke>
std::vector<double> engineCosts(const ArticleText& text, Direction tab, const std::vector<std::u16string>& words,
                                Keystroke keystroke) {
  constexpr int repeats = 100;
  std::vector<double> costs;
  for (const std::u16string& word : words) {
    double best = 0;
    for (int batch = 0; batch < 3; ++batch) {
      const Clock::time_point start = Clock::now();
      for (int r = 0; r < repeats; ++r) {
        benchmark::DoNotOptimize(keystroke(text, tab, word));
      }
      const double cost = microsecondsSince(start, repeats);
      best = batch == 0 ? cost : std::min(best, cost);
    }
    costs.push_back(best);
  }
  return costs;
}

std::vector<double> scanCosts(std::u16string_view text, const std::vector<std::u16string>& words) {
  std::vector<double> costs;
  for (const std::u16string& word : words) {
    const Clock::time_point start = Clock::now();
    benchmark::DoNotOptimize(scanKeystroke(text, word));
    costs.push_back(microsecondsSince(start, 1));
  }
  return costs;
}

// Misspellings as people make them, each with the word meant: the truth the ranking is
// checked against comes from this list, never from the dictionary's own articles.
struct Misspelt {
  const char16_t* typed;
  const char16_t* meant;
};

constexpr Misspelt englishMisspellings[] = {
    {u"recieve", u"receive"},
    {u"accomodate", u"accommodate"},
    {u"definately", u"definitely"},
    {u"seperate", u"separate"},
    {u"occured", u"occurred"},
    {u"untill", u"until"},
    {u"wierd", u"weird"},
    {u"goverment", u"government"},
    {u"begining", u"beginning"},
    {u"beleive", u"believe"},
    {u"tommorow", u"tomorrow"},
    {u"neccessary", u"necessary"},
    {u"enviroment", u"environment"},
    {u"existance", u"existence"},
    {u"independant", u"independent"},
    {u"truely", u"truly"},
    {u"arguement", u"argument"},
    {u"calender", u"calendar"},
    {u"acheive", u"achieve"},
    {u"libary", u"library"},
    {u"freind", u"friend"},
    {u"wether", u"weather"},
    {u"adress", u"address"},
    {u"buisness", u"business"},
    {u"dictionary.", u"dictionary"},
};

constexpr Misspelt pinyinMisspellings[] = {
    {u"shuiy", u"shui"},     {u"zhongguoo", u"zhongguo"}, {u"zhonguo", u"zhongguo"}, {u"xueshen", u"xuesheng"},
    {u"laoshii", u"laoshi"}, {u"pengyo", u"pengyou"},     {u"zhongwn", u"zhongwen"}, {u"shenmo", u"shenme"},
    {u"xiexi", u"xiexie"},   {u"duibuq", u"duibuqi"},     {u"mingtia", u"mingtian"}, {u"dianha", u"dianhua"},
    {u"beijin", u"beijing"}, {u"fanguan", u"fandian"},    {u"hanyuu", u"hanyu"},     {u"xihuann", u"xihuan"},
};

// The misses: what the keystroke itself costs (the near-word search does not run in it),
// what the near-word search costs when typing pauses, and how often the word meant comes
// first or among the ten offered.
template <std::size_t count>
void printMisses(const SearchedText& text, const Misspelt (&misspellings)[count]) {
  std::vector<std::u16string> typed;
  std::vector<double> nearCosts;
  std::size_t first = 0;
  std::size_t offered = 0;
  for (const Misspelt& m : misspellings) {
    typed.emplace_back(m.typed);
    double best = 0;
    std::vector<std::u16string_view> nearby;
    for (int batch = 0; batch < 3; ++batch) {
      const Clock::time_point start = Clock::now();
      nearby = nearestHeadwords(text.prepared, m.typed, text.tab);
      const double cost = microsecondsSince(start, 1) / 1000;
      best = batch == 0 ? cost : std::min(best, cost);
    }
    nearCosts.push_back(best);
    const auto at = std::find(nearby.begin(), nearby.end(), std::u16string_view(m.meant));
    first += at == nearby.begin() && at != nearby.end();
    offered += at != nearby.end();
  }
  const std::vector<double> keystroke = engineCosts(text.prepared, text.tab, typed, engineKeystroke);
  std::printf("%-16s %6zu %14.3f %14.2f %12.2f %9zu/%-3zu %9zu/%-3zu\n", text.name.c_str(), typed.size(),
              median(keystroke), median(nearCosts), *std::max_element(nearCosts.begin(), nearCosts.end()), first,
              typed.size(), offered, typed.size());
}

void printSummary(const std::vector<SearchedText>& texts) {
  std::printf(
      "\nPer keystroke (listing of 25 + article), median over each word set; \"exact\" is the exact\n"
      "search alone, without reading the text in other forms:\n");
  std::printf("%-16s %-9s %6s %12s %12s %10s %14s %10s\n", "text", "words", "count", "engine us", "engine max",
              "exact us", "scan us", "scan/engine");
  for (const SearchedText& text : texts) {
    for (const WordSet& set : text.wordSets) {
      if (set.words.empty()) {
        continue;
      }
      const std::vector<double> engine = engineCosts(text.prepared, text.tab, set.words, engineKeystroke);
      const std::vector<double> exact = engineCosts(text.prepared, text.tab, set.words, plainKeystroke);
      const std::vector<double> scan = scanCosts(text.prepared.text, set.words);
      const double engineMedian = median(engine);
      const double scanMedian = median(scan);
      std::printf("%-16s %-9s %6zu %12.3f %12.3f %10.3f %14.1f %10.0f\n", text.name.c_str(), set.name.c_str(),
                  set.words.size(), engineMedian, *std::max_element(engine.begin(), engine.end()), median(exact),
                  scanMedian, engineMedian > 0 ? scanMedian / engineMedian : 0.0);
    }
  }
  std::printf("\nThe same keystrokes with 100,000 own articles (%.1f MB as stored) beside the dictionary's:\n",
              static_cast<double>(ownTexts().many.size() * 2) / 1e6);
  std::printf("%-16s %-9s %12s %12s %10s\n", "text", "words", "without us", "with us", "with/without");
  for (const SearchedText& text : texts) {
    if (text.tab != Direction::EnglishChinese) {
      continue;
    }
    for (const WordSet& set : text.wordSets) {
      if (set.words.empty()) {
        continue;
      }
      const double without = median(engineCosts(text.prepared, text.tab, set.words, engineKeystroke));
      const double with = median(engineCosts(text.prepared, text.tab, set.words, keystrokeWithOwnArticles));
      std::printf("%-16s %-9s %12.3f %12.3f %10.2f\n", text.name.c_str(), set.name.c_str(), without, with,
                  without > 0 ? with / without : 0.0);
    }
  }
  std::printf(
      "\nMisses (a list of common misspellings with the words meant): the miss keystroke, the\n"
      "near-word search that runs once typing pauses, and where the word meant is offered:\n");
  std::printf("%-16s %6s %14s %14s %12s %13s %13s\n", "text", "count", "keystroke us", "near ms median", "near ms max",
              "meant first", "in the ten");
  for (const SearchedText& text : texts) {
    if (text.name == "English_Chinese") {
      printMisses(text, englishMisspellings);
    } else if (text.name == "Chinese_English") {
      printMisses(text, pinyinMisspellings);
    }
  }
  std::printf("\nLoad-time check (cut at the first zero unit, sortedness pass):\n");
  for (const SearchedText& text : texts) {
    std::printf("%-16s %9zu units  %8.2f ms  binary search %s\n", text.name.c_str(), text.text.size(),
                text.prepareMilliseconds,
                text.prepared.sortedRecords ? "on" : "OFF (records not sorted: every lookup scans)");
  }
  std::printf("Memory beyond the texts: none (the engine keeps a %zu-byte view and flag per text)\n",
              sizeof(ArticleText));
}

void registerBenchmarks(const std::vector<SearchedText>& texts) {
  for (const SearchedText& text : texts) {
    benchmark::RegisterBenchmark(("Prepare/" + text.name).c_str(), [&text](benchmark::State& state) {
      for (auto _ : state) {
        benchmark::DoNotOptimize(prepareArticleText(text.text));
      }
    })->Unit(benchmark::kMillisecond);
    for (const WordSet& set : text.wordSets) {
      if (set.words.empty()) {
        continue;
      }
      benchmark::RegisterBenchmark(("Engine/" + text.name + "/" + set.name).c_str(), [&text,
                                                                                      &set](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
          benchmark::DoNotOptimize(engineKeystroke(text.prepared, text.tab, set.words[i]));
          i = (i + 1) % set.words.size();
        }
      })->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("Scan/" + text.name + "/" + set.name).c_str(), [&text,
                                                                                    &set](benchmark::State& state) {
        std::size_t i = 0;
        for (auto _ : state) {
          benchmark::DoNotOptimize(scanKeystroke(text.prepared.text, set.words[i]));
          i = (i + 1) % set.words.size();
        }
      })->Unit(benchmark::kMicrosecond);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string folder;
  if (argc > 1) {
    folder = argv[1];
  } else if (const char* fromEnvironment = std::getenv("ARTICLES_DIR")) {
    folder = fromEnvironment;
  }

  std::vector<SearchedText> texts(2);
  texts[0].name = "English_Chinese";
  texts[1].name = "Chinese_English";
  texts[1].tab = Direction::ChineseEnglish;
  if (!folder.empty()) {
    for (SearchedText& text : texts) {
      const std::string path = folder + "/Articles_" + text.name + ".dat";
      if (!loadArticleFile(path, text.text)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
      }
    }
    std::printf("Article files from %s\n", folder.c_str());
  } else {
    std::printf(
        "No article folder given (argument or ARTICLES_DIR): searching a synthetic "
        "sorted text of 150,000 records instead of the real files\n");
    texts.resize(1);
    texts[0].name = "synthetic";
    texts[0].text = syntheticArticleText(150000);
  }
  for (SearchedText& text : texts) {
    const Clock::time_point start = Clock::now();
    text.prepared = prepareArticleText(text.text);
    text.prepareMilliseconds = microsecondsSince(start, 1) / 1000;
    text.wordSets = chooseWords(text.prepared, 100, text.tab);
  }

  registerBenchmarks(texts);
  benchmark::RunSpecifiedBenchmarks();
  printSummary(texts);
  benchmark::Shutdown();
  return 0;
}
