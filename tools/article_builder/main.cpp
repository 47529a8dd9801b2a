// article_builder: turns CC-CEDICT and a word frequency list into the two
// article files of the dictionary program.
//
//   article_builder --cedict cedict_ts.u8 --frequencies dict.txt --out DIR
//                   [--readings Unihan_Readings.txt] [--wordnet DIR] [--words FILE]
//                   [--usage essay.txt] [--language-model zh_CN.lm] [--levels hsk_words.txt]
//                   [--expect-sha256 HEX] [--expect-usage-sha256 HEX] [--expect-levels-sha256 HEX]
//                   [--expect-language-model-sha256 HEX]
//
// Writes DIR/Articles_English_Chinese.dat and DIR/Articles_Chinese_English.dat
// and prints what it did: skipped source lines with reasons, record counts,
// sizes and the SHA-256 of each file. Same inputs, same bytes.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "articles.h"
#include "cedict.h"
#include "frequency.h"
#include "language_model.h"
#include "levels.h"
#include "sha256.h"
#include "writer.h"

namespace {

using namespace article_builder;

struct Options {
  std::string cedictPath;
  std::string frequencyPath;
  std::string outputDirectory;
  std::string expectedSha256;
  std::string readingsPath;
  std::string wordnetDirectory;
  std::string wordListPath;
  std::string usagePath;
  std::string levelsPath;
  std::string expectedUsageSha256;
  std::string expectedLevelsSha256;
  std::string languageModelPath;
  std::string expectedLanguageModelSha256;
};

void printUsage() {
  std::fprintf(stderr,
               "usage: article_builder --cedict FILE --frequencies FILE --out DIR [--expect-sha256 HEX]\n"
               "  --cedict FILE        CC-CEDICT text (UTF-8)\n"
               "  --frequencies FILE   word counts, one \"word count tag\" per line (jieba dict.txt)\n"
               "  --out DIR            folder that receives the two .dat files\n"
               "  --readings FILE      Unihan_Readings.txt: how often each reading of a character is used\n"
               "  --wordnet DIR        WordNet's index.* and *.exc files: English word forms\n"
               "  --words FILE         English word list (one word a line) that regular forms must be in\n"
               "  --usage FILE         word weights of typed text, \"word<TAB>weight\" in traditional characters\n"
               "                       (rime-essay's essay.txt), combined with the word counts for ranking\n"
               "  --language-model FILE  an input method's binary n-gram model (libime's zh_CN.lm): its word\n"
               "                       probabilities are a third share of the English tab's counts (with --usage)\n"
               "  --levels FILE        graded word list, \"level<TAB>word<TAB>numbered reading\" lines (HSK)\n"
               "  --expect-sha256 HEX  refuse to build unless the CC-CEDICT text has this SHA-256\n"
               "  --expect-usage-sha256 HEX, --expect-levels-sha256 HEX, --expect-language-model-sha256 HEX\n"
               "                       the same for --usage, --levels and --language-model\n");
}

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (name == "--cedict") {
      options.cedictPath = value;
    } else if (name == "--frequencies") {
      options.frequencyPath = value;
    } else if (name == "--out") {
      options.outputDirectory = value;
    } else if (name == "--expect-sha256") {
      options.expectedSha256 = value;
    } else if (name == "--readings") {
      options.readingsPath = value;
    } else if (name == "--wordnet") {
      options.wordnetDirectory = value;
    } else if (name == "--words") {
      options.wordListPath = value;
    } else if (name == "--usage") {
      options.usagePath = value;
    } else if (name == "--language-model") {
      options.languageModelPath = value;
    } else if (name == "--expect-language-model-sha256") {
      options.expectedLanguageModelSha256 = value;
    } else if (name == "--levels") {
      options.levelsPath = value;
    } else if (name == "--expect-usage-sha256") {
      options.expectedUsageSha256 = value;
    } else if (name == "--expect-levels-sha256") {
      options.expectedLevelsSha256 = value;
    } else {
      return false;
    }
  }
  // Word forms need both WordNet and the word list, or neither.
  if (options.wordnetDirectory.empty() != options.wordListPath.empty()) return false;
  return !options.cedictPath.empty() && !options.frequencyPath.empty() && !options.outputDirectory.empty();
}

