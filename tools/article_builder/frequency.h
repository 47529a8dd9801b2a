// Word counts used to rank Chinese words: one "word count tag" per line, as
// in the jieba segmenter's dict.txt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cedict.h"
#include "language_model.h"

namespace article_builder {

struct WordFrequency {
  std::uint64_t count = 0;
  std::string tag;  // part of speech: "n", "v", "p" (preposition), "r" (pronoun), ...
};

struct FrequencyTable {
  std::unordered_map<std::string, WordFrequency> words;
  std::size_t skippedLines = 0;  // lines without a word and a numeric count
};

FrequencyTable parseFrequencies(std::string_view text);

// 0 when the word has no count.
std::uint64_t frequencyOf(const FrequencyTable& table, const std::string& word);

// Empty when the word has no tag.
std::string_view partOfSpeechOf(const FrequencyTable& table, const std::string& word);

// Word weights of what people type: one "word<TAB>weight" per line, the words
// in traditional characters, as in rime-essay's essay.txt (weights refined
// from input-method data).
struct UsageCounts {
  std::unordered_map<std::string, std::uint64_t> words;  // traditional form -> weight
  std::uint64_t total = 0;                               // sum of all weights read
  std::size_t skippedLines = 0;                          // lines without a word, a tab and a numeric weight
};

UsageCounts parseUsageCounts(std::string_view text);

struct CombinedCounts {
  std::size_t typedWords = 0;    // dictionary words the usage weights name
  std::size_t writtenOnly = 0;   // counted words the usage weights do not name
  std::size_t variantWords = 0;  // words weighed through another traditional spelling
  std::size_t modelWords = 0;    // dictionary words the language model names
};

// Turns the written counts into the ranking's counts of the dictionary's
// simplified words: a weighted geometric mean of a word's share of the
// written counts (weight 1/10) and its share of the usage weights (9/10),
// scaled back to the written total. A word's usage weight is that of its traditional forms (a form
// that several simplified words share is divided among them). A word one
// source lacks has the share the other gives it: each source leaves out
// common words, so a missing weight says nothing. Part-of-speech tags stay.
// Everyday words ("to tell", "teacher") gain on written and news words
// ("highway", "schoolteacher"), whose share of typed text is smaller.
// With a language model, its probability of the word is a third share
// (weight 2/5, the other two then weigh 3/5 together); a word it lacks keeps
// the mean of the other two.
CombinedCounts combineWithUsage(FrequencyTable& table, const UsageCounts& usage, const std::vector<Entry>& entries,
                                const LanguageModelWords& model = LanguageModelWords{});

// Segmenters keep number words such as 几个, 几天 and 十年 whole, so a numeral
// character's own count leaves out most of its use as a number, and 几 "how
// many" counts less than 及 "and". A character tagged a numeral ("m") gains
// the counts of the two-character numeral words it begins whose second
// character is a measure word or a numeral (tagged "q" or "m"). Returns how
// many words were folded in.
std::size_t foldNumberWords(FrequencyTable& table);

}  // namespace article_builder
