// The engine on the real built article files, when ARTICLES_DIR names the
// folder that holds them: every headword and every beginning of one must find
// the first record in file order that begins with it, list the records after
// it, and every headword must show its own article.
//
// Running the plain scan for each of a million words would take hours, so the
// expected first record of every word comes from one pass over the records in
// file order: a word without "|" occurs after line feed + "|" exactly where a
// headword begins with it, so the first record whose headword begins with the
// word is its first occurrence. A sample of words is also checked against the
// plain scan itself.
#include "dictionary/article_files.h"
#include "dictionary/typed_lookup.h"
#include "dictionary/word_search.h"
#include "reference_search.h"
#include "search_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Record {
  std::size_t start;  // the line feed of line feed + "|"
  std::u16string_view headword;
  std::u16string_view article;
};

std::u16string loadArticleText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  unscrambleArticleBytes(bytes.data(), bytes.size());
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

// The records in file order, checking on the way that each article ends where
// the next record starts, so that the records listed after a match are simply
// the next ones in this table.
std::vector<Record> readRecords(std::u16string_view text) {
  constexpr auto npos = std::u16string_view::npos;
  std::vector<Record> records;
  for (std::size_t start = text.find(u"\n|"); start != npos && start + 2 < text.size();
       start = text.find(u"\n|", start + 1)) {
    const std::size_t headwordEnd = text.find(u'|', start + 2);
    if (headwordEnd == npos) {
      ADD_FAILURE() << "headword without closing bar at " << start;
      break;
    }
    const std::size_t articleEnd = text.find(u'|', headwordEnd + 1);
    const std::size_t nextStart = text.find(u"\n|", start + 1);
    if (articleEnd != npos && articleEnd != nextStart + 1) {
      ADD_FAILURE() << "article at " << headwordEnd << " does not end at the next record";
      break;
    }
    records.push_back({start, text.substr(start + 2, headwordEnd - start - 2),
                       text.substr(headwordEnd + 1, articleEnd == npos ? npos : articleEnd - headwordEnd - 1)});
  }
  return records;
}

void checkFile(const std::string& path) {
  SCOPED_TRACE(path);
  const std::u16string text = loadArticleText(path);
  ASSERT_FALSE(text.empty());
  const ArticleText prepared = prepareArticleText(text);
  ASSERT_EQ(prepared.text.size(), text.size()) << "the text holds a zero unit";
  EXPECT_TRUE(prepared.sortedRecords) << "records not in code-unit order: every lookup scans";
  const std::vector<Record> records = readRecords(text);
  ASSERT_FALSE(records.empty());

  // Word -> index of the first record whose headword begins with it.
  std::unordered_map<std::u16string_view, std::size_t> firstWithPrefix;
  firstWithPrefix.reserve(records.size() * 4);
  for (std::size_t r = 0; r < records.size(); ++r) {
    const std::u16string_view headword = records[r].headword;
    for (std::size_t length = 0; length <= headword.size() && length <= maxListingWordLength; ++length) {
      firstWithPrefix.try_emplace(headword.substr(0, length), r);
    }
  }

  std::size_t failures = 0;
  for (const auto& [word, first] : firstWithPrefix) {
    const HeadwordListing listing = listHeadwords(prepared, word);
    const std::size_t expectedCount = std::min(maxListedHeadwords, records.size() - first);
    bool same = listing.status == ListingStatus::Listed && listing.count == expectedCount;
    for (std::size_t i = 0; same && i < listing.count; ++i) {
      const std::u16string_view want = records[first + i].headword.substr(0, maxListedHeadwordLength);
      same = listing.headwords[i].data() == want.data() && listing.headwords[i].size() == want.size();
    }
    if (!same && ++failures <= 10) {
      ADD_FAILURE() << "listing for \"" << search_test::escaped(word) << "\" should start at "
                    << "record " << first << " \"" << search_test::escaped(records[first].headword) << "\"";
    }
  }
  EXPECT_EQ(failures, 0u) << "of " << firstWithPrefix.size() << " words";

  // The round trip: every headword shows the article of its first record,
  // and a word that begins no headword finds nothing.
  failures = 0;
  for (std::size_t r = 0; r < records.size(); ++r) {
    const Record& record = records[r];
    if (record.headword.size() > maxArticleWordLength) {
      continue;
    }
    const std::size_t first =
        firstWithPrefix.at(record.headword.substr(0, std::min(record.headword.size(), maxListingWordLength)));
    const bool duplicate = first != r && records[first].headword == record.headword;
    const ArticleLookup lookup = findArticle(prepared, record.headword);
    const std::u16string_view want = duplicate ? records[first].article : record.article;
    if ((lookup.status != ArticleStatus::Found || lookup.article.data() != want.data() ||
         lookup.article.size() != want.size()) &&
        ++failures <= 10) {
      ADD_FAILURE() << "headword \"" << search_test::escaped(record.headword) << "\" does not show its article";
    }
    std::u16string absent(record.headword);
    absent += u'\uFFFF';
    if (firstWithPrefix.count(absent) == 0 &&
        (listHeadwords(prepared, absent).status != ListingStatus::NoMatch ||
         findArticle(prepared, absent).status != ArticleStatus::NotFound) &&
        ++failures <= 10) {
      ADD_FAILURE() << "absent word \"" << search_test::escaped(absent) << "\" was found";
    }
  }
  EXPECT_EQ(failures, 0u) << "of " << records.size() << " records";

  // A sample against the plain scan itself, words present and absent. Each
  // lookup scans the whole text several times, so the sample stays small.
  std::vector<std::u16string> sample{u"Zz\x1"};
  for (std::size_t r = records.size() / 12; r < records.size(); r += records.size() / 6 + 1) {
    const std::u16string headword(records[r].headword);
    sample.insert(sample.end(), {headword, headword.substr(0, 1), headword + u"\uFFFF"});
  }
  for (const std::u16string& word : sample) {
    EXPECT_TRUE(search_test::agreesWithReference(text, prepared, word));
  }
}

