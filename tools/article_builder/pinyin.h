// Numbered pinyin ("shui3 jiao4") to tone-marked pinyin ("shuǐ jiào") and to
// the toneless keys a user types ("shuijiao").
#pragma once

#include <string>
#include <string_view>

namespace article_builder {

// Converts one numbered syllable such as "shui3", "lu:e4", "nv3", "Bei3",
// "r5" or "m2" to its tone-marked form. The mark goes on a or e when present,
// else on the o of "ou", else on the last vowel; "u:" and "v" are ü; tone 5
// carries no mark; a syllable without a vowel ("m2", "ng2", "hng4") marks its
// m or n. Anything that is not a numbered syllable is returned unchanged.
std::string markSyllable(std::string_view syllable);

// Converts a whole numbered pinyin string, token by token. Tokens are
// separated by blanks; a token that glues syllables ("shi2wa3") is split after
// each tone digit. The erhua "r5" is attached to the syllable before it
// ("dian3 r5" becomes "diǎnr"). Separators such as "·" and "," are kept.
std::string markPinyin(std::string_view numbered);

// True when every blank-separated token is a numbered syllable (letters then a
// tone digit 1-5) or the name separators "·" / ",". Used to recognise pinyin
// inside brackets in a gloss ("Taiwan pr. [han4]") and to decide whether an
// entry gets a toneless lookup key.
bool isNumberedPinyin(std::string_view text);

// Builds the toneless key a user types for a numbered pinyin string: lower
// case, syllables joined, no separators. `withV` writes ü as "v" (how it is
// typed on an English keyboard), `withU` writes it as "ü". Returns false when
// the pinyin holds tokens that are not syllables (Latin letters, digits), for
// which no sensible typed form exists.
bool tonelessKeys(std::string_view numbered, std::string& withV, std::string& withU);

// One syllable in the form used to compare readings from different sources:
// lower-case letters with ü written "v", then the tone digit (5 for the
// neutral tone). Takes numbered ("Lu:4", "ting5") or tone-marked ("lǜ",
// "tīng", "ting") syllables; returns an empty string for anything else.
std::string comparableSyllable(std::string_view syllable);

}  // namespace article_builder
