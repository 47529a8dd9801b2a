#include "frequency.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "utf.h"

namespace article_builder {

namespace {

// The largest count a word is given; sums of counts stop at the type's largest value, so
// many huge counts cannot wrap round to a small total and silently reorder the ranking.
constexpr std::uint64_t kCountCap = std::uint64_t{1} << 48;

std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b) { return b > UINT64_MAX - a ? UINT64_MAX : a + b; }

}  // namespace

namespace {

// The written counts' part in the combined count: a weighted geometric mean
// that leans on the typed weights, which are closer to what learners mean
// (哥哥 "older brother" over 各个 "every", 医生 "doctor" over 一声 "a
// sound"), while the written counts still keep a say.
constexpr double kWrittenExponent = 0.1;

// The language model's part where it is used: a third opinion from another
// corpus, which evens out what the typed weights over-count (果 "fruit" as a
// word of its own, far above 水果).
constexpr double kModelExponent = 0.4;

}  // namespace

FrequencyTable parseFrequencies(std::string_view text) {
  FrequencyTable table;
  table.words.reserve(text.size() / 12);
  for (const std::string_view line : textLines(text)) {
    if (line.empty()) continue;

    const std::size_t blank = line.find(' ');
    if (blank == 0 || blank == std::string_view::npos) {
      ++table.skippedLines;
      continue;
    }
    const std::string_view word = line.substr(0, blank);
    std::string_view rest = line.substr(blank + 1);
    std::uint64_t count = 0;
    std::size_t digits = 0;
    // Saturate rather than wrap: a corrupt huge number must not turn
    // into a small one and silently reorder the ranking.
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
      if (count < kCountCap) count = count * 10 + static_cast<std::uint64_t>(rest[digits] - '0');
      ++digits;
    }
    if (digits == 0 || (digits < rest.size() && rest[digits] != ' ') || !isValidUtf8(word)) {
      ++table.skippedLines;
      continue;
    }
    if (count > kCountCap) count = kCountCap;
    std::string_view tag = digits < rest.size() ? rest.substr(digits + 1) : std::string_view();
    while (!tag.empty() && tag.back() == ' ') tag.remove_suffix(1);
    if (tag.size() > 8 || !isValidUtf8(tag)) tag = {};
    // A word listed twice keeps its larger count and that count's tag.
    WordFrequency& slot = table.words[std::string(word)];
    if (count > slot.count || slot.tag.empty()) {
      if (count >= slot.count) slot.count = count;
      slot.tag = std::string(tag);
    }
  }
  return table;
}

UsageCounts parseUsageCounts(std::string_view text) {
  UsageCounts usage;
  usage.words.reserve(text.size() / 12);
  constexpr std::uint64_t cap = std::uint64_t{1} << 40;
  for (const std::string_view line : textLines(text)) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    const std::string_view word = tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
    const std::string_view digits = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    std::uint64_t weight = 0;
    bool ok = !word.empty() && !digits.empty() && digits.size() <= 12 && isValidUtf8(word) &&
              word.find(' ') == std::string_view::npos;
    for (char c : digits) {
      if (c < '0' || c > '9') ok = false;
      weight = weight * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (!ok || weight > cap) {
      ++usage.skippedLines;
      continue;
    }
    // A word listed twice keeps its larger weight.
    std::uint64_t& slot = usage.words[std::string(word)];
    usage.total += weight - std::min(slot, weight);
    slot = std::max(slot, weight);
  }
  return usage;
}

namespace {

// The weights list a word under one traditional standard (爲 for 為, 裏 for 裡, 着 for 著,
// 喫 for 吃) and the dictionary under another, so 因为, 吃饭 and 好吃 would go unweighed. A
// word whose own traditional forms have no weight takes those of its other spellings: each
// character replaced by the traditional characters the dictionary gives for it alone. A
// spelling that is some entry's traditional form belongs to that entry and is never taken,
// and one that several words could be spelt is divided among them. Returns the words that
// gained a weight.
std::size_t addVariantSpellings(
    const UsageCounts& usage, const std::vector<Entry>& entries,
    const std::unordered_map<std::string_view, std::unordered_set<std::string_view>>& simplifiedOf,
    std::unordered_map<std::string_view, double>& typed) {
  constexpr std::size_t kMaxSpellings = 64;
  std::unordered_map<char32_t, std::vector<char32_t>> traditionalOf;  // simplified character -> its traditional ones
  for (const Entry& entry : entries) {
    std::u32string simplified, traditional;
    if (!decodeUtf8(entry.simplified, simplified) || !decodeUtf8(entry.traditional, traditional) ||
        simplified.size() != 1 || traditional.size() != 1 || simplified == traditional) {
      continue;
    }
    std::vector<char32_t>& forms = traditionalOf[simplified.front()];
    if (std::find(forms.begin(), forms.end(), traditional.front()) == forms.end()) forms.push_back(traditional.front());
  }
  // The other spellings of each unweighed word, in source order, and how many words share each.
  std::vector<std::pair<std::string_view, std::vector<std::string>>> spellings;
  std::unordered_map<std::string, std::size_t> claims;
  std::unordered_set<std::string_view> done;
  for (const Entry& entry : entries) {
    if (typed.count(entry.simplified) != 0 || !done.insert(entry.simplified).second) continue;
    std::u32string characters;
    if (!decodeUtf8(entry.simplified, characters) || characters.size() < 2) continue;
    std::vector<std::u32string> forms = {std::u32string()};
    for (const char32_t character : characters) {
      const auto variants = traditionalOf.find(character);
      const std::size_t choices = 1 + (variants == traditionalOf.end() ? 0 : variants->second.size());
      if (forms.size() * choices > kMaxSpellings) {
        forms.clear();
        break;
      }
      std::vector<std::u32string> longer;
      for (const std::u32string& form : forms) {
        longer.push_back(form + character);
        if (variants == traditionalOf.end()) continue;
        for (const char32_t variant : variants->second) longer.push_back(form + variant);
      }
      forms.swap(longer);
    }
    std::vector<std::string> weighed;
    for (const std::u32string& form : forms) {
      std::string spelling = toUtf8(form);
      if (simplifiedOf.count(spelling) != 0) continue;
      const auto found = usage.words.find(spelling);
      if (found == usage.words.end() || found->second == 0) continue;
      ++claims[spelling];
      weighed.push_back(std::move(spelling));
    }
    if (!weighed.empty()) spellings.emplace_back(entry.simplified, std::move(weighed));
  }
  for (const auto& [word, forms] : spellings) {
    for (const std::string& form : forms) {
      typed[word] += static_cast<double>(usage.words.at(form)) / static_cast<double>(claims[form]);
    }
  }
  return spellings.size();
}

}  // namespace

