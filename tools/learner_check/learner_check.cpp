// learner_check: how often a learner's lookup puts the right word first, on a
// check set made mechanically from a source the ranking never reads:
//
//   learner_check --cedict cedict_ts.u8 --levels hsk_words.txt --wordnet DIR
//                 --words american-english --articles DIR [--show-misses N] [--plain]
//                 [--usage weibo_words.txt] [--spoken subtitle_words.txt]
//                 [--translations english_chinese_translations.txt]
//                 [--look "c:gaosu|e:teacher"]
//
// The check set is the HSK 2.0 word list (levels 1 to 6 with the reading each
// word is taught with), which only labels the articles. A learner meets a
// level 1 word long before a level 5 one, so among the listed words that share
// a toneless pinyin, a reading or a first English gloss, the one of the lowest
// level is expected first, when no other shares that level. The word's taught
// reading is expected first in its article and on its line in the pinyin list.
// With --usage, the word counts of a corpus of microblog posts say which word
// of a toneless pinyin or an English headword is clearly the most used (see
// checkUsage); with --spoken too, so do the counts of film subtitles, alone and
// where both corpora agree. With --translations, an English-Chinese dictionary
// made apart from CC-CEDICT pairs English words with Chinese ones in any
// sense, and the levels and the counts each say which of the words both
// dictionaries pair is expected first. The lookups run through the program's
// own search code over the built article files.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "articles.h"
#include "cedict.h"
#include "glosses.h"
#include "inversion.h"
#include "levels.h"
#include "pinyin.h"
#include "usage_truth.h"
#include "utf.h"
#include "word_forms.h"

#include "common/utf8.h"
#include "dictionary/article_files.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"

namespace {

using namespace article_builder;

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "learner_check: cannot read %s\n", path.c_str());
    std::exit(2);
  }
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::u16string readArticleText(const std::string& path) {
  std::string bytes = readFile(path);
  unscrambleArticleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return text;
}

// The reading of the first numbered line showing `word` in a list article
// ("3. 告诉 (告訴) gào su: to tell" -> "gào su"), or an empty string.
std::string listedReading(const std::string& article, const std::string& word) {
  for (const std::string_view line : textLines(article)) {
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits == 0 || line.compare(digits, 2 + word.size(), ". " + word) != 0) continue;
    std::size_t from = digits + 2 + word.size();
    if (from + 1 >= line.size() || line[from] != ' ') continue;
    ++from;
    if (line[from] == '(') {
      const std::size_t close = line.find(") ", from);
      if (close == std::string_view::npos) return {};
      from = close + 2;
    }
    const std::size_t colon = line.find(": ", from);
    return std::string(line.substr(from, colon == std::string_view::npos ? std::string_view::npos : colon - from));
  }
  return {};
}

// Lower-case ASCII letters, for comparing readings that differ only in a
// capital (a name's reading).
std::string asciiLowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string readable(const std::string& numbered) { return asciiLowered(withoutSeparators(markPinyin(numbered))); }

// A listed word and the words sharing a key with it: the word expected first
// is the only one of the lowest level; it stands out clearly when the next
// level among them is at least two higher (or there is none).
struct Expected {
  std::string word;
  bool clear = false;
};

bool expectedOf(std::vector<std::pair<int, std::string>> listed, Expected& expected) {
  std::sort(listed.begin(), listed.end());
  listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
  if (listed.size() >= 2 && listed[0].first == listed[1].first) return false;
  expected.word = listed[0].second;
  expected.clear = listed.size() == 1 || listed[1].first >= listed[0].first + 2;
  return true;
}

// The simplified words of a numbered list article, in the order shown: the
// first blank-free token after "N. " of each numbered line.
std::vector<std::string> listedWords(const std::string& article) {
  std::vector<std::string> words;
  for (const std::string_view line : textLines(article)) {
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits == 0 || line.compare(digits, 2, ". ") != 0) continue;
    const std::size_t start = digits + 2;
    const std::size_t blank = line.find(' ', start);
    words.emplace_back(line.substr(start, blank == std::string_view::npos ? std::string_view::npos : blank - start));
  }
  return words;
}

