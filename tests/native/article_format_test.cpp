#include "dictionary/article_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Each character of the text with the tone it is coloured in, as "告2訴2 gào4 su5": a
// digit after every coloured character, none after an uncoloured one.
std::string tonesShown(std::u16string_view text, const ArticleMarks& marks) {
  std::vector<int> tones(text.size());
  for (const ToneSpan& span : marks.tones) {
    for (std::size_t i = span.start; i < span.start + span.length && i < text.size(); ++i) tones[i] = span.tone;
  }
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += utf8(text.substr(i, 1));
    const bool lastOfRun = i + 1 == text.size() || tones[i + 1] != tones[i] || tones[i] == 0 || text[i + 1] == u' ' ||
                           text[i] == u' ' || (text[i] > 0x2000 && text[i + 1] > 0x2000);
    if (tones[i] != 0 && lastOfRun) out += static_cast<char>('0' + tones[i]);
  }
  return out;
}

std::string linksShown(std::u16string_view text, const ArticleMarks& marks) {
  std::string out;
  for (const ArticleLink& link : marks.links) {
    EXPECT_EQ(link.word, text.substr(link.start, link.length));
    if (!out.empty()) out += ", ";
    out += utf8(link.word);
    out += link.direction == Direction::ChineseEnglish ? "→CE" : "→EC";
  }
  return out;
}

TEST(ToneOfSyllable, ReadsTheMarkAndRejectsWhatIsNotPinyin) {
  const struct {
    std::u16string syllable;
    int tone;
    bool erhua;
  } cases[] = {
      {u"shū", 1, false},
      {u"Shū", 1, false},
      {u"gào", 4, false},
      {u"su", 5, false},
      {u"lǘ", 2, false},
      {u"nǚ", 3, false},
      {u"huìr", 4, true},
      {u"gàor", 4, true},
      {u"zhèr", 4, true},
      {u"gēr", 1, true},
      {u"èr", 4, false},
      {u"ér", 2, false},
      {u"zhuàng", 4, false},
      {u"ň", 3, false},
      // Not one pinyin syllable: left uncoloured.
      {u"xx5", 0, false},
      {u"shi4", 0, false},
      {u"K", 0, false},
      {u"T恤", 0, false},
      {u"ǎà", 0, false},
      {u"", 0, false},
      {u"qr", 0, false},
      {u"brk", 0, false},
      {u"zhuàngzhuàng", 0, false},
  };
  for (const auto& c : cases) {
    bool erhua = !c.erhua;
    EXPECT_EQ(toneOfSyllable(c.syllable, &erhua), c.tone) << utf8(c.syllable);
    if (c.tone != 0) {
      EXPECT_EQ(erhua, c.erhua) << utf8(c.syllable);
    }
  }
}

