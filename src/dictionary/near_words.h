// The headwords a user most likely meant when what they typed finds nothing: the nearest
// by spelling, the most common first. English words are compared ignoring capitals by
// edit distance with transpositions ("recieve" -> "receive"); pinyin is read as the
// Chinese→English tab reads it and compared with the pinyin keys, a letter off or a letter
// dropped or added ("shuiy" -> "shui", "zhongguoo" -> "zhongguo"); Chinese characters are
// compared with the Chinese headwords, one character off.
#ifndef DICTIONARY_NEAR_WORDS_H
#define DICTIONARY_NEAR_WORDS_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"
#include "dictionary/word_search.h"

// At most this many near headwords are offered.
inline constexpr std::size_t maxNearWords = 10;

// Typed text longer than this (after its enclosing punctuation is dropped) is no
// misspelt word and gets no suggestions; the bound also bounds the work per headword.
inline constexpr std::size_t maxNearWordLength = 64;

// How many edits apart a headword may be, for typed text of this many units: none below
// three (nothing is near a word that short but the word itself in other capitals), one up
// to five in English and eight in pinyin, two beyond.
std::size_t allowedEdits(std::size_t length, bool pinyin);

// The typed text as the near-word search and the message quote it: blanks and enclosing
// punctuation dropped from both ends, cut to maxArticleWordLength units.
std::u16string_view nearWordQuery(std::u16string_view typed);

// The nearest headwords of the text, at most maxNearWords, as views into it: fewest edits
// first; then, in the Chinese English text, the word a learner meets first (the lowest
// "HSK n" level of the word, or of the first word a pinyin key lists; words without one
// after); then the most common (the longest article, counting the words a pinyin article
// leaves out as less common), then file order. Empty when the text is empty, longer than
// maxNearWordLength, or nothing is near enough. One pass over the text; the work per
// headword is bounded by maxNearWordLength and the allowed edits.
std::vector<std::u16string_view> nearestHeadwords(const ArticleText& text, std::u16string_view typed,
                                                  Direction direction);

// The article view's text on a miss: No entry for "<query>". followed, when there are
// any, by " Did you mean:" and one headword per line. A query of more than 60 units is
// quoted by its first 60 and "…", never cutting a character in two.
std::u16string noEntryMessage(std::u16string_view typed, const std::vector<std::u16string_view>& suggestions);

#endif