bool readWholeFile(const std::string& path, std::string& contents) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  contents.clear();
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Composes, checks and writes one file, appending what it did to `report`.
// Refuses to write text that breaks the grammar: a broken file would mislead
// every lookup in the program.
bool writeArticleFile(const std::string& path, std::string_view preamble, std::vector<Record> records,
                      std::string& report) {
  WriteCounts counts;
  const std::u16string text = composeArticleText(preamble, std::move(records), counts);
  const GrammarCheck check = checkArticleGrammar(text);
  if (!check.ok) {
    report += "article_builder: refusing to write " + path + ": " + check.problem + "\n";
    return false;
  }
  const std::vector<unsigned char> bytes = storedBytes(text);
  std::string error;
  if (!writeFileAtomically(path, bytes, error)) {
    report += "article_builder: " + error + "\n";
    return false;
  }
  report += path + "\n  records: " + std::to_string(check.records) + ", bytes: " + std::to_string(bytes.size()) +
            "\n  sha256: " + sha256Hex(bytes.data(), bytes.size()) + "\n";
  if (counts.droppedRecords + counts.mergedDuplicates + counts.shortenedArticles + counts.replacedSeparators > 0) {
    report += "  dropped records: " + std::to_string(counts.droppedRecords) +
              ", merged duplicates: " + std::to_string(counts.mergedDuplicates) +
              ", shortened articles: " + std::to_string(counts.shortenedArticles) +
              ", replaced characters: " + std::to_string(counts.replacedSeparators) + "\n";
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) {
    printUsage();
    return 1;
  }
  const auto start = std::chrono::steady_clock::now();

  std::string source;
  if (!readWholeFile(options.cedictPath, source)) {
    std::fprintf(stderr, "article_builder: cannot read CC-CEDICT text %s\n", options.cedictPath.c_str());
    return 2;
  }
  const std::string sourceSha = sha256Hex(source);
  if (!options.expectedSha256.empty() && sourceSha != options.expectedSha256) {
    std::fprintf(stderr,
                 "article_builder: CC-CEDICT text %s has SHA-256 %s, expected %s.\n"
                 "  The pinned source data changed; refusing to build from unchecked data.\n",
                 options.cedictPath.c_str(), sourceSha.c_str(), options.expectedSha256.c_str());
    return 2;
  }
  std::string frequencyText;
  if (!readWholeFile(options.frequencyPath, frequencyText)) {
    std::fprintf(stderr, "article_builder: cannot read word frequencies %s\n", options.frequencyPath.c_str());
    return 2;
  }

  // An optional source: read whole and, when a checksum is given, checked
  // against it. Refuses to go on without it once it was asked for.
  const auto readChecked = [](const std::string& path, const std::string& expected, const char* what,
                              std::string& text) {
    if (!readWholeFile(path, text)) {
      std::fprintf(stderr, "article_builder: cannot read %s %s\n", what, path.c_str());
      return false;
    }
    const std::string actual = expected.empty() ? std::string() : sha256Hex(text);
    if (actual != expected) {
      std::fprintf(stderr,
                   "article_builder: %s %s has SHA-256 %s, expected %s.\n"
                   "  The pinned source data changed; refusing to build from unchecked data.\n",
                   what, path.c_str(), actual.c_str(), expected.c_str());
      return false;
    }
    return true;
  };
  UsageCounts usage;
  if (!options.usagePath.empty()) {
    std::string text;
    if (!readChecked(options.usagePath, options.expectedUsageSha256, "word weights", text)) return 2;
    usage = parseUsageCounts(text);
  }
  LanguageModelWords model;
  if (!options.languageModelPath.empty()) {
    std::string bytes;
    if (!readChecked(options.languageModelPath, options.expectedLanguageModelSha256, "language model", bytes)) {
      return 2;
    }
    model = parseLanguageModel(bytes);
    if (!model.problem.empty()) {
      std::fprintf(stderr, "article_builder: cannot read language model %s: %s\n", options.languageModelPath.c_str(),
                   model.problem.c_str());
      return 2;
    }
  }
  WordLevels levels;
  if (!options.levelsPath.empty()) {
    std::string text;
    if (!readChecked(options.levelsPath, options.expectedLevelsSha256, "word list", text)) return 2;
    levels = parseWordLevels(text);
  }

  ReadingFrequencies readings;
  if (!options.readingsPath.empty()) {
    std::string text;
    if (!readWholeFile(options.readingsPath, text)) {
      std::fprintf(stderr, "article_builder: cannot read reading counts %s\n", options.readingsPath.c_str());
      return 2;
    }
    readings = parseReadingFrequencies(text);
  }
  FormSources forms;
  if (!options.wordnetDirectory.empty()) {
    const struct {
      const char* name;
      PartOfSpeech part;
      bool index;
    } files[] = {{"index.noun", kNoun, true}, {"index.verb", kVerb, true}, {"index.adj", kAdjective, true},
                 {"noun.exc", kNoun, false},  {"verb.exc", kVerb, false},  {"adj.exc", kAdjective, false},
                 {"adv.exc", kAdverb, false}};
    for (const auto& file : files) {
      std::string text;
      const std::string path = options.wordnetDirectory + "/" + file.name;
      if (!readWholeFile(path, text)) {
        std::fprintf(stderr, "article_builder: cannot read WordNet file %s\n", path.c_str());
        return 2;
      }
      if (file.index) {
        addWordNetIndex(forms, text, file.part);
      } else {
        addWordNetExceptions(forms, text, file.part);
      }
    }
    std::string words;
    if (!readWholeFile(options.wordListPath, words)) {
      std::fprintf(stderr, "article_builder: cannot read word list %s\n", options.wordListPath.c_str());
      return 2;
    }
    addWordList(forms, words);
  }

  const ParseResult parsed = parseCedict(source);
  source.clear();
  source.shrink_to_fit();
  FrequencyTable frequencies = parseFrequencies(frequencyText);
  frequencyText.clear();
  frequencyText.shrink_to_fit();
  if (parsed.entries.empty()) {
    std::fprintf(stderr, "article_builder: no entries in %s\n", options.cedictPath.c_str());
    return 2;
  }
  const std::size_t writtenWords = frequencies.words.size();
  // The language model's counts are of written text (的, 和, 是, 在, 等, 与
  // and 及 are its commonest words): in the pinyin lists, where words of one
  // sound compete, it lifts written words over spoken ones (及 over 几, 随
  // over 岁); among the translations of an English word, which share a
  // meaning, it corrects the typed weights' bound characters (果 over 水果).
  // So the English tab ranks with it and the Chinese tab without.
  FrequencyTable translationFrequencies = frequencies;
  const CombinedCounts combined = combineWithUsage(frequencies, usage, parsed.entries);
  const CombinedCounts translationCombined = combineWithUsage(translationFrequencies, usage, parsed.entries, model);
  const std::size_t numberWords = foldNumberWords(frequencies);
  foldNumberWords(translationFrequencies);

  std::printf("read and parsed in %.2f s\n", secondsSince(start));
  std::printf("source: %s\n  sha256: %s\n  lines: %zu, entries: %zu, comment lines: %zu, skipped lines: %zu\n",
              options.cedictPath.c_str(), sourceSha.c_str(), parsed.lines, parsed.entries.size(), parsed.commentLines,
              skippedTotal(parsed));
  for (const auto& reasonCount : parsed.skipped) {
    std::printf("    skipped, %s: %zu\n", reasonCount.first.c_str(), reasonCount.second);
  }
  std::printf("frequencies: %s\n  words: %zu, skipped lines: %zu; number words counted with their numeral: %zu\n",
              options.frequencyPath.c_str(), writtenWords, frequencies.skippedLines, numberWords);
  if (!options.usagePath.empty()) {
    std::printf(
        "word weights: %s\n  words: %zu, skipped lines: %zu; dictionary words weighed: %zu, "
        "counted only in writing: %zu, weighed through another spelling: %zu\n",
        options.usagePath.c_str(), usage.words.size(), usage.skippedLines, combined.typedWords, combined.writtenOnly,
        combined.variantWords);
  }
  if (!options.languageModelPath.empty()) {
    std::printf("language model: %s\n  words: %zu, skipped: %zu; dictionary words it names: %zu\n",
                options.languageModelPath.c_str(), model.shares.size(), model.skippedWords,
                translationCombined.modelWords);
  }
  if (!options.levelsPath.empty()) {
    std::printf("word list: %s\n  words: %zu, skipped lines: %zu\n", options.levelsPath.c_str(), levels.words.size(),
                levels.skippedLines);
  }
  if (!options.readingsPath.empty()) {
    std::printf("reading counts: %s\n  characters: %zu, skipped lines: %zu\n", options.readingsPath.c_str(),
                readings.byCharacter.size(), readings.skippedLines);
  }
  if (!options.wordnetDirectory.empty()) {
    std::printf("word forms: %s, %s\n  lemmas: %zu, irregular forms: %zu, words: %zu, skipped lines: %zu\n",
                options.wordnetDirectory.c_str(), options.wordListPath.c_str(), forms.lemmas.size(),
                forms.exceptions.size(), forms.words.size(), forms.skippedLines);
  }

  // The two files share nothing but the parsed input, so they are built
  // side by side; each thread collects its report and they print in order.
  std::string chineseReport;
  bool chineseOk = false;
  std::thread chineseThread([&] {
    ChineseEnglishCounts counts;
    std::vector<Record> records = buildChineseEnglish(parsed.entries, frequencies, readings, levels, counts, &usage);
    chineseReport = "Chinese-English headwords: simplified " + std::to_string(counts.simplifiedHeadwords) +
                    ", traditional " + std::to_string(counts.traditionalHeadwords) + ", pinyin " +
                    std::to_string(counts.pinyinHeadwords) + " (lists cut at " +
                    std::to_string(kMaxWordsPerPinyinArticle) +
                    " words: " + std::to_string(counts.shortenedPinyinLists) + ")\n";
    chineseOk = writeArticleFile(options.outputDirectory + "/Articles_Chinese_English.dat",
                                 preambleText("Chinese-English dictionary", parsed.releaseDate, parsed.entries.size()),
                                 std::move(records), chineseReport);
  });

  std::string englishReport;
  EnglishChineseCounts englishCounts;
  std::vector<Record> english =
      buildEnglishChinese(parsed.entries, translationFrequencies, readings, forms, englishCounts);
  englishReport = "English-Chinese headwords: " + std::to_string(englishCounts.headwords) +
                  ", Chinese words listed: " + std::to_string(englishCounts.listedWords) + " (lists cut at " +
                  std::to_string(kMaxWordsPerEnglishArticle) +
                  " words: " + std::to_string(englishCounts.shortenedLists) + ")\n";
  if (!options.wordnetDirectory.empty()) {
    englishReport += "  word forms: " + std::to_string(englishCounts.formRecords) + " records, " +
                     std::to_string(englishCounts.formLines) + " lines added to headwords' own articles\n";
  }
  if (englishCounts.addedInitialWord) englishReport += "  note: no gloss gave \"a\"; a short record was added\n";
  const bool englishOk =
      writeArticleFile(options.outputDirectory + "/Articles_English_Chinese.dat",
                       preambleText("English-Chinese dictionary", parsed.releaseDate, parsed.entries.size()),
                       std::move(english), englishReport);
  chineseThread.join();

  std::fputs(chineseReport.c_str(), stdout);
  std::fputs(englishReport.c_str(), stdout);
  if (!chineseOk || !englishOk) return 3;

  std::printf("built in %.2f s\n", secondsSince(start));
  return 0;
}
