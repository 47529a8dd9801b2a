// Pinyin as users type it in the Chinese English tab: "wo men", "Beijing",
// "bei3jing1", "běijīng", "nu:3", "chang'an". The tab's pinyin headwords are
// toneless keys in lower case with ü written "v" ("beijing", "nvren"), and
// their articles list the words read that way. These functions turn typed text
// into such a key (and the spellings it may stand for when ü was typed as u),
// and put the words with the typed tones first in a found list.
#ifndef DICTIONARY_TYPED_PINYIN_H
#define DICTIONARY_TYPED_PINYIN_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A tone the user typed, tied to one letter of the key: for a tone digit the
// last letter before it, for a tone mark the marked letter. Tone 5 is the
// neutral tone, which only a typed "5" asks for.
struct TypedTone {
  std::size_t keyOffset = 0;
  int tone = 0;
};

struct TypedPinyin {
  // Lower case ASCII letters only, ü written "v"; never empty after a
  // successful read.
  std::u16string key;
  // At most one per letter, in key order; empty when no tone was typed.
  std::vector<TypedTone> tones;
  // Key offsets of the letters that follow a typed blank or apostrophe
  // ("xi'an" -> 2): the user parted syllables there. In key order; empty
  // when the text parts nothing.
  std::vector<std::size_t> syllableStarts;
};

// Reads typed text as pinyin. Accepted: letters a-z and A-Z, ü and Ü (and v),
// blanks (space, tab, no-break and ideographic space), apostrophes (' and ’),
// a tone digit 1-5 right after a letter, "u:" for ü, the precomposed
// tone-marked vowels (āáǎà ēéěè īíǐì ōóǒò ūúǔù ǖǘǚǜ and their capitals,
// ḿ ń ň ǹ) and a combining tone mark (U+0304, U+0301, U+030C, U+0300) or
// diaeresis (U+0308, on u only) right after a letter or its marks. A digit or
// mark after a blank, an apostrophe or another digit has no letter right
// before it. A letter given two different tones is rejected; the same tone
// twice ("ǎ3") counts once.
// Returns false and leaves `out` empty for anything else, for a text with no
// letter, and for a key longer than maxLength units. Time is linear in the
// typed text.
bool readTypedPinyin(std::u16string_view typed, TypedPinyin& out, std::size_t maxLength);

// The key's other spellings when ü was typed as plain u: every "u" right after
// "n" or "l" may stand for ü ("nuren" -> "nvren", "lu" -> "lv"). Variants with
// the fewest changes come first, among those the ones changing earlier letters;
// the key itself is not included, and at most `limit` variants are made, so a
// key with many "nu" and "lu" costs no more than `limit` keys. Every variant
// has the key's length, so the typed tones' offsets hold for it too.
std::vector<std::u16string> umlautSpellings(std::u16string_view key, std::size_t limit);

// Reorders a pinyin list article so that the words whose reading carries every
// typed tone and starts a syllable at every typed syllable start come first,
// keeping their order and the order of the rest ("xi'an" puts 西安 xī ān
// before 先 xiān).
//
// A numbered line ("12. ...") is a word line; the word lines are reordered
// among the places word lines hold and renumbered 1., 2., ... in their new
// order. Every other line (a heading, the closing "(12 less common words not
// listed)") stays where it is, unchanged. Lines keep the place's line end, so
// an article whose last line has none still has none.
//
// A word line carries the tones when its reading ("12. 简 (簡) jiǎn dān: gloss")
// spelt in letters, lower case with ü as v and separators dropped, is the
// typed key (a typed u after n or l also matching ü, so the key as typed or a
// variant from umlautSpellings may be passed), and the syllable holding each
// typed keyOffset has the typed tone (a syllable without a mark has tone 5),
// and the letter at each typed syllable start begins a syllable.
// Marks may be precomposed or combining. A numbered line whose reading cannot
// be read never carries the tones but is still moved and renumbered.
//
// Returns the article unchanged when no tone and no syllable start was typed,
// no line carries them, or the carrying lines already come first. Time is
// linear in the article.
std::u16string orderByTypedTones(std::u16string_view article, const TypedPinyin& typed);

#endif
