#include "dictionary/article_format.h"

#include <algorithm>
#include <cstdio>

namespace {

using Text = std::u16string_view;

// The toneless letter and tone of a letter as pinyin writes it; letter 0 for anything
// else. "v" stands for ü.
struct PinyinLetter {
  char letter = 0;
  int tone = 0;
};

PinyinLetter pinyinLetter(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') return {static_cast<char>(unit), 0};
  if (unit >= u'A' && unit <= u'Z') return {static_cast<char>(unit - u'A' + u'a'), 0};
  struct Marked {
    char16_t small;
    char16_t capital;
    char letter;
    int tone;
  };
  static constexpr Marked marked[] = {
      {u'ā', u'Ā', 'a', 1}, {u'á', u'Á', 'a', 2}, {u'ǎ', u'Ǎ', 'a', 3}, {u'à', u'À', 'a', 4}, {u'ē', u'Ē', 'e', 1},
      {u'é', u'É', 'e', 2}, {u'ě', u'Ě', 'e', 3}, {u'è', u'È', 'e', 4}, {u'ī', u'Ī', 'i', 1}, {u'í', u'Í', 'i', 2},
      {u'ǐ', u'Ǐ', 'i', 3}, {u'ì', u'Ì', 'i', 4}, {u'ō', u'Ō', 'o', 1}, {u'ó', u'Ó', 'o', 2}, {u'ǒ', u'Ǒ', 'o', 3},
      {u'ò', u'Ò', 'o', 4}, {u'ū', u'Ū', 'u', 1}, {u'ú', u'Ú', 'u', 2}, {u'ǔ', u'Ǔ', 'u', 3}, {u'ù', u'Ù', 'u', 4},
      {u'ǖ', u'Ǖ', 'v', 1}, {u'ǘ', u'Ǘ', 'v', 2}, {u'ǚ', u'Ǚ', 'v', 3}, {u'ǜ', u'Ǜ', 'v', 4}, {u'ü', u'Ü', 'v', 0},
      {u'ḿ', u'Ḿ', 'm', 2}, {u'ń', u'Ń', 'n', 2}, {u'ň', u'Ň', 'n', 3}, {u'ǹ', u'Ǹ', 'n', 4},
  };
  for (const Marked& m : marked) {
    if (unit == m.small || unit == m.capital) return {m.letter, m.tone};
  }
  return {};
}

bool isOneOf(std::string_view part, std::initializer_list<std::string_view> choices) {
  return std::find(choices.begin(), choices.end(), part) != choices.end();
}

// An initial followed by a final, as pinyin spells its syllables. It takes a few spellings
// that no syllable has ("bong"), which is harmless: they never stand in an article.
bool isPinyinSpelling(std::string_view letters) {
  // "er" stands only alone: after an initial ("zher", "ger") it is a syllable's 儿 "r".
  if (isOneOf(letters, {"m", "n", "ng", "hm", "hng", "ê", "er"})) return true;
  std::string_view final = letters;
  for (const std::string_view initial : {"zh", "ch", "sh", "b", "p", "m", "f", "d", "t", "n", "l", "g",
                                         "k",  "h",  "j",  "q", "x", "r", "z", "c", "s", "y", "w"}) {
    if (letters.substr(0, initial.size()) == initial) {
      final = letters.substr(initial.size());
      break;
    }
  }
  return isOneOf(final, {"a",   "o",   "e",   "i",  "u",    "v",  "ai",  "ei",  "ao",   "ou",  "an",   "en", "ang",
                         "eng", "ong", "ia",  "ie", "iao",  "iu", "ian", "in",  "iang", "ing", "iong", "ua", "uo",
                         "uai", "ui",  "uan", "un", "uang", "ue", "ve",  "van", "vn",   "io",  "ueng"});
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// One code point of the text at `at`: a surrogate pair counts as one, a lone surrogate as
// itself.
char32_t codePointAt(Text text, std::size_t at, std::size_t& units) {
  if (isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1])) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
  }
  units = 1;
  return text[at];
}

bool isChineseCharacter(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3007;
}

bool containsChineseCharacter(Text word) {
  for (std::size_t at = 0, units = 1; at < word.size(); at += units) {
    if (isChineseCharacter(codePointAt(word, at, units))) return true;
  }
  return false;
}