// Real article lines, as the views show them, with what a learner sees coloured.
TEST(ArticleMarks, ColoursEachSyllableAndItsCharacterOnlyWhereTheyMatch) {
  const struct {
    Direction direction;
    std::u16string headword;
    std::u16string article;
    std::string shown;
  } cases[] = {
      {Direction::ChineseEnglish, u"告诉", u"gào su   (traditional 告訴)\n1. to tell\n",
       "gào4 su5   (traditional 告4訴5)\n1. to tell\n"},
      {Direction::ChineseEnglish, u"书", u"shū   (traditional 書)\n1. book\n\nShū   (traditional 書)\n",
       "shū1   (traditional 書1)\n1. book\n\nShū1   (traditional 書1)\n"},
      // Only the headword to match: coloured when the count agrees, not otherwise.
      {Direction::ChineseEnglish, u"水", u"shuǐ\n1. water\n", "shuǐ3\n1. water\n"},
      {Direction::ChineseEnglish, u"水水", u"shuǐ\n1. water\n", "shuǐ\n1. water\n"},
      // Erhua: one syllable, two characters.
      {Direction::ChineseEnglish, u"一会儿", u"yī huìr   (traditional 一會兒)\n",
       "yī1 huìr4   (traditional 一1會4兒4)\n"},
      // Latin letters in the headword, letters for pinyin, tone digits: nothing coloured.
      {Direction::ChineseEnglish, u"AA制", u"AA zhì\n1. to go Dutch\n", "AA zhì\n1. to go Dutch\n"},
      {Direction::ChineseEnglish, u"卡拉OK", u"kǎ lā O K\n", "kǎ lā O K\n"},
      {Direction::ChineseEnglish, u"水", u"xx5\n", "xx5\n"},
      // A reading line only starts the article or follows an empty line.
      {Direction::ChineseEnglish, u"好", u"1. good\nhǎo\n", "1. good\nhǎo\n"},
      {Direction::ChineseEnglish, u"shi", u"7. 师 (師) shī: teacher\n49. 匙 shi: used in 鑰匙 (钥匙) [yào shi]\n",
       "7. 师1 (師1) shī1: teacher\n49. 匙5 shi5: used in 鑰4匙5 (钥4匙5) [yào4 shi5]\n"},
      {Direction::EnglishChinese, u"tell", u"1. 告诉 (告訴) gào su: to tell\n24. 告儿 (告兒) gàor: (coll.) to tell\n",
       "1. 告4诉5 (告4訴5) gào4 su5: to tell\n24. 告4儿4 (告4兒4) gàor4: (coll.) to tell\n"},
      {Direction::ChineseEnglish, u"书", u"Classifiers: 本 běn, 册 cè, 部 bù\n",
       "Classifiers: 本3 běn3, 册4 cè4, 部4 bù4\n"},
      // One form matching is enough for the reading; the other form stays uncoloured.
      {Direction::ChineseEnglish, u"x", u"1. variant of T恤 (T恤衫) [T xù]\n", "1. variant of T恤 (T恤衫) [T xù]\n"},
      {Direction::ChineseEnglish, u"x", u"1. see 書經 (书经经) [Shū jīng]\n", "1. see 書1經1 (书经经) [Shū1 jīng1]\n"},
      // Unbalanced and empty brackets colour nothing and stop nothing.
      {Direction::ChineseEnglish, u"x", u"1. see 書經 (书经 [Shū jīng\n2. 水 [] ]] [[ 水 [shuǐ]\n",
       "1. see 書經 (书经 [Shū jīng\n2. 水 [] ]] [[ 水3 [shuǐ3]\n"},
      // A character outside the basic plane counts once.
      {Direction::ChineseEnglish, u"𠀋", u"jiāng\n", "jiāng1\n"},
  };
  for (const auto& c : cases) {
    const ArticleMarks marks = findArticleMarks(c.article, c.direction, c.headword);
    EXPECT_EQ(tonesShown(c.article, marks), c.shown) << utf8(c.article);
  }
}

