#include "writer.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "dictionary/article_files.h"
#include "utf.h"

namespace article_builder {

namespace {

constexpr std::u16string_view kShortenedNote = u"\u2026 (article shortened)\r\n";

bool isBadHeadwordUnit(char16_t c) { return c == u'|' || c == u'\n' || c == u'\r' || c == 0; }

// Replaces "|" and control characters other than CR and LF; returns how many.
std::size_t cleanArticle(std::u16string& article) {
  std::size_t replaced = 0;
  for (char16_t& c : article) {
    if (c == u'|') {
      c = u'/';
      ++replaced;
    } else if ((c < 0x20 && c != u'\r' && c != u'\n') || c == 0x7F) {
      c = u' ';
      ++replaced;
    }
  }
  return replaced;
}

void endWithLineFeed(std::u16string& article) {
  if (article.empty() || article.back() != u'\n') article += u"\r\n";
}

// Keeps an article under the size the program can show, cutting at a line
// end so no line is broken in the middle.
bool keepWithinLimit(std::u16string& article) {
  if (article.size() <= kMaxArticleUnits) return false;
  // Room for the kept text, a line end of its own and the note.
  const std::size_t room = kMaxArticleUnits - kShortenedNote.size() - 2;
  std::size_t cut = article.rfind(u'\n', room - 1);
  cut = (cut == std::u16string::npos) ? room : cut + 1;
  article.resize(cut);
  // Never end on the first half of a surrogate pair.
  if (!article.empty() && article.back() >= 0xD800 && article.back() <= 0xDBFF) article.pop_back();
  endWithLineFeed(article);
  article += kShortenedNote;
  return true;
}

struct Prepared {
  std::u16string headword;
  std::u16string article;
};

}  // namespace

std::u16string composeArticleText(std::string_view preamble, std::vector<Record> records, WriteCounts& counts) {
  counts = WriteCounts{};
  std::vector<Prepared> prepared;
  prepared.reserve(records.size() + 1);
  for (Record& record : records) {
    Prepared item;
    item.headword = utf8ToUtf16(record.headword);
    if (item.headword.empty() || item.headword.size() > 999 ||
        std::any_of(item.headword.begin(), item.headword.end(), isBadHeadwordUnit)) {
      ++counts.droppedRecords;
      continue;
    }
    item.article = utf8ToUtf16(record.article);
    record = Record{};  // the UTF-8 copy is no longer needed
    counts.replacedSeparators += cleanArticle(item.article);
    endWithLineFeed(item.article);
    prepared.push_back(std::move(item));
  }

  std::vector<std::size_t> order(prepared.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // Stable, so records with equal headwords merge in the order built.
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return prepared[a].headword < prepared[b].headword; });

  std::u16string text = utf8ToUtf16(preamble);
  cleanArticle(text);
  endWithLineFeed(text);
  std::size_t reserve = text.size();
  for (const Prepared& item : prepared) reserve += item.headword.size() + item.article.size() + 2;
  text.reserve(reserve + 64);

  for (std::size_t k = 0; k < order.size(); ++k) {
    Prepared& item = prepared[order[k]];
    std::u16string& article = item.article;
    while (k + 1 < order.size() && prepared[order[k + 1]].headword == item.headword) {
      ++k;
      article += u"\r\n";
      article += prepared[order[k]].article;
      ++counts.mergedDuplicates;
    }
    if (keepWithinLimit(article)) ++counts.shortenedArticles;
    text += u'|';
    text += item.headword;
    text += u'|';
    text += article;
    ++counts.records;
  }
  // The last article is not followed by a "|": the program reads it up to
  // the end of the text, and a trailing "|" would make a line feed + "|"
  // pair that starts no record.
  return text;
}

GrammarCheck checkArticleGrammar(std::u16string_view text) {
  ArticleGrammarLimits limits;
  limits.maxHeadwordLength = 999;
  limits.maxArticleLength = kMaxArticleUnits;
  return checkArticleTextGrammar(text, limits);
}

std::vector<unsigned char> storedBytes(std::u16string_view text) { return storedArticleBytes(text); }

bool writeFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
  const std::string temporary = path + ".part";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot create " + temporary;
    return false;
  }
  const std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
  const bool closed = std::fclose(file) == 0;
  if (written != bytes.size() || !closed) {
    std::remove(temporary.c_str());
    error = "cannot write " + temporary;
    return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "cannot rename " + temporary + " to " + path;
    return false;
  }
  return true;
}

}  // namespace article_builder
