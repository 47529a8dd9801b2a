// What a direction shows for the text in its word box. The exact search comes first
// and keeps its results: text that finds a record finds that record. Only text
// that finds nothing is read again as a learner may have meant it: in the
// English→Chinese direction with capitals lowered ("Tea") or raised ("beijing"), in the
// Chinese→English direction as pinyin typed with blanks, apostrophes, capitals, tone digits
// or marks, or with ü typed as u. A found English article that names word
// forms ("apples: plural of apple") is shown with the base word's article
// after each such line, and a pinyin list looked up with tones shows the words
// with those tones first.
#ifndef DICTIONARY_TYPED_LOOKUP_H
#define DICTIONARY_TYPED_LOOKUP_H

#include <string>
#include <string_view>

#include "common/direction.h"
#include "dictionary/word_search.h"

// The word list for the typed text: the exact search's listing, or, when that
// finds nothing, the listing of the first other reading of the text that finds
// something.
HeadwordListing listTypedWord(const ArticleText& text, std::u16string_view typed, Direction direction);

// The article view's text for the typed text; false when there is none. The
// result holds at most maxShownArticleLength units, base words' articles
// included. `shown` views into the searched text when the found article is
// shown as it stands (the usual case, which copies nothing), and into
// `composed` when base articles were added or the list was reordered. `headword`, when
// given, receives the spelling that found the article: the typed text, or the other
// spelling of it that is a headword ("tea" for "Tea", "水" for "水。").
bool findTypedArticle(const ArticleText& text, std::u16string_view typed, Direction direction, std::u16string& composed,
                      std::u16string_view& shown, std::u16string* headword = nullptr);

// The same, copied into `article`.
bool articleForTypedWord(const ArticleText& text, std::u16string_view typed, Direction direction,
                         std::u16string& article);

#endif
