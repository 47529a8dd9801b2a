// Word counts used to rank Chinese words: one "word count tag" per line, as
// in the jieba segmenter's dict.txt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

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

}  // namespace article_builder
