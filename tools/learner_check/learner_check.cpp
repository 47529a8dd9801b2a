// learner_check: how often a learner's lookup puts the right word first, on a
// check set made mechanically from the sources (never by hand):
//
//   learner_check --cedict cedict_ts.u8 --frequencies dict.txt --readings Unihan_Readings.txt
//                 --wordnet DIR --words american-english --articles DIR [--top N]
//
// The check set is the N most frequent words of the frequency list that have a
// CC-CEDICT entry. For each word, its main reading (the one the reading counts
// or its senses make most common) gives the toneless pinyin a learner types in
// the Chinese tab, and the first sense of that reading gives the English word
// typed in the English tab. The lookups run through the program's own search
// code over the built article files, and the figures say where the word lands
// in the list the article shows.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "articles.h"
#include "cedict.h"
#include "frequency.h"
#include "glosses.h"
#include "inversion.h"
#include "pinyin.h"
#include "readings.h"
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

// "Bei3 jing1" -> "bei3jing1": the reading with its tones, case and blanks aside.
std::string comparableReading(const std::string& numbered) {
    std::string out;
    for (char c : numbered) {
        if (c == ' ') continue;
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return out;
}

double percent(std::size_t part, std::size_t whole) { return whole == 0 ? 0.0 : 100.0 * part / whole; }

struct Options {
    std::map<std::string, std::string> values;
    std::string operator[](const std::string& name) const {
        const auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    }
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--plain") {
            plainLookups = true;
        } else if (i + 1 < argc) {
            options.values[argv[i]] = argv[i + 1];
            ++i;
        }
    }
    for (const char* required : {"--cedict", "--frequencies", "--readings", "--wordnet", "--words", "--articles"}) {
        if (options[required].empty()) {
            std::fprintf(stderr,
                         "usage: learner_check --cedict FILE --frequencies FILE --readings FILE --wordnet DIR "
                         "--words FILE --articles DIR [--top N] [--show-misses N] [--plain]\n");
            return 1;
        }
    }
    const std::size_t top = options["--top"].empty() ? 3000 : std::stoul(options["--top"]);
    const std::size_t showMisses = options["--show-misses"].empty() ? 0 : std::stoul(options["--show-misses"]);

    const ParseResult parsed = parseCedict(readFile(options["--cedict"]));
    const FrequencyTable frequencies = parseFrequencies(readFile(options["--frequencies"]));
    const ReadingFrequencies readings = parseReadingFrequencies(readFile(options["--readings"]));
    const std::vector<double> shares = readingShares(parsed.entries, readings).entries;

    Tab english;
    english.loaded = readArticleText(options["--articles"] + "/Articles_English_Chinese.dat");
    english.text = prepareArticleText(english.loaded);
    english.index = Direction::EnglishChinese;
    Tab chinese;
    chinese.loaded = readArticleText(options["--articles"] + "/Articles_Chinese_English.dat");
    chinese.text = prepareArticleText(chinese.loaded);
    chinese.index = Direction::ChineseEnglish;

    // Main entry of each word: the entry with the largest share of its use.
    std::unordered_map<std::string, std::size_t> mainEntry;
    for (std::size_t i = 0; i < parsed.entries.size(); ++i) {
        const auto found = mainEntry.find(parsed.entries[i].simplified);
        if (found == mainEntry.end() || shares[i] > shares[found->second]) mainEntry[parsed.entries[i].simplified] = i;
    }
    std::vector<std::pair<std::uint64_t, std::string>> ranked;
    for (const auto& word : frequencies.words) {
        if (mainEntry.count(word.first) != 0) ranked.emplace_back(word.second.count, word.first);
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    if (ranked.size() > top) ranked.resize(top);

    // Pinyin: per key, is the most frequent check word first; per word, is it
    // in the first three, and in the first three after the more frequent check
    // words of its key.
    std::map<std::string, std::vector<std::string>> byKey;  // key -> words, most frequent first
    std::string withV;
    std::string withU;
    for (const auto& word : ranked) {
        const Entry& entry = parsed.entries[mainEntry[word.second]];
        if (tonelessKeys(entry.pinyin, withV, withU)) byKey[withV].push_back(word.second);
    }
    std::size_t keysFirst = 0;
    std::size_t words = 0;
    std::size_t wordsTop3 = 0;
    std::size_t wordsInPlace = 0;
    std::vector<std::string> misses;
    for (const auto& key : byKey) {
        const std::vector<std::string> list = listedWords(shownArticleFor(chinese, key.first));
        if (!list.empty() && list.front() == key.second.front()) {
            ++keysFirst;
        } else if (misses.size() < showMisses) {
            misses.push_back("pinyin " + key.first + ": expected " + key.second.front() + ", got " +
                             (list.empty() ? std::string("nothing") : list.front()));
        }
        for (std::size_t k = 0; k < key.second.size(); ++k) {
            const std::size_t position = positionOf(list, key.second[k]);
            ++words;
            if (position >= 1 && position <= 3) ++wordsTop3;
            if (position >= 1 && position <= k + 3) ++wordsInPlace;
        }
    }
    std::printf("check set: the %zu most frequent words with a CC-CEDICT entry\n", ranked.size());
    std::printf("pinyin -> word: %zu keys, most frequent word first for %zu (%.1f%%); %zu words, in the first three "
                "%zu (%.1f%%), in the first three after the more frequent words of their key %zu (%.1f%%)\n",
                byKey.size(), keysFirst, percent(keysFirst, byKey.size()), words, wordsTop3,
                percent(wordsTop3, words), wordsInPlace, percent(wordsInPlace, words));

    // Pinyin typed with tones, as numbers ("bei3 jing1") and as marks
    // ("běi jīng"): the word comes first unless a more frequent check word has
    // the same reading.
    std::map<std::string, std::size_t> readingsSeen;
    std::size_t tonedWords = 0;
    std::size_t numbersFirst = 0;
    std::size_t marksFirst = 0;
    for (const auto& word : ranked) {
        const Entry& entry = parsed.entries[mainEntry[word.second]];
        if (!tonelessKeys(entry.pinyin, withV, withU)) continue;
        // The most frequent word of a reading is the one expected first.
        if (readingsSeen[comparableReading(entry.pinyin)]++ != 0) continue;
        ++tonedWords;
        const std::string numbered = entry.pinyin;
        if (positionOf(listedWords(shownArticleFor(chinese, numbered)), word.second) == 1) ++numbersFirst;
        const std::string marked = markPinyin(entry.pinyin);
        if (positionOf(listedWords(shownArticleFor(chinese, marked)), word.second) == 1) {
            ++marksFirst;
        } else if (misses.size() < showMisses) {
            misses.push_back("toned " + marked + ": expected " + word.second);
        }
    }
    std::printf("pinyin with tones -> word: %zu readings, word first when typed with tone numbers %zu (%.1f%%), "
                "with tone marks %zu (%.1f%%)\n",
                tonedWords, numbersFirst, percent(numbersFirst, tonedWords), marksFirst,
                percent(marksFirst, tonedWords));

    // English: the first sense's head word of the main entry. Several words
    // share a first gloss ("and": 和, 与, 而), so besides each word's place
    // the figures say how often the most frequent of them comes first.
    std::size_t queries = 0;
    std::size_t first = 0;
    std::size_t top3 = 0;
    std::set<std::string> englishQueries;
    std::set<std::string> queriesFirst;
    for (const auto& word : ranked) {
        const Entry& entry = parsed.entries[mainEntry[word.second]];
        std::string query;
        for (const std::string& gloss : entry.glosses) {
            if (classifyGloss(gloss) != GlossKind::sense) continue;
            const std::vector<GlossHeadword> found = englishHeadwords(gloss);
            if (!found.empty() && found.front().part == 0) query = found.front().headword;
            break;
        }
        if (query.empty()) continue;
        const bool mostFrequent = englishQueries.insert(query).second;
        const std::vector<std::string> list = listedWords(shownArticleFor(english, query));
        const std::size_t position = positionOf(list, word.second);
        ++queries;
        if (position == 1) {
            ++first;
            if (mostFrequent) queriesFirst.insert(query);
        } else if (misses.size() < showMisses) {
            misses.push_back("english " + query + ": expected " + word.second + " (" +
                             std::to_string(frequencyOf(frequencies, word.second)) + ") at " +
                             std::to_string(position) + ", got " +
                             (list.empty() ? std::string("nothing")
                                           : list.front() + " (" +
                                                 std::to_string(frequencyOf(frequencies, list.front())) + ")"));
        }
        if (position >= 1 && position <= 3) ++top3;
    }
    std::printf("English -> word: %zu queries, word first %zu (%.1f%%), in the first three %zu (%.1f%%); "
                "%zu distinct queries, the most frequent word with that first gloss first for %zu (%.1f%%)\n",
                queries, first, percent(first, queries), top3, percent(top3, queries), englishQueries.size(),
                queriesFirst.size(), percent(queriesFirst.size(), englishQueries.size()));

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
            const std::string base(line.substr(blank + 1, next == std::string_view::npos ? std::string_view::npos
                                                                                         : next - blank - 1));
            if (englishQueries.count(base) != 0) forms.emplace_back(std::string(line.substr(0, blank)), base);
        }
    }
    const std::size_t irregular = forms.size();
    {
        const std::string text = readFile(options["--words"]);
        for (const std::string_view line : textLines(text)) {
            const std::string word(line);
            if (englishQueries.count(word) != 0) continue;
            // Comparatives are left to the exception lists: taking "er" off a
            // verb gives agent nouns ("builder"), not forms.
            for (const auto& ending : std::vector<std::pair<std::string, std::string>>{
                     {"ies", "y"}, {"s", ""}, {"es", ""}, {"ied", "y"}, {"ed", "e"}, {"ed", ""}, {"ing", "e"},
                     {"ing", ""}}) {
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