// A syllable written in the text: where it stands and how it reads.
struct Syllable {
  std::size_t start = 0;
  std::size_t length = 0;
  int tone = 0;
  bool erhua = false;
};

// Splits a reading ("gào su") at its single blanks into syllables; false when any part is
// not a pinyin syllable or the reading is empty.
bool readSyllables(Text text, std::size_t start, std::size_t end, std::vector<Syllable>& out) {
  out.clear();
  std::size_t at = start;
  while (at < end) {
    std::size_t stop = at;
    while (stop < end && text[stop] != u' ') ++stop;
    Syllable syllable{at, stop - at};
    syllable.tone = toneOfSyllable(text.substr(at, stop - at), &syllable.erhua);
    if (syllable.tone == 0) return false;
    out.push_back(syllable);
    at = stop + 1;
  }
  return !out.empty() && text[end - 1] != u' ';
}

// Matches a word's characters to the syllables one by one (a syllable with the "r" suffix
// takes its character and the 儿 after it). On a match the characters' tone spans, offset
// by `offset`, are added to `out`, if given; any other character, or a count that differs,
// matches nothing.
bool matchCharacters(Text word, std::size_t offset, const std::vector<Syllable>& syllables,
                     std::vector<ToneSpan>* out) {
  std::vector<ToneSpan> spans;
  std::size_t at = 0;
  for (const Syllable& syllable : syllables) {
    if (at >= word.size()) return false;
    std::size_t units = 1;
    if (!isChineseCharacter(codePointAt(word, at, units))) return false;
    std::size_t length = units;
    if (syllable.erhua) {
      if (at + length >= word.size() || (word[at + length] != u'儿' && word[at + length] != u'兒')) return false;
      ++length;
    }
    spans.push_back({offset + at, length, syllable.tone});
    at += length;
  }
  if (at != word.size()) return false;
  if (out) out->insert(out->end(), spans.begin(), spans.end());
  return true;
}

void colourSyllables(const std::vector<Syllable>& syllables, std::vector<ToneSpan>& out) {
  for (const Syllable& syllable : syllables) out.push_back({syllable.start, syllable.length, syllable.tone});
}

bool startsWith(Text text, Text prefix) { return text.substr(0, prefix.size()) == prefix; }

// The characters a link target may hold: Chinese characters, ASCII letters and digits
// ("卡拉OK", "95後") and the name dot.
bool isTargetCharacter(char32_t c) {
  return isChineseCharacter(c) || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == 0xB7;
}

struct Word {
  std::size_t start = 0;
  std::size_t length = 0;
};

// The run of target characters from `at`, within the line's end.
Word targetWordAt(Text text, std::size_t at, std::size_t end) {
  std::size_t stop = at;
  while (stop < end) {
    std::size_t units = 1;
    if (!isTargetCharacter(codePointAt(text, stop, units))) break;
    stop += units;
  }
  return {at, std::min(stop, end) - at};
}

class MarkFinder {
 public:
  MarkFinder(Text text, Direction direction, Text headword) : text(text), direction(direction), headword(headword) {}

  template <typename Span>
  static void dropOverlaps(std::vector<Span>& spans) {
    std::vector<Span> kept;
    kept.reserve(spans.size());
    for (Span& span : spans) {
      if (!kept.empty() && span.start < kept.back().start + kept.back().length) continue;
      kept.push_back(std::move(span));
    }
    spans = std::move(kept);
  }

