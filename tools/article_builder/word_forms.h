// English word forms: which typed forms ("oranges", "bought", "happier") stand
// for which headwords ("orange", "buy", "happy"). Irregular forms come from
// WordNet's exception lists, regular ones from the spelling rules, each kept
// only when a real word list has it and its base is a headword of ours.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace article_builder {

enum PartOfSpeech : unsigned { kNoun = 1, kVerb = 2, kAdjective = 4, kAdverb = 8 };

struct FormSources {
  // Lemmas (lower case, blanks for WordNet's underscores) -> PartOfSpeech bits.
  std::unordered_map<std::string, unsigned> lemmas;
  // Irregular forms: form -> (base, part of speech), in file order.
  struct Exception {
    std::string form;
    std::string base;
    PartOfSpeech part;
  };
  std::vector<Exception> exceptions;
  // Words a regular form must be found in to count as English.
  std::unordered_set<std::string> words;
  std::size_t skippedLines = 0;

  bool empty() const { return lemmas.empty() && exceptions.empty(); }
};

// Adds the lemmas of one WordNet index file ("index.noun") for `part`.
void addWordNetIndex(FormSources& sources, std::string_view text, PartOfSpeech part);
// Adds one WordNet exception list ("noun.exc": "form base [base...]").
void addWordNetExceptions(FormSources& sources, std::string_view text, PartOfSpeech part);
// Adds a plain word list, one word per line; possessives ("apple's") are left out.
void addWordList(FormSources& sources, std::string_view text);

// One form and the headword it stands for, as the article line says it:
// "<form>: <relation> of <base>".
struct FormLink {
  std::string form;
  std::string base;
  std::string relation;  // "plural", "past form", "comparative", ...
};

// The form links of every headword in `headwords` that is a single lower-case
// word: irregular forms first, then regular ones, each (form, base) pair once.
// A form equal to its base is left out.
std::vector<FormLink> formLinks(const std::vector<std::string>& headwords, const FormSources& sources);

// The line an article gets for a link, without its line end.
std::string formLinkLine(const FormLink& link);

}  // namespace article_builder
