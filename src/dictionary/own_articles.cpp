#include "dictionary/own_articles.h"

#include <algorithm>
#include <string>

#include "dictionary/article_files.h"

namespace {

constexpr std::size_t none = std::u16string_view::npos;
constexpr std::u16string_view lineEnd = u"\r\n";

bool isLineBreak(char16_t unit) { return unit == u'\r' || unit == u'\n'; }
bool isBlankOrLineBreak(char16_t unit) { return unit == u' ' || unit == u'\t' || isLineBreak(unit); }

// The grammar of an own text: the preamble one line feed, records optional, every article
// text followed by CR LF, as storedOwnArticle makes it.
ArticleGrammarLimits ownArticlesGrammar() {
  ArticleGrammarLimits limits;
  limits.preambleIsOneLineFeed = true;
  limits.needsRecord = false;
  limits.pairedSurrogates = false;
  limits.maxHeadwordLength = maxOwnHeadwordLength;
  limits.maxArticleLength = maxOwnArticleLength;
  limits.articleEndsWithCrLf = true;
  return limits;
}

bool headwordBefore(const OwnRecord& record, std::u16string_view headword) { return record.headword < headword; }

std::u16string asciiText(const std::string& text) { return std::u16string(text.begin(), text.end()); }
std::u16string number(std::size_t value) { return asciiText(std::to_string(value)); }

// The records of a text this program wrote: the text in memory always is one.
std::vector<OwnRecord> recordsOf(std::u16string_view text) {
  std::vector<OwnRecord> records;
  if (!readOwnRecords(text, records)) {
    records.clear();
  }
  return records;
}

// Where a unit of a stored article stands for the user: line and column from 1.
void placeOf(std::u16string_view text, std::size_t at, OwnInputCheck& check) {
  check.line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < at; ++i) {
    if (text[i] == u'\n') {
      ++check.line;
      lineStart = i + 1;
    }
  }
  check.column = at - lineStart + 1;
}

OwnInputCheck broken(OwnInputRule rule, std::u16string_view text, std::size_t at) {
  OwnInputCheck check;
  check.rule = rule;
  placeOf(text, at, check);
  return check;
}

}  // namespace

std::u16string ownArticleFileName(Direction direction) { return directionFileName(u"Own", direction); }

bool readOwnRecords(std::u16string_view text, std::vector<OwnRecord>& records) {
  records.clear();
  return checkArticleTextGrammar(text, ownArticlesGrammar(), &records).ok;
}

std::u16string ownArticlesText(const std::vector<OwnRecord>& records) {
  std::size_t size = emptyOwnArticles.size();
  for (const OwnRecord& record : records) {
    size += 2 + record.headword.size() + record.article.size();
  }
  std::u16string text;
  text.reserve(size);
  text.append(emptyOwnArticles);
  for (const OwnRecord& record : records) {
    text.push_back(u'|');
    text.append(record.headword);
    text.push_back(u'|');
    text.append(record.article);
  }
  return text;
}

std::u16string withOwnArticle(std::u16string_view text, std::u16string_view headword, std::u16string_view article) {
  std::vector<OwnRecord> records = recordsOf(text);
  const auto place = std::lower_bound(records.begin(), records.end(), headword, headwordBefore);
  if (place != records.end() && place->headword == headword) {
    place->article = article;
  } else {
    records.insert(place, {headword, article});
  }
  return ownArticlesText(records);
}

std::u16string withoutOwnArticle(std::u16string_view text, std::u16string_view headword) {
  std::vector<OwnRecord> records = recordsOf(text);
  const auto place = std::lower_bound(records.begin(), records.end(), headword, headwordBefore);
  if (place != records.end() && place->headword == headword) {
    records.erase(place);
  }
  return ownArticlesText(records);
}

std::u16string_view trimmedOwnHeadword(std::u16string_view typed) {
  while (!typed.empty() && isBlankOrLineBreak(typed.front())) {
    typed.remove_prefix(1);
  }
  while (!typed.empty() && isBlankOrLineBreak(typed.back())) {
    typed.remove_suffix(1);
  }
  return typed;
}

std::u16string storedOwnArticle(std::u16string_view typed) {
  std::u16string stored;
  stored.reserve(typed.size() + lineEnd.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == u'\r' && i + 1 < typed.size() && typed[i + 1] == u'\n') {
      ++i;
    }
    if (isLineBreak(typed[i])) {
      stored.append(lineEnd);
    } else {
      stored.push_back(typed[i]);
    }
  }
  while (!stored.empty() && isLineBreak(stored.back())) {
    stored.pop_back();
  }
  if (std::all_of(stored.begin(), stored.end(), isBlankOrLineBreak)) {
    return {};
  }
  stored.append(lineEnd);
  return stored;
}