  ArticleMarks find() {
    bool afterEmptyLine = true;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find(u'\n', start);
      if (end == Text::npos) end = text.size();
      readLine(start, end, afterEmptyLine);
      afterEmptyLine = end == start;
      if (end == text.size()) break;
      start = end + 1;
    }
    const auto byStart = [](const auto& a, const auto& b) { return a.start < b.start; };
    std::stable_sort(marks.tones.begin(), marks.tones.end(), byStart);
    std::stable_sort(marks.links.begin(), marks.links.end(), byStart);
    // Two readings of one odd line may claim the same characters (a reference whose form
    // runs back into a numbered line's word): the first claim keeps them.
    dropOverlaps(marks.tones);
    dropOverlaps(marks.links);
    return std::move(marks);
  }

 private:
  void readLine(std::size_t start, std::size_t end, bool afterEmptyLine) {
    if (badgeLine == start) {
      marks.badges.push_back({start, end - start});
      return;
    }
    const Text line = text.substr(start, end - start);
    if (direction == Direction::ChineseEnglish && afterEmptyLine && readReadingLine(start, end)) return;
    if (startsWith(line, u"Classifiers: ")) {
      readClassifiers(start + 13, end);
      return;
    }
    readNumberedLine(start, end);
    readReferences(start, end);
    readReferenceLinks(start, end);
    if (direction == Direction::EnglishChinese) readWordFormLine(start, end);
  }

  // "gào su   (traditional 告訴)", "shuǐ": the headword's reading, with the other form of
  // its characters. A line "HSK <n>" right under it is the word's level.
  bool readReadingLine(std::size_t start, std::size_t end) {
    std::size_t readingEnd = text.substr(0, end).find(u"   (", start);
    if (readingEnd == Text::npos) readingEnd = end;
    Word otherForm;
    if (readingEnd != end) {
      const Text rest = text.substr(readingEnd + 4, end - readingEnd - 4);
      std::size_t formStart = 0;
      if (startsWith(rest, u"traditional ")) formStart = 12;
      else if (startsWith(rest, u"simplified ")) formStart = 11;
      else return false;
      if (rest.size() <= formStart + 1 || rest.back() != u')') return false;
      otherForm = {readingEnd + 4 + formStart, rest.size() - formStart - 1};
    }
    if (readingEnd == start || !readSyllables(text, start, readingEnd, syllables)) return false;
    const bool headwordMatches = matchCharacters(headword, 0, syllables, nullptr);
    const bool formMatches = otherForm.length != 0 && matchCharacters(text.substr(otherForm.start, otherForm.length),
                                                                      otherForm.start, syllables, &marks.tones);
    if (headwordMatches || formMatches) colourSyllables(syllables, marks.tones);
    readLevelLineAfter(end);
    return true;
  }

  void readLevelLineAfter(std::size_t readingEnd) {
    if (readingEnd >= text.size()) return;
    const std::size_t start = readingEnd + 1;
    std::size_t end = text.find(u'\n', start);
    if (end == Text::npos) end = text.size();
    const Text line = text.substr(start, end - start);
    if (!startsWith(line, u"HSK ") || line.size() < 5 || line.size() > 6) return;
    for (std::size_t i = 4; i < line.size(); ++i) {
      if (line[i] < u'0' || line[i] > u'9') return;
    }
    badgeLine = start;
  }

  // A word, the other form of its characters in brackets, and its reading: "告诉 (告訴) gào
  // su" from `start` to `end`. The word is a Chinese English link; the characters of both
  // forms and the syllables take their colours where they match.
  void readWordWithReading(std::size_t start, std::size_t end) {
    std::size_t wordEnd = start;
    while (wordEnd < end && text[wordEnd] != u' ') ++wordEnd;
    const Text word = text.substr(start, wordEnd - start);
    if (wordEnd >= end || !containsChineseCharacter(word)) return;
    std::size_t readingStart = wordEnd + 1;
    Word otherForm;
    if (readingStart < end && text[readingStart] == u'(') {
      const std::size_t close = text.substr(0, end).find(u')', readingStart);
      if (close == Text::npos || close + 1 >= end || text[close + 1] != u' ') return;
      otherForm = {readingStart + 1, close - readingStart - 1};
      readingStart = close + 2;
    }
    marks.links.push_back({start, word.size(), Direction::ChineseEnglish, std::u16string(word)});
    if (readingStart >= end || !readSyllables(text, readingStart, end, syllables)) return;
    const bool wordMatches = matchCharacters(word, start, syllables, &marks.tones);
    const bool formMatches = otherForm.length != 0 && matchCharacters(text.substr(otherForm.start, otherForm.length),
                                                                      otherForm.start, syllables, &marks.tones);
    if (wordMatches || formMatches) colourSyllables(syllables, marks.tones);
  }

  // "2. 告诉 (告訴) gào su: to tell"
  void readNumberedLine(std::size_t start, std::size_t end) {
    std::size_t at = start;
    while (at < end && text[at] >= u'0' && text[at] <= u'9') ++at;
    if (at == start || at + 2 > end || text[at] != u'.' || text[at + 1] != u' ') return;
    const std::size_t colon = text.substr(0, end).find(u": ", at + 2);
    if (colon == Text::npos) return;
    readWordWithReading(at + 2, colon);
  }

  // "Classifiers: 本 běn, 册 cè, 部 bù"
  void readClassifiers(std::size_t start, std::size_t end) {
    while (start < end) {
      std::size_t stop = text.substr(0, end).find(u", ", start);
      if (stop == Text::npos) stop = end;
      readWordWithReading(start, stop);
      start = stop + 2;
    }
  }

  // "書經 (书经) [Shū jīng]": the characters before a bracketed reading, and the other form
  // between them, take their tone colours.
  void readReferences(std::size_t start, std::size_t end) {
    const Text line = text.substr(0, end);
    std::size_t close = start;
    std::size_t previousBracket = start;
    for (std::size_t open = line.find(u'[', start); open != Text::npos; open = line.find(u'[', open + 1)) {
      // The closing bracket found for an earlier "[" serves every "[" before it, so
      // a line of many unclosed brackets is still read in one pass.
      if (close <= open) close = line.find(u']', open);
      if (close == Text::npos) return;
      // Nothing before the previous bracket belongs to this reference: looking back
      // no further keeps a line of many references linear.
      const std::size_t floor = previousBracket;
      previousBracket = open + 1;
      std::size_t before = open;
      if (before > floor && text[before - 1] == u' ') --before;
      Word otherForm;
      if (before > floor && text[before - 1] == u')') {
        std::size_t formOpen = before - 1 > floor ? text.substr(floor, before - 1 - floor).rfind(u'(') : Text::npos;
        if (formOpen == Text::npos) continue;
        formOpen += floor;
        otherForm = {formOpen + 1, before - 1 - formOpen - 1};
        before = formOpen;
        if (before > floor && text[before - 1] == u' ') --before;
      }
      std::size_t wordStart = before;
      while (wordStart > floor && text[wordStart - 1] != u' ' && text[wordStart - 1] != u'(' &&
             text[wordStart - 1] != u'[' && text[wordStart - 1] != u']') {
        --wordStart;
      }
      const Text word = text.substr(wordStart, before - wordStart);
      if (word.empty() || close == open + 1 || !readSyllables(text, open + 1, close, syllables)) continue;
      const bool wordMatches = matchCharacters(word, wordStart, syllables, &marks.tones);
      const bool formMatches = otherForm.length != 0 && matchCharacters(text.substr(otherForm.start, otherForm.length),
                                                                        otherForm.start, syllables, &marks.tones);
      if (wordMatches || formMatches) colourSyllables(syllables, marks.tones);
    }
  }

  // "see 書經 (书经) [Shū jīng]", "variant of 屄 [bī]", "also written 奇數 (奇数)", "abbr. for
  // 書經": the word after the words that point to another entry.
  void readReferenceLinks(std::size_t start, std::size_t end) {
    static constexpr Text pointers[] = {u"see also ", u"see ", u"variant of ", u"also written ", u"abbr. for "};
    const Text line = text.substr(0, end);
    for (std::size_t at = start; at < end; ++at) {
      for (const Text pointer : pointers) {
        if (line.compare(at, pointer.size(), pointer) != 0) continue;
        // Only a pointer that starts a word: "overseen " is not "see ".
        if (at > start && text[at - 1] != u' ' && text[at - 1] != u'(' && text[at - 1] != u';') break;
        const Word target = targetWordAt(text, at + pointer.size(), end);
        const Text word = text.substr(target.start, target.length);
        if (containsChineseCharacter(word)) {
          marks.links.push_back({target.start, target.length, Direction::ChineseEnglish, std::u16string(word)});
        }
        at += pointer.size() + target.length - 1;
        break;
      }
    }
  }

  // "bought: past form of buy", "runs: plural or third person of run": the base word is an
  // English Chinese link.
  void readWordFormLine(std::size_t start, std::size_t end) {
    const Text line = text.substr(start, end - start);
    const std::size_t colon = line.find(u": ");
    const std::size_t of = line.rfind(u" of ");
    if (colon == Text::npos || of == Text::npos || of < colon + 2 || colon == 0) return;
    Text relations = line.substr(colon + 2, of - colon - 2);
    static constexpr Text names[] = {u"plural",      u"third person", u"past form", u"form", u"present participle",
                                     u"comparative", u"superlative"};
    while (true) {
      const std::size_t orAt = relations.find(u" or ");
      const Text name = relations.substr(0, orAt);
      if (std::find(std::begin(names), std::end(names), name) == std::end(names)) return;
      if (orAt == Text::npos) break;
      relations.remove_prefix(orAt + 4);
    }
    const Text base = line.substr(of + 4);
    if (base.empty() || base.find(u' ') != Text::npos || line.substr(0, colon).find(u' ') != Text::npos) return;
    marks.links.push_back({start + of + 4, base.size(), Direction::EnglishChinese, std::u16string(base)});
  }

  Text text;
  Direction direction;
  Text headword;
  ArticleMarks marks;
  std::vector<Syllable> syllables;
  std::size_t badgeLine = Text::npos;
};

