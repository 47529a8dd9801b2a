// The search engine against the straightforward search (tests/common/reference_search.h).
// Texts are mostly built like article files from the input (records of headwords over a
// small alphabet, often sorted so the binary search runs, with duplicates, stray line
// feeds, bars and zero units, and tails with or without a closing bar); the rest are the
// input's units as they come. Words are taken from the text's own headwords, cut or run
// on, or from the input. Both engine paths must give the reference's results, views into
// the same places of the text, and the load-time check must call a text sorted exactly
// when its record fields are in order. The lookups of typed text (other spellings, word
// forms, pinyin typed with tones) must keep every answer the exact search gives, stay
// within the shown-article limit and never break on text that is no word at all.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/lookup.h"
#include "dictionary/near_words.h"
#include "dictionary/own_articles.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"
#include "fuzz_check.h"
#include "reference_search.h"

namespace {

// Units that order in interesting ways: letters of both cases, a blank, a Latin and a CJK
// letter, both halves of a surrogate pair, a unit above the surrogates, the units the
// grammar gives meaning to ("|", line feed, carriage return) and the zero unit.
constexpr char16_t alphabet[] = {u'a',   u'b',   u'c',   u'A', u' ',  u'\u00E9', u'\u6C34',
                                 0xD83D, 0xDE00, 0xFF01, u'|', u'\n', u'\r',     u'\0'};
// Headwords use the first ten only, articles the first five and line breaks; the grammar
// units come in as faults.
constexpr std::size_t headwordAlphabet = 10;

std::u16string units(FuzzedDataProvider& input, std::size_t maxLength, std::size_t alphabetSize) {
  std::u16string out(input.ConsumeIntegralInRange<std::size_t>(0, maxLength), u'\0');
  for (char16_t& unit : out) unit = alphabet[input.ConsumeIntegralInRange<std::size_t>(0, alphabetSize - 1)];
  return out;
}

std::u16string recordText(FuzzedDataProvider& input, std::vector<std::u16string>& headwords) {
  static const std::u16string_view preambles[] = {u"\n", u"\uFEFFtitle\n", u"", u"junk"};
  std::u16string text(preambles[input.ConsumeIntegralInRange<std::size_t>(0, std::size(preambles) - 1)]);
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 40);
  for (std::size_t i = 0; i < count; ++i) {
    // A small pool makes duplicates common.
    if (!headwords.empty() && input.ConsumeIntegralInRange(0, 3) == 0) {
      headwords.push_back(headwords[input.ConsumeIntegralInRange<std::size_t>(0, headwords.size() - 1)]);
    } else {
      headwords.push_back(units(input, 5, headwordAlphabet));
    }
  }
  if (input.ConsumeIntegralInRange(0, 3) != 0) std::sort(headwords.begin(), headwords.end());
  for (const std::u16string& headword : headwords) {
    text += u'|';
    text += headword;
    text += u'|';
    text += units(input, 6, 5);
    // Faults now and then: a stray grammar unit inside the article, a record not
    // preceded by a line feed.
    if (input.ConsumeIntegralInRange(0, 15) == 0) text += alphabet[input.ConsumeIntegralInRange(10, 13)];
    if (input.ConsumeIntegralInRange(0, 15) != 0) text += u'\n';
  }
  if (input.ConsumeBool()) text += u'|';
  return text;
}

// Text as a learner may type pinyin, or as noise that looks like it: letters, blanks,
// apostrophes, tone digits and other digits, colons, tone-marked and combining marks.
std::u16string pinyinish(FuzzedDataProvider& input) {
  static constexpr char16_t units[] = {u'a',      u'n',      u'u',      u'v',      u'B',     u' ',
                                       u'\'',     u':',      u'3',      u'5',      u'0',     u'\u00FC',
                                       u'\u01DA', u'\u0301', u'\u0308', u'\u2019', u'\u6C34'};
  std::u16string out(input.ConsumeIntegralInRange<std::size_t>(0, 12), u'a');
  for (char16_t& unit : out) unit = units[input.ConsumeIntegralInRange<std::size_t>(0, std::size(units) - 1)];
  if (input.ConsumeIntegralInRange(0, 15) == 0) out.append(500, u'\'');
  return out;
}

