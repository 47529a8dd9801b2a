// Comparing the engine's results with the straightforward search, with
// failure messages that show the text as escaped code units.
#ifndef TESTS_WORD_SEARCH_SEARCH_COMPARISON_H
#define TESTS_WORD_SEARCH_SEARCH_COMPARISON_H

#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"
#include "reference_search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace search_test {

// Printable ASCII as it is, everything else as \uXXXX; long texts shortened.
inline std::string escaped(std::u16string_view text, std::size_t limit = 80) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const char16_t unit = text[i];
    if (unit == u'\n') {
      out += "\\n";
    } else if (unit >= 0x20 && unit < 0x7F) {
      out += static_cast<char>(unit);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(unit));
      out += code;
    }
  }
  if (text.size() > limit) {
    out += "...(" + std::to_string(text.size()) + " units)";
  }
  return out;
}

inline const char* statusName(ListingStatus status) {
  switch (status) {
    case ListingStatus::NoMatch:
      return "NoMatch";
    case ListingStatus::Listed:
      return "Listed";
    case ListingStatus::UnclosedHeadword:
      return "UnclosedHeadword";
  }
  return "?";
}

// Same status, same number of items, and every item the same view: the same
// place in the same text, not merely equal characters.
inline ::testing::AssertionResult sameListing(const reference::Listing& expected, const HeadwordListing& actual) {
  if (expected.status != actual.status) {
    return ::testing::AssertionFailure() << "status " << statusName(actual.status) << ", expected "
                                         << statusName(expected.status);
  }
  if (expected.headwords.size() != actual.count) {
    return ::testing::AssertionFailure() << actual.count << " items, expected " << expected.headwords.size();
  }
  for (std::size_t i = 0; i < actual.count; ++i) {
    const std::u16string_view want = expected.headwords[i];
    const std::u16string_view got = actual.headwords[i];
    if (want.data() != got.data() || want.size() != got.size()) {
      return ::testing::AssertionFailure()
             << "item " << i << " is \"" << escaped(got) << "\", expected \"" << escaped(want) << "\"";
    }
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult sameArticle(const reference::Article& expected, const ArticleLookup& actual) {
  if (expected.status != actual.status) {
    return ::testing::AssertionFailure() << (actual.status == ArticleStatus::Found ? "found" : "not found")
                                         << ", expected the opposite";
  }
  if (expected.article.data() != actual.article.data() || expected.article.size() != actual.article.size()) {
    return ::testing::AssertionFailure() << "article \"" << escaped(actual.article) << "\", expected \""
                                         << escaped(expected.article) << "\"";
  }
  return ::testing::AssertionSuccess();
}

// Both paths of the engine against the reference for one word: the prepared
// text as the program uses it, and the same text with the scan forced.
inline ::testing::AssertionResult agreesWithReference(std::u16string_view loadedText, const ArticleText& prepared,
                                                      std::u16string_view word) {
  const reference::Listing wantList = reference::listHeadwords(loadedText, word);
  const reference::Article wantArticle = reference::findArticle(loadedText, word);
  ArticleText scanned = prepared;
  scanned.sortedRecords = false;
  const ArticleText* const paths[] = {&prepared, &scanned};
  for (const ArticleText* text : paths) {
    const char* path = text->sortedRecords ? "binary search" : "scan";
    ::testing::AssertionResult list = sameListing(wantList, listHeadwords(*text, word));
    if (!list) {
      return ::testing::AssertionFailure() << path << " listing for \"" << escaped(word) << "\" in \""
                                           << escaped(loadedText, 300) << "\": " << list.message();
    }
    ::testing::AssertionResult article = sameArticle(wantArticle, findArticle(*text, word));
    if (!article) {
      return ::testing::AssertionFailure() << path << " article for \"" << escaped(word) << "\" in \""
                                           << escaped(loadedText, 300) << "\": " << article.message();
    }
    // Reading the text in other ways never changes what the plain search answers.
    for (Direction tab : bothDirections) {
      if (wantList.status != ListingStatus::NoMatch) {
        ::testing::AssertionResult typed = sameListing(wantList, listTypedWord(*text, word, tab));
        if (!typed) {
          return ::testing::AssertionFailure() << path << " typed listing in tab " << directionIndex(tab) << " for \""
                                               << escaped(word) << "\": " << typed.message();
        }
      }
      std::u16string shown;
      if (wantArticle.status == ArticleStatus::Found &&
          (!articleForTypedWord(*text, word, tab, shown) ||
           !reference::keepsLinesInOrder(shown, shownArticle(wantArticle.article)))) {
        return ::testing::AssertionFailure() << path << " typed article in tab " << directionIndex(tab) << " for \""
                                             << escaped(word) << "\" is \"" << escaped(shown) << "\"";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace search_test

#endif
