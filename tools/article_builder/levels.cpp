#include "levels.h"

#include "pinyin.h"
#include "utf.h"

namespace article_builder {

std::string casedReading(std::string_view numbered) {
  std::string out;
  for (std::size_t i = 0; i < numbered.size(); ++i) {
    const char c = numbered[i];
    if (c == ' ') continue;
    if (c == ':' && !out.empty() && (out.back() == 'u' || out.back() == 'U')) {
      out.back() = out.back() == 'u' ? 'v' : 'V';
      continue;
    }
    out.push_back(c);
  }
  return out;
}

std::string comparableReading(std::string_view numbered) {
  std::string out = casedReading(numbered);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

WordLevels parseWordLevels(std::string_view text) {
  WordLevels levels;
  for (const std::string_view line : textLines(text)) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos || first != 1 || line[0] < '1' || line[0] > '9') {
      ++levels.skippedLines;
      continue;
    }
    const std::string_view word = line.substr(first + 1, second - first - 1);
    const std::string_view reading = line.substr(second + 1);
    if (word.empty() || !isValidUtf8(word) || word.find(' ') != std::string_view::npos || !isNumberedPinyin(reading)) {
      ++levels.skippedLines;
      continue;
    }
    std::vector<ListedReading>& listed = levels.words[std::string(word)];
    const std::string comparable = comparableReading(reading);
    bool known = false;
    for (ListedReading& have : listed) {
      if (have.reading != comparable) continue;
      // Listed twice: the lower level is the one a learner meets first.
      if (line[0] - '0' < have.level) have.level = line[0] - '0';
      known = true;
    }
    if (!known) listed.push_back({comparable, line[0] - '0', casedReading(reading)});
  }
  return levels;
}

std::vector<int> entryLevels(const std::vector<Entry>& entries, const WordLevels& levels) {
  std::vector<int> result(entries.size(), 0);
  if (levels.words.empty()) return result;
  // Listed reading (by word) -> whether an entry of the word has it with the same capitals.
  std::unordered_map<std::string, std::vector<bool>> casedMatch;
  for (const Entry& entry : entries) {
    const auto found = levels.words.find(entry.simplified);
    if (found == levels.words.end()) continue;
    std::vector<bool>& matched = casedMatch[entry.simplified];
    matched.resize(found->second.size(), false);
    const std::string cased = casedReading(entry.pinyin);
    for (std::size_t r = 0; r < found->second.size(); ++r) matched[r] = matched[r] || found->second[r].cased == cased;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto found = levels.words.find(entries[i].simplified);
    if (found == levels.words.end()) continue;
    const std::string reading = comparableReading(entries[i].pinyin);
    const std::string cased = casedReading(entries[i].pinyin);
    const std::vector<bool>& matched = casedMatch[entries[i].simplified];
    for (std::size_t r = 0; r < found->second.size(); ++r) {
      const ListedReading& listed = found->second[r];
      if (listed.reading != reading || (matched[r] && listed.cased != cased)) continue;
      if (result[i] == 0 || listed.level < result[i]) result[i] = listed.level;
    }
  }
  return result;
}

int lowestLevel(const WordLevels& levels, const std::string& word) {
  const auto found = levels.words.find(word);
  int lowest = 0;
  if (found == levels.words.end()) return lowest;
  for (const ListedReading& listed : found->second) {
    if (lowest == 0 || listed.level < lowest) lowest = listed.level;
  }
  return lowest;
}

}  // namespace article_builder