OwnInputCheck checkOwnInput(std::u16string_view headword, std::u16string_view storedArticle) {
  if (headword.empty()) {
    return {OwnInputRule::HeadwordEmpty, 0, 0};
  }
  for (std::size_t i = 0; i < headword.size(); ++i) {
    if (isLineBreak(headword[i]) || headword[i] == u'\0') {
      return broken(OwnInputRule::HeadwordLineBreak, headword, i);
    }
    if (headword[i] == u'|') {
      return broken(OwnInputRule::HeadwordBar, headword, i);
    }
  }
  if (headword.size() > maxOwnHeadwordLength) {
    return broken(OwnInputRule::HeadwordTooLong, headword, maxOwnHeadwordLength);
  }
  if (storedArticle.empty()) {
    return {OwnInputRule::ArticleEmpty, 0, 0};
  }
  for (std::size_t i = 0; i < storedArticle.size(); ++i) {
    if (storedArticle[i] == u'|' || storedArticle[i] == u'\0') {
      return broken(OwnInputRule::ArticleBar, storedArticle, i);
    }
  }
  if (storedArticle.size() > maxOwnArticleLength) {
    return broken(OwnInputRule::ArticleTooLong, storedArticle, maxOwnArticleLength);
  }
  return {};
}

std::u16string ownInputMessage(const OwnInputCheck& check) {
  const std::u16string where = u" (character " + number(check.column) + u")";
  const std::u16string articleWhere = u" (line " + number(check.line) + u", character " + number(check.column) + u")";
  const std::u16string lookAlike = u". Nothing was saved; the full-width \"\uFF5C\" can stand for it.";
  switch (check.rule) {
    case OwnInputRule::Kept:
      return {};
    case OwnInputRule::HeadwordEmpty:
      return u"The headword is empty. Nothing was saved; please type the word the article is for.";
    case OwnInputRule::HeadwordTooLong:
      return u"The headword is longer than " + number(maxOwnHeadwordLength) + u" characters" + where +
             u". Nothing was saved; please shorten it.";
    case OwnInputRule::HeadwordLineBreak:
      return u"The headword holds a line break or a zero character" + where +
             u". Nothing was saved; a headword is one line.";
    case OwnInputRule::HeadwordBar:
      return u"The headword holds the character \"|\"" + where + lookAlike;
    case OwnInputRule::ArticleEmpty:
      return u"The article is empty. Nothing was saved; please write the article.";
    case OwnInputRule::ArticleTooLong:
      return u"The article is longer than " + number(maxOwnArticleLength) +
             u" characters, counting each line break as two" + articleWhere +
             u". Nothing was saved; please shorten it.";
    case OwnInputRule::ArticleBar:
      return u"The article holds the character \"|\" or a zero character" + articleWhere + lookAlike;
  }
  return {};
}

HeadwordListing mergedListing(const HeadwordListing& own, const HeadwordListing& dictionary) {
  if (own.status != ListingStatus::Listed) {
    return dictionary;
  }
  const std::size_t dictionaryCount = dictionary.status == ListingStatus::Listed ? dictionary.count : 0;
  HeadwordListing merged;
  merged.status = ListingStatus::Listed;
  std::size_t o = 0;
  std::size_t d = 0;
  while (merged.count < maxListedHeadwords && (o < own.count || d < dictionaryCount)) {
    std::u16string_view next;
    if (d == dictionaryCount || (o < own.count && own.headwords[o] <= dictionary.headwords[d])) {
      next = own.headwords[o++];
      if (d < dictionaryCount && dictionary.headwords[d] == next) {
        ++d;
      }
    } else {
      next = dictionary.headwords[d++];
    }
    merged.headwords[merged.count++] = next;
  }
  return merged;
}

OwnLookup lookUpOwnArticles(const ArticleText& own, std::u16string_view wordBoxText, const std::u16string_view* last) {
  OwnLookup found;
  found.listing = last != nullptr ? listHeadwordsUpTo(own, wordBoxText, *last) : listHeadwords(own, wordBoxText);
  const std::u16string_view word = wordBoxText.substr(0, wordBoxText.find(u'\0'));
  // Only in sorted text does the first headword that begins with the word equal it when any
  // does (equal headwords sort before longer ones); a word the article key would cut, or
  // one that can match across a field's end, is looked up on its own.
  if (!own.sortedRecords || word.size() > maxArticleWordLength || word.find_first_of(u"|\n") != none) {
    found.article = findArticle(own, wordBoxText);
    return found;
  }
  if (found.listing.status != ListingStatus::Listed || found.listing.headwords[0] != word) {
    return found;
  }
  found.article = articleOfListedHeadword(own, found.listing.headwords[0]);
  return found;
}

std::u16string ownArticleView(std::u16string_view own, std::u16string_view dictionary) {
  std::u16string view(ownArticleHeading);
  view.append(own);
  if (!dictionary.empty()) {
    if (!view.empty() && view.back() != u'\n') {
      view.append(lineEnd);
    }
    view.append(lineEnd);
    view.append(dictionaryArticleHeading);
    view.append(dictionary);
  }
  view.resize(shownArticle(view).size());
  return view;
}
