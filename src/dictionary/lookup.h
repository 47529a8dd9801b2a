// One keystroke's lookup in one direction: the word list and the article view's text for
// what the word box holds, from the dictionary's text and the user's own articles together.
#ifndef DICTIONARY_LOOKUP_H
#define DICTIONARY_LOOKUP_H

#include <string>
#include <string_view>

#include "common/direction.h"
#include "dictionary/word_search.h"

// What the two controls of a direction show for the typed text.
struct Lookup {
  // The dictionary's listing (as listTypedWord gives it) with the own headwords merged
  // in. Any status but Listed empties the list and the article view.
  HeadwordListing listing;
  // False when neither the dictionary nor the own articles have an article to show.
  bool articleFound = false;
  // The headword whose article is shown: the typed text, or the other spelling of it that
  // found the article ("tea" for "Tea"); empty when none was found.
  std::u16string headword;

  // The article view's text: the own article under its heading and then the
  // dictionary's, or the dictionary's alone; empty when none was found. A view into the
  // searched texts or into this result, so it lives as long as both do.
  std::u16string_view article() const { return composedArticle ? std::u16string_view(composed) : shown; }

  // Where article() points: at `shown` in a searched text, or at `composed`.
  std::u16string_view shown;
  std::u16string composed;
  bool composedArticle = false;
};

// Looks the typed text up in one direction's dictionary text and own articles. Own
// headwords take their places among the dictionary's, and text that begins no own
// headword lists exactly what the dictionary lists.
Lookup lookUp(const ArticleText& dictionary, const ArticleText& own, Direction direction, std::u16string_view typed);

#endif
