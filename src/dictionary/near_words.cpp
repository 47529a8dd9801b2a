#include "dictionary/near_words.h"

#include <algorithm>
#include <array>

#include "dictionary/enclosing_punctuation.h"
#include "dictionary/typed_pinyin.h"

namespace {

// More candidates than this at the allowed distance (a short word in a large text) are
// ranked from the first ones found.
constexpr std::size_t maxCandidates = 4096;

constexpr std::size_t maxQuotedLength = 60;

char16_t foldedAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool isPinyinKey(std::u16string_view word) {
  if (word.empty()) {
    return false;
  }
  for (const char16_t c : word) {
    if (c < u'a' || c > u'z') {
      return false;
    }
  }
  return true;
}

bool hasAsciiLetter(std::u16string_view word) {
  for (const char16_t c : word) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      return true;
    }
  }
  return false;
}

// The edit distance between a and b (capitals folded when `fold`), counting a swap of two
// neighbours as one edit when `transpositions`; any value above `limit` is reported as
// limit + 1. Both are at most maxNearWordLength + limit units long: the caller checks.
std::size_t boundedDistance(std::u16string_view a, std::u16string_view b, std::size_t limit, bool fold,
                            bool transpositions) {
  constexpr std::size_t width = maxNearWordLength + 8;
  if (a.size() >= width || b.size() >= width) {
    return limit + 1;
  }
  const auto unit = [fold](char16_t c) { return fold ? foldedAscii(c) : c; };
  // Three rows in turn: the one before the previous serves the transpositions.
  std::array<std::array<std::size_t, width>, 3> rows;
  std::size_t* before = rows[0].data();
  std::size_t* previous = rows[1].data();
  std::size_t* current = rows[2].data();
  for (std::size_t j = 0; j <= b.size(); ++j) {
    previous[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    std::size_t rowBest = current[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same = unit(a[i - 1]) == unit(b[j - 1]);
      std::size_t cost = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (transpositions && i > 1 && j > 1 && unit(a[i - 1]) == unit(b[j - 2]) && unit(a[i - 2]) == unit(b[j - 1])) {
        cost = std::min(cost, before[j - 2] + 1);
      }
      current[j] = cost;
      rowBest = std::min(rowBest, cost);
    }
    if (rowBest > limit) {
      return limit + 1;
    }
    std::size_t* const oldest = before;
    before = previous;
    previous = current;
    current = oldest;
  }
  return std::min(previous[b.size()], limit + 1);
}

// How common the headword's meaning is, read from its article: one per line, and for a
// pinyin list the words it leaves out ("(12 less common words not listed)").
std::size_t commonness(std::u16string_view article) {
  std::size_t lines = static_cast<std::size_t>(std::count(article.begin(), article.end(), u'\n'));
  constexpr std::u16string_view leftOut = u" less common words not listed)";
  const std::size_t at = article.rfind(leftOut);
  if (at != std::u16string_view::npos) {
    std::size_t start = at;
    while (start > 0 && article[start - 1] >= u'0' && article[start - 1] <= u'9' && at - start < 7) {
      --start;
    }
    std::size_t number = 0;
    for (std::size_t i = start; i < at; ++i) {
      number = number * 10 + static_cast<std::size_t>(article[i] - u'0');
    }
    lines += number;
  }
  return lines;
}

// The learner level an article gives its word ("HSK 2" on a line of its own), or 0 when
// it gives none.
std::size_t levelInArticle(std::u16string_view article) {
  constexpr std::u16string_view mark = u"\nHSK ";
  const std::size_t at = article.find(mark);
  if (at == std::u16string_view::npos) {
    return 0;
  }
  std::size_t level = 0;
  std::size_t i = at + mark.size();
  for (; i < article.size() && i < at + mark.size() + 2 && article[i] >= u'0' && article[i] <= u'9'; ++i) {
    level = level * 10 + static_cast<std::size_t>(article[i] - u'0');
  }
  return i < article.size() && article[i] != u'\n' && article[i] != u'\r' ? 0 : level;
}

// How early a learner meets a Chinese English headword: the level of the word itself, or
// for a pinyin key the level of the word it lists first ("1. 学生 (學生) xué sheng: …");
// 0 when unknown. Levels say more of how common a word is than a pinyin key's length,
// which counts its homophones.
std::size_t learnerLevel(const ArticleText& text, const std::u16string_view article, bool pinyinKey) {
  if (!pinyinKey) {
    return levelInArticle(article);
  }
  constexpr std::u16string_view first = u"1. ";
  if (article.substr(0, first.size()) != first) {
    return 0;
  }
  const std::u16string_view rest = article.substr(first.size());
  const std::u16string_view word = rest.substr(0, std::min(rest.find(u' '), rest.find(u'\n')));
  if (word.empty()) {
    return 0;
  }
  const ArticleLookup found = findArticle(text, word);
  return found.status == ArticleStatus::Found ? levelInArticle(found.article) : 0;
}

// Counts of the units by their low five bits (capitals folded). One edit changes at most
// two counts by one each and a swap none, so words whose counts differ by more than twice
// the allowed edits cannot be near: a check that costs one pass over the headword where
// the distance costs a pass per unit.
using UnitCounts = std::array<int, 32>;

UnitCounts unitCounts(std::u16string_view word, bool fold) {
  UnitCounts counts{};
  for (const char16_t c : word) {
    ++counts[(fold ? foldedAscii(c) : c) & 31];
  }
  return counts;
}

bool countsWithin(UnitCounts counts, std::u16string_view headword, bool fold, std::size_t limit) {
  for (const char16_t c : headword) {
    --counts[(fold ? foldedAscii(c) : c) & 31];
  }
  std::size_t differences = 0;
  for (const int count : counts) {
    differences += static_cast<std::size_t>(count < 0 ? -count : count);
  }
  return differences <= 2 * limit;
}

struct Candidate {
  std::u16string_view headword;
  std::u16string_view article;
  std::size_t distance = 0;
  std::size_t order = 0;
};

// What kind of headword the typed text is compared with, and how.
struct Comparison {
  std::u16string query;
  std::size_t limit = 0;
  bool fold = false;
  bool transpositions = false;
  // Chinese→English: pinyin keys only, or only the headwords that are no pinyin key.
  bool pinyinKeysOnly = false;
  bool otherHeadwordsOnly = false;
};

bool comparisonFor(std::u16string_view word, Direction direction, Comparison& out) {
  if (direction == Direction::EnglishChinese) {
    out.query.assign(word);
    out.limit = allowedEdits(word.size(), false);
    out.fold = true;
    out.transpositions = true;
    return true;
  }
  TypedPinyin pinyin;
  if (readTypedPinyin(word, pinyin, maxNearWordLength)) {
    out.query = std::move(pinyin.key);
    out.limit = allowedEdits(out.query.size(), true);
    out.pinyinKeysOnly = true;
    return true;
  }
  // Latin letters that are no pinyin ("shuiy!") find nothing among Chinese headwords.
  if (hasAsciiLetter(word)) {
    return false;
  }
  out.query.assign(word);
  out.limit = word.size() >= 2 ? 1 : 0;
  out.otherHeadwordsOnly = true;
  return true;
}

}  // namespace