std::u16string wordFor(FuzzedDataProvider& input, const std::vector<std::u16string>& headwords) {
  const int kind = input.ConsumeIntegralInRange(0, 5);
  if (kind == 5) return pinyinish(input);
  if (kind == 0 || headwords.empty()) return units(input, 6, std::size(alphabet));
  const std::u16string& headword = headwords[input.ConsumeIntegralInRange<std::size_t>(0, headwords.size() - 1)];
  switch (kind) {
    case 1:
      return headword.substr(0, input.ConsumeIntegralInRange<std::size_t>(0, headword.size()));
    case 2:
      return headword + units(input, 2, std::size(alphabet));
    case 3:
      return headword + u"|";
    default:
      return headword;
  }
}

// The check the load makes, done the plain way: the field after every line feed + "|"
// that has a unit after it, up to the next "|" or the end, never smaller than the one
// before.
bool fieldsInOrder(std::u16string_view text) {
  std::u16string_view previous;
  bool first = true;
  for (std::size_t at = text.find(u"\n|"); at != std::u16string_view::npos; at = text.find(u"\n|", at + 1)) {
    if (at + 2 >= text.size()) break;
    const std::u16string_view rest = text.substr(at + 2);
    const std::u16string_view field = rest.substr(0, rest.find(u'|'));
    if (!first && field < previous) return false;
    previous = field;
    first = false;
  }
  return true;
}

bool sameView(std::u16string_view a, std::u16string_view b) { return a.data() == b.data() && a.size() == b.size(); }

// The near headwords are at most ten distinct headwords of the text, views into it, and
// the message quotes at most 60 units of the word.
void checkNearWords(const ArticleText& text, std::u16string_view word, Direction direction) {
  const std::vector<std::u16string_view> nearby = nearestHeadwords(text, word, direction);
  FUZZ_CHECK(nearby.size() <= maxNearWords, text.text, word);
  const char16_t* const begin = text.text.data();
  for (std::size_t i = 0; i < nearby.size(); ++i) {
    const std::u16string_view headword = nearby[i];
    FUZZ_CHECK(!headword.empty() && headword.data() >= begin &&
                   headword.data() + headword.size() <= begin + text.text.size() &&
                   begin[headword.data() - begin - 1] == u'|',
               text.text, word);
    for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(nearby[j] != headword, text.text, word);
  }
  const std::u16string message = noEntryMessage(word, nearby);
  FUZZ_CHECK(message.rfind(u"No entry for \"", 0) == 0, text.text, word);
}

void compare(std::u16string_view loaded, const ArticleText& engineText, std::u16string_view word) {
  const reference::Listing wantList = reference::listHeadwords(loaded, word);
  const HeadwordListing list = listHeadwords(engineText, word);
  FUZZ_CHECK(list.status == wantList.status, loaded, word);
  FUZZ_CHECK(list.count == wantList.headwords.size(), loaded, word);
  for (std::size_t i = 0; i < list.count; ++i) {
    FUZZ_CHECK(sameView(list.headwords[i], wantList.headwords[i]), loaded, word);
  }
  const reference::Article wantArticle = reference::findArticle(loaded, word);
  const ArticleLookup article = findArticle(engineText, word);
  FUZZ_CHECK(article.status == wantArticle.status, loaded, word);
  FUZZ_CHECK(sameView(article.article, wantArticle.article), loaded, word);

  for (Direction tab : bothDirections) {
    const HeadwordListing typedList = listTypedWord(engineText, word, tab);
    if (list.status != ListingStatus::NoMatch) {
      FUZZ_CHECK(typedList.status == list.status && typedList.count == list.count, loaded, word);
      for (std::size_t i = 0; i < list.count; ++i)
        FUZZ_CHECK(sameView(typedList.headwords[i], list.headwords[i]), loaded, word);
    }
    std::u16string shown;
    const bool found = articleForTypedWord(engineText, word, tab, shown);
    FUZZ_CHECK(shown.size() <= maxShownArticleLength, loaded, word);
    if (article.status == ArticleStatus::Found) {
      FUZZ_CHECK(found && reference::keepsLinesInOrder(shown, shownArticle(article.article)), loaded, word);
    }
    checkNearWords(engineText, word, tab);
  }
}