// ---- RTF ----

void appendNumber(std::string& out, long value) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%ld", value);
  out += digits;
}

// A text character as RTF reads it back: specials escaped, a line feed as a paragraph mark,
// and everything else outside printable ASCII as \uN (a signed 16-bit number; \uc0 says
// no stand-in character follows).
void appendEscaped(std::string& out, char16_t unit) {
  if (unit == u'\\' || unit == u'{' || unit == u'}') {
    out += '\\';
    out += static_cast<char>(unit);
  } else if (unit == u'\n') {
    out += "\\par\n";
  } else if (unit == u'\t') {
    out += "\\tab ";
  } else if (unit >= 0x20 && unit < 0x7F) {
    out += static_cast<char>(unit);
  } else {
    out += "\\u";
    appendNumber(out, unit < 0x8000 ? static_cast<long>(unit) : static_cast<long>(unit) - 0x10000);
    out += ' ';
  }
}

void appendColour(std::string& out, std::uint32_t colour) {
  out += "\\red";
  appendNumber(out, colour & 0xFF);
  out += "\\green";
  appendNumber(out, (colour >> 8) & 0xFF);
  out += "\\blue";
  appendNumber(out, (colour >> 16) & 0xFF);
  out += ';';
}

// Colour table entries after the five tones.
constexpr int linkColour = 6;
constexpr int badgeTextColour = 7;
constexpr int badgeGroundColour = 8;
constexpr std::uint32_t linkBlue = 0xCC4400;  // RGB(0, 68, 204)
constexpr std::uint32_t badgeWhite = 0xFFFFFF;
constexpr std::uint32_t badgeGround = 0x7A5A2E;  // RGB(46, 90, 122), a dark steel blue