struct Tab {
  std::u16string loaded;
  ArticleText text;
  Direction index = Direction::EnglishChinese;
};

// With --plain the lookups find only what the exact search finds, as the
// program did before it read typed text in other forms.
bool plainLookups = false;

std::string shownArticleFor(const Tab& tab, const std::string& typed) {
  if (plainLookups) {
    const ArticleLookup lookup = findArticle(tab.text, utf8ToUtf16(typed));
    return lookup.status == ArticleStatus::Found ? utf16ToUtf8(lookup.article) : std::string();
  }
  std::u16string article;
  if (!articleForTypedWord(tab.text, utf8ToUtf16(typed), tab.index, article)) return {};
  return utf16ToUtf8(article);
}

std::size_t positionOf(const std::vector<std::string>& list, const std::string& word) {
  const auto found = std::find(list.begin(), list.end(), word);
  return found == list.end() ? 0 : static_cast<std::size_t>(found - list.begin()) + 1;
}

// One HSK truth's counts: the keys looked up, those showing the expected word first and in
// the first three, and the same for the keys whose word stands out clearly.
struct LevelTally {
  std::size_t keys = 0, first = 0, top3 = 0, clear = 0, clearFirst = 0;

  // Counts where `list` shows the expected word, and names the miss ("pinyin gaosu") when it
  // is not first. Returns the word's place (0 when not listed).
  std::size_t add(const std::string& lookup, const Expected& expected, const std::vector<std::string>& list,
                  const std::function<void(std::string)>& miss) {
    const std::size_t position = positionOf(list, expected.word);
    ++keys;
    first += position == 1;
    top3 += position >= 1 && position <= 3;
    if (expected.clear) {
      ++clear;
      clearFirst += position == 1;
    }
    if (position != 1) {
      miss(lookup + ": expected " + expected.word + (expected.clear ? " (clear)" : "") + " at " +
           std::to_string(position) + ", got " + (list.empty() ? std::string("nothing") : list.front()));
    }
    return position;
  }
};

double percent(std::size_t part, std::size_t whole) { return whole == 0 ? 0.0 : 100.0 * part / whole; }

// Checked groups by how often the expected word is used: in all, and at
// least 10 and 100 times per million words of the corpus.
struct UsageCheck {
  static constexpr double bands[3] = {0, 10e-6, 100e-6};
  std::size_t checked[3] = {0, 0, 0}, first[3] = {0, 0, 0};
  void add(double share, bool isFirst) {
    for (int band = 0; band < 3; ++band) {
      if (share < bands[band]) continue;
      ++checked[band];
      first[band] += isFirst;
    }
  }
  std::string summary() const {
    std::string text;
    for (int band = 0; band < 3; ++band) {
      char part[96];
      std::snprintf(part, sizeof part, "%s%zu of %zu (%.1f%%)",
                    band == 0   ? ""
                    : band == 1 ? ", >= 10 per million "
                                : ", >= 100 per million ",
                    first[band], checked[band], percent(first[band], checked[band]));
      text += part;
    }
    return text;
  }
};

// A corpus whose word counts say which word is clearly the most used.
struct UsageCorpus {
  std::string name;  // "microblog", "film subtitle"
  std::unordered_map<std::string, double> counts;
  double total;
};

UsageCorpus usageCorpus(std::string name, const std::string& path) {
  UsageCorpus corpus{std::move(name), parseUsage(readFile(path)), 0};
  for (const auto& counted : corpus.counts) corpus.total += counted.second;
  return corpus;
}

