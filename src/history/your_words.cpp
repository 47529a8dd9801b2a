#include "history/your_words.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "history/utf8_text.h"

namespace {

constexpr std::string_view historyFirstLine = "Dictionary history 1";
constexpr std::string_view myWordsFirstLine = "Dictionary My Words 1";
constexpr std::uint32_t maxLookupCount = 999999999;

std::u16string_view trimmed(std::u16string_view text) {
  const auto isBlank = [](char16_t c) { return c == u' ' || c == u'\u3000' || c == u'\u00A0'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "1. text" gives "text"; any other line nothing.
std::optional<std::u16string_view> numberedLine(std::u16string_view line) {
  std::size_t digits = 0;
  while (digits < line.size() && line[digits] >= u'0' && line[digits] <= u'9') ++digits;
  if (digits == 0 || line.substr(digits, 2) != u". ") return std::nullopt;
  return line.substr(digits + 2);
}

std::vector<std::u16string_view> articleLines(std::u16string_view article) {
  std::vector<std::u16string_view> lines;
  while (!article.empty()) {
    const std::size_t end = article.find_first_of(u"\r\n");
    std::u16string_view line = article.substr(0, end);
    // The headings an own article is shown under are not part of any article.
    if (line != u"Your own article:" && line != u"From the dictionary:" && !trimmed(line).empty()) {
      lines.push_back(line);
    }
    if (end == std::u16string_view::npos) break;
    article.remove_prefix(end + 1);
  }
  return lines;
}

// ---- reading the files ----

// A line's tab-separated fields, read without allocating (start-up reads tens of
// thousands): no record has more than six, so a line with more counts as one field too
// many, which no record accepts.
struct Fields {
  static constexpr std::size_t most = 6;
  std::array<std::string_view, most> parts;
  std::size_t count = 0;
  std::size_t size() const { return count; }
  std::string_view operator[](std::size_t i) const { return parts[i]; }
};

Fields splitFields(std::string_view line) {
  Fields fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    if (fields.count == Fields::most) {
      ++fields.count;
      return fields;
    }
    fields.parts[fields.count++] = line.substr(0, tab);
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// The file's lines after its first, without the line feeds; nothing when the first line is
// not `firstLine`, the file does not end with a line feed or holds a carriage return or a
// zero byte (this program writes neither).
std::optional<std::vector<std::string_view>> fileLines(std::string_view bytes, std::string_view firstLine) {
  if (bytes.size() > maxYourWordsFileSize || bytes.empty() || bytes.back() != '\n') return std::nullopt;
  if (bytes.find('\r') != std::string_view::npos || bytes.find('\0') != std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> lines;
  bytes.remove_suffix(1);
  for (;;) {
    const std::size_t end = bytes.find('\n');
    lines.push_back(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  if (lines.front() != firstLine) return std::nullopt;
  lines.erase(lines.begin());
  return lines;
}

std::optional<std::uint32_t> positiveNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9 || digits[0] == '0') return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return number;
}

// The count line that ends every file: "E", tab, the number of records.
bool isEndLine(std::string_view line, std::size_t records) {
  const auto fields = splitFields(line);
  if (fields.size() != 2 || fields[0] != "E") return false;
  if (records == 0) return fields[1] == "0";
  const auto number = positiveNumber(fields[1]);
  return number && *number == records;
}

std::optional<Direction> directionField(std::string_view field) {
  if (field == "0") return Direction::EnglishChinese;
  if (field == "1") return Direction::ChineseEnglish;
  return std::nullopt;
}

std::optional<std::u16string> wordField(std::string_view field) {
  auto word = textFromUtf8(field);
  if (!word || checkKeptWord(*word) != KeptWordRule::Kept) return std::nullopt;
  return word;
}

// A reading or sense as oneLine leaves it.
std::optional<std::u16string> lineField(std::string_view field, std::size_t limit) {
  auto text = textFromUtf8(field);
  if (!text) return std::nullopt;
  // What oneLine keeps as it is, known without building its copy: no control character or
  // surrogate, no blank at either end, within the limit. Anything else is compared whole.
  const bool plain = std::none_of(text->begin(), text->end(),
                                  [](char16_t c) { return c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF); });
  if (plain && text->size() <= limit && trimmed(*text).size() == text->size()) return text;
  if (*text != oneLine(*text, limit)) return std::nullopt;
  return text;
}

bool isDate(std::u16string_view text) {
  if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return false;
  for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < u'0' || text[i] > u'9') return false;
  }
  return true;
}

std::string directionDigit(Direction direction) { return directionIndex(direction) == 1 ? "1" : "0"; }

// Keeps the counts within their bound: the words counted least go first, but never one in
// the direction's history, in My Words or the word just counted.
void boundLookups(YourWords& words, Direction direction, std::u16string_view justCounted) {
  DirectionWords& own = words.of(direction);
  if (own.lookups.size() <= maxCountedWords) return;
  std::unordered_set<std::u16string_view> kept(own.history.begin(), own.history.end());
  kept.reserve(own.history.size() + words.myWords.size() + 1);
  kept.insert(justCounted);
  for (const MyWord& entry : words.myWords) {
    if (entry.direction == direction) kept.insert(entry.word);
  }
  std::vector<std::pair<std::uint32_t, std::u16string_view>> candidates;
  for (const auto& [word, count] : own.lookups) {
    if (!kept.count(word)) candidates.emplace_back(count, word);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // Down to nine tenths, so the next few new words do not each pay for a pass.
  const std::size_t target = maxCountedWords / 10 * 9;
  std::vector<std::u16string> dropped;
  for (const auto& candidate : candidates) {
    if (own.lookups.size() - dropped.size() <= target) break;
    dropped.emplace_back(candidate.second);
  }
  for (const auto& word : dropped) own.lookups.erase(word);
}

}  // namespace

KeptWordRule checkKeptWord(std::u16string_view word) {
  if (word.empty()) return KeptWordRule::Empty;
  if (word.size() > maxKeptWordLength) return KeptWordRule::TooLong;
  for (const char16_t c : word) {
    if (c < 0x20 || c == 0x7F) return KeptWordRule::ControlCharacter;
  }
  if (!hasOnlyPairedSurrogates(word)) return KeptWordRule::LoneSurrogate;
  return KeptWordRule::Kept;
}

std::u16string keptWordMessage(KeptWordRule rule) {
  switch (rule) {
    case KeptWordRule::Empty:
      return u"No word is shown, so there is nothing to keep in My Words.";
    case KeptWordRule::TooLong:
      return u"This word is longer than 496 characters and cannot be kept in My Words.";
    case KeptWordRule::ControlCharacter:
      return u"This word holds a tab, a line break or another control character and cannot be kept in My Words.";
    case KeptWordRule::LoneSurrogate:
      return u"This word holds a broken character (half of a surrogate pair) and cannot be kept in My Words.";
    case KeptWordRule::Kept:
      break;
  }
  return {};
}

void visitStep(BackForward& steps, std::u16string_view word) {
  if (!steps.steps.empty() && steps.steps[steps.current] == word) return;
  if (!steps.steps.empty())
    steps.steps.erase(steps.steps.begin() + static_cast<std::ptrdiff_t>(steps.current) + 1, steps.steps.end());
  steps.steps.emplace_back(word);
  if (steps.steps.size() > maxBackForwardSteps) steps.steps.erase(steps.steps.begin());
  steps.current = steps.steps.size() - 1;
}

std::optional<std::u16string> stepBack(BackForward& steps, std::u16string_view shown) {
  if (steps.steps.empty()) return std::nullopt;
  if (steps.steps[steps.current] != shown) return steps.steps[steps.current];
  if (steps.current == 0) return std::nullopt;
  --steps.current;
  return steps.steps[steps.current];
}

std::optional<std::u16string> stepForward(BackForward& steps) {
  if (steps.steps.empty() || steps.current + 1 >= steps.steps.size()) return std::nullopt;
  ++steps.current;
  return steps.steps[steps.current];
}

bool rememberLookedAt(YourWords& words, Direction direction, std::u16string_view word) {
  if (checkKeptWord(word) != KeptWordRule::Kept) return false;
  DirectionWords& own = words.of(direction);
  const auto found = std::find(own.history.begin(), own.history.end(), word);
  if (found != own.history.end()) {
    std::rotate(own.history.begin(), found, found + 1);
  } else {
    own.history.insert(own.history.begin(), std::u16string(word));
    if (own.history.size() > maxHistoryWords) own.history.pop_back();
  }
  const auto counted = own.lookups.find(word);
  if (counted != own.lookups.end()) {
    counted->second = std::min(counted->second + 1, maxLookupCount);
  } else {
    own.lookups.emplace(std::u16string(word), 1);
    boundLookups(words, direction, word);
  }
  visitStep(own.steps, word);
  return true;
}

std::uint32_t lookupCount(const YourWords& words, Direction direction, std::u16string_view word) {
  const auto& lookups = words.of(direction).lookups;
  const auto found = lookups.find(word);
  return found == lookups.end() ? 0 : found->second;
}

void clearHistory(YourWords& words) {
  for (const Direction direction : bothDirections) {
    DirectionWords& own = words.of(direction);
    own.history.clear();
    own.steps = BackForward{};
    std::map<std::u16string, std::uint32_t, std::less<>> kept;
    for (const MyWord& entry : words.myWords) {
      if (entry.direction != direction) continue;
      const auto found = own.lookups.find(entry.word);
      if (found != own.lookups.end()) kept.insert(*found);
    }
    own.lookups = std::move(kept);
  }
}

std::optional<std::size_t> findMyWord(const YourWords& words, Direction direction, std::u16string_view word) {
  for (std::size_t i = 0; i < words.myWords.size(); ++i) {
    if (words.myWords[i].direction == direction && words.myWords[i].word == word) return i;
  }
  return std::nullopt;
}

MyWordsChange toggleMyWord(YourWords& words, Direction direction, std::u16string_view word, std::u16string_view article,
                           std::u16string_view today) {
  if (const auto index = findMyWord(words, direction, word)) {
    words.myWords.erase(words.myWords.begin() + static_cast<std::ptrdiff_t>(*index));
    return MyWordsChange::Removed;
  }
  if (checkKeptWord(word) != KeptWordRule::Kept || !isDate(today)) return MyWordsChange::Refused;
  if (words.myWords.size() >= maxMyWords) return MyWordsChange::Full;
  const ArticleSummary summary = summariseArticle(direction, article);
  words.myWords.push_back(
      MyWord{direction, std::u16string(word), summary.reading, summary.sense, std::u16string(today)});
  return MyWordsChange::Added;
}

ArticleSummary summariseArticle(Direction direction, std::u16string_view article) {
  const std::vector<std::u16string_view> lines = articleLines(article);
  ArticleSummary summary;
  std::optional<std::u16string_view> firstSense;
  for (const auto line : lines) {
    if ((firstSense = numberedLine(line))) break;
  }
  if (direction == Direction::ChineseEnglish) {
    // Under an own article the reading is the dictionary article's, not the user's first line.
    const std::size_t dictionaryPart = article.find(u"\nFrom the dictionary:");
    std::vector<std::u16string_view> readingLines =
        dictionaryPart == std::u16string_view::npos ? lines : articleLines(article.substr(dictionaryPart));
    if (readingLines.empty()) readingLines = lines;
    if (!readingLines.empty() && !numberedLine(readingLines.front())) {
      // "shuǐ   (traditional ...)": the reading before the variant's note.
      std::u16string_view reading = readingLines.front();
      reading = reading.substr(0, reading.find(u"   ("));
      summary.reading = oneLine(reading, maxReadingLength);
    }
    if (!firstSense && lines.size() > 1) firstSense = lines[1];
  } else {
    // "水 shuǐ: water": the Chinese and its reading are what an English word means.
    if (firstSense) firstSense = firstSense->substr(0, firstSense->find(u": "));
    if (!firstSense && !lines.empty()) firstSense = lines.front();
  }
  if (firstSense) summary.sense = oneLine(*firstSense, maxSenseLength);
  return summary;
}

std::u16string oneLine(std::u16string_view text, std::size_t limit) {
  std::u16string line;
  bool breakPending = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\t' || c == u'\r' || c == u'\n') {
      breakPending = true;
      continue;
    }
    // A run of breaks between two pieces of text becomes one "; "; at either end, nothing.
    if (breakPending && !trimmed(line).empty()) line = std::u16string(trimmed(line)) + u"; ";
    breakPending = false;
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool low = c >= 0xDC00 && c <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      line += c;
      line += text[++i];
    } else if (high || low) {
      line += u'\uFFFD';
    } else {
      line += (c < 0x20 || c == 0x7F) ? u' ' : c;
    }
  }
  std::u16string_view kept = trimmed(line);
  if (kept.size() > limit) {
    std::size_t cut = limit;
    // Never between the halves of a pair.
    if (cut > 0 && kept[cut - 1] >= 0xD800 && kept[cut - 1] <= 0xDBFF) --cut;
    kept = trimmed(kept.substr(0, cut));
    // A cut right after a separator leaves it dangling.
    if (kept.size() >= 1 && kept.back() == u';') kept = trimmed(kept.substr(0, kept.size() - 1));
  }
  return std::u16string(kept);
}

