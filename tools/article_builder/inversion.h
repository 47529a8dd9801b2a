// Turning Chinese-English glosses into English headwords ("to eat" -> "eat")
// and ranking the Chinese words found under each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cedict.h"

namespace article_builder {

// English headwords stay short phrases a user would type.
constexpr std::size_t kMaxEnglishWords = 5;
constexpr std::size_t kMaxEnglishChars = 40;

// The headword a user would type for one ";"-separated part of a gloss, or
// an empty string when the part is not a translation (a remark in
// parentheses, a literal rendering, a Chinese cross-reference, a long
// description). Drops "to " before verbs and "be " after it, a leading
// article, parenthetical remarks and a trailing "sb"/"sth". Proper nouns
// keep their capital.
std::string englishHeadword(std::string_view part);

// A headword found in one gloss, with the position of its part inside the
// gloss (0 for the first part) for ranking.
struct GlossHeadword {
  std::string headword;
  std::size_t part = 0;
  // The part says more than the headword: a remark in parentheses narrows
  // it ("to run (a business)").
  bool qualified = false;
  // The head of a phrase headword: "listen" from "listen to".
  bool phraseHead = false;
  // The phrase ends in a preposition that takes the verb's object ("wait
  // for", "look at"), not in an adverb that makes a verb of its own ("give
  // up", "look after").
  bool objectPreposition = false;
  bool prepositional = false;
  // The remark comes before the words ("(after a form of address) hello"):
  // a usage that only holds in one setting.
  bool remarkFirst = false;
  // The part is a verb ("to run").
  bool verb = false;
};

// The headwords of a whole gloss: one per ";"-separated part, duplicates
// dropped, nothing at all for cross-references, classifier lists and
// pronunciation notes. A phrase ending in a particle ("listen to", "look at")
// also stands under its head word ("listen", "look").
std::vector<GlossHeadword> englishHeadwords(std::string_view gloss);

// One Chinese word listed under an English (or pinyin) headword.
struct Candidate {
  std::size_t entry = 0;    // index into the parsed entries
  std::size_t gloss = 0;    // index of the gloss in the entry it came from
  std::size_t reading = 0;  // pinyin lists: 0 = the entry's reading, n = its n-th other reading
  double score = 0.0;       // frequency-based; meaningful only when counted
  bool counted = false;     // the word has a frequency count
  std::size_t order = 0;    // stable tie-break: position in the source
};

// Weight of a match by the word's part of speech in the frequency list: the
// count of a preposition, conjunction, pronoun or particle comes from that
// use, so a content meaning such as 于 "to go" or 那 "beautiful" gets little
// of it, while function-word headwords ("that", "in") keep it all.
// A content meaning that is the first part of the word's first sense
// (`mainMeaning`) keeps more: the tag then names only one of the word's main
// uses (用 is counted as the preposition "with" and the verb "to use").
double partOfSpeechWeight(std::string_view tag, std::string_view headword, bool mainMeaning = false);

// The match is the plain first part of the entry's first sense: no remark
// narrows it and it is no phrase's head word.
bool isMainMeaning(const GlossHeadword& found, std::size_t senseIndex);

// Orders candidates for display: words with a count first, by score, highest
// first; then words without a count; ties keep source order. Keeps only the
// best candidate per simplified word and at most `limit` of them.
void rankCandidates(std::vector<Candidate>& candidates, const std::vector<Entry>& entries, std::size_t limit);

// Likely share of a reading's use that falls on one meaning, by where it
// stands: the first part of the first sense gets it all, as if it were the
// only sense; of `senseCount` senses the k-th gets a share falling as
// 1/(k+1), so a word's first sense outranks another word's sixth; later
// ";"-separated parts of a gloss (near-synonyms) count a little less.
double positionWeight(std::size_t senseIndex, std::size_t senseCount, std::size_t part);

// Weight of one headword match by where it stands: the head of an entry's
// first sense is the usual translation, a whole one-part gloss more so; a
// qualified part or a phrase's head word says less. A single character's
// later senses also fall as 1/(k+1): they range over unrelated uses (bound
// forms, classical senses, loans), the later of which are rare. The senses of
// a longer word are facets of one meaning (支持 "to be in favor of / to
// support / to back"), so beyond positionWeight they do not fall.
double matchWeight(const GlossHeadword& found, std::size_t senseIndex, bool singleCharacter);

// Weight of a match by the word's part of speech in the frequency list when
// it disagrees with the gloss: the count of a classifier (道 "road") or of a
// noun read as a verb gloss comes mostly from its other use.
double tagAgreement(std::string_view tag, const GlossHeadword& found);

// Weight of a gloss by its usage labels, wherever they stand: "(literary)", "(dialect)", "(slang)"
// and similar, and regional labels ("(Tw)", "(Cantonese)"), mark meanings a
// learner meets rarely; "(bound form)" marks a meaning that does not stand as
// a word on its own.
double registerWeight(std::string_view gloss);

}  // namespace article_builder
