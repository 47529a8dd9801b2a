// How often each reading of a character is used: the kHanyuPinlu field of the
// Unihan database (Unihan_Readings.txt), counts from a frequency dictionary of
// modern Chinese, for example "U+8BF4 kHanyuPinlu shuō(10245)". A character's
// word count says how common the character is; these counts say which of its
// readings that count belongs to (说 is said shuō, hardly ever shuì).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cedict.h"

namespace article_builder {

struct ReadingCount {
  std::string syllable;  // comparable form: "shuo1", "de5", "lv4"
  std::uint64_t count = 0;
};

struct ReadingFrequencies {
  // UTF-8 character -> its counted readings, in the order listed.
  std::unordered_map<std::string, std::vector<ReadingCount>> byCharacter;
  std::size_t skippedLines = 0;  // kHanyuPinlu lines that could not be read
};

// Reads the kHanyuPinlu lines of Unihan_Readings.txt and ignores every other
// field and comment.
ReadingFrequencies parseReadingFrequencies(std::string_view unihanReadings);

// Other readings of an entry: the [[ ]] reading and those named in
// pronunciation notes ("also pr. [shui2]"), when they read the whole word.
std::vector<std::string> otherReadings(const Entry& entry);

// How a word's use divides between its entries and readings.
struct ReadingShares {
  // Share of each entry (by index): for a character with counted readings,
  // the counts of the entry's readings (its own and those its notes name;
  // a reading the counts never met keeps a small share, so it still ranks
  // among rare words), divided between entries of one reading by their
  // senses (a surname reading counts less than the word). Other words
  // divide their use by senses: readings with more senses in everyday use
  // are the common ones.
  std::vector<double> entries;
  // Share of each entry among the entries of its word with the same reading.
  std::vector<double> withinReading;
  // Counted characters: comparable syllable -> share of the character's use.
  std::unordered_map<std::string, std::unordered_map<std::string, double>> counted;

  // The share of one reading of an entry's word, or a negative value when
  // the word has no counted readings.
  double readingShare(const Entry& entry, const std::string& numberedReading) const;
};

// Weighs the readings of words of two or more characters that have several
// (`values` by entry index, replaced for those words): by their senses'
// ";"-separated parts, by how often each differing character is read that
// way (damped), and a later neutral-tone syllable against a reading of a
// single meaning that gives it a full tone favours the neutral one.
void weighWordReadings(const std::vector<Entry>& entries, const ReadingFrequencies& readings,
                       std::vector<double>& values);

ReadingShares readingShares(const std::vector<Entry>& entries, const ReadingFrequencies& readings);

}  // namespace article_builder
