// The user's own articles at the size they must handle: 100,000 in one direction.
//  - Save: one article set in the text (inserted at its place), the text scrambled and
//    written to a new file that then replaces the old one, as a save in the dialog does.
//  - Keystroke: what a keystroke adds for own articles, the own listing merged with the
//    dictionary's and the own exact lookup (one search of the own text serves both), beside
//    the dictionary's part alone.
//
// Usage: own_articles_benchmark [benchmark flags] [folder with the article files]
// Without the folder (or ARTICLES_DIR), a synthetic dictionary text is searched.
#include "article_source.h"

#include "dictionary/article_files.h"
#include "dictionary/lookup.h"
#include "dictionary/own_articles.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t ownCount = 100000;

std::u16string ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// Headwords spread over the alphabet like English words: two letters, then a number.
std::u16string ownHeadword(std::size_t i) {
  std::string word;
  word += static_cast<char>('a' + i % 26);
  word += static_cast<char>('a' + i / 26 % 26);
  word += "word" + std::to_string(i);
  return ascii(word);
}

struct Fixture {
  std::u16string dictionaryText;
  ArticleText dictionary;
  std::u16string ownText;
  ArticleText own;
  std::vector<std::u16string> typed;
  std::string folder;
};

Fixture& fixture() {
  static Fixture f = [] {
    Fixture made;
    const char* folder = std::getenv("ARTICLES_DIR");
    if (!folder || !loadArticleFile(std::string(folder) + "/Articles_English_Chinese.dat", made.dictionaryText)) {
      made.dictionaryText = syntheticArticleText(120000);
    }
    made.dictionary = prepareArticleText(made.dictionaryText);
    std::vector<std::u16string> headwords;
    for (std::size_t i = 0; i < ownCount; ++i) headwords.push_back(ownHeadword(i));
    std::sort(headwords.begin(), headwords.end());
    const std::u16string article = u"my own meaning of the word, a line of about sixty units\r\n";
    std::vector<OwnRecord> records;
    for (const auto& headword : headwords) records.push_back({headword, article});
    made.ownText = ownArticlesText(records);
    made.own = prepareArticleText(made.ownText);
    for (std::size_t i = 0; i < 200; ++i) {
      const std::u16string own = ownHeadword(i * 487);
      made.typed.push_back(own);
      made.typed.push_back(own.substr(0, 3));
    }
    for (const char16_t* word : {u"water", u"wat", u"tea", u"apple", u"zzz", u"the", u"b"}) made.typed.push_back(word);
    made.folder = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    return made;
  }();
  return f;
}

void ownSave(benchmark::State& state) {
  Fixture& f = fixture();
  const std::string path = f.folder + "/own_articles_benchmark.dat";
  const std::string temporary = path + ".tmp";
  std::size_t n = 0;
  for (auto _ : state) {
    const std::u16string headword = u"new" + ascii(std::to_string(n++));
    std::u16string changed = withOwnArticle(f.ownText, headword, u"a new article\r\n");
    std::string bytes(reinterpret_cast<const char*>(changed.data()), changed.size() * 2);
    scrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
      state.SkipWithError("cannot write the benchmark file");
      break;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    std::rename(temporary.c_str(), path.c_str());
    benchmark::DoNotOptimize(changed.data());
  }
  std::remove(path.c_str());
  state.counters["own_articles"] = static_cast<double>(ownCount);
  state.counters["file_MB"] = static_cast<double>(f.ownText.size() * 2) / 1e6;
}

// The keystroke as the window makes it: one lookup of the dictionary and the own articles
// gives the list and the article.
std::size_t keystroke(const ArticleText* own, std::u16string_view word) {
  Fixture& f = fixture();
  static const std::u16string noOwnText(emptyOwnArticles);
  static const ArticleText noOwn = prepareArticleText(noOwnText);
  const Lookup found = lookUp(f.dictionary, own ? *own : noOwn, Direction::EnglishChinese, word);
  return found.listing.count + found.article().size();
}

void keystrokeWithOwn(benchmark::State& state) {
  Fixture& f = fixture();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(keystroke(&f.own, f.typed[i++ % f.typed.size()]));
}

void keystrokeDictionaryOnly(benchmark::State& state) {
  Fixture& f = fixture();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(keystroke(nullptr, f.typed[i++ % f.typed.size()]));
}

BENCHMARK(ownSave)->Unit(benchmark::kMillisecond);
BENCHMARK(keystrokeWithOwn)->Unit(benchmark::kMicrosecond);
BENCHMARK(keystrokeDictionaryOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc > 1) setenv("ARTICLES_DIR", argv[1], 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
