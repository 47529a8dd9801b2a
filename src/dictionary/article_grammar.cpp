#include "dictionary/article_grammar.h"

namespace {

constexpr std::size_t none = std::u16string_view::npos;

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool endsWithCrLf(std::u16string_view article) {
  return article.size() >= 2 && article[article.size() - 2] == u'\r' && article.back() == u'\n';
}

}  // namespace

ArticleGrammarCheck checkArticleTextGrammar(std::u16string_view text, const ArticleGrammarLimits& limits,
                                            std::vector<ArticleRecord>* records) {
  ArticleGrammarCheck check;
  const auto fail = [&](std::string problem) {
    check.ok = false;
    check.problem = std::move(problem) + " (record " + std::to_string(check.records + 1) + ")";
    return check;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == 0) {
      return fail("zero unit in text");
    }
    if (!limits.pairedSurrogates) {
      continue;
    }
    if (isHighSurrogate(c)) {
      if (i + 1 >= text.size() || !isLowSurrogate(text[i + 1])) {
        return fail("unpaired high surrogate");
      }
      ++i;
    } else if (isLowSurrogate(c)) {
      return fail("unpaired low surrogate");
    }
  }

  std::size_t pos = 0;
  if (limits.preambleIsOneLineFeed) {
    if (text.empty() || text.front() != u'\n' || (text.size() > 1 && text[1] != u'|')) {
      return fail("preamble is not one line feed");
    }
    pos = 1;
  } else {
    pos = text.find(u'|');
    if (pos == none) {
      if (limits.needsRecord) {
        return fail("no record");
      }
      pos = text.size();
    }
    if (pos == 0 || text[pos - 1] != u'\n') {
      return fail("preamble does not end with a line feed");
    }
  }
  if (pos >= text.size() && limits.needsRecord) {
    return fail("no record");
  }

  std::u16string_view previous;
  while (pos < text.size()) {
    // Here text[pos] is the "|" that opens a record, preceded by a line feed.
    const std::size_t headStart = pos + 1;
    const std::size_t headEnd = text.find(u'|', headStart);
    if (headEnd == none) {
      return fail("headword without closing |");
    }
    const std::u16string_view headword = text.substr(headStart, headEnd - headStart);
    if (headword.empty()) {
      return fail("empty headword");
    }
    if (headword.size() > limits.maxHeadwordLength) {
      return fail("headword of " + std::to_string(limits.maxHeadwordLength + 1) + " characters or more");
    }
    if (headword.find_first_of(u"\r\n") != none) {
      return fail("line break in headword");
    }
    if (check.records > 0 && !(previous < headword)) {
      return fail("headwords out of order or repeated");
    }

    const std::size_t articleStart = headEnd + 1;
    std::size_t articleEnd = text.find(u'|', articleStart);
    if (articleEnd == none) {
      articleEnd = text.size();
    }
    const std::u16string_view article = text.substr(articleStart, articleEnd - articleStart);
    if (limits.articleEndsWithCrLf) {
      if (!endsWithCrLf(article)) {
        return fail("article does not end with CR LF");
      }
      if (article.size() == 2) {
        return fail("empty article");
      }
    } else if (article.empty() || article.back() != u'\n') {
      return fail("article does not end with a line feed");
    }
    if (article.size() > limits.maxArticleLength) {
      return fail("article of " + std::to_string(limits.maxArticleLength + 1) + " characters or more");
    }

    if (records != nullptr) {
      records->push_back({headword, article});
    }
    previous = headword;
    ++check.records;
    pos = articleEnd;
  }
  check.ok = true;
  return check;
}
