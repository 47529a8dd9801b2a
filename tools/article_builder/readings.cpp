#include "readings.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "glosses.h"
#include "inversion.h"
#include "pinyin.h"
#include "utf.h"

namespace article_builder {

namespace {

// What a reading the counts never met keeps, in counts: enough to order such
// readings by their senses, too little to matter beside a counted one.
constexpr double kUncountedReading = 0.5;

// How much more a word's reading with a neutral-tone syllable is used than a
// reading of a single meaning that gives the syllable a full tone.
constexpr double kNeutralToneEveryday = 4.0;

// A surname reading is rare in running text compared with the word; so is a
// meaning marked literary, dialect, colloquial and the like.
double senseValue(const std::string& gloss) {
  if (classifyGloss(gloss) != GlossKind::sense) return 0.0;
  if (gloss.compare(0, 8, "surname ") == 0) return 0.25;
  return registerWeight(gloss);
}

bool parseCountedReading(std::string_view item, ReadingCount& reading) {
  const std::size_t open = item.find('(');
  if (open == std::string_view::npos || open == 0 || item.back() != ')') return false;
  const std::string_view digits = item.substr(open + 1, item.size() - open - 2);
  if (digits.empty() || digits.size() > 12) return false;
  std::uint64_t count = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + static_cast<std::uint64_t>(c - '0');
  }
  reading.syllable = comparableSyllable(item.substr(0, open));
  reading.count = count;
  return !reading.syllable.empty();
}

// "U+8BF4" -> the character as UTF-8, or an empty string.
std::string characterOf(std::string_view codePoint) {
  if (codePoint.size() < 6 || codePoint.size() > 8 || codePoint.substr(0, 2) != "U+") return {};
  char32_t value = 0;
  for (char c : codePoint.substr(2)) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return {};
    value = value * 16 + static_cast<char32_t>(digit);
  }
  if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {};
  return toUtf8(std::u32string(1, value));
}

}  // namespace

ReadingFrequencies parseReadingFrequencies(std::string_view text) {
  ReadingFrequencies table;
  for (const std::string_view line : textLines(text)) {
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string_view::npos) continue;
    const std::size_t secondTab = line.find('\t', firstTab + 1);
    if (secondTab == std::string_view::npos) continue;
    if (line.substr(firstTab + 1, secondTab - firstTab - 1) != "kHanyuPinlu") continue;

    const std::string character = characterOf(line.substr(0, firstTab));
    std::vector<ReadingCount> readings;
    bool ok = !character.empty();
    std::string_view rest = line.substr(secondTab + 1);
    while (ok && !rest.empty()) {
      const std::size_t blank = rest.find(' ');
      const std::string_view item = rest.substr(0, blank);
      rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
      if (item.empty()) continue;
      ReadingCount reading;
      ok = parseCountedReading(item, reading);
      if (ok) readings.push_back(std::move(reading));
    }
    if (!ok || readings.empty()) {
      ++table.skippedLines;
      continue;
    }
    table.byCharacter[character] = std::move(readings);
  }
  return table;
}

namespace {

std::size_t syllableCount(std::string_view numbered) {
  std::size_t count = 0;
  for (char c : numbered) {
    if (c >= '1' && c <= '5') ++count;
  }
  return count;
}

// The syllables of a numbered reading in comparable form ("gao4", "su5"), or
// nothing when one cannot be read.
std::vector<std::string> comparableSyllables(std::string_view numbered) {
  std::vector<std::string> out;
  while (!numbered.empty()) {
    const std::size_t blank = numbered.find(' ');
    const std::string_view syllable = numbered.substr(0, blank);
    numbered = blank == std::string_view::npos ? std::string_view() : numbered.substr(blank + 1);
    if (syllable.empty()) continue;
    std::string comparable = comparableSyllable(syllable);
    if (comparable.empty()) return {};
    out.push_back(std::move(comparable));
  }
  return out;
}

}  // namespace

