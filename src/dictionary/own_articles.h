// The user's own word articles: one text per direction in the article file grammar (a
// preamble of one line feed, then "|" headword "|" article records), kept with its headwords
// strictly increasing in code-unit order, so the word search's load-time check finds it
// sorted and binary-searches it like a dictionary text. Stored as the article files are
// (UTF-16LE, every byte + 2), in one file per direction beside the program.
#ifndef DICTIONARY_OWN_ARTICLES_H
#define DICTIONARY_OWN_ARTICLES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"
#include "dictionary/article_grammar.h"
#include "dictionary/word_search.h"

// "Own_English_Chinese.dat" or "Own_Chinese_English.dat".
std::u16string ownArticleFileName(Direction direction);

// A headword holds what an article lookup key holds; an article what the files allow.
inline constexpr std::size_t maxOwnHeadwordLength = maxArticleWordLength;
inline constexpr std::size_t maxOwnArticleLength = 50000;

// The text of a direction without own articles: the preamble alone.
inline constexpr std::u16string_view emptyOwnArticles = u"\n";

// A record of an own text; its article as stored: line breaks as CR LF, ending with one.
using OwnRecord = ArticleRecord;

// Splits a text into its records. False when the text is not one this program writes: no
// preamble of one line feed, a zero unit, a headword empty, longer than
// maxOwnHeadwordLength or holding a line break, an article empty, longer than
// maxOwnArticleLength or not ending with CR LF, or headwords not strictly increasing. An
// own text that fails is left as it is on disk and kept aside before it is replaced.
bool readOwnRecords(std::u16string_view text, std::vector<OwnRecord>& records);

// The text of records given in strictly increasing headword order.
std::u16string ownArticlesText(const std::vector<OwnRecord>& records);

// A well-formed own text with the record for `headword` set to `article` (a stored
// article), inserted at its place in the order or replacing the one it had.
std::u16string withOwnArticle(std::u16string_view text, std::u16string_view headword, std::u16string_view article);
// The same text without the record for `headword`; unchanged when it has none.
std::u16string withoutOwnArticle(std::u16string_view text, std::u16string_view headword);

// ---- what the user types into the dialog ----

// Blanks, tabs and line breaks at both ends are not part of a headword.
std::u16string_view trimmedOwnHeadword(std::u16string_view typed);
// An article as stored: every line break (CR LF, lone CR or lone LF) as CR LF, trailing
// line breaks dropped and one CR LF put at the end. Text of blanks and line breaks only
// gives the empty string.
std::u16string storedOwnArticle(std::u16string_view typed);

enum class OwnInputRule {
  Kept,
  HeadwordEmpty,
  HeadwordTooLong,
  HeadwordLineBreak,
  HeadwordBar,
  ArticleEmpty,
  ArticleTooLong,
  ArticleBar,
};

struct OwnInputCheck {
  OwnInputRule rule = OwnInputRule::Kept;
  // For a character that breaks a rule: its line and column in the text as typed,
  // counted from 1.
  std::size_t line = 0;
  std::size_t column = 0;
};

// Checks a trimmed headword and a stored article against the rules the text grammar needs.
OwnInputCheck checkOwnInput(std::u16string_view headword, std::u16string_view storedArticle);
// What the "Info Message" box says of a broken rule: which one and where.
std::u16string ownInputMessage(const OwnInputCheck& check);

// ---- what a lookup shows ----

// The word list when the typed text also lists own headwords: both listings merged in
// code-unit order, a headword in both listed once, at most maxListedHeadwords. When the own
// listing lists nothing, the dictionary's listing as it stands.
HeadwordListing mergedListing(const HeadwordListing& own, const HeadwordListing& dictionary);

// What a keystroke finds among the own articles: the own headwords listed for the word box
// text and the own article of exactly that text, as listHeadwords and findArticle find them.
// In a text this program wrote (sorted, headwords of at most maxOwnHeadwordLength units)
// the article comes from the listing's first record, so one search serves both. With
// `last`, the listing is listHeadwordsUpTo's: it stops at the own headwords that a merge
// with a full dictionary listing ending in *last could never show.
struct OwnLookup {
  HeadwordListing listing;
  ArticleLookup article;
};
OwnLookup lookUpOwnArticles(const ArticleText& own, std::u16string_view wordBoxText,
                            const std::u16string_view* last = nullptr);

// The heading put above an own article in the article view.
inline constexpr std::u16string_view ownArticleHeading = u"Your own article:\r\n";
inline constexpr std::u16string_view dictionaryArticleHeading = u"From the dictionary:\r\n";

// The article view's text for an own article: the heading and the own article, then the
// dictionary's article for the same word when there is one (empty `dictionary`: none). Cut
// as shownArticle cuts.
std::u16string ownArticleView(std::u16string_view own, std::u16string_view dictionary);

#endif
