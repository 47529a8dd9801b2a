// The learner's view of an article: which characters and pinyin syllables take a tone's
// colour, which words can be clicked, and where a word's HSK level stands. The article's
// text itself is never changed; everything here is a range over it. A word whose characters
// cannot be matched syllable by syllable to its pinyin is left uncoloured, never coloured
// by a guess.
#ifndef DICTIONARY_ARTICLE_FORMAT_H
#define DICTIONARY_ARTICLE_FORMAT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"

// The tone of one written pinyin syllable: 1-4 from its tone mark, 5 for none (the neutral
// tone); 0 when the text is not one pinyin syllable ("xx5", "K", "T恤"). A syllable with the
// "r" suffix ("huìr", "gàor") is read with its tone; erhua is set when it has that suffix.
int toneOfSyllable(std::u16string_view syllable, bool* erhua = nullptr);

// A run of the article in one tone's colour.
struct ToneSpan {
  std::size_t start = 0;
  std::size_t length = 0;
  int tone = 0;  // 1-5
};

// A word the user can click: looking up `word` in `direction` is what typing it would do.
struct ArticleLink {
  std::size_t start = 0;
  std::size_t length = 0;
  Direction direction = Direction::ChineseEnglish;
  std::u16string word;
};

// A line "HSK <n>" right under a reading line: shown as a small badge.
struct LevelBadge {
  std::size_t start = 0;
  std::size_t length = 0;
};

struct ArticleMarks {
  std::vector<ToneSpan> tones;     // in text order, never overlapping
  std::vector<ArticleLink> links;  // in text order, never overlapping
  std::vector<LevelBadge> badges;
};

// Finds the tone colours, links and level badges of an article shown in `direction`'s view.
// `headword` is the word the article was looked up for: a reading line ("gào su   (traditional
// 告訴)") is coloured only when its syllables match the characters of the headword or of
// the form in brackets. Reads:
// - reading lines (first line, or the first after an empty line, in the Chinese English view);
// - numbered lines "2. 告诉 (告訴) gào su: to tell": the word is a Chinese English link;
// - "Classifiers: 本 běn, 册 cè": each classifier is a link;
// - references "書經 (书经) [Shū jīng]" anywhere; after "see ", "variant of ", "also written "
//   or "abbr. for " the first word is a link;
// - in the English Chinese view, "bought: past form of buy": the base word is a link.
// Time is linear in the article.
ArticleMarks findArticleMarks(std::u16string_view article, Direction direction, std::u16string_view headword);

// Where a printed line that starts at `start` ends when `fit` units of the paragraph fit on
// it: after the last blank or beside a Chinese, Japanese or Korean character that fits, and
// inside a word only when the word alone is wider than the line; never between the two
// halves of a character beyond the first 65,536. At least one character per line.
std::size_t printedLineEnd(std::u16string_view paragraph, std::size_t start, std::size_t fit);

// A tone colour scheme: colours as 0x00BBGGRR (a COLORREF) for tones 1-4 and the neutral
// tone.
struct ToneScheme {
  std::u16string_view name;
  std::array<std::uint32_t, 5> colours;
};

// The schemes the View menu offers, by name, in menu order after "Off".
const std::vector<ToneScheme>& toneSchemes();

// The view's font, as the control's default character format gives it.
struct ViewFont {
  std::u16string face;
  int halfPoints = 20;
  int charset = 1;  // DEFAULT_CHARSET
};

// The article as RTF for the view to read in one piece, coloured by `scheme`, links
// underlined in the link colour and badges small on a coloured ground. Every character that
// RTF gives a meaning to is escaped, everything beyond ASCII is written as \uN, and each
// LF becomes one paragraph mark, so the view's character positions are the text's. The
// view takes a document's last paragraph mark for its own end, not for text, so a text
// that ends with LF ends with one paragraph mark more.
std::string articleRtf(std::u16string_view article, const ArticleMarks& marks, const ToneScheme& scheme,
                       const ViewFont& font);

// The article with its line ends as the view counts them: a CR LF pair or a lone CR
// becomes one LF, so that positions in the result are the view's character positions.
std::u16string withViewLineEnds(std::u16string_view article);

#endif