std::string historyFileText(const YourWords& words) {
  std::string text(historyFirstLine);
  text += '\n';
  std::size_t records = 0;
  for (const Direction direction : bothDirections) {
    const DirectionWords& own = words.of(direction);
    for (const auto& word : own.history) {
      text += "H\t" + directionDigit(direction) + "\t" + utf8FromText(word) + "\n";
      ++records;
    }
    for (const auto& [word, count] : own.lookups) {
      text += "C\t" + directionDigit(direction) + "\t" + std::to_string(count) + "\t" + utf8FromText(word) + "\n";
      ++records;
    }
  }
  text += "E\t" + std::to_string(records) + "\n";
  return text;
}

// The most counts a direction can hold: the bound drops only words that are in neither the
// history nor My Words, so those words and the one just counted may stay above it.
constexpr std::size_t maxStoredCounts = maxCountedWords + maxMyWords + maxHistoryWords + 1;

bool readHistoryFile(std::string_view bytes, YourWords& words) {
  const auto lines = fileLines(bytes, historyFirstLine);
  if (!lines || lines->empty()) return false;
  std::array<DirectionWords, 2> read;
  for (std::size_t i = 0; i + 1 < lines->size(); ++i) {
    const auto fields = splitFields((*lines)[i]);
    if (fields.size() < 3) return false;
    const auto direction = directionField(fields[1]);
    if (!direction) return false;
    DirectionWords& own = read[directionIndex(*direction)];
    if (fields[0] == "H" && fields.size() == 3) {
      auto word = wordField(fields[2]);
      if (!word || own.history.size() >= maxHistoryWords ||
          std::find(own.history.begin(), own.history.end(), *word) != own.history.end()) {
        return false;
      }
      own.history.push_back(std::move(*word));
    } else if (fields[0] == "C" && fields.size() == 4) {
      const auto count = positiveNumber(fields[2]);
      auto word = wordField(fields[3]);
      if (!count || !word || own.lookups.size() >= maxStoredCounts) return false;
      if (!own.lookups.emplace(std::move(*word), *count).second) return false;
    } else {
      return false;
    }
  }
  if (!isEndLine(lines->back(), lines->size() - 1)) return false;
  for (const Direction direction : bothDirections) {
    words.of(direction).history = std::move(read[directionIndex(direction)].history);
    words.of(direction).lookups = std::move(read[directionIndex(direction)].lookups);
  }
  return true;
}