// What one character looks like.
struct Look {
  std::uint8_t tone = 0;
  bool link = false;
  bool badge = false;
  bool operator==(const Look& other) const { return tone == other.tone && link == other.link && badge == other.badge; }
};

void appendLook(std::string& out, const Look& look, int halfPoints) {
  out += "\\plain\\f0\\fs";
  appendNumber(out, look.badge ? std::max(2, halfPoints * 3 / 4) : halfPoints);
  if (look.badge) {
    out += "\\b\\cf";
    appendNumber(out, badgeTextColour);
    out += "\\highlight";
    appendNumber(out, badgeGroundColour);
  } else if (look.tone != 0) {
    out += "\\cf";
    appendNumber(out, look.tone);
  } else if (look.link) {
    out += "\\cf";
    appendNumber(out, linkColour);
  }
  if (look.link) out += "\\ul";
  out += ' ';
}

}  // namespace

int toneOfSyllable(std::u16string_view syllable, bool* erhua) {
  if (erhua) *erhua = false;
  if (syllable.empty() || syllable.size() > 7) return 0;
  std::string letters;
  int tone = 0;
  for (const char16_t unit : syllable) {
    const PinyinLetter letter = pinyinLetter(unit);
    if (letter.letter == 0) return 0;
    if (letter.tone != 0) {
      if (tone != 0) return 0;  // two tone marks in one syllable
      tone = letter.tone;
    }
    letters += letter.letter;
  }
  if (!isPinyinSpelling(letters)) {
    if (letters.size() < 2 || letters.back() != 'r' || !isPinyinSpelling(letters.substr(0, letters.size() - 1))) {
      return 0;
    }
    if (erhua) *erhua = true;
  }
  return tone == 0 ? 5 : tone;
}

ArticleMarks findArticleMarks(std::u16string_view article, Direction direction, std::u16string_view headword) {
  return MarkFinder(article, direction, headword).find();
}

