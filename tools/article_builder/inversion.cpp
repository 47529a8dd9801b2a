#include "inversion.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "glosses.h"
#include "utf.h"

namespace article_builder {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Removes "( ... )" and "[ ... ]" groups, nested or not; an unclosed group
// runs to the end.
std::string withoutBracketedRemarks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  int depth = 0;
  for (char c : s) {
    if (c == '(' || c == '[') {
      ++depth;
      out.push_back(' ');
    } else if ((c == ')' || c == ']') && depth > 0) {
      --depth;
    } else if (depth == 0) {
      out.push_back(c);
    }
  }
  return out;
}

std::string collapseBlanks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out.push_back(' ');
    } else {
      out.push_back(c);
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

bool isEdgePunctuation(char c) {
  return c == '.' || c == ',' || c == '!' || c == '?' || c == ':' || c == ';' || c == '"' || c == ' ' || c == '\'' ||
         c == '-';
}

// Strips `prefix` when something follows it.
bool dropPrefix(std::string& s, std::string_view prefix) {
  if (s.size() > prefix.size() && startsWith(s, prefix)) {
    s.erase(0, prefix.size());
    return true;
  }
  return false;
}

bool dropSuffix(std::string& s, std::string_view suffix) {
  if (s.size() > suffix.size() && endsWith(s, suffix)) {
    s.erase(s.size() - suffix.size());
    return true;
  }
  return false;
}

// Letters, digits and the few marks that occur inside English words and
// names ("T-shirt", "o'clock", "AT&T", "Zürich").
bool allowedHeadwordText(std::string_view s) {
  std::u32string text;
  if (!decodeUtf8(s, text)) return false;
  bool letter = false;
  for (char32_t c : text) {
    const bool ascii = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    const bool latin = c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
    if (ascii || latin) {
      letter = true;
      continue;
    }
    if ((c >= U'0' && c <= U'9') || c == U' ' || c == U'-' || c == U'\'' || c == U'.' || c == U'&' || c == U'+') {
      continue;
    }
    return false;
  }
  return letter;
}

std::size_t wordCount(std::string_view s) {
  std::size_t words = s.empty() ? 0 : 1;
  for (char c : s) {
    if (c == ' ') ++words;
  }
  return words;
}

// Splits a gloss at ";" outside parentheses: "(usually ...; ...) completely"
// stays one part.
std::vector<std::string_view> splitParts(std::string_view gloss) {
  std::vector<std::string_view> parts;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < gloss.size(); ++i) {
    const char c = gloss[i];
    if (c == '(' || c == '[') ++depth;
    if ((c == ')' || c == ']') && depth > 0) --depth;
    if (c == ';' && depth == 0) {
      parts.push_back(gloss.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(gloss.substr(start));
  return parts;
}

// "listen to" -> "listen": a verb phrase that ends in a particle or
// preposition stands for its verb too. Empty for anything else.
std::string phraseHeadWord(const std::string& headword) {
  static const std::unordered_set<std::string_view> particles = {
      "to",   "for",  "at",   "on",    "in",   "with", "of",     "about",   "up", "out",  "off", "down",
      "into", "from", "over", "after", "away", "back", "around", "through", "by", "upon", "onto"};
  const std::size_t blank = headword.rfind(' ');
  if (blank == std::string::npos || blank == 0) return {};
  if (particles.count(std::string_view(headword).substr(blank + 1)) == 0) return {};
  std::string head = headword.substr(0, blank);
  while (!head.empty() && head.back() == ' ') head.pop_back();
  if (head.empty() || particles.count(head) != 0) return {};
  return head;
}

// "wait for" -> true, "give up" -> false: the phrase's last word is a
// preposition that takes the verb's object, so the phrase is the verb's
// transitive use rather than a verb of its own.
bool endsInObjectPreposition(std::string_view headword) {
  static const std::unordered_set<std::string_view> prepositions = {"to", "for",   "at",   "with",
                                                                    "of", "about", "from", "upon"};
  const std::size_t blank = headword.rfind(' ');
  return blank != std::string_view::npos && prepositions.count(headword.substr(blank + 1)) != 0;
}

// A leading remark that limits where the meaning holds: "(after a verb)",
// "(of a person)", "(used as a suffix)". Others only add a word ("(once)
// again", "(concept of) time") or name the part of speech ("(pronoun) this").
bool isUsageCondition(std::string_view remark) {
  static constexpr std::string_view conditions[] = {
      "after ", "before ",   "of ",       "in ",   "on ",         "at ",      "used ", "when ", "with ", "for ",
      "as ",    "followed ", "preceded ", "esp. ", "especially ", "between ", "by ",   "from ", "to ",   "about "};
  const std::string low = asciiLower(remark);
  return std::any_of(std::begin(conditions), std::end(conditions),
                     [&](std::string_view word) { return startsWith(low, word); });
}

}  // namespace

std::string englishHeadword(std::string_view part) {
  std::string s = collapseBlanks(part);
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  std::string low = asciiLower(s);

  // A literal rendering of an idiom is not a translation of it, nor is a comparison, a
  // remark on the word's use or a pronunciation note.
  if (startsWith(low, "lit.") || startsWith(low, "(lit.)") || startsWith(low, "lit:")) return {};
  for (std::string_view remark : {"cf ", "cf. ", "euphemism for", "usually used"}) {
    if (startsWith(low, remark)) return {};
  }
  if (low.find("pr. [") != std::string::npos || endsWith(low, " pr") || endsWith(low, " pr.")) return {};
  if (!dropPrefix(s, "fig. ")) dropPrefix(s, "(fig.) ");
  // Labels before the meaning: "by ext. to swagger" is "to swagger".
  for (std::string_view label : {"by ext. ", "coll. ", "arch. ", "e.g. ", "esp. "}) {
    if (dropPrefix(s, label)) break;
  }
  // An exclamation or question glossed as a sentence ("Good night!") is the phrase a
  // learner types in lower case, unless it begins with "I" or has other capitals.
  {
    std::string_view end = s;
    while (!end.empty() && end.back() == ' ') end.remove_suffix(1);
    const bool sentence = !end.empty() && (end.back() == '!' || end.back() == '?');
    const bool otherCapitals =
        std::any_of(s.begin() + (s.empty() ? 0 : 1), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    const bool firstPerson = s == "I" || startsWith(s, "I ") || startsWith(s, "I'");
    if (sentence && !otherCapitals && !firstPerson && !s.empty() && s.front() >= 'A' && s.front() <= 'Z') {
      s.front() = static_cast<char>(s.front() - 'A' + 'a');
    }
  }

  s = collapseBlanks(withoutBracketedRemarks(s));
  if (s.find('|') != std::string::npos) return {};
  // "CL:" lists and Chinese cross-references are not English.
  {
    std::u32string text;
    if (!decodeUtf8(s, text)) return {};
    for (char32_t c : text) {
      if (isHanCharacter(c)) return {};
    }
  }

  while (!s.empty() && isEdgePunctuation(s.front())) s.erase(0, 1);
  while (!s.empty() && isEdgePunctuation(s.back())) s.pop_back();
  dropSuffix(s, " etc");
  dropSuffix(s, " etc.");
  while (!s.empty() && isEdgePunctuation(s.back())) s.pop_back();

  // Verbs are looked up without "to", adjectives without "to be".
  const bool verb = dropPrefix(s, "to ");
  if (verb) dropPrefix(s, "be ");
  if (!dropPrefix(s, "a ") && !dropPrefix(s, "an ")) dropPrefix(s, "the ");
  for (std::string_view object : {" sb/sth", " sth/sb", " sb or sth", " sb", " sth", " oneself"}) {
    if (dropSuffix(s, object)) break;
  }
  while (!s.empty() && isEdgePunctuation(s.back())) s.pop_back();

  // A headword starts with a letter or digit: "to ... -ize" is a pattern,
  // not a word anyone types.
  if (s.empty() || s.front() == ' ' || s.front() == '.' || s.front() == '-' || s.front() == '\'') return {};
  if (!allowedHeadwordText(s)) return {};
  if (wordCount(s) > kMaxEnglishWords || utf16Length(s) > kMaxEnglishChars) return {};

  low = asciiLower(s);
  if (low == "sb" || low == "sth" || low == "etc") return {};
  // Remarks about the entry rather than meanings: "variant of ...", "surname Wang",
  // "classifier for ...", "radical in Chinese characters". The words themselves
  // ("surname", "radical", "to see off", "used to") are headwords like any other.
  for (std::string_view prefix :
       {"variant ", "abbr.", "abbr ", "abbreviation for", "abbreviation of", "also ", "classifier for", "name of",
        "old name", "radical in", "radical number", "radical no", "kangxi", "erhua", "lit "}) {
    if (startsWith(low, prefix)) return {};
  }
  if (startsWith(s, "surname ") && s.size() > 8 && s[8] >= 'A' && s[8] <= 'Z') return {};
  if (!verb && startsWith(low, "see ")) return {};
  if (startsWith(low, "used ") && wordCount(s) > 2) return {};
  return s;
}

std::vector<GlossHeadword> englishHeadwords(std::string_view gloss) {
  std::vector<GlossHeadword> found;
  if (classifyGloss(gloss) != GlossKind::sense) return found;
  const std::vector<std::string_view> parts = splitParts(gloss);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string headword = englishHeadword(parts[i]);
    if (headword.empty()) continue;
    std::string_view part = parts[i];
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    GlossHeadword match;
    match.part = i;
    if (!part.empty() && part.front() == '(') {
      const std::size_t close = part.find(')');
      const std::string_view remark = part.substr(1, close == std::string_view::npos ? 0 : close - 1);
      match.remarkFirst = isUsageCondition(remark);
      match.qualified = close != std::string_view::npos && part.find('(', close) != std::string_view::npos;
    } else {
      match.qualified = part.find('(') != std::string_view::npos;
    }
    // "to call oneself" is a narrower meaning than "to call".
    if (part.find(" oneself") != std::string_view::npos) match.qualified = true;
    match.verb = startsWith(part, "to ");
    // Only a verb of two words stands under its first: "listen to" under "listen", but
    // not "at the (back)" under "at", "badly (off)" under "badly" or "put up (with)".
    const std::string head = match.verb && wordCount(headword) == 2 ? phraseHeadWord(headword) : std::string();
    for (int pass = 0; pass < 2; ++pass) {
      match.headword = pass == 0 ? headword : head;
      match.phraseHead = pass == 1;
      match.objectPreposition = match.phraseHead && endsInObjectPreposition(headword);
      if (match.headword.empty()) continue;
      const bool seen =
          std::any_of(found.begin(), found.end(), [&](const GlossHeadword& h) { return h.headword == match.headword; });
      if (!seen) found.push_back(match);
    }
  }
  return found;
}

double matchWeight(const GlossHeadword& found, std::size_t senseIndex, bool singleCharacter) {
  double weight = singleCharacter ? 1.0 / static_cast<double>(senseIndex + 1) : 1.0;
  if (senseIndex == 0 && found.part == 0) weight *= 3.0;
  if (found.remarkFirst) {
    weight *= 0.25;
  } else if (found.qualified) {
    weight *= 0.5;
  }
  // "give up" says little about "give": such a phrase only helps its head
  // word to be found at all. "wait for" is waiting with an object, and says
  // more: 等 "to wait for" is the word for "wait".
  if (found.phraseHead) weight *= found.objectPreposition ? 0.5 : 0.15;
  return weight;
}

double tagAgreement(std::string_view tag, const GlossHeadword& found) {
  if (tag == "q") return 0.3;
  if (!tag.empty() && tag.front() == 'n' && found.verb) return 0.5;
  if (tag == "v" && !found.verb) return 0.5;
  return 1.0;
}

double positionWeight(std::size_t senseIndex, std::size_t senseCount, std::size_t part) {
  // The first part of the first sense is the word's usual translation (用
  // "to use", 看 "to see"): the senses that follow it do not make it rarer.
  if (senseIndex == 0 && part == 0) return 1.0;
  if (senseCount <= senseIndex) senseCount = senseIndex + 1;
  double harmonic = 0.0;
  for (std::size_t k = 1; k <= senseCount; ++k) harmonic += 1.0 / static_cast<double>(k);
  // Half falling with the position, half spread evenly: a word with many
  // senses gives each of its later ones less.
  const double falling = (1.0 / static_cast<double>(senseIndex + 1)) / harmonic;
  const double even = 1.0 / static_cast<double>(senseCount);
  return (0.5 * falling + 0.5 * even) / (1.0 + 0.5 * static_cast<double>(part));
}

double registerWeight(std::string_view gloss) {
  double weight = 1.0;
  // Labels usually lead ("(literary) (Tw) ..."), but also follow the
  // meaning ("big (old)"). Each label counts once. "(loanword)" tells where
  // a word comes from, not where it is used (咖啡 "coffee", 沙发 "sofa").
  bool colloquial = false;
  bool bound = false;
  bool rare = false;
  std::size_t open = gloss.find('(');
  while (open != std::string_view::npos) {
    const std::size_t close = gloss.find(')', open);
    if (close == std::string_view::npos) break;
    const std::string label = asciiLower(gloss.substr(open + 1, close - open - 1));
    if (label == "coll." || label == "colloquial" || label == "informal") {
      colloquial = true;
    } else if (startsWith(label, "bound form")) {
      bound = true;
    } else if (label == "literary" || label == "archaic" || label == "old" || label == "dialect" ||
               endsWith(label, " dialect") || label == "slang" || label == "courteous" || label == "polite" ||
               label == "honorific" || label == "formal" || label == "tw" || label == "taiwan" ||
               label == "in taiwan" || label == "hk" || label == "hong kong" || label == "singapore" ||
               label == "cantonese" || label == "internet slang" || label == "old-fashioned" || label == "classical" ||
               label == "euphemism" || label == "vulgar" || label == "derog." || label == "humble" ||
               label == "onom." || label == "obsolete" || label == "neologism" || label == "abbr." ||
               label == "abbreviation" || label == "archaic variant") {
      rare = true;
    }
    open = gloss.find('(', close);
  }
  if (colloquial) weight *= 0.7;
  if (bound) weight *= 0.5;
  if (rare) weight *= 0.3;
  return weight;
}

bool isMainMeaning(const GlossHeadword& found, std::size_t senseIndex) {
  return senseIndex == 0 && found.part == 0 && !found.qualified && !found.phraseHead && !found.remarkFirst;
}

double partOfSpeechWeight(std::string_view tag, std::string_view headword, bool mainMeaning) {
  // Prepositions, conjunctions, pronouns, particles, interjections and
  // modal particles: their counts come from that use.
  const bool functionTag = tag == "p" || tag == "c" || tag == "r" || tag == "rr" || tag == "rz" || tag == "y" ||
                           tag == "e" || tag == "o" || (!tag.empty() && tag.front() == 'u');
  if (!functionTag) return 1.0;
  static const std::unordered_set<std::string_view> functionWords = {"a",
                                                                     "an",
                                                                     "the",
                                                                     "this",
                                                                     "that",
                                                                     "these",
                                                                     "those",
                                                                     "I",
                                                                     "me",
                                                                     "my",
                                                                     "mine",
                                                                     "myself",
                                                                     "you",
                                                                     "your",
                                                                     "yours",
                                                                     "yourself",
                                                                     "he",
                                                                     "him",
                                                                     "his",
                                                                     "himself",
                                                                     "she",
                                                                     "her",
                                                                     "hers",
                                                                     "herself",
                                                                     "it",
                                                                     "its",
                                                                     "itself",
                                                                     "we",
                                                                     "us",
                                                                     "our",
                                                                     "ours",
                                                                     "ourselves",
                                                                     "they",
                                                                     "them",
                                                                     "their",
                                                                     "theirs",
                                                                     "themselves",
                                                                     "oneself",
                                                                     "self",
                                                                     "who",
                                                                     "whom",
                                                                     "whose",
                                                                     "what",
                                                                     "which",
                                                                     "where",
                                                                     "when",
                                                                     "why",
                                                                     "how",
                                                                     "whoever",
                                                                     "whatever",
                                                                     "wherever",
                                                                     "whenever",
                                                                     "however",
                                                                     "and",
                                                                     "or",
                                                                     "but",
                                                                     "nor",
                                                                     "if",
                                                                     "then",
                                                                     "so",
                                                                     "because",
                                                                     "since",
                                                                     "although",
                                                                     "though",
                                                                     "than",
                                                                     "as",
                                                                     "while",
                                                                     "unless",
                                                                     "until",
                                                                     "till",
                                                                     "in",
                                                                     "on",
                                                                     "at",
                                                                     "to",
                                                                     "from",
                                                                     "by",
                                                                     "for",
                                                                     "with",
                                                                     "without",
                                                                     "of",
                                                                     "about",
                                                                     "toward",
                                                                     "towards",
                                                                     "into",
                                                                     "onto",
                                                                     "upon",
                                                                     "through",
                                                                     "between",
                                                                     "among",
                                                                     "after",
                                                                     "before",
                                                                     "above",
                                                                     "below",
                                                                     "under",
                                                                     "over",
                                                                     "near",
                                                                     "along",
                                                                     "across",
                                                                     "against",
                                                                     "according to",
                                                                     "here",
                                                                     "there",
                                                                     "all",
                                                                     "each",
                                                                     "every",
                                                                     "some",
                                                                     "any",
                                                                     "both",
                                                                     "other",
                                                                     "another",
                                                                     "such",
                                                                     "also",
                                                                     "too",
                                                                     "even",
                                                                     "only",
                                                                     "not",
                                                                     "no",
                                                                     "yes",
                                                                     "oh",
                                                                     "ah",
                                                                     "hey",
                                                                     "hello",
                                                                     "hi",
                                                                     "alas",
                                                                     "wow",
                                                                     "hmm",
                                                                     "other people",
                                                                     "everybody",
                                                                     "everyone",
                                                                     "someone",
                                                                     "somebody",
                                                                     "anyone",
                                                                     "anybody",
                                                                     "nobody",
                                                                     "something",
                                                                     "anything",
                                                                     "nothing",
                                                                     "everything",
                                                                     "together with",
                                                                     "whether",
                                                                     "instead of",
                                                                     "because of",
                                                                     "in order to",
                                                                     "regarding",
                                                                     "concerning",
                                                                     "via",
                                                                     "per",
                                                                     "than",
                                                                     "like",
                                                                     "ok",
                                                                     "OK",
                                                                     "okay"};
  if (functionWords.count(headword) != 0) return 1.0;
  // A content meaning the dictionary puts first (用 "to use", tagged a
  // preposition for "with") is a large part of the count, if not all.
  return mainMeaning ? 0.5 : 0.2;
}

void rankCandidates(std::vector<Candidate>& candidates, const std::vector<Entry>& entries, std::size_t limit) {
  const auto better = [](const Candidate& a, const Candidate& b) {
    if (a.counted != b.counted) return a.counted;
    if (a.counted && a.score != b.score) return a.score > b.score;
    return a.order < b.order;
  };
  std::stable_sort(candidates.begin(), candidates.end(), better);

  // One line per word: its best reading and sense stand for it.
  std::vector<Candidate> kept;
  kept.reserve(std::min(limit, candidates.size()));
  std::unordered_map<std::string_view, bool> seen;
  for (const Candidate& candidate : candidates) {
    if (kept.size() >= limit) break;
    if (candidate.entry >= entries.size()) continue;
    const std::string_view word = entries[candidate.entry].simplified;
    if (!seen.emplace(word, true).second) continue;
    kept.push_back(candidate);
  }
  candidates.swap(kept);
}

}  // namespace article_builder
