#include "dictionary/lookup.h"

#include <algorithm>

#include "dictionary/own_articles.h"
#include "dictionary/typed_lookup.h"

Lookup lookUp(const ArticleText& dictionary, const ArticleText& own, Direction direction, std::u16string_view typed) {
  Lookup found;
  const HeadwordListing dictionaryListing = listTypedWord(dictionary, typed, direction);
  // A full dictionary listing ends the merged one at its last headword, so the own
  // listing need not read past it. That holds only for a listing in order: a damaged or
  // unsorted text lists in its own order, and its last headword bounds nothing.
  const bool full =
      dictionaryListing.status == ListingStatus::Listed && dictionaryListing.count == maxListedHeadwords &&
      std::is_sorted(dictionaryListing.headwords.begin(), dictionaryListing.headwords.begin() + maxListedHeadwords);
  const std::u16string_view last = full ? dictionaryListing.headwords[maxListedHeadwords - 1] : std::u16string_view();
  const OwnLookup ownFound = lookUpOwnArticles(own, typed, full ? &last : nullptr);
  found.listing = mergedListing(ownFound.listing, dictionaryListing);

  std::u16string_view article;
  const bool dictionaryFound = findTypedArticle(dictionary, typed, direction, found.composed, article, &found.headword);
  ArticleLookup ownArticle = ownFound.article;
  // Text that found the dictionary's article in another spelling ("Tea", "水。") finds the
  // own article of that headword too.
  if (ownArticle.status != ArticleStatus::Found && dictionaryFound && found.headword != typed) {
    ownArticle = findArticle(own, found.headword);
  }
  if (ownArticle.status == ArticleStatus::Found) {
    if (!dictionaryFound) found.headword.assign(typed);
    found.composed = ownArticleView(ownArticle.article, article);
    found.composedArticle = true;
    found.articleFound = true;
    return found;
  }
  found.articleFound = dictionaryFound;
  // A composed article may have been cut for the view: keep what the view is given.
  found.composedArticle = dictionaryFound && !found.composed.empty() && article.data() == found.composed.data();
  if (found.composedArticle) {
    found.composed.resize(article.size());
  } else {
    found.shown = article;
  }
  return found;
}