void weighWordReadings(const std::vector<Entry>& entries, const ReadingFrequencies& readings,
                       std::vector<double>& values) {
  struct Reading {
    std::size_t entry;
    std::vector<std::string> syllables;
    std::u32string characters;
    std::size_t senses = 0;
  };
  // Words of two or more characters, each with its entries whose reading
  // gives one syllable per character.
  std::unordered_map<std::string, std::vector<Reading>> words;
  std::vector<std::string> order;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::u32string characters;
    if (!decodeUtf8(entries[i].simplified, characters) || characters.size() < 2) continue;
    std::vector<std::string> syllables = comparableSyllables(entries[i].pinyin);
    if (syllables.size() != characters.size()) continue;
    std::vector<Reading>& list = words[entries[i].simplified];
    if (list.empty()) order.push_back(entries[i].simplified);
    std::size_t senses = 0;
    for (const std::string& gloss : entries[i].glosses) senses += classifyGloss(gloss) == GlossKind::sense;
    list.push_back({i, std::move(syllables), std::move(characters), senses});
  }
  const auto toneOf = [](const std::string& syllable) { return syllable.back(); };
  for (const std::string& word : order) {
    const std::vector<Reading>& list = words[word];
    if (list.size() < 2) continue;
    for (const Reading& mine : list) {
      bool neutralEveryday = false;
      std::vector<bool> differs(mine.syllables.size(), false);
      for (const Reading& other : list) {
        if (&other == &mine || other.syllables == mine.syllables) continue;
        for (std::size_t k = 0; k < mine.syllables.size(); ++k) {
          if (mine.syllables[k] == other.syllables[k]) continue;
          differs[k] = true;
          // A later syllable in the neutral tone where a reading
          // with a single meaning gives it a full tone: that reading
          // is the narrow, specialist or literary one, this one the
          // word as spoken (告诉 gào su "to tell" beside gào sù "to
          // press charges", 妻子 qīzi "wife" beside qī zǐ "wife and
          // children").
          if (k > 0 && toneOf(mine.syllables[k]) == '5' && toneOf(other.syllables[k]) != '5' && other.senses == 1) {
            neutralEveryday = true;
          }
        }
      }
      // Each ";"-separated part of a sense is a way the reading is used.
      double value = 0.0;
      for (const std::string& gloss : entries[mine.entry].glosses) {
        const double sense = senseValue(gloss);
        if (sense == 0.0) continue;
        value += sense * static_cast<double>(1 + std::count(gloss.begin(), gloss.end(), ';'));
      }
      value = std::max(value, 0.1);
      if (neutralEveryday) value *= kNeutralToneEveryday;
      // Where readings differ, how often each character is read that
      // way in running text, neutral tones included (教授 jiào shòu
      // "professor" beside jiāo shòu "to teach"; 诉 is mostly su in
      // 告诉). Damped: the counts are the character's, not the word's.
      for (std::size_t k = 0; k < differs.size(); ++k) {
        if (!differs[k]) continue;
        const auto counted = readings.byCharacter.find(toUtf8(std::u32string(1, mine.characters[k])));
        if (counted == readings.byCharacter.end()) continue;
        double total = 0.0;
        double own = 0.0;
        for (const ReadingCount& reading : counted->second) {
          total += static_cast<double>(reading.count);
          if (reading.syllable == mine.syllables[k]) own += static_cast<double>(reading.count);
        }
        value *= std::sqrt((own + kUncountedReading) / (total + kUncountedReading));
      }
      values[mine.entry] = value;
    }
  }
}

std::vector<std::string> otherReadings(const Entry& entry) {
  std::vector<std::string> readings;
  const std::size_t syllables = syllableCount(entry.pinyin);
  const auto add = [&](const std::string& reading) {
    if (reading == entry.pinyin || syllableCount(reading) != syllables) return;
    if (!isNumberedPinyin(reading)) return;
    if (std::find(readings.begin(), readings.end(), reading) == readings.end()) readings.push_back(reading);
  };
  if (!entry.otherPinyin.empty()) add(entry.otherPinyin);
  for (const std::string& gloss : entry.glosses) {
    for (const std::string& reading : notedReadings(gloss)) add(reading);
  }
  return readings;
}

double ReadingShares::readingShare(const Entry& entry, const std::string& numberedReading) const {
  auto found = counted.find(entry.simplified);
  if (found == counted.end()) found = counted.find(entry.traditional);
  if (found == counted.end()) return -1.0;
  const auto share = found->second.find(comparableSyllable(numberedReading));
  return share == found->second.end() ? 0.0 : share->second;
}