const std::vector<ToneScheme>& toneSchemes() {
  // Colours as 0x00BBGGRR.
  static const std::vector<ToneScheme> schemes = {
      {u"Red, Green, Blue, Purple", {0x0000D0, 0x00A000, 0xE04000, 0xA0208C, 0x808080}},
      {u"Red, Orange, Green, Blue", {0x0000D0, 0x0080F0, 0x00A000, 0xE04000, 0x808080}},
  };
  return schemes;
}

std::u16string withViewLineEnds(std::u16string_view article) {
  std::u16string text;
  text.reserve(article.size());
  for (std::size_t i = 0; i < article.size(); ++i) {
    if (article[i] != u'\r') {
      text += article[i];
    } else {
      text += u'\n';
      if (i + 1 < article.size() && article[i + 1] == u'\n') ++i;
    }
  }
  return text;
}

std::string articleRtf(std::u16string_view article, const ArticleMarks& marks, const ToneScheme& scheme,
                       const ViewFont& font) {
  std::vector<Look> looks(article.size());
  const auto within = [&](std::size_t start, std::size_t length, auto&& mark) {
    if (start >= looks.size()) return;
    const std::size_t end = std::min(looks.size(), start + std::min(length, looks.size()));
    for (std::size_t i = start; i < end; ++i) mark(looks[i]);
  };
  for (const ToneSpan& span : marks.tones) {
    if (span.tone >= 1 && span.tone <= 5) {
      within(span.start, span.length, [&](Look& look) { look.tone = static_cast<std::uint8_t>(span.tone); });
    }
  }
  for (const ArticleLink& link : marks.links) within(link.start, link.length, [](Look& look) { look.link = true; });
  for (const LevelBadge& badge : marks.badges) within(badge.start, badge.length, [](Look& look) { look.badge = true; });

  std::string out;
  out.reserve(article.size() * 3 + 512);
  out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc0{\\fonttbl{\\f0\\fnil\\fcharset";
  appendNumber(out, font.charset);
  out += ' ';
  for (const char16_t unit : font.face) {
    if (unit != u';' && unit != u'\n') appendEscaped(out, unit);
  }
  out += ";}}{\\colortbl ;";
  for (const std::uint32_t colour : scheme.colours) appendColour(out, colour);
  appendColour(out, linkBlue);
  appendColour(out, badgeWhite);
  appendColour(out, badgeGround);
  out += "}\\pard";
  Look current;
  appendLook(out, current, font.halfPoints);
  for (std::size_t i = 0; i < article.size(); ++i) {
    // A paragraph mark takes the look of the text before it; the look is set again after.
    if (article[i] != u'\n' && !(looks[i] == current)) {
      current = looks[i];
      appendLook(out, current, font.halfPoints);
    }
    appendEscaped(out, article[i]);
  }
  // The view reads a document's last paragraph mark as its own closing one, which is no
  // text; one more keeps the article's own last line end.
  if (!article.empty() && article.back() == u'\n') out += "\\par\n";
  out += "}";
  return out;
}

namespace {

// Chinese, Japanese and Korean text may break between any two characters; the characters
// beyond the first 65,536 that articles hold are Chinese too.
bool breaksAround(char16_t c) { return (c >= 0x2E80 && c <= 0xFFEF) && !isHighSurrogate(c) && !isLowSurrogate(c); }

}  // namespace

std::size_t printedLineEnd(std::u16string_view paragraph, std::size_t start, std::size_t fit) {
  const std::size_t size = paragraph.size();
  if (start >= size) return size;
  const auto splitsPair = [&](std::size_t at) {
    return at > 0 && at < size && isHighSurrogate(paragraph[at - 1]) && isLowSurrogate(paragraph[at]);
  };
  std::size_t end = std::min(size, start + std::max<std::size_t>(fit, 1));
  if (end == size) return end;
  for (std::size_t at = end; at > start + 1; --at) {
    if (splitsPair(at)) continue;
    const char16_t before = paragraph[at - 1];
    const char16_t after = paragraph[at];
    if (before == u' ' || breaksAround(before) || breaksAround(after) || isLowSurrogate(before) ||
        isHighSurrogate(after)) {
      return at;
    }
  }
  // A word wider than the line: cut where the room ends, but never inside a character.
  if (splitsPair(end)) end = end - 1 > start ? end - 1 : end + 1;
  return end;
}
