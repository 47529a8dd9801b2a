#include "usage_truth.h"

#include <algorithm>
#include <map>

#include "glosses.h"
#include "inversion.h"
#include "pinyin.h"
#include "utf.h"

using namespace article_builder;

std::unordered_map<std::string, double> parseUsage(std::string_view text) {
  std::unordered_map<std::string, double> usage;
  for (const std::string_view line : textLines(text)) {
    const std::size_t comma = line.rfind(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 >= line.size()) continue;
    double count = 0;
    for (const char digit : line.substr(comma + 1)) {
      if (digit < '0' || digit > '9') {
        count = -1;
        break;
      }
      count = count * 10 + (digit - '0');
    }
    if (count > 0) usage[std::string(line.substr(0, comma))] += count;
  }
  return usage;
}

std::string clearlyMostUsed(const std::set<std::string>& group, const std::unordered_map<std::string, double>& usage,
                            double minimum) {
  std::string top;
  double best = 0, next = 0;
  for (const std::string& word : group) {
    const auto found = usage.find(word);
    const double count = found == usage.end() ? 0 : found->second;
    if (count > best) {
      next = best;
      best = count;
      top = word;
    } else {
      next = std::max(next, count);
    }
  }
  return best >= minimum && best >= 2 * next ? top : std::string();
}

UsageExpectations expectedByUse(const std::vector<Entry>& entries, const std::unordered_map<std::string, double>& usage,
                                double minimum) {
  std::map<std::string, std::set<std::string>> wordsOfKey, wordsOfQuery, firstSenseOf;
  std::unordered_map<std::string, std::set<std::string>> readingsOf;
  std::unordered_map<std::string, std::size_t> entriesOf;
  std::string withV, withU;
  for (const Entry& entry : entries) {
    if (!tonelessKeys(entry.pinyin, withV, withU)) continue;
    wordsOfKey[withV].insert(entry.simplified);
    readingsOf[entry.simplified].insert(withV);
    ++entriesOf[entry.simplified];
    bool firstSense = true;
    for (const std::string& gloss : entry.glosses) {
      if (classifyGloss(gloss) != GlossKind::sense) continue;
      for (const GlossHeadword& found : englishHeadwords(gloss)) {
        wordsOfQuery[found.headword].insert(entry.simplified);
        if (firstSense && found.part == 0) firstSenseOf[found.headword].insert(entry.simplified);
      }
      firstSense = false;
    }
  }
  UsageExpectations expected;
  for (const auto& [key, words] : wordsOfKey) {
    if (words.size() < 2) continue;
    std::string top = clearlyMostUsed(words, usage, minimum);
    if (!top.empty() && readingsOf[top].size() == 1) expected.pinyin.push_back({key, std::move(top)});
  }
  for (const auto& [query, words] : wordsOfQuery) {
    if (words.size() < 2) continue;
    std::string top = clearlyMostUsed(words, usage, minimum);
    if (!top.empty() && entriesOf[top] == 1 && firstSenseOf[query].count(top) != 0) {
      expected.english.push_back({query, std::move(top)});
    }
  }
  return expected;
}

Translations parseTranslations(std::string_view text) {
  Translations translations;
  for (const std::string_view line : textLines(text)) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab == 0) continue;
    std::set<std::string>& words = translations[std::string(line.substr(0, tab))];
    for (std::string_view rest = line.substr(tab + 1); !rest.empty();) {
      const std::size_t comma = rest.find(',');
      const std::string_view word = rest.substr(0, comma);
      if (!word.empty()) words.emplace(word);
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
  }
  return translations;
}

std::vector<ExpectedByUse> expectedByTranslation(const std::vector<Entry>& entries, const Translations& translations,
                                                 const std::unordered_map<std::string, double>& usage, double minimum) {
  std::map<std::string, std::set<std::string>> paired;
  for (const Entry& entry : entries) {
    for (const std::string& gloss : entry.glosses) {
      if (classifyGloss(gloss) != GlossKind::sense) continue;
      for (const GlossHeadword& found : englishHeadwords(gloss)) {
        const auto other = translations.find(found.headword);
        if (other != translations.end() && other->second.count(entry.simplified) != 0) {
          paired[found.headword].insert(entry.simplified);
        }
      }
    }
  }
  std::vector<ExpectedByUse> expected;
  for (const auto& [query, words] : paired) {
    if (words.size() < 2) continue;
    std::string top = clearlyMostUsed(words, usage, minimum);
    if (!top.empty()) expected.push_back({query, std::move(top)});
  }
  return expected;
}

Judgements agreedJudgements(const std::vector<Judgements>& each) {
  Judgements agreed;
  if (each.empty()) return agreed;
  for (const auto& [typed, judged] : each[0]) {
    Judged item = judged;
    bool all = true;
    for (std::size_t i = 1; i < each.size() && all; ++i) {
      const auto other = each[i].find(typed);
      all = other != each[i].end() && other->second.word == item.word;
      if (all) item.share = std::min(item.share, other->second.share);
    }
    if (all) agreed.emplace(typed, item);
  }
  return agreed;
}