std::string myWordsFileText(const YourWords& words) {
  std::string text(myWordsFirstLine);
  text += '\n';
  for (const MyWord& entry : words.myWords) {
    text += "W\t" + directionDigit(entry.direction) + "\t" + utf8FromText(entry.added) + "\t" +
            utf8FromText(entry.word) + "\t" + utf8FromText(entry.reading) + "\t" + utf8FromText(entry.sense) + "\n";
  }
  text += "E\t" + std::to_string(words.myWords.size()) + "\n";
  return text;
}

bool readMyWordsFile(std::string_view bytes, YourWords& words) {
  const auto lines = fileLines(bytes, myWordsFirstLine);
  if (!lines || lines->empty() || lines->size() - 1 > maxMyWords) return false;
  std::vector<MyWord> read;
  read.reserve(lines->size() - 1);
  // Views into `read`, which never reallocates: it holds room for every line.
  std::array<std::unordered_set<std::u16string_view>, 2> seen;
  for (auto& words : seen) words.reserve(lines->size());
  for (std::size_t i = 0; i + 1 < lines->size(); ++i) {
    const auto fields = splitFields((*lines)[i]);
    if (fields.size() != 6 || fields[0] != "W") return false;
    const auto direction = directionField(fields[1]);
    auto added = textFromUtf8(fields[2]);
    auto word = wordField(fields[3]);
    auto reading = lineField(fields[4], maxReadingLength);
    auto sense = lineField(fields[5], maxSenseLength);
    if (!direction || !added || !isDate(*added) || !word || !reading || !sense) return false;
    read.push_back(MyWord{*direction, std::move(*word), std::move(*reading), std::move(*sense), std::move(*added)});
    if (!seen[directionIndex(*direction)].insert(read.back().word).second) return false;
  }
  if (!isEndLine(lines->back(), lines->size() - 1)) return false;
  words.myWords = std::move(read);
  return true;
}