TEST(ArticleMarks, LinksTheWordsALearnerWantsToFollow) {
  const struct {
    Direction direction;
    std::u16string article;
    std::string links;
  } cases[] = {
      {Direction::EnglishChinese, u"1. 告诉 (告訴) gào su: to tell\n2. 说 (說) shuō: to say\n", "告诉→CE, 说→CE"},
      {Direction::ChineseEnglish, u"Classifiers: 本 běn, 册 cè\n", "本→CE, 册→CE"},
      {Direction::ChineseEnglish,
       u"1. abbr. for 書經 (书经) [Shū jīng]\n2. see also 书 [shū]; variant of 屄 [bī]\n"
       u"3. also written 杜鵑鳥…\n4. also written as 书\n5. overseen 书\n",
       "書經→CE, 书→CE, 屄→CE, 杜鵑鳥→CE"},
      {Direction::EnglishChinese, u"bought: past form of buy\n1. 买 mǎi: to buy\n", "buy→EC, 买→CE"},
      {Direction::EnglishChinese, u"runs: plural or third person of run\n", "run→EC"},
      // Glosses that merely look alike are not word-form lines, and the Chinese view has none.
      {Direction::EnglishChinese, u"note: a kind of tea\n", ""},
      {Direction::ChineseEnglish, u"bought: past form of buy\n", ""},
      // A numbered gloss is not a word line.
      {Direction::ChineseEnglish, u"shuǐ\n1. to swim (used in 會水 (会水) [huì shuǐ])\n", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(linksShown(c.article, findArticleMarks(c.article, c.direction, u"")), c.links) << utf8(c.article);
  }
  // A text that ends in the blank after a word is read only up to its end: what lies past
  // it in memory is not taken for the word's other form.
  const std::u16string memory = u"Classifiers: 本 (書) shū";
  const std::u16string_view cut = std::u16string_view(memory).substr(0, memory.find(u'('));
  EXPECT_EQ(linksShown(std::u16string(cut), findArticleMarks(cut, Direction::ChineseEnglish, u"")), "本→CE");
}

TEST(ArticleMarks, ShowsTheLevelLineUnderAReadingOnly) {
  const std::u16string article = u"gào su   (traditional 告訴)\nHSK 2\n1. to tell\nHSK 3\n";
  const ArticleMarks marks = findArticleMarks(article, Direction::ChineseEnglish, u"告诉");
  ASSERT_EQ(marks.badges.size(), 1u);
  EXPECT_EQ(article.substr(marks.badges[0].start, marks.badges[0].length), u"HSK 2");
  EXPECT_TRUE(findArticleMarks(u"HSK 2\n", Direction::ChineseEnglish, u"").badges.empty());
  EXPECT_TRUE(findArticleMarks(u"shū\nHSK two\n", Direction::ChineseEnglish, u"书").badges.empty());
}

// ---- reading RTF back, as a rich edit control would ----

struct ReadBack {
  std::u16string text;
  std::vector<int> colours;  // colour table index of each character
  std::vector<bool> underlined;
};

ReadBack readRtf(const std::string& rtf) {
  ReadBack out;
  struct State {
    int colour = 0;
    bool underline = false;
    bool skip = false;
  };
  std::vector<State> stack{State{}};
  std::size_t i = 0;
  const auto put = [&](char16_t unit) {
    if (stack.back().skip) return;
    out.text += unit;
    out.colours.push_back(stack.back().colour);
    out.underlined.push_back(stack.back().underline);
  };
  while (i < rtf.size()) {
    const char c = rtf[i];
    if (c == '{') {
      stack.push_back(stack.back());
      ++i;
    } else if (c == '}') {
      stack.pop_back();
      ++i;
      if (stack.size() == 1) {
        EXPECT_EQ(i, rtf.size()) << "text after the document's group";
        // The view takes the last paragraph mark for its own end.
        if (rtf.size() >= 6 && rtf.compare(rtf.size() - 6, 6, "\\par\n}") == 0) {
          out.text.pop_back();
          out.colours.pop_back();
          out.underlined.pop_back();
        }
        return out;
      }
    } else if (c == '\r' || c == '\n') {
      ++i;
    } else if (c != '\\') {
      put(static_cast<unsigned char>(c));
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "raw byte beyond ASCII";
      ++i;
    } else {
      ++i;
      if (i < rtf.size() && !std::isalpha(static_cast<unsigned char>(rtf[i]))) {
        put(static_cast<unsigned char>(rtf[i]));
        ++i;
        continue;
      }
      std::string word;
      while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i]))) word += rtf[i++];
      std::string number;
      if (i < rtf.size() && (rtf[i] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i])))) number += rtf[i++];
      while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i]))) number += rtf[i++];
      if (i < rtf.size() && rtf[i] == ' ') ++i;
      const long value = number.empty() ? -1 : std::stol(number);
      if (word == "fonttbl" || word == "colortbl") stack.back().skip = true;
      else if (word == "par") put(u'\n');
      else if (word == "tab") put(u'\t');
      else if (word == "u") put(static_cast<char16_t>(value < 0 ? value + 0x10000 : value));
      else if (word == "plain") stack.back().colour = 0, stack.back().underline = false;
      else if (word == "cf") stack.back().colour = static_cast<int>(value);
      else if (word == "ul") stack.back().underline = value != 0;
    }
  }
  ADD_FAILURE() << "the document's group never closed";
  return out;
}