// The user's own articles for some of the headwords: the edits keep the text readable and
// sorted, and the word list merged with it is the straightforward merge wherever the
// dictionary's listing is in order, and the dictionary's own listing where no own headword
// begins with the word.
void compareMerged(std::u16string_view loaded, const ArticleText& engineText, std::u16string_view ownText,
                   std::u16string_view word) {
  const ArticleText own = prepareArticleText(ownText);
  const HeadwordListing dictionary = listHeadwords(engineText, word);
  const HeadwordListing ownListing = listHeadwords(own, word);
  const OwnLookup ownFound = lookUpOwnArticles(own, word);
  const ArticleLookup ownArticle = findArticle(own, word);
  FUZZ_CHECK(ownFound.listing.count == ownListing.count && ownFound.article.status == ownArticle.status &&
                 ownFound.article.article == ownArticle.article,
             ownText, word);
  const HeadwordListing merged = mergedListing(ownListing, dictionary);
  // The keystroke's one lookup lists and shows what the separate searches do.
  for (const Direction direction : bothDirections) {
    const Lookup one = lookUp(engineText, own, direction, word);
    const HeadwordListing separate = mergedListing(ownListing, listTypedWord(engineText, word, direction));
    FUZZ_CHECK(one.listing.status == separate.status && one.listing.count == separate.count, loaded, word);
    for (std::size_t i = 0; i < separate.count; ++i) {
      FUZZ_CHECK(one.listing.headwords[i] == separate.headwords[i], loaded, word);
    }
    std::u16string composed;
    std::u16string_view shown;
    std::u16string spelling;
    const bool dictionaryFound = findTypedArticle(engineText, word, direction, composed, shown, &spelling);
    std::u16string article(shown);
    // Text that found a headword in another spelling shows that headword's own article.
    const ArticleLookup ownShown =
        ownArticle.status == ArticleStatus::Found || !dictionaryFound ? ownArticle : findArticle(own, spelling);
    if (ownShown.status == ArticleStatus::Found) article = ownArticleView(ownShown.article, article);
    FUZZ_CHECK(one.article() == article, loaded, word);
  }
  if (ownListing.status != ListingStatus::Listed) {
    FUZZ_CHECK(merged.status == dictionary.status && merged.count == dictionary.count, loaded, word);
    return;
  }
  for (std::size_t i = 1; i < dictionary.count; ++i) {
    if (dictionary.headwords[i] < dictionary.headwords[i - 1]) return;
  }
  const reference::Listing want =
      reference::mergedListing(reference::listHeadwords(ownText, word), reference::listHeadwords(loaded, word));
  FUZZ_CHECK(merged.count == want.headwords.size(), loaded, word);
  for (std::size_t i = 0; i < merged.count; ++i) FUZZ_CHECK(merged.headwords[i] == want.headwords[i], loaded, word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<std::u16string> headwords;
  std::u16string text;
  if (input.ConsumeIntegralInRange(0, 7) == 0) {
    const std::string bytes = input.ConsumeRandomLengthString(4096);
    text.assign(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    // Words from the text's own fields, so the garbage still gets matches.
    for (std::size_t at = text.find(u"\n|"); at != std::u16string::npos && headwords.size() < 16;
         at = text.find(u"\n|", at + 1)) {
      headwords.push_back(text.substr(at + 2, text.find(u'|', at + 2) - (at + 2)));
    }
  } else {
    text = recordText(input, headwords);
  }

  const ArticleText prepared = prepareArticleText(text);
  FUZZ_CHECK(prepared.sortedRecords == fieldsInOrder(prepared.text), prepared.text, u"");
  ArticleText scanned = prepared;
  scanned.sortedRecords = false;

  std::u16string own(emptyOwnArticles);
  for (const std::u16string& headword : headwords) {
    if (!input.ConsumeBool()) continue;
    const std::u16string article = storedOwnArticle(units(input, 4, 5));
    if (checkOwnInput(headword, article).rule != OwnInputRule::Kept) continue;
    own = input.ConsumeIntegralInRange(0, 3) == 0 ? withoutOwnArticle(own, headword)
                                                  : withOwnArticle(own, headword, article);
  }
  std::vector<OwnRecord> records;
  FUZZ_CHECK(readOwnRecords(own, records) && prepareArticleText(own).sortedRecords, own, u"");

  for (int i = 0; i < 8 && input.remaining_bytes() > 0; ++i) {
    const std::u16string word = wordFor(input, headwords);
    compare(text, prepared, word);
    compare(text, scanned, word);
    compareMerged(text, prepared, own, word);
  }
  return 0;
}
