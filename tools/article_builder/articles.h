// Building the records of both article files from parsed entries.
// Articles are plain text with CR LF line ends (the program shows them in a
// rich edit view as they are stored); they never contain "|".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cedict.h"
#include "frequency.h"
#include "levels.h"
#include "readings.h"
#include "word_forms.h"

namespace article_builder {

// One record before it is written: UTF-8 headword and article.
struct Record {
  std::string headword;
  std::string article;
};

// Readable lists: an English article names at most this many Chinese words,
// a pinyin article at most this many words spelled that way.
constexpr std::size_t kMaxWordsPerEnglishArticle = 30;
constexpr std::size_t kMaxWordsPerPinyinArticle = 60;

struct ChineseEnglishCounts {
  std::size_t simplifiedHeadwords = 0;   // records holding entries under their simplified form
  std::size_t traditionalHeadwords = 0;  // records holding a traditional form that differs
  std::size_t pinyinHeadwords = 0;       // records holding a toneless pinyin list
  std::size_t shortenedPinyinLists = 0;  // pinyin lists cut at kMaxWordsPerPinyinArticle
};

struct EnglishChineseCounts {
  std::size_t headwords = 0;
  std::size_t listedWords = 0;     // Chinese words listed over all articles
  std::size_t shortenedLists = 0;  // articles cut at kMaxWordsPerEnglishArticle
  bool addedInitialWord = false;   // "a" had to be added because no gloss gave it
  std::size_t formRecords = 0;     // records of word forms that are no headword of their own
  std::size_t formLines = 0;       // form lines added to a headword's own article
};

// Chinese-English: one record per simplified headword (all its readings, in
// source order), per traditional form that differs (pointing out the
// simplified form), and per toneless pinyin spelling (the words read that
// way, most common first). Records come back unsorted.
std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, ChineseEnglishCounts& counts);
// The same without reading counts: readings share a word's use by their senses.
std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        ChineseEnglishCounts& counts);
// The same with a graded word list: a listed word's block with the listed
// reading (or, when no entry has it, its first block) has a line "HSK 2"
// under its reading. With the typed weights, entries of a word that share a
// reading and its weight show the one whose traditional form is typed more
// first (只 zhī 隻 "classifier for birds" before 秖 "grain that has begun to
// ripen").
std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, const WordLevels& levels,
                                        ChineseEnglishCounts& counts, const UsageCounts* usage = nullptr);

// English-Chinese: one record per English headword inverted from the
// glosses, listing the Chinese words most common first. Always has a record
// for "a", the word the program looks up at start. Records come back
// unsorted.
// Inflected forms of the headwords ("apples", "bought") get records that name
// their base ("apples: plural of apple").
std::vector<Record> buildEnglishChinese(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, const FormSources& forms,
                                        EnglishChineseCounts& counts);
// The same without reading counts and word forms.
std::vector<Record> buildEnglishChinese(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        EnglishChineseCounts& counts);

// The block an entry contributes to a Chinese-English article: the reading
// (and the other form when traditional and simplified differ), the level line
// when `level` is 1 or more, the numbered senses, classifiers and
// pronunciation notes. `pointed` (the senses of the entry the first
// cross-reference names) follows that cross-reference on its line.
enum class EntryRole { simplified, traditional };
std::string entryBlock(const Entry& entry, EntryRole role, int level = 0, std::string_view pointed = {});

// For each entry whose glosses only point elsewhere ("see 西安市[Xi1 an1
// Shi4]", "variant of 個|个[ge4]"), the index of the entry with a meaning that
// its first cross-reference names (the named reading preferred), or
// entries.size() when there is none; entries.size() for every other entry.
std::vector<std::size_t> pointerTargets(const std::vector<Entry>& entries);

// The preamble of a file: a title line, the source and its licence, the
// frequency list credit. Plain text without "|", ending with a line feed.
std::string preambleText(std::string_view title, std::string_view releaseDate, std::size_t entries);

// Share of a word's frequency that belongs to each entry, without reading
// counts: readings with more senses are the common ones.
std::vector<double> readingShares(const std::vector<Entry>& entries);

}  // namespace article_builder
