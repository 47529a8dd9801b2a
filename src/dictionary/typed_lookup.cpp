#include "dictionary/typed_lookup.h"

#include <vector>

#include "dictionary/enclosing_punctuation.h"
#include "dictionary/typed_pinyin.h"

namespace {

constexpr std::u16string_view lineEnd = u"\r\n";

// An article names at most this many forms whose base articles it shows; the
// builder writes one or two, so more means a damaged file.
constexpr std::size_t maxExpandedForms = 4;

// ü may have been typed as u in at most this many places that are tried.
constexpr std::size_t maxUmlautSpellings = 8;

bool isAsciiUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool isAsciiLower(char16_t c) { return c >= u'a' && c <= u'z'; }

std::u16string lowered(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (isAsciiUpper(c)) {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  return out;
}

std::u16string_view trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
    text.remove_suffix(1);
  }
  return text;
}

void addSpelling(std::vector<std::u16string>& spellings, std::u16string_view typed, std::u16string spelling) {
  if (spelling.empty() || spelling == typed) {
    return;
  }
  for (const std::u16string& known : spellings) {
    if (known == spelling) {
      return;
    }
  }
  spellings.push_back(std::move(spelling));
}

// The readings of one word, most likely first: the word itself, and in the
// English→Chinese direction with capitals changed, in the Chinese→English direction read
// as pinyin. `pinyin` receives the first pinyin reading that succeeds.
void addReadings(std::vector<std::u16string>& spellings, std::u16string_view typed, std::u16string_view word,
                 Direction direction, TypedPinyin* pinyin) {
  addSpelling(spellings, typed, std::u16string(word));
  if (direction == Direction::EnglishChinese) {
    // A capital at the start of a sentence, or a word typed in capitals.
    addSpelling(spellings, typed, lowered(word));
    // A name typed in lower case: "beijing" is listed as "Beijing".
    if (!word.empty() && isAsciiLower(word.front())) {
      std::u16string capital(word);
      capital.front() = static_cast<char16_t>(capital.front() - u'a' + u'A');
      addSpelling(spellings, typed, std::move(capital));
    }
    return;
  }
  TypedPinyin read;
  if (readTypedPinyin(word, read, maxArticleWordLength)) {
    addSpelling(spellings, typed, read.key);
    for (std::u16string& other : umlautSpellings(read.key, maxUmlautSpellings)) {
      addSpelling(spellings, typed, std::move(other));
    }
    if (pinyin != nullptr && pinyin->key.empty()) {
      *pinyin = std::move(read);
    }
  }
}

// Other readings of typed text that found nothing, most likely first. For the
// Chinese→English direction, `pinyin` receives the text read as pinyin (its tones order the
// list that the key finds). The readings of the text without the punctuation, quotes and
// brackets around it come after those of the text as typed, so a headword that ends in a
// full stop ("etc.") or a pinyin "u:" is still found as it stands.
std::vector<std::u16string> otherSpellings(std::u16string_view typed, Direction direction, TypedPinyin* pinyin) {
  std::vector<std::u16string> spellings;
  const std::u16string_view word = trimmed(typed.substr(0, maxArticleWordLength));
  addReadings(spellings, typed, word, direction, pinyin);
  const std::u16string_view bare = withoutEnclosingPunctuation(word);
  if (bare.size() != word.size()) {
    addReadings(spellings, typed, bare, direction, pinyin);
  }
  return spellings;
}