std::string flashcardText(const std::vector<MyWord>& cards) {
  std::string text;
  for (const MyWord& card : cards) {
    text += utf8FromText(oneLine(card.word, maxKeptWordLength)) + "\t" +
            utf8FromText(oneLine(card.reading, maxReadingLength)) + "\t" +
            utf8FromText(oneLine(card.sense, maxSenseLength)) + "\n";
  }
  return text;
}

std::vector<std::size_t> sortedMyWords(const YourWords& words, MyWordsColumn column, bool ascending) {
  std::vector<std::size_t> order(words.myWords.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto key = [&](std::size_t i) -> const std::u16string& {
    const MyWord& entry = words.myWords[i];
    switch (column) {
      case MyWordsColumn::Reading:
        return entry.reading;
      case MyWordsColumn::Sense:
        return entry.sense;
      case MyWordsColumn::Added:
        return entry.added;
      default:
        return entry.word;
    }
  };
  const auto less = [&](std::size_t a, std::size_t b) {
    if (column == MyWordsColumn::Lookups) {
      const MyWord& x = words.myWords[a];
      const MyWord& y = words.myWords[b];
      return lookupCount(words, x.direction, x.word) < lookupCount(words, y.direction, y.word);
    }
    return key(a) < key(b);
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return ascending ? less(a, b) : less(b, a); });
  return order;
}
