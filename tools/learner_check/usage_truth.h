// The learner check's truth of which word is the most used: the word counts of a
// corpus that neither the builder nor the program reads.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cedict.h"

// "word,count" lines: the counts of a word listed more than once add up; a line without a
// word, a comma and a whole positive count is skipped.
std::unordered_map<std::string, double> parseUsage(std::string_view text);

// The word of a group that is clearly the most used: counted at least `minimum` times and
// at least twice as often as every other word of the group. An empty string when none is.
std::string clearlyMostUsed(const std::set<std::string>& group, const std::unordered_map<std::string, double>& usage,
                            double minimum);

// A lookup and the word expected first in what it shows.
struct ExpectedByUse {
  std::string typed;
  std::string word;
};

struct UsageExpectations {
  std::vector<ExpectedByUse> pinyin;   // toneless pinyin keys, in key order
  std::vector<ExpectedByUse> english;  // English headwords, in headword order
};

// For every toneless pinyin and every English headword that two or more of the dictionary's
// words share, the word that is clearly the most used (clearlyMostUsed). A corpus counts a
// written word whatever its reading and meaning, so the word expected under a pinyin key
// must have no other toneless reading, and the word expected under an English headword must
// have one entry whose first sense is that headword; every other word of the group is
// counted with all its uses, so "clearly" holds however their uses divide among their
// meanings.
UsageExpectations expectedByUse(const std::vector<article_builder::Entry>& entries,
                                const std::unordered_map<std::string, double>& usage, double minimum);

// "english<TAB>word,word,..." lines: an English headword and the Chinese words an English-Chinese
// dictionary gives as its translations. A line without a tab or a word is skipped.
using Translations = std::unordered_map<std::string, std::set<std::string>>;
Translations parseTranslations(std::string_view text);

// For every English headword of the dictionary, the word clearly the most used (clearlyMostUsed)
// among its words that the other dictionary also gives as translations of the headword, in any
// sense: 给 under "give", though its first sense is "to", and 存在 under "exist", where 在 ("at;
// to exist") is not one of the other dictionary's translations. Two dictionaries made apart
// pair the words, so a sense that only one of them gives does not decide; the corpus counts then
// say which of the pairs is used most.
std::vector<ExpectedByUse> expectedByTranslation(const std::vector<article_builder::Entry>& entries,
                                                 const Translations& translations,
                                                 const std::unordered_map<std::string, double>& usage, double minimum);

// What one corpus makes of one lookup: the word it expects first, that word's share of the
// corpus, and where the lookup listed it (1 first, 0 not at all).
struct Judged {
  std::string word;
  double share = 0;
  std::size_t position = 0;
};
using Judgements = std::map<std::string, Judged>;  // by the text looked up

// The judgements every corpus makes alike: a text each of them judges, expecting the same word,
// with the lowest of that word's shares. Each corpus has its own subjects; what all of them say
// holds of the language.
Judgements agreedJudgements(const std::vector<Judgements>& each);