TEST(PrintedLines, BreakAtBlanksAndBesideChineseButNeverInsideACharacter) {
  const struct {
    const char* what;
    std::u16string paragraph;
    std::size_t fit;
    std::size_t end;
  } cases[] = {
      {"after the last blank that fits", u"ab cd ef", 4, 3},
      {"between Chinese characters", u"\u6C34\u706B\u571F", 2, 2},
      {"a word wider than the line is cut where the room ends", u"abcdef", 3, 3},
      {"at least one character", u"abc", 0, 1},
      {"before a character beyond the first 65,536, not inside it", u"a\U00020000\U00020000b", 2, 1},
      {"between two such characters", u"\U00020000\U00020000\U00020000", 3, 2},
      {"a line with room for half of one still holds it whole", u"\U00020000\U00020000", 1, 2},
      {"the rest fits", u"ab", 5, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(printedLineEnd(c.paragraph, 0, c.fit), c.end) << c.what;
  EXPECT_EQ(printedLineEnd(u"ab cd", 3, 1), 4u) << "a later line";
}

TEST(ArticleRtf, GivesBackEveryCharacterWithItsColour) {
  std::u16string awkward = u"a\\b{c}d\te \"q\" ~ ;\n";
  for (char16_t unit = 1; unit < 0x20; ++unit) {
    if (unit != u'\n' && unit != u'\r') awkward += unit;
  }
  awkward += u"\u007F\u00E9\u4E2D\uFFFF\U0002000B";
  awkward += char16_t{0xDBFF};  // a lone high surrogate at the end
  const std::u16string texts[] = {
      u"",
      u"gào su   (traditional 告訴)\nHSK 2\n1. to tell\n\n",
      u"1. 告诉 (告訴) gào su: to tell; see 書經 (书经) [Shū jīng] \\par {\\b}\n",
      awkward,
  };
  const ViewFont font{u"MS {Song}\\", 20, 134};
  for (const ToneScheme& scheme : toneSchemes()) {
    for (const std::u16string& text : texts) {
      const ArticleMarks marks = findArticleMarks(text, Direction::ChineseEnglish, u"告诉");
      const std::string rtf = articleRtf(text, marks, scheme, font);
      const ReadBack back = readRtf(rtf);
      EXPECT_EQ(back.text, text);
      std::vector<int> tones(text.size());
      for (const ToneSpan& span : marks.tones) {
        for (std::size_t i = 0; i < span.length; ++i) tones[span.start + i] = span.tone;
      }
      std::vector<bool> linked(text.size());
      for (const LevelBadge& badge : marks.badges) {
        for (std::size_t i = 0; i < badge.length; ++i) tones[badge.start + i] = 7;  // white on a ground
      }
      for (const ArticleLink& link : marks.links) {
        for (std::size_t i = 0; i < link.length; ++i) linked[link.start + i] = true;
      }
      for (std::size_t i = 0; i < text.size() && i < back.colours.size(); ++i) {
        if (text[i] == u'\n') continue;
        EXPECT_EQ(back.colours[i], tones[i] != 0 ? tones[i] : linked[i] ? 6 : 0) << "character " << i;
        EXPECT_EQ(back.underlined[i], linked[i]) << "character " << i;
      }
    }
  }
}

TEST(ArticleRtf, NamesTheSchemesColoursInTheTable) {
  const ToneScheme& scheme = toneSchemes().front();
  const std::string rtf = articleRtf(u"x", {}, scheme, {u"MS Song", 20, 1});
  EXPECT_NE(rtf.find("{\\colortbl ;\\red208\\green0\\blue0;\\red0\\green160\\blue0;"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\fcharset1 MS Song;"), std::string::npos) << rtf;
}

TEST(ViewLineEnds, CountEveryLineEndAsOneCharacter) {
  EXPECT_EQ(withViewLineEnds(u"a\r\nb\rc\n\r\n\r"), u"a\nb\nc\n\n\n");
}

}  // namespace