// Looks up each word a corpus says is clearly the most used under its toneless
// pinyin or English headword (see expectedByUse), and counts those shown first,
// by how often the word is used. With two corpora, also the words both say are
// clearly the most used, banded by the lower of their two shares: each corpus
// has its own subjects (microblogs say 微博, subtitles say 杰克), and what both
// say holds of the language, not of one corpus.
// With translations, the same for the words CC-CEDICT and another dictionary
// pair with an English headword (expectedByTranslation); returns what all the
// corpora say of those.
Judgements checkUsage(const std::vector<Entry>& entries, const std::vector<UsageCorpus>& corpora,
                      const Translations& translations, const Tab& chinese, const Tab& english,
                      const std::function<void(std::string)>& miss) {
  const auto judge = [&](const char* kind, const std::vector<ExpectedByUse>& items, const Tab& tab,
                         const UsageCorpus& corpus, Judgements& judged) {
    for (const ExpectedByUse& item : items) {
      const std::vector<std::string> list = listedWords(shownArticleFor(tab, item.typed));
      const std::size_t position = positionOf(list, item.word);
      judged[item.typed] = {item.word, corpus.counts.at(item.word) / corpus.total, position};
      if (position != 1) {
        miss(std::string(kind) + " " + item.typed + " (by " + corpus.name + " use): expected " + item.word + " at " +
             std::to_string(position) + ", got " + (list.empty() ? std::string("nothing") : list.front()));
      }
    }
  };
  const auto summary = [](const Judgements& judged) {
    UsageCheck counts;
    for (const auto& item : judged) counts.add(item.second.share, item.second.position == 1);
    return counts.summary();
  };
  std::vector<Judgements> pinyin(corpora.size()), headwords(corpora.size());
  for (std::size_t i = 0; i < corpora.size(); ++i) {
    const UsageExpectations expected = expectedByUse(entries, corpora[i].counts, 20);
    judge("pinyin", expected.pinyin, chinese, corpora[i], pinyin[i]);
    judge("english", expected.english, english, corpora[i], headwords[i]);
    std::printf(
        "clearly the most used by the %s counts (at least twice the next), first:\n  pinyin -> word %s\n"
        "  English -> word %s\n",
        corpora[i].name.c_str(), summary(pinyin[i]).c_str(), summary(headwords[i]).c_str());
  }
  if (corpora.size() >= 2) {
    std::printf("clearly the most used by all these counts, first:\n  pinyin -> word %s\n  English -> word %s\n",
                summary(agreedJudgements(pinyin)).c_str(), summary(agreedJudgements(headwords)).c_str());
  }
  if (translations.empty()) return {};
  std::vector<Judgements> paired(corpora.size());
  for (std::size_t i = 0; i < corpora.size(); ++i) {
    judge("paired", expectedByTranslation(entries, translations, corpora[i].counts, 20), english, corpora[i],
          paired[i]);
  }
  Judgements agreed = agreedJudgements(paired);
  std::printf(
      "among the translations both dictionaries give, clearly the most used by all these counts, first:\n"
      "  English -> word %s\n",
      summary(agreed).c_str());
  return agreed;
}

