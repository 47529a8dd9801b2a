// Levels of a graded word list for learners: one "level<TAB>word<TAB>reading"
// per line, the word simplified and the reading numbered ("2	告诉	gao4 su5"),
// as fetch-data.sh writes the HSK 2.0 list. The Chinese articles name a word's
// level under the reading it is listed with; nothing is ranked by it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cedict.h"

namespace article_builder {

struct ListedReading {
  std::string reading;  // comparable: lower case, ü as "v", no blanks ("gao4su5")
  int level = 0;        // 1 to 9
  std::string cased;    // as listed, no blanks, ü as "v": "Bei3jing1" apart from "bei3jing1"
};

struct WordLevels {
  std::unordered_map<std::string, std::vector<ListedReading>> words;
  std::size_t skippedLines = 0;  // lines without a level, a word and a numbered reading
};

WordLevels parseWordLevels(std::string_view text);

// "Gao4 su5", "nu:3" -> "gao4su5", "nv3".
std::string comparableReading(std::string_view numbered);

// The same with capitals kept: "Gao4 su5" -> "Gao4su5". A capital marks a name's
// reading (白 Bai2 "surname Bai" beside bai2 "white").
std::string casedReading(std::string_view numbered);

// The level of each entry (by index), 0 for none: a listed word's level goes
// to its entries with the listed reading, capitals as listed where the word
// has such an entry (not the surname's reading of the word).
std::vector<int> entryLevels(const std::vector<Entry>& entries, const WordLevels& levels);

// The lowest level a word is listed with, 0 when it is not listed.
int lowestLevel(const WordLevels& levels, const std::string& word);

}  // namespace article_builder