std::size_t allowedEdits(std::size_t length, bool pinyin) {
  if (length < 3) {
    return 0;
  }
  if (length <= (pinyin ? 8u : 5u)) {
    return 1;
  }
  return 2;
}

std::u16string_view nearWordQuery(std::u16string_view typed) {
  typed = typed.substr(0, maxArticleWordLength);
  return withoutEnclosingPunctuation(typed.substr(0, typed.find(u'\0')));
}

std::vector<std::u16string_view> nearestHeadwords(const ArticleText& text, std::u16string_view typed,
                                                  Direction direction) {
  std::vector<std::u16string_view> nearest;
  const std::u16string_view word = nearWordQuery(typed);
  Comparison comparison;
  if (word.empty() || word.size() > maxNearWordLength || !comparisonFor(word, direction, comparison)) {
    return nearest;
  }
  const std::u16string_view query = comparison.query;
  const std::u16string_view all = text.text;
  std::vector<Candidate> candidates;
  std::size_t limit = comparison.limit;
  const UnitCounts queryCounts = unitCounts(query, comparison.fold);
  std::size_t order = 0;
  // Articles hold no "|", so the search goes from bar to bar; a bar after a line feed
  // starts a record.
  for (std::size_t bar = all.find(u'|'); bar != std::u16string_view::npos; bar = all.find(u'|', bar + 1)) {
    if (bar == 0 || all[bar - 1] != u'\n') {
      continue;
    }
    const std::size_t head = bar + 1;
    const std::size_t headEnd = all.find(u'|', head);
    if (headEnd == std::u16string_view::npos) {
      break;
    }
    const std::u16string_view headword = all.substr(head, headEnd - head);
    bar = headEnd;
    ++order;
    // In sorted text the pinyin keys all come before the first headword beyond "z".
    if (comparison.pinyinKeysOnly && text.sortedRecords && !headword.empty() && headword.front() > u'z') {
      break;
    }
    // Lengths further apart than the allowed edits cannot be near.
    const std::size_t gap =
        headword.size() > query.size() ? headword.size() - query.size() : query.size() - headword.size();
    if (gap > limit || headword.empty()) {
      continue;
    }
    if (!countsWithin(queryCounts, headword, comparison.fold, limit)) {
      continue;
    }
    const bool pinyinKey = isPinyinKey(headword);
    if ((comparison.pinyinKeysOnly && !pinyinKey) || (comparison.otherHeadwordsOnly && pinyinKey)) {
      continue;
    }
    const std::size_t distance = boundedDistance(query, headword, limit, comparison.fold, comparison.transpositions);
    if (distance > limit) {
      continue;
    }
    // The typed text itself, when the exact search and its readings missed it, is
    // no suggestion.
    if (distance == 0 && headword == word) {
      continue;
    }
    std::size_t articleEnd = all.find(u'|', headEnd + 1);
    if (articleEnd == std::u16string_view::npos) {
      articleEnd = all.size();
    }
    candidates.push_back({headword, all.substr(headEnd + 1, articleEnd - headEnd - 1), distance, order});
    // Enough at the nearest distances: the farther ones can never be shown.
    if (candidates.size() >= maxCandidates && limit > 0) {
      const std::size_t farthest = limit;
      const auto nearer = std::count_if(candidates.begin(), candidates.end(),
                                        [farthest](const Candidate& c) { return c.distance < farthest; });
      if (static_cast<std::size_t>(nearer) >= maxNearWords) {
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                        [farthest](const Candidate& c) { return c.distance >= farthest; }),
                         candidates.end());
        limit = farthest - 1;
      }
    }
    if (candidates.size() >= 2 * maxCandidates) {
      break;
    }
  }
  struct Ranked {
    std::size_t level;  // 0: none known, ranked after every known level
    std::size_t commonness;
    Candidate candidate;
  };
  const bool chinese = direction == Direction::ChineseEnglish;
  std::vector<Ranked> ranked;
  ranked.reserve(candidates.size());
  for (const Candidate& candidate : candidates) {
    const std::size_t level = chinese ? learnerLevel(text, candidate.article, comparison.pinyinKeysOnly) : 0;
    ranked.push_back({level, commonness(candidate.article), candidate});
  }
  std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    if (a.candidate.distance != b.candidate.distance) {
      return a.candidate.distance < b.candidate.distance;
    }
    if (a.level != b.level) {
      return a.level != 0 && (b.level == 0 || a.level < b.level);
    }
    if (a.commonness != b.commonness) {
      return a.commonness > b.commonness;
    }
    return a.candidate.order < b.candidate.order;
  });
  for (const Ranked& entry : ranked) {
    if (nearest.size() == maxNearWords) {
      break;
    }
    // The same headword twice in the file is offered once.
    if (std::find(nearest.begin(), nearest.end(), entry.candidate.headword) == nearest.end()) {
      nearest.push_back(entry.candidate.headword);
    }
  }
  return nearest;
}

std::u16string noEntryMessage(std::u16string_view typed, const std::vector<std::u16string_view>& suggestions) {
  std::u16string_view quoted = nearWordQuery(typed);
  // Text that is nothing but punctuation is quoted as typed.
  if (quoted.empty()) {
    quoted = typed.substr(0, maxArticleWordLength);
  }
  bool cut = false;
  if (quoted.size() > maxQuotedLength) {
    std::size_t length = maxQuotedLength;
    // Never the first half of a pair without its second.
    if (quoted[length - 1] >= 0xD800 && quoted[length - 1] <= 0xDBFF) {
      --length;
    }
    quoted = quoted.substr(0, length);
    cut = true;
  }
  std::u16string message = u"No entry for \"";
  message.append(quoted);
  if (cut) {
    message += u'\u2026';
  }
  message += u"\".";
  if (suggestions.empty()) {
    return message;
  }
  message += u" Did you mean:";
  for (const std::u16string_view headword : suggestions) {
    message += u"\r\n";
    message.append(headword);
  }
  message += u"\r\n";
  return message;
}
