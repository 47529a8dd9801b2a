// Laying records out as article text (preamble, then "|headword|article"
// records in UTF-16 code-unit order), checking the text grammar, and storing
// it (UTF-16LE, every byte plus 2 modulo 256).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "articles.h"
#include "dictionary/article_grammar.h"
#include "dictionary/own_articles.h"

namespace article_builder {

// Articles hold at most this many UTF-16 units: fewer than the longest article
// the program accepts, the limit it puts on the user's own articles.
constexpr std::size_t kMaxArticleUnits = maxOwnArticleLength - 1;

struct WriteCounts {
  std::size_t records = 0;             // records written
  std::size_t droppedRecords = 0;      // headword empty, too long, or with "|" or a line break
  std::size_t mergedDuplicates = 0;    // records with an equal headword merged into one
  std::size_t shortenedArticles = 0;   // articles cut to stay under kMaxArticleUnits
  std::size_t replacedSeparators = 0;  // "|" or control characters replaced in articles
};

// The plain text of an article file. `preamble` must not contain "|"; a line
// feed is added when it does not end with one. Records are sorted by
// headword in UTF-16 code-unit order; records with the same headword are
// merged; bad headwords are dropped; articles are made to end with a line
// feed, cleaned of "|" and kept under the size limit.
std::u16string composeArticleText(std::string_view preamble, std::vector<Record> records, WriteCounts& counts);

using GrammarCheck = ArticleGrammarCheck;

// Checks text against the grammar the program relies on: a preamble ending in
// a line feed, then records "|headword|article"; no empty headword; no line
// break in a headword; every article ends with a line feed; headwords
// strictly ascending in code-unit order; limits on headword and article
// length; no zero unit and no unpaired surrogate.
GrammarCheck checkArticleGrammar(std::u16string_view text);

// UTF-16LE bytes of `text`, each plus 2 modulo 256: the stored form.
std::vector<unsigned char> storedBytes(std::u16string_view text);

// Writes `bytes` to `path` through a temporary file and a rename, so an
// interrupted build never leaves a half-written file under the final name.
bool writeFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);

}  // namespace article_builder