// Lines of an English article that name a form of the looked-up word:
// "<word>: <relation> of <base>", the relation in lower-case letters and
// blanks. Each such line is followed by the base's article, once.
std::u16string withBaseArticles(const ArticleText& text, std::u16string_view word, std::u16string_view article) {
  std::u16string out;
  std::size_t expanded = 0;
  std::size_t pos = 0;
  while (pos < article.size()) {
    std::size_t end = article.find(lineEnd, pos);
    end = end == std::u16string_view::npos ? article.size() : end + lineEnd.size();
    const std::u16string_view line = article.substr(pos, end - pos);
    out.append(line);
    pos = end;

    std::u16string_view body = line;
    while (!body.empty() && (body.back() == u'\r' || body.back() == u'\n')) {
      body.remove_suffix(1);
    }
    if (expanded == maxExpandedForms || body.size() <= word.size() + 2 || body.substr(0, word.size()) != word ||
        body.substr(word.size(), 2) != u": ") {
      continue;
    }
    const std::u16string_view rest = body.substr(word.size() + 2);
    const std::size_t of = rest.find(u" of ");
    if (of == std::u16string_view::npos || of == 0) {
      continue;
    }
    bool relation = true;
    for (char16_t c : rest.substr(0, of)) {
      relation = relation && (isAsciiLower(c) || c == u' ');
    }
    const std::u16string_view base = rest.substr(of + 4);
    if (!relation || base.empty() || base == word) {
      continue;
    }
    const ArticleLookup lookup = findArticle(text, base);
    // The word's own article is always shown whole: a base article that
    // would push it past what the view is given is left out.
    const std::size_t separator = out.empty() || out.back() == u'\n' ? 0 : lineEnd.size();
    if (lookup.status != ArticleStatus::Found ||
        out.size() + separator + lookup.article.size() + (article.size() - pos) > maxShownArticleLength) {
      continue;
    }
    out.append(separator == 0 ? u"" : lineEnd);
    out.append(lookup.article);
    ++expanded;
  }
  return out;
}

// Whether a line of the article starts with "<word>: ", as form lines do.
bool namesForms(std::u16string_view word, std::u16string_view article) {
  for (std::size_t at = article.find(word); at != std::u16string_view::npos; at = article.find(word, at + 1)) {
    if ((at == 0 || article[at - 1] == u'\n') && article.substr(at + word.size(), 2) == u": ") {
      return true;
    }
  }
  return false;
}

// What the view shows of a found article: the article itself, or a composed
// text when forms name base words or typed tones reorder a list.
void finish(const ArticleText& text, std::u16string_view word, std::u16string_view found, Direction direction,
            const TypedPinyin* tones, std::u16string& composed, std::u16string_view& shown) {
  shown = shownArticle(found);
  if (direction == Direction::EnglishChinese && !word.empty() && namesForms(word, shown)) {
    composed = withBaseArticles(text, word, shown);
  } else if (direction == Direction::ChineseEnglish && tones != nullptr &&
             (!tones->tones.empty() || !tones->syllableStarts.empty()) && tones->key.size() == word.size()) {
    // The key found may spell ü where u was typed; the tones sit at the same places.
    TypedPinyin foundKey = *tones;
    foundKey.key.assign(word);
    composed = orderByTypedTones(shown, foundKey);
  } else {
    return;
  }
  shown = shownArticle(composed);
}

}  // namespace

HeadwordListing listTypedWord(const ArticleText& text, std::u16string_view typed, Direction direction) {
  const HeadwordListing plain = listHeadwords(text, typed);
  if (plain.status != ListingStatus::NoMatch) {
    return plain;
  }
  for (const std::u16string& spelling : otherSpellings(typed, direction, nullptr)) {
    const HeadwordListing other = listHeadwords(text, spelling);
    if (other.status == ListingStatus::Listed) {
      return other;
    }
  }
  return plain;
}

bool findTypedArticle(const ArticleText& text, std::u16string_view typed, Direction direction, std::u16string& composed,
                      std::u16string_view& shown, std::u16string* headword) {
  composed.clear();
  shown = {};
  if (headword) headword->clear();
  const ArticleLookup plain = findArticle(text, typed);
  if (plain.status == ArticleStatus::Found) {
    const std::u16string_view word = typed.substr(0, maxArticleWordLength);
    finish(text, word.substr(0, word.find(u'\0')), plain.article, direction, nullptr, composed, shown);
    if (headword) headword->assign(typed);
    return true;
  }
  TypedPinyin pinyin;
  for (const std::u16string& spelling : otherSpellings(typed, direction, &pinyin)) {
    const ArticleLookup other = findArticle(text, spelling);
    if (other.status == ArticleStatus::Found) {
      finish(text, spelling, other.article, direction, &pinyin, composed, shown);
      if (headword) headword->assign(spelling);
      return true;
    }
  }
  return false;
}

bool articleForTypedWord(const ArticleText& text, std::u16string_view typed, Direction direction,
                         std::u16string& article) {
  std::u16string composed;
  std::u16string_view shown;
  const bool found = findTypedArticle(text, typed, direction, composed, shown);
  article.assign(shown);
  return found;
}