ReadingShares readingShares(const std::vector<Entry>& entries, const ReadingFrequencies& readings) {
  ReadingShares result;
  std::vector<double> values(entries.size(), 0.0);
  std::vector<std::string> syllables(entries.size());
  // Sense totals per word and per word and reading; the readings each
  // counted character has in the dictionary.
  std::unordered_map<std::string, double> wordTotals;
  std::unordered_map<std::string, double> readingTotals;
  struct CountedWord {
    const std::vector<ReadingCount>* counts = nullptr;
    std::vector<std::string> syllables;
  };
  std::unordered_map<std::string, CountedWord> dictionaryReadings;
  std::unordered_map<std::string, std::unordered_set<std::string>> ownReadings;
  const auto countsOf = [&](const Entry& entry) -> const std::vector<ReadingCount>* {
    auto found = readings.byCharacter.find(entry.simplified);
    if (found == readings.byCharacter.end()) found = readings.byCharacter.find(entry.traditional);
    return found == readings.byCharacter.end() ? nullptr : &found->second;
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    double value = 0.0;
    for (const std::string& gloss : entries[i].glosses) value += senseValue(gloss);
    // Even a reading with only cross-references is said sometimes.
    values[i] = std::max(value, 0.1);
  }
  weighWordReadings(entries, readings, values);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    syllables[i] = comparableSyllable(entry.pinyin);
    ownReadings[entry.simplified].insert(syllables[i]);
    wordTotals[entry.simplified] += values[i];
    readingTotals[entry.simplified + ' ' + syllables[i]] += values[i];
    const std::vector<ReadingCount>* counts = countsOf(entry);
    if (counts != nullptr && !syllables[i].empty()) {
      CountedWord& word = dictionaryReadings[entry.simplified];
      word.counts = counts;
      std::vector<std::string>& known = word.syllables;
      known.push_back(syllables[i]);
      for (const std::string& other : otherReadings(entry)) known.push_back(comparableSyllable(other));
    }
  }

  // Counted characters: each reading the dictionary has gets its count's
  // share. Counts of readings the dictionary does not give the character
  // alone (the neutral "dao" of 知道) come from words it is part of, and do
  // not count here.
  for (const auto& word : dictionaryReadings) {
    const std::vector<ReadingCount>* counts = word.second.counts;
    std::unordered_map<std::string, double>& shares = result.counted[word.first];
    double total = 0.0;
    for (const std::string& syllable : word.second.syllables) {
      if (shares.count(syllable) != 0) continue;
      double count = kUncountedReading;
      for (const ReadingCount& reading : *counts) {
        if (reading.syllable == syllable) count += static_cast<double>(reading.count);
      }
      shares[syllable] = count;
      total += count;
    }
    for (auto& share : shares) share.second /= total;
  }

  result.entries.assign(entries.size(), 0.0);
  result.withinReading.assign(entries.size(), 1.0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    const auto counted = result.counted.find(entry.simplified);
    if (counted == result.counted.end() || syllables[i].empty()) {
      const double total = wordTotals[entry.simplified];
      result.entries[i] = total > 0.0 ? values[i] / total : 0.0;
      continue;
    }
    // The entry's readings, its own and those its notes name. A noted reading
    // that another entry of the word has as its own is that entry's use: the
    // lěi of 累 "to accumulate" notes the Taiwan lèi, which is 累 "tired".
    double share = 0.0;
    std::vector<std::string> mine = {syllables[i]};
    for (const std::string& other : otherReadings(entry)) {
      const std::string syllable = comparableSyllable(other);
      if (ownReadings[entry.simplified].count(syllable) == 0) mine.push_back(syllable);
    }
    for (std::size_t r = 0; r < mine.size(); ++r) {
      if (std::find(mine.begin(), mine.begin() + static_cast<std::ptrdiff_t>(r), mine[r]) !=
          mine.begin() + static_cast<std::ptrdiff_t>(r)) {
        continue;
      }
      const auto found = counted->second.find(mine[r]);
      if (found != counted->second.end()) share += found->second;
    }
    const double readingTotal = readingTotals[entry.simplified + ' ' + syllables[i]];
    result.withinReading[i] = readingTotal > 0.0 ? values[i] / readingTotal : 1.0;
    result.entries[i] = std::min(1.0, share) * result.withinReading[i];
  }
  return result;
}

}  // namespace article_builder
