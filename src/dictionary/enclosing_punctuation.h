// Text brought in by a capture or typed in haste often carries the sentence around it: a
// full stop ("dictionary."), quotes ("«water»", "“tea”") or brackets ("(book)"). No
// headword begins or ends that way, so a lookup that finds nothing tries the text again
// without them, as it tries it without capitals.
#ifndef DICTIONARY_ENCLOSING_PUNCTUATION_H
#define DICTIONARY_ENCLOSING_PUNCTUATION_H

#include <string_view>

// Whether the unit is a punctuation mark, quote, bracket or blank that may enclose a word:
// ASCII punctuation but for the few that begin or end headwords as written ("-", "&", "+",
// "#", "$", "%", "@", "/", "*", "="), the typographic quotes, guillemets and dashes, and
// the Chinese and full-width stops, commas, quotes and brackets.
bool isEnclosingPunctuation(char16_t unit);

// The text with every enclosing unit dropped from both ends; a view into it, empty when
// the text is nothing else.
std::u16string_view withoutEnclosingPunctuation(std::u16string_view text);

#endif