CombinedCounts combineWithUsage(FrequencyTable& table, const UsageCounts& usage, const std::vector<Entry>& entries,
                                const LanguageModelWords& model) {
  CombinedCounts result;
  // How many simplified words each traditional form stands for.
  std::unordered_map<std::string_view, std::unordered_set<std::string_view>> simplifiedOf;
  for (const Entry& entry : entries) simplifiedOf[entry.traditional].insert(entry.simplified);
  std::unordered_map<std::string_view, double> typed;
  std::unordered_set<std::string> pairs;
  for (const Entry& entry : entries) {
    if (!pairs.insert(entry.simplified + '\t' + entry.traditional).second) continue;
    const auto found = usage.words.find(entry.traditional);
    if (found == usage.words.end() || found->second == 0) continue;
    typed[entry.simplified] +=
        static_cast<double>(found->second) / static_cast<double>(simplifiedOf[entry.traditional].size());
  }
  result.variantWords = addVariantSpellings(usage, entries, simplifiedOf, typed);

  std::uint64_t writtenTotal = 0;
  for (const auto& word : table.words) writtenTotal = addSaturating(writtenTotal, word.second.count);
  if (writtenTotal == 0 || usage.total == 0 || typed.empty()) return result;

  // The dictionary's words, each once, in source order.
  std::unordered_set<std::string_view> done;
  for (const Entry& entry : entries) {
    if (!done.insert(entry.simplified).second) continue;
    const auto written = table.words.find(entry.simplified);
    const std::uint64_t writtenCount = written == table.words.end() ? 0 : written->second.count;
    const auto typedFound = typed.find(entry.simplified);
    const double typedCount = typedFound == typed.end() ? 0.0 : typedFound->second;
    if (writtenCount == 0 && typedCount == 0.0) continue;
    if (typedCount > 0.0) {
      ++result.typedWords;
    } else {
      ++result.writtenOnly;
    }
    // Each source leaves out common words the other has (the typed
    // weights give 借口 and 家具 only under the variants 藉口 and 傢俱), so
    // a missing share is taken to be the other source's.
    double writtenShare = static_cast<double>(writtenCount) / static_cast<double>(writtenTotal);
    double typedShare = typedCount / static_cast<double>(usage.total);
    if (writtenCount == 0) writtenShare = typedShare;
    if (typedCount == 0.0) typedShare = writtenShare;
    double share = std::pow(writtenShare, kWrittenExponent) * std::pow(typedShare, 1.0 - kWrittenExponent);
    const auto modelled = model.shares.find(entry.simplified);
    if (modelled != model.shares.end()) {
      ++result.modelWords;
      share = std::pow(share, 1.0 - kModelExponent) * std::pow(modelled->second, kModelExponent);
    }
    const double combined = std::min(share * static_cast<double>(writtenTotal), static_cast<double>(kCountCap));
    WordFrequency& slot = table.words[entry.simplified];
    slot.count = std::max<std::uint64_t>(1, static_cast<std::uint64_t>(std::llround(combined)));
  }
  return result;
}

std::size_t foldNumberWords(FrequencyTable& table) {
  const auto tagOf = [&](const std::string& word) {
    const auto found = table.words.find(word);
    return found == table.words.end() ? std::string_view() : std::string_view(found->second.tag);
  };
  std::unordered_map<std::string, std::uint64_t> gains;
  std::size_t folded = 0;
  for (const auto& [word, frequency] : table.words) {
    if (frequency.tag != "m") continue;
    std::u32string characters;
    if (!decodeUtf8(word, characters) || characters.size() != 2) continue;
    const std::string numeral = toUtf8(characters.substr(0, 1));
    const std::string_view second = tagOf(toUtf8(characters.substr(1, 1)));
    if (tagOf(numeral) != "m" || second != "q") continue;
    gains[numeral] = addSaturating(gains[numeral], frequency.count);
    ++folded;
  }
  for (const auto& [numeral, gain] : gains) {
    std::uint64_t& count = table.words[numeral].count;
    count = std::min(addSaturating(count, gain), kCountCap);
  }
  return folded;
}

std::uint64_t frequencyOf(const FrequencyTable& table, const std::string& word) {
  const auto found = table.words.find(word);
  return found == table.words.end() ? 0 : found->second.count;
}

std::string_view partOfSpeechOf(const FrequencyTable& table, const std::string& word) {
  const auto found = table.words.find(word);
  return found == table.words.end() ? std::string_view() : std::string_view(found->second.tag);
}

}  // namespace article_builder
