// Any text as an article of either view, its first line standing for the headword: the
// marks must lie inside the text, in order and without overlapping, every link must name
// exactly the text it covers, and the RTF made from it must be ASCII whose groups balance
// and whose text, read back, is the article's own.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/article_format.h"
#include "fuzz_check.h"

namespace {

// The text of the document's RTF, read as the view reads what articleRtf writes: groups,
// escaped specials, \par, \tab and \uN; control words and the two tables left out.
std::u16string rtfText(const std::string& rtf, std::u16string_view article) {
  std::u16string text;
  int depth = 0;
  int skipFrom = -1;
  for (std::size_t i = 0; i < rtf.size();) {
    const auto c = static_cast<unsigned char>(rtf[i]);
    if (c >= 0x80) fuzz::fail("a byte beyond ASCII in the RTF", article);
    if (c == '{') {
      ++depth;
      ++i;
    } else if (c == '}') {
      if (--depth < 0) fuzz::fail("a group closed that never opened", article);
      if (depth < skipFrom) skipFrom = -1;
      ++i;
      if (depth == 0 && i != rtf.size()) fuzz::fail("text after the document's group", article);
    } else if (c == '\n') {
      ++i;
    } else if (c != '\\') {
      if (skipFrom < 0) text += static_cast<char16_t>(c);
      ++i;
    } else if (i + 1 < rtf.size() && (rtf[i + 1] == '\\' || rtf[i + 1] == '{' || rtf[i + 1] == '}')) {
      if (skipFrom < 0) text += static_cast<char16_t>(rtf[i + 1]);
      i += 2;
    } else {
      std::size_t end = ++i;
      while (end < rtf.size() && rtf[end] >= 'a' && rtf[end] <= 'z') ++end;
      const std::string word = rtf.substr(i, end - i);
      std::size_t numberEnd = end;
      if (numberEnd < rtf.size() && rtf[numberEnd] == '-') ++numberEnd;
      while (numberEnd < rtf.size() && rtf[numberEnd] >= '0' && rtf[numberEnd] <= '9') ++numberEnd;
      const long number = numberEnd > end ? std::stol(rtf.substr(end, numberEnd - end)) : 0;
      i = numberEnd < rtf.size() && rtf[numberEnd] == ' ' ? numberEnd + 1 : numberEnd;
      if (word == "fonttbl" || word == "colortbl") skipFrom = depth;
      if (skipFrom >= 0) continue;
      if (word == "par") text += u'\n';
      if (word == "tab") text += u'\t';
      if (word == "u") text += static_cast<char16_t>(number < 0 ? number + 0x10000 : number);
    }
  }
  if (depth != 0) fuzz::fail("the document's group never closed", article);
  // The view takes the document's last paragraph mark for its own end.
  if (rtf.size() >= 6 && rtf.compare(rtf.size() - 6, 6, "\\par\n}") == 0) text.pop_back();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string input(size / 2, u'\0');
  for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const std::u16string article = withViewLineEnds(input);
  if (article.find(u'\r') != std::u16string::npos) fuzz::fail("a CR left in the view's text", article);
  const std::u16string_view headword = std::u16string_view(article).substr(0, article.find(u'\n'));
  for (const Direction direction : bothDirections) {
    const ArticleMarks marks = findArticleMarks(article, direction, headword);
    std::size_t end = 0;
    for (const ToneSpan& span : marks.tones) {
      if (span.start < end || span.length == 0 || span.start + span.length > article.size() || span.tone < 1 ||
          span.tone > 5) {
        fuzz::fail("a tone span out of place", article);
      }
      end = span.start + span.length;
    }
    end = 0;
    for (const ArticleLink& link : marks.links) {
      if (link.start < end || link.length == 0 || link.start + link.length > article.size()) {
        fuzz::fail("a link out of place", article, link.word);
      }
      if (std::u16string_view(article).substr(link.start, link.length) != link.word) {
        fuzz::fail("a link names other text than it covers", article, link.word);
      }
      end = link.start + link.length;
    }
    for (const LevelBadge& badge : marks.badges) {
      if (badge.start + badge.length > article.size()) fuzz::fail("a badge out of place", article);
    }
    for (const ToneScheme& scheme : toneSchemes()) {
      const std::string rtf = articleRtf(article, marks, scheme, {u"MS Song", 20, 134});
      if (rtfText(rtf, article) != article) fuzz::fail("the RTF reads back as other text", article);
    }
  }
  return 0;
}
