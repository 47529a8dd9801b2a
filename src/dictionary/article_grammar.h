// The grammar of an article text, as the word search reads it: a preamble ending with a
// line feed, then records "|" headword "|" article, headwords strictly ascending in
// code-unit order, every article ending with a line feed, and no zero unit. A record then
// starts exactly where a line feed is followed by "|". The dictionary's article files and
// the user's own articles both follow it, each within limits of its own.
#ifndef DICTIONARY_ARTICLE_GRAMMAR_H
#define DICTIONARY_ARTICLE_GRAMMAR_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ArticleGrammarLimits {
  // True: the preamble is a single line feed (own texts). False: any text ending with one.
  bool preambleIsOneLineFeed = false;
  // True: a text without a record is refused.
  bool needsRecord = true;
  // True: a surrogate that is not half of a pair is refused.
  bool pairedSurrogates = true;
  std::size_t maxHeadwordLength = 0;
  std::size_t maxArticleLength = 0;
  // True: an article is some text followed by CR LF (own articles, as stored). False: any
  // text ending with a line feed.
  bool articleEndsWithCrLf = false;
};

struct ArticleRecord {
  std::u16string_view headword;
  std::u16string_view article;
};

struct ArticleGrammarCheck {
  bool ok = false;
  std::string problem;      // what broke and in which record; empty when ok
  std::size_t records = 0;  // records read before the problem, or all of them
};

// Checks `text` against the grammar within `limits`. When `records` is given, the records
// read are appended to it as views into `text`.
ArticleGrammarCheck checkArticleTextGrammar(std::u16string_view text, const ArticleGrammarLimits& limits,
                                            std::vector<ArticleRecord>* records = nullptr);

#endif