struct Options {
  std::map<std::string, std::string> values;
  std::string operator[](const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const auto usage = [] {
    std::fprintf(stderr,
                 "usage: learner_check --cedict FILE --levels FILE --wordnet DIR --words FILE "
                 "--articles DIR [--usage FILE] [--spoken FILE] [--translations FILE] [--show-misses N] [--plain] "
                 "[--look \"c:gaosu|e:teacher\"]\n");
    return 1;
  };
  // An unknown option, an option without its value or a stray argument stops
  // the check: measuring other files than the ones named would look like a
  // result.
  const std::set<std::string> withValue = {"--cedict", "--levels", "--wordnet",      "--words", "--articles",
                                           "--usage",  "--spoken", "--translations", "--look",  "--show-misses"};
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--plain") {
      plainLookups = true;
    } else if (withValue.count(name) != 0 && i + 1 < argc) {
      options.values[name] = argv[++i];
    } else {
      std::fprintf(stderr, "learner_check: unexpected argument %s\n", name.c_str());
      return usage();
    }
  }
  for (const char* required : {"--cedict", "--levels", "--wordnet", "--words", "--articles"}) {
    if (options[required].empty()) return usage();
  }
  std::size_t showMisses = 0;
  if (!options["--show-misses"].empty()) {
    const std::string number = options["--show-misses"];
    if (number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos) {
      std::fprintf(stderr, "learner_check: --show-misses takes a number of misses, not %s\n", number.c_str());
      return usage();
    }
    showMisses = static_cast<std::size_t>(std::stoul(number));
  }

  const ParseResult parsed = parseCedict(readFile(options["--cedict"]));
  const WordLevels levels = parseWordLevels(readFile(options["--levels"]));

  Tab english;
  english.loaded = readArticleText(options["--articles"] + "/Articles_English_Chinese.dat");
  english.text = prepareArticleText(english.loaded);
  english.index = Direction::EnglishChinese;
  Tab chinese;
  chinese.loaded = readArticleText(options["--articles"] + "/Articles_Chinese_English.dat");
  chinese.text = prepareArticleText(chinese.loaded);
  chinese.index = Direction::ChineseEnglish;

  // --look "c:gaosu|e:teacher": prints what the Chinese (c) or English (e)
  // tab shows for each text, to see a lookup as a learner does.
  if (!options["--look"].empty()) {
    const std::string looks = options["--look"];
    for (std::size_t from = 0; from <= looks.size();) {
      std::size_t bar = looks.find('|', from);
      if (bar == std::string::npos) bar = looks.size();
      const std::string item = looks.substr(from, bar - from);
      from = bar + 1;
      if (item.size() < 3 || item[1] != ':') continue;
      std::string shown = shownArticleFor(item[0] == 'e' ? english : chinese, item.substr(2));
      if (shown.size() > 600) shown = shown.substr(0, shown.rfind('\n', 600)) + "\n...";
      std::printf("== %s\n%s\n", item.c_str(), shown.c_str());
    }
    return 0;
  }

  // The check set: each listed word and reading with a dictionary entry of
  // that reading, in the list's order; the word's distinct readings.
  struct Checked {
    std::string word;
    int level = 0;
    const Entry* entry = nullptr;
    std::size_t readings = 0;
  };
  std::unordered_map<std::string, std::vector<const Entry*>> entriesOf;
  for (const Entry& entry : parsed.entries) entriesOf[entry.simplified].push_back(&entry);
  std::vector<Checked> checked;
  {
    const std::string text = readFile(options["--levels"]);
    std::set<std::string> seen;
    for (const std::string_view line : textLines(text)) {
      const std::size_t tab = line.find('\t');
      const std::size_t second = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
      if (second == std::string_view::npos) continue;
      const std::string word(line.substr(tab + 1, second - tab - 1));
      const auto found = levels.words.find(word);
      const auto entries = entriesOf.find(word);
      if (found == levels.words.end() || entries == entriesOf.end() || !seen.insert(word).second) continue;
      for (const ListedReading& listed : found->second) {
        Checked item;
        item.word = word;
        item.level = listed.level;
        std::set<std::string> distinct;
        for (const Entry* entry : entries->second) {
          const std::string reading = comparableReading(entry->pinyin);
          distinct.insert(reading);
          if (item.entry == nullptr && reading == listed.reading) item.entry = entry;
        }
        item.readings = distinct.size();
        if (item.entry != nullptr) checked.push_back(item);
      }
    }
  }
  std::vector<std::string> misses;
  const auto miss = [&](std::string text) {
    if (misses.size() < showMisses) misses.push_back(std::move(text));
  };
  std::printf("check set: %zu words and readings of the HSK list with a CC-CEDICT entry of that reading\n",
              checked.size());

  // Pinyin without tones.
  std::string withV;
  std::string withU;
  std::map<std::string, std::vector<std::pair<int, std::string>>> byKey;
  for (const Checked& item : checked) {
    if (tonelessKeys(item.entry->pinyin, withV, withU)) byKey[withV].emplace_back(item.level, item.word);
  }
  LevelTally pinyin;
  for (const auto& key : byKey) {
    Expected expected;
    if (!expectedOf(key.second, expected)) continue;
    pinyin.add("pinyin " + key.first, expected, listedWords(shownArticleFor(chinese, key.first)), miss);
  }
  std::printf(
      "pinyin -> word: %zu keys, the word of the lowest level first %zu (%.1f%%), in the first three %zu "
      "(%.1f%%); clearly the most used (two levels below the next) first %zu of %zu (%.1f%%)\n",
      pinyin.keys, pinyin.first, percent(pinyin.first, pinyin.keys), pinyin.top3, percent(pinyin.top3, pinyin.keys),
      pinyin.clearFirst, pinyin.clear, percent(pinyin.clearFirst, pinyin.clear));

  // Pinyin with tones, as numbers and as marks.
  std::map<std::string, std::vector<std::pair<int, std::string>>> byReading;
  std::map<std::string, std::string> numberedOf;
  for (const Checked& item : checked) {
    const std::string reading = comparableReading(item.entry->pinyin);
    byReading[reading].emplace_back(item.level, item.word);
    numberedOf.emplace(reading, item.entry->pinyin);
  }
  std::size_t toned = 0, numbersFirst = 0, marksFirst = 0;
  for (const auto& reading : byReading) {
    Expected expected;
    if (!expectedOf(reading.second, expected)) continue;
    ++toned;
    const std::string& numbered = numberedOf[reading.first];
    if (positionOf(listedWords(shownArticleFor(chinese, numbered)), expected.word) == 1) ++numbersFirst;
    const std::string marked = markPinyin(numbered);
    if (positionOf(listedWords(shownArticleFor(chinese, marked)), expected.word) == 1) {
      ++marksFirst;
    } else {
      miss("toned " + marked + ": expected " + expected.word);
    }
  }
  std::printf(
      "pinyin with tones -> word: %zu readings, first when typed with tone numbers %zu (%.1f%%), with "
      "tone marks %zu (%.1f%%)\n",
      toned, numbersFirst, percent(numbersFirst, toned), marksFirst, percent(marksFirst, toned));

  // English: the head word of the first sense of the taught reading.
  std::map<std::string, std::vector<std::pair<int, std::string>>> byQuery;
  for (const Checked& item : checked) {
    for (const std::string& gloss : item.entry->glosses) {
      if (classifyGloss(gloss) != GlossKind::sense) continue;
      const std::vector<GlossHeadword> found = englishHeadwords(gloss);
      if (!found.empty() && found.front().part == 0)
        byQuery[found.front().headword].emplace_back(item.level, item.word);
      break;
    }
  }
  std::set<std::string> englishQueries;
  LevelTally queries;
  for (const auto& query : byQuery) {
    englishQueries.insert(query.first);
    Expected expected;
    if (!expectedOf(query.second, expected)) continue;
    queries.add("english " + query.first, expected, listedWords(shownArticleFor(english, query.first)), miss);
  }
  std::printf(
      "English -> word: %zu queries, the word of the lowest level first %zu (%.1f%%), in the first three "
      "%zu (%.1f%%); clearly the most used first %zu of %zu (%.1f%%)\n",
      queries.keys, queries.first, percent(queries.first, queries.keys), queries.top3,
      percent(queries.top3, queries.keys), queries.clearFirst, queries.clear,
      percent(queries.clearFirst, queries.clear));

  // English again, by the translations of an English-Chinese dictionary made
  // apart from CC-CEDICT: each listed word under every headword of any of its
  // senses that the other dictionary pairs with it too (给 under "give", whose
  // first sense is "to"), so a later sense counts as much as the first.
  const Translations translations =
      options["--translations"].empty() ? Translations() : parseTranslations(readFile(options["--translations"]));
  Judgements pairedByLevel;
  if (!translations.empty()) {
    std::map<std::string, std::vector<std::pair<int, std::string>>> byPair;
    for (const Checked& item : checked) {
      std::set<std::string> headwords;
      for (const std::string& gloss : item.entry->glosses) {
        if (classifyGloss(gloss) != GlossKind::sense) continue;
        for (const GlossHeadword& found : englishHeadwords(gloss)) headwords.insert(found.headword);
      }
      for (const std::string& headword : headwords) {
        const auto paired = translations.find(headword);
        if (paired != translations.end() && paired->second.count(item.word) != 0) {
          byPair[headword].emplace_back(item.level, item.word);
        }
      }
    }
    LevelTally pairs;
    for (const auto& query : byPair) {
      Expected expected;
      std::set<std::string> words;
      for (const auto& listed : query.second) words.insert(listed.second);
      if (words.size() < 2 || !expectedOf(query.second, expected)) continue;
      const std::vector<std::string> list = listedWords(shownArticleFor(english, query.first));
      pairedByLevel[query.first] = {expected.word, 0, pairs.add("paired " + query.first, expected, list, miss)};
    }
    std::printf(
        "English -> word among the translations both dictionaries give: %zu queries, the word of the lowest level "
        "first %zu (%.1f%%), in the first three %zu (%.1f%%); clearly the most used first %zu of %zu (%.1f%%)\n",
        pairs.keys, pairs.first, percent(pairs.first, pairs.keys), pairs.top3, percent(pairs.top3, pairs.keys),
        pairs.clearFirst, pairs.clear, percent(pairs.clearFirst, pairs.clear));
  }

  std::vector<UsageCorpus> corpora;
  if (!options["--usage"].empty()) corpora.push_back(usageCorpus("microblog", options["--usage"]));
  if (!options["--spoken"].empty()) corpora.push_back(usageCorpus("film subtitle", options["--spoken"]));
  if (!corpora.empty()) {
    // Where the word lists' levels and the counts expect the same translation.
    const Judgements byUse = checkUsage(parsed.entries, corpora, translations, chinese, english, miss);
    std::size_t agreed = 0, agreedFirst = 0;
    for (const auto& [query, judged] : byUse) {
      const auto byLevel = pairedByLevel.find(query);
      if (byLevel == pairedByLevel.end() || byLevel->second.word != judged.word) continue;
      ++agreed;
      agreedFirst += judged.position == 1;
    }
    if (agreed > 0) {
      std::printf("  English -> word where the HSK levels expect the same translation, first %zu of %zu (%.1f%%)\n",
                  agreedFirst, agreed, percent(agreedFirst, agreed));
    }
  }

  // The taught reading first: in the word's article, and on the word's line
  // in the list of its toneless pinyin.
  std::size_t several = 0, articleFirst = 0, lineFirst = 0;
  for (const Checked& item : checked) {
    if (item.readings < 2) continue;
    // A word taught with two readings expects the one of the lower level.
    bool lowest = true;
    for (const ListedReading& listed : levels.words.at(item.word)) {
      lowest = lowest && (listed.reading == comparableReading(item.entry->pinyin) || listed.level > item.level);
    }
    if (!lowest) continue;
    ++several;
    const std::string article = shownArticleFor(chinese, item.word);
    const std::string firstLine = article.substr(0, article.find_first_of("\r\n"));
    const std::string wanted = readable(item.entry->pinyin);
    if (asciiLowered(firstLine.substr(0, firstLine.find("   "))) == wanted) {
      ++articleFirst;
    } else {
      miss("reading " + item.word + ": expected " + wanted + ", got " + firstLine);
    }
    if (tonelessKeys(item.entry->pinyin, withV, withU) &&
        asciiLowered(listedReading(shownArticleFor(chinese, withV), item.word)) == wanted) {
      ++lineFirst;
    }
  }
  std::printf(
      "taught reading first, words with several readings: %zu, in the article %zu (%.1f%%), on the "
      "word's pinyin list line %zu (%.1f%%)\n",
      several, articleFirst, percent(articleFirst, several), lineFirst, percent(lineFirst, several));

  // Word forms: irregular forms from WordNet's exception lists and regular
  // forms found in the word list by taking endings off (not by the builder's
  // rules of adding them), for the single-word English queries above.
  const std::string wordnet = options["--wordnet"];
  std::vector<std::pair<std::string, std::string>> forms;  // form, base
  for (const char* list : {"noun.exc", "verb.exc", "adj.exc"}) {
    const std::string text = readFile(wordnet + "/" + list);
    for (const std::string_view line : textLines(text)) {
      const std::size_t blank = line.find(' ');
      if (blank == std::string_view::npos) continue;
      const std::size_t next = line.find(' ', blank + 1);
      const std::string base(
          line.substr(blank + 1, next == std::string_view::npos ? std::string_view::npos : next - blank - 1));
      if (englishQueries.count(base) != 0) forms.emplace_back(std::string(line.substr(0, blank)), base);
    }
  }
  const std::size_t irregular = forms.size();
  // WordNet's lemmas: a stem that is also a lemma with an "e" ("scar" and "scare" for
  // "scared") leaves the form's base in doubt, and such a form is not judged.
  std::unordered_set<std::string> lemmas;
  for (const char* index : {"index.noun", "index.verb", "index.adj"}) {
    const std::string text = readFile(wordnet + "/" + index);
    for (const std::string_view line : textLines(text)) {
      if (line.empty() || line.front() == ' ') continue;
      lemmas.emplace(line.substr(0, line.find(' ')));
    }
  }
  {
    const std::string text = readFile(options["--words"]);
    for (const std::string_view line : textLines(text)) {
      const std::string word(line);
      if (englishQueries.count(word) != 0) continue;
      // Comparatives are left to the exception lists: taking "er" off a
      // verb gives agent nouns ("builder"), not forms.
      for (const auto& ending : std::vector<std::pair<std::string, std::string>>{
               {"ies", "y"}, {"s", ""}, {"es", ""}, {"ied", "y"}, {"ed", "e"}, {"ed", ""}, {"ing", "e"}, {"ing", ""}}) {
        if (word.size() <= ending.first.size() + 2 ||
            word.compare(word.size() - ending.first.size(), ending.first.size(), ending.first) != 0) {
          continue;
        }
        std::string stem = word.substr(0, word.size() - ending.first.size());
        std::string base = stem + ending.second;
        if (englishQueries.count(base) == 0 && ending.second.empty() && stem.size() >= 3 &&
            stem.back() == stem[stem.size() - 2]) {
          base = stem.substr(0, stem.size() - 1);  // stopped -> stop
        }
        if (ending.second.empty() && base == stem && lemmas.count(stem + "e") != 0) break;
        if (base.size() >= 3 && englishQueries.count(base) != 0) {
          forms.emplace_back(word, base);
          break;
        }
      }
    }
  }
  std::size_t reached = 0;
  for (const auto& form : forms) {
    const std::string shown = shownArticleFor(english, form.first);
    const std::string base = shownArticleFor(english, form.second);
    const std::size_t baseLine = base.find('\n');
    if (!shown.empty() && baseLine != std::string::npos && shown.find(base.substr(0, baseLine)) != std::string::npos) {
      ++reached;
    } else if (misses.size() < showMisses) {
      misses.push_back("form " + form.first + " -> " + form.second + " not reached");
    }
  }
  std::printf("English word forms: %zu (%zu irregular), reaching their base word %zu (%.1f%%)\n", forms.size(),
              irregular, reached, percent(reached, forms.size()));
  for (const std::string& miss : misses) std::printf("  miss: %s\n", miss.c_str());
  return 0;
}
