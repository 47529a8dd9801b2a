#include "word_forms.h"

#include <algorithm>

#include "utf.h"

namespace article_builder {

namespace {

bool isLowerWord(std::string_view word) {
  if (word.size() < 2) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

bool endsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A stressed-looking final consonant-vowel-consonant ("stop", "big") doubles
// its consonant before a vowel ending; which words really do is left to the
// word list, so both spellings are offered.
bool mayDouble(std::string_view base) {
  const std::size_t n = base.size();
  if (n < 3) return false;
  const char last = base[n - 1];
  return !isVowel(last) && last != 'w' && last != 'x' && last != 'y' && isVowel(base[n - 2]) && !isVowel(base[n - 3]);
}

bool consonantY(std::string_view base) {
  return base.size() >= 2 && base.back() == 'y' && !isVowel(base[base.size() - 2]);
}

std::vector<std::string> sForms(const std::string& base) {
  if (consonantY(base)) return {base.substr(0, base.size() - 1) + "ies"};
  if (endsWith(base, "s") || endsWith(base, "x") || endsWith(base, "z") || endsWith(base, "ch") ||
      endsWith(base, "sh")) {
    return {base + "es"};
  }
  if (base.back() == 'o' && !isVowel(base[base.size() - 2])) return {base + "es", base + "s"};
  return {base + "s"};
}

// Forms made with a vowel ending: "ed", "ing", "er", "est".
std::vector<std::string> vowelEndingForms(const std::string& base, const std::string& ending) {
  std::vector<std::string> forms;
  if (ending == "ing") {
    if (endsWith(base, "ie")) return {base.substr(0, base.size() - 2) + "ying"};
    if (base.back() == 'e' && !endsWith(base, "ee") && !endsWith(base, "oe") && !endsWith(base, "ye")) {
      return {base.substr(0, base.size() - 1) + "ing", base + "ing"};
    }
  } else {
    if (base.back() == 'e') return {base + ending.substr(1)};
    if (consonantY(base)) return {base.substr(0, base.size() - 1) + "i" + ending};
  }
  if (mayDouble(base)) forms.push_back(base + base.back() + ending);
  forms.push_back(base + ending);
  return forms;
}

std::string irregularRelation(const std::string& form, PartOfSpeech part) {
  switch (part) {
    case kNoun:
      return "plural";
    case kVerb:
      if (endsWith(form, "ing")) return "present participle";
      // The irregular present of "be" besides "is", and its past that ends in "s".
      if (form == "am" || form == "are") return "form";
      if (form == "was") return "past form";
      return endsWith(form, "s") ? "form" : "past form";
    case kAdjective:
    case kAdverb:
      if (endsWith(form, "est")) return "superlative";
      if (endsWith(form, "er")) return "comparative";
      return "form";
  }
  return "form";
}

std::string fromWordNet(std::string_view word) {
  std::string out(word);
  std::replace(out.begin(), out.end(), '_', ' ');
  return out;
}

}  // namespace

void addWordNetIndex(FormSources& sources, std::string_view text, PartOfSpeech part) {
  for (const std::string_view line : textLines(text)) {
    // The licence text at the top is indented; lemma lines start with the lemma.
    if (line.empty() || line.front() == ' ') continue;
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0) {
      ++sources.skippedLines;
      continue;
    }
    sources.lemmas[fromWordNet(line.substr(0, blank))] |= part;
  }
}

void addWordNetExceptions(FormSources& sources, std::string_view text, PartOfSpeech part) {
  for (const std::string_view line : textLines(text)) {
    if (line.empty()) continue;
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
      std::size_t end = line.find(' ', pos);
      if (end == std::string_view::npos) end = line.size();
      if (end > pos) words.push_back(line.substr(pos, end - pos));
      pos = end + 1;
    }
    if (words.size() < 2) {
      ++sources.skippedLines;
      continue;
    }
    for (std::size_t i = 1; i < words.size(); ++i) {
      sources.exceptions.push_back({fromWordNet(words[0]), fromWordNet(words[i]), part});
    }
  }
}

void addWordList(FormSources& sources, std::string_view text) {
  for (const std::string_view line : textLines(text)) {
    if (line.empty() || line.find('\'') != std::string_view::npos) continue;
    sources.words.emplace(line);
  }
}