// ARTICLES_DIR when set (and then the files must be there), otherwise the
// installed copy of the build when the articles have been built.
std::string articlesFolder() {
  if (const char* folder = std::getenv("ARTICLES_DIR"); folder != nullptr && *folder != '\0') {
    return folder;
  }
#ifdef INSTALLED_ARTICLES_DIR
  if (std::ifstream(std::string(INSTALLED_ARTICLES_DIR) + "/Articles_English_Chinese.dat")) {
    return INSTALLED_ARTICLES_DIR;
  }
#endif
  return {};
}

TEST(WordSearchRealFiles, EveryHeadwordAndItsBeginningsFindTheirRecords) {
  const std::string folder = articlesFolder();
  if (folder.empty()) {
    GTEST_SKIP() << "no article files: ARTICLES_DIR is not set and none are installed";
  }
  for (const char* name : {"Articles_English_Chinese.dat", "Articles_Chinese_English.dat"}) {
    checkFile(folder + "/" + name);
  }
}

// The word named by the first numbered line of a shown list ("1. 水 shuǐ: water").
std::u16string firstListed(std::u16string_view article) {
  const std::size_t start = article.find(u"1. ");
  if (start == std::u16string_view::npos) {
    return {};
  }
  const std::size_t end = article.find(u' ', start + 3);
  return std::u16string(article.substr(start + 3, end == std::u16string_view::npos ? 0 : end - start - 3));
}

// What learners type, on the real files: the usual word comes first, inflected
// forms reach their base word, and pinyin typed any common way finds its words.
TEST(WordSearchRealFiles, LearnersFindTheWordTheyMeantFirst) {
  const std::string folder = articlesFolder();
  if (folder.empty()) {
    GTEST_SKIP() << "no article files: ARTICLES_DIR is not set and none are installed";
  }
  const std::u16string english = loadArticleText(folder + "/Articles_English_Chinese.dat");
  const std::u16string chinese = loadArticleText(folder + "/Articles_Chinese_English.dat");
  const ArticleText texts[] = {prepareArticleText(english), prepareArticleText(chinese)};
  const struct {
    Direction tab;
    std::u16string typed;
    std::u16string first;      // the word the first line names
    std::u16string firstLine;  // or: the article's first line
  } cases[] = {
      {Direction::EnglishChinese, u"taxi", u"\u51FA\u79DF\u8F66", u""},
      {Direction::EnglishChinese, u"hello", u"\u4F60\u597D", u""},
      {Direction::EnglishChinese, u"run", u"\u8DD1", u""},
      {Direction::EnglishChinese, u"listen", u"\u542C", u""},
      {Direction::EnglishChinese, u"water", u"\u6C34", u""},
      {Direction::EnglishChinese, u"Tea", u"\u8336", u""},
      {Direction::EnglishChinese, u"oranges", u"", u"oranges: plural of orange"},
      {Direction::EnglishChinese, u"cars", u"", u"cars: plural of car"},
      {Direction::EnglishChinese, u"feet", u"", u"feet: plural of foot"},
      {Direction::EnglishChinese, u"bought", u"", u"bought: past form of buy"},
      {Direction::EnglishChinese, u"taught", u"", u"taught: past form of teach"},
      {Direction::EnglishChinese, u"drank", u"", u"drank: past form of drink"},
      {Direction::EnglishChinese, u"happier", u"", u"happier: comparative of happy"},
      {Direction::ChineseEnglish, u"shui", u"\u6C34", u""},
      {Direction::ChineseEnglish, u"wo men", u"\u6211\u4EEC", u""},
      {Direction::ChineseEnglish, u"xue sheng", u"\u5B66\u751F", u""},
      {Direction::ChineseEnglish, u"Beijing", u"\u5317\u4EAC", u""},
      {Direction::ChineseEnglish, u"bei3jing1", u"\u5317\u4EAC", u""},
      {Direction::ChineseEnglish, u"b\u011Bij\u012Bng", u"\u5317\u4EAC", u""},
      {Direction::ChineseEnglish, u"Ch\u00E1ngch\u00E9ng", u"\u957F\u57CE", u""},
      {Direction::ChineseEnglish, u"chang'an", u"\u957F\u5B89", u""},
      {Direction::ChineseEnglish, u"nuren", u"\u5973\u4EBA", u""},
      {Direction::ChineseEnglish, u"\u542C", u"", u"t\u012Bng   (traditional \u807D)"},
  };
  for (const auto& c : cases) {
    std::u16string article;
    ASSERT_TRUE(articleForTypedWord(texts[directionIndex(c.tab)], c.typed, c.tab, article))
        << search_test::escaped(c.typed);
    if (!c.first.empty()) {
      EXPECT_EQ(search_test::escaped(firstListed(article)), search_test::escaped(c.first))
          << search_test::escaped(c.typed) << " shows " << search_test::escaped(article, 300);
    } else {
      EXPECT_EQ(search_test::escaped(article.substr(0, article.find(u"\r\n"))), search_test::escaped(c.firstLine));
      EXPECT_NE(firstListed(article), u"") << search_test::escaped(c.typed) << ": no translations shown";
    }
  }
}

}  // namespace
