// The word search done the straightforward way, for comparison only: build the
// key, find its first occurrence with a plain substring search over the whole
// text, walk the records after it. It keeps the sound end-of-text and length
// behaviour of the engine but none of its shortcuts.
#ifndef TESTS_COMMON_REFERENCE_SEARCH_H
#define TESTS_COMMON_REFERENCE_SEARCH_H

#include "dictionary/word_search.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace reference {

struct Listing {
  ListingStatus status = ListingStatus::NoMatch;
  std::vector<std::u16string_view> headwords;
};

struct Article {
  ArticleStatus status = ArticleStatus::NotFound;
  std::u16string_view article;
};

// A zero unit ends a C string: the text, and the word box text, end there.
inline std::u16string_view asCString(std::u16string_view text) {
  const std::size_t zero = text.find(u'\0');
  return zero == std::u16string_view::npos ? text : text.substr(0, zero);
}

inline Listing listHeadwords(std::u16string_view loadedText, std::u16string_view wordBoxText) {
  constexpr auto npos = std::u16string_view::npos;
  const std::u16string_view text = asCString(loadedText);
  const std::u16string key = u"\n|" + std::u16string(asCString(wordBoxText).substr(0, 497));
  Listing listing;
  const std::size_t match = text.find(key);
  if (match == npos) {
    return listing;
  }
  std::size_t p = match + 2;
  for (;;) {
    const std::size_t headwordEnd = text.find(u'|', p);
    if (headwordEnd == npos) {
      if (listing.headwords.empty() && p < text.size()) {
        listing.status = ListingStatus::UnclosedHeadword;
      }
      return listing;
    }
    std::size_t length = headwordEnd - p;
    if (length >= 1000) {
      length = 999;
    }
    listing.headwords.push_back(text.substr(p, length));
    listing.status = ListingStatus::Listed;
    if (listing.headwords.size() == 25) {
      return listing;
    }
    const std::size_t articleEnd = text.find(u'|', headwordEnd + 1);
    if (articleEnd == npos) {
      return listing;
    }
    p = articleEnd + 1;
  }
}

inline Article findArticle(std::u16string_view loadedText, std::u16string_view wordBoxText) {
  constexpr auto npos = std::u16string_view::npos;
  const std::u16string_view text = asCString(loadedText);
  const std::u16string key = u"\n|" + std::u16string(asCString(wordBoxText).substr(0, 496)) + u"|";
  Article found;
  const std::size_t match = text.find(key);
  if (match == npos) {
    return found;
  }
  const std::size_t headwordEnd = text.find(u'|', match + 2);
  const std::size_t articleEnd = text.find(u'|', headwordEnd + 1);
  found.status = ArticleStatus::Found;
  found.article = text.substr(headwordEnd + 1, articleEnd == npos ? npos : articleEnd - headwordEnd - 1);
  return found;
}

// The exact article, line by line (up to each carriage return + line feed), found in
// the shown text in its order: lookups of typed text only ever add base words' articles
// between its lines, never drop or change one.
inline bool keepsLinesInOrder(std::u16string_view shown, std::u16string_view exact) {
  std::size_t at = 0;
  std::size_t from = 0;
  while (from < exact.size()) {
    std::size_t end = exact.find(u"\r\n", from);
    end = end == std::u16string_view::npos ? exact.size() : end + 2;
    at = shown.find(exact.substr(from, end - from), at);
    if (at == std::u16string_view::npos) {
      return false;
    }
    at += end - from;
    from = end;
  }
  return true;
}

// The word list with the user's own headwords: every listed headword of both listings put
// in code-unit order, an own headword before a dictionary one that equals it, which it then
// stands for; the first 25 of those. Without own headwords, the dictionary's listing. Holds
// for dictionary listings in sorted order, as sorted article files give.
inline Listing mergedListing(const Listing& own, const Listing& dictionary) {
  if (own.status != ListingStatus::Listed) {
    return dictionary;
  }
  std::vector<std::pair<std::u16string_view, int>> all;
  for (std::u16string_view headword : own.headwords) {
    all.emplace_back(headword, 0);
  }
  for (std::u16string_view headword : dictionary.headwords) {
    all.emplace_back(headword, 1);
  }
  std::stable_sort(all.begin(), all.end());
  Listing merged;
  merged.status = ListingStatus::Listed;
  bool ownUnmatched = false;
  for (const auto& [headword, source] : all) {
    if (source == 1 && ownUnmatched && headword == merged.headwords.back()) {
      ownUnmatched = false;
      continue;
    }
    ownUnmatched = source == 0;
    merged.headwords.push_back(headword);
  }
  if (merged.headwords.size() > 25) {
    merged.headwords.resize(25);
  }
  return merged;
}

}  // namespace reference

#endif