std::vector<FormLink> formLinks(const std::vector<std::string>& headwords, const FormSources& sources) {
  std::unordered_set<std::string> bases;
  for (const std::string& headword : headwords) {
    if (isLowerWord(headword)) bases.insert(headword);
  }

  std::vector<FormLink> links;
  std::unordered_map<std::string, std::size_t> linkOf;  // form + '\n' + base -> index in links
  const auto add = [&](const std::string& form, const std::string& base, const std::string& relation) {
    if (form == base || !isLowerWord(form)) return;
    const auto inserted = linkOf.emplace(form + '\n' + base, links.size());
    if (inserted.second) {
      links.push_back({form, base, relation});
      return;
    }
    // "runs" is the plural of the noun and a form of the verb: one line says both.
    std::string& existing = links[inserted.first->second].relation;
    if (existing != relation && existing.find(" or " + relation) == std::string::npos) {
      existing += " or " + relation;
    }
  };

  std::unordered_set<std::string> irregularVerbs;
  for (const FormSources::Exception& exception : sources.exceptions) {
    if (exception.part == kVerb) irregularVerbs.insert(exception.base);
    if (bases.count(exception.base) != 0) {
      add(exception.form, exception.base, irregularRelation(exception.form, exception.part));
    }
  }
  const auto isLemma = [&](const std::string& word, PartOfSpeech part) {
    const auto found = sources.lemmas.find(word);
    return found != sources.lemmas.end() && (found->second & part) != 0;
  };

  // Regular forms in a fixed order of headwords, so the output never
  // depends on hash table order.
  std::vector<std::string> ordered(bases.begin(), bases.end());
  std::sort(ordered.begin(), ordered.end());
  // Every spelling the word list has ("benefited" and "benefitted" both), but not one
  // that another word of that part of speech makes more plainly: "staring" is stare's,
  // not star's; "singing" is sing's, not singe's; "singed" is singe's, not sing's.
  const auto addKnown = [&](const std::vector<std::string>& forms, const std::string& base, const std::string& relation,
                            PartOfSpeech part) {
    for (const std::string& form : forms) {
      if (sources.words.count(form) == 0) continue;
      const bool plain =
          form.compare(0, base.size(), base) == 0 && form.size() > base.size() && isVowel(form[base.size()]);
      // A base that doubles its consonant: the undoubled spelling is that of base + "e".
      if (plain && mayDouble(base) && isLemma(base + "e", part)) continue;
      // A base in "e" that keeps it ("singeing"): the spelling without it is the shorter
      // word's, when that does not double ("singing" is sing's).
      if (base.back() == 'e' && form.compare(0, base.size(), base) != 0 && sources.words.count(base + "ing") != 0) {
        const std::string shorter = base.substr(0, base.size() - 1);
        if (isLemma(shorter, part) && !mayDouble(shorter)) continue;
      }
      // An irregular verb's regular past that is another word: "singed" is singe's, "bed"
      // and "seed" are no past forms of "be" and "see".
      if (part == kVerb && irregularVerbs.count(base) != 0 &&
          ((form == base + "d" && isLemma(form, kNoun)) || (form == base + "ed" && isLemma(base + "e", kVerb)))) {
        continue;
      }
      add(form, base, relation);
    }
  };
  for (const std::string& base : ordered) {
    const auto lemma = sources.lemmas.find(base);
    if (lemma == sources.lemmas.end()) continue;
    const unsigned parts = lemma->second;
    if ((parts & kNoun) != 0) addKnown(sForms(base), base, "plural", kNoun);
    if ((parts & kVerb) != 0) {
      addKnown(sForms(base), base, "third person", kVerb);
      addKnown(vowelEndingForms(base, "ed"), base, "past form", kVerb);
      addKnown(vowelEndingForms(base, "ing"), base, "present participle", kVerb);
    }
    if ((parts & kAdjective) != 0) {
      // An "-er" word is a comparative only beside its "-est": "owner" and "customer"
      // are nouns, not forms of "own" and "custom".
      std::vector<std::string> comparatives = vowelEndingForms(base, "er");
      const std::vector<std::string> superlatives = vowelEndingForms(base, "est");
      for (std::size_t k = 0; k < comparatives.size(); ++k) {
        if (k >= superlatives.size() || sources.words.count(superlatives[k]) == 0) comparatives[k].clear();
      }
      addKnown(comparatives, base, "comparative", kAdjective);
      addKnown(superlatives, base, "superlative", kAdjective);
    }
  }
  return links;
}

std::string formLinkLine(const FormLink& link) { return link.form + ": " + link.relation + " of " + link.base; }

}  // namespace article_builder
