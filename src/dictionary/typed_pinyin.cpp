#include "dictionary/typed_pinyin.h"

#include <string>
#include <utility>

// Typed text and list readings are read with the same letter table: a unit is
// a key letter, possibly with a tone, or something else. Both use ü as "v",
// which is how the keys spell it.

namespace {

// A unit read as a key letter: `letter` is 0 when the unit is no letter, and
// `tone` is 0 when it carries no tone mark.
struct LetterUnit {
  char16_t letter = 0;
  int tone = 0;
};

// The precomposed tone-marked letters, tones 1 to 4 in order; 0 where the
// letter has no precomposed form with that tone.
struct MarkedForms {
  char16_t letter;
  char16_t marked[4];
};

constexpr MarkedForms markedForms[] = {
    {u'a', {0x0101, 0x00E1, 0x01CE, 0x00E0}},
    {u'a', {0x0100, 0x00C1, 0x01CD, 0x00C0}},
    {u'e', {0x0113, 0x00E9, 0x011B, 0x00E8}},
    {u'e', {0x0112, 0x00C9, 0x011A, 0x00C8}},
    {u'i', {0x012B, 0x00ED, 0x01D0, 0x00EC}},
    {u'i', {0x012A, 0x00CD, 0x01CF, 0x00CC}},
    {u'o', {0x014D, 0x00F3, 0x01D2, 0x00F2}},
    {u'o', {0x014C, 0x00D3, 0x01D1, 0x00D2}},
    {u'u', {0x016B, 0x00FA, 0x01D4, 0x00F9}},
    {u'u', {0x016A, 0x00DA, 0x01D3, 0x00D9}},
    {u'v', {0x01D6, 0x01D8, 0x01DA, 0x01DC}},
    {u'v', {0x01D5, 0x01D7, 0x01D9, 0x01DB}},
    {u'm', {0, 0x1E3F, 0, 0}},
    {u'm', {0, 0x1E3E, 0, 0}},
    {u'n', {0, 0x0144, 0x0148, 0x01F9}},
    {u'n', {0, 0x0143, 0x0147, 0x01F8}},
};

constexpr char16_t smallUmlautU = 0x00FC;
constexpr char16_t capitalUmlautU = 0x00DC;
constexpr char16_t combiningDiaeresis = 0x0308;

LetterUnit letterOf(char16_t unit) {
  if (unit >= u'a' && unit <= u'z') {
    return {unit, 0};
  }
  if (unit >= u'A' && unit <= u'Z') {
    return {static_cast<char16_t>(unit - u'A' + u'a'), 0};
  }
  if (unit < 0x80) {
    return {};
  }
  if (unit == smallUmlautU || unit == capitalUmlautU) {
    return {u'v', 0};
  }
  for (const MarkedForms& forms : markedForms) {
    for (int i = 0; i < 4; ++i) {
      if (forms.marked[i] != 0 && forms.marked[i] == unit) {
        return {forms.letter, i + 1};
      }
    }
  }
  return {};
}

// The tone of a combining tone mark, 0 for any other unit.
int combiningTone(char16_t unit) {
  switch (unit) {
    case 0x0304:
      return 1;
    case 0x0301:
      return 2;
    case 0x030C:
      return 3;
    case 0x0300:
      return 4;
    default:
      return 0;
  }
}

bool isTypedBlank(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == 0x00A0 || unit == 0x3000; }

bool isTypedApostrophe(char16_t unit) { return unit == u'\'' || unit == 0x2019; }

// Gives the key's last letter a tone. A letter holds one tone: the same tone
// again ("ǎ3") adds nothing, a different one makes the text unreadable.
bool toneLastLetter(TypedPinyin& read, int tone) {
  const std::size_t offset = read.key.size() - 1;
  if (!read.tones.empty() && read.tones.back().keyOffset == offset) {
    return read.tones.back().tone == tone;
  }
  read.tones.push_back({offset, tone});
  return true;
}

// A typed "u" after "n" or "l" may stand for the ü of a reading.
bool sameKeyLetter(std::u16string_view key, std::size_t at, char16_t readingLetter) {
  if (key[at] == readingLetter) {
    return true;
  }
  return key[at] == u'u' && readingLetter == u'v' && at > 0 && (key[at - 1] == u'n' || key[at - 1] == u'l');
}

// Units that part syllables in a reading: ASCII punctuation and blanks, and
// the dots and commas of names and phrases. Digits, CJK and anything else make
// the reading unreadable instead, so a reading never matches by dropping them.
bool isReadingSeparator(char16_t unit) {
  if (unit < 0x80) {
    return !(unit >= u'0' && unit <= u'9') && letterOf(unit).letter == 0;
  }
  switch (unit) {
    case 0x00A0:  // no-break space
    case 0x00B7:  // middle dot between the parts of a name
    case 0x2019:  // right single quotation mark used as an apostrophe
    case 0x2027:  // hyphenation point
    case 0x30FB:  // katakana middle dot, also seen in names
    case 0xFF0C:  // fullwidth comma
      return true;
    default:
      return false;
  }
}

// True when a reading spells the typed key and each typed tone is the tone of
// the syllable that holds its letter. Syllables are the reading's runs of
// letters; the first mark in a syllable is its tone, none is tone 5.
bool readingCarriesTones(std::u16string_view reading, const TypedPinyin& typed) {
  const std::u16string_view key = typed.key;
  std::vector<std::size_t> syllableOfLetter;
  std::vector<int> syllableTones;
  std::vector<bool> startsSyllable;
  syllableOfLetter.reserve(key.size());
  bool inSyllable = false;
  for (std::size_t i = 0; i < reading.size(); ++i) {
    const char16_t unit = reading[i];
    LetterUnit letter = letterOf(unit);
    // A decomposed ü: u followed by a combining diaeresis.
    if (letter.letter == u'u' && i + 1 < reading.size() && reading[i + 1] == combiningDiaeresis) {
      letter.letter = u'v';
      ++i;
    }
    if (letter.letter != 0) {
      const std::size_t at = syllableOfLetter.size();
      if (at >= key.size() || !sameKeyLetter(key, at, letter.letter)) {
        return false;
      }
      startsSyllable.push_back(!inSyllable);
      if (!inSyllable) {
        syllableTones.push_back(0);
        inSyllable = true;
      }
      syllableOfLetter.push_back(syllableTones.size() - 1);
      if (letter.tone != 0 && syllableTones.back() == 0) {
        syllableTones.back() = letter.tone;
      }
      continue;
    }
    const int tone = combiningTone(unit);
    if (tone != 0 && inSyllable) {
      if (syllableTones.back() == 0) {
        syllableTones.back() = tone;
      }
      continue;
    }
    if (!isReadingSeparator(unit)) {
      return false;
    }
    inSyllable = false;
  }
  if (syllableOfLetter.size() != key.size()) {
    return false;
  }
  for (const TypedTone& wanted : typed.tones) {
    if (wanted.keyOffset >= key.size()) {
      return false;
    }
    const int tone = syllableTones[syllableOfLetter[wanted.keyOffset]];
    if ((tone == 0 ? 5 : tone) != wanted.tone) {
      return false;
    }
  }
  for (std::size_t start : typed.syllableStarts) {
    if (start >= key.size() || !startsSyllable[start]) {
      return false;
    }
  }
  return true;
}

// The units of a line's leading "12. ", 0 when the line is no numbered line.
std::size_t numberPrefixLength(std::u16string_view line) {
  std::size_t i = 0;
  while (i < line.size() && line[i] >= u'0' && line[i] <= u'9') {
    ++i;
  }
  if (i == 0 || line.size() - i < 2 || line[i] != u'.' || line[i + 1] != u' ') {
    return 0;
  }
  return i + 2;
}

// The reading of a word line after its "12. ": the simplified form runs to the
// first blank, a traditional form in parentheses and a blank may follow, and
// the reading runs from there to the first ": " (readings hold no colon; the
// gloss after it may). Empty when the line has no such shape.
std::u16string_view readingOf(std::u16string_view entry) {
  const std::size_t simplifiedEnd = entry.find(u' ');
  if (simplifiedEnd == 0 || simplifiedEnd == std::u16string_view::npos) {
    return {};
  }
  std::size_t readingAt = simplifiedEnd + 1;
  if (readingAt < entry.size() && entry[readingAt] == u'(') {
    const std::size_t close = entry.find(u')', readingAt);
    if (close == std::u16string_view::npos || close + 1 >= entry.size() || entry[close + 1] != u' ') {
      return {};
    }
    readingAt = close + 2;
  }
  const std::size_t glossMark = entry.find(u": ", readingAt);
  if (glossMark == std::u16string_view::npos) {
    return {};
  }
  return entry.substr(readingAt, glossMark - readingAt);
}

struct ArticleLine {
  std::u16string_view text;      // without its line end
  std::u16string_view lineEnd;   // "\r\n", "\n" or empty for an unended last line
  std::size_t numberLength = 0;  // of "12. ", 0 for a line that is no word line
  bool carriesTones = false;
};

std::vector<ArticleLine> splitLines(std::u16string_view article) {
  std::vector<ArticleLine> lines;
  std::size_t from = 0;
  while (from < article.size()) {
    const std::size_t feed = article.find(u'\n', from);
    ArticleLine line;
    if (feed == std::u16string_view::npos) {
      line.text = article.substr(from);
      from = article.size();
    } else {
      const std::size_t textEnd = feed > from && article[feed - 1] == u'\r' ? feed - 1 : feed;
      line.text = article.substr(from, textEnd - from);
      line.lineEnd = article.substr(textEnd, feed + 1 - textEnd);
      from = feed + 1;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

bool readTypedPinyin(std::u16string_view typed, TypedPinyin& out, std::size_t maxLength) {
  out.key.clear();
  out.tones.clear();
  out.syllableStarts.clear();
  TypedPinyin read;
  // True while the units read since the last letter only complete it (its
  // marks, the colon of "u:"), so a tone digit or mark here is that letter's.
  bool letterOpen = false;
  // A blank or apostrophe came after a letter: the next letter starts a syllable.
  bool parted = false;
  // A tone digit came after a letter: it ends a syllable ("ku4ai4" is ku + ai), unless
  // what follows is the 儿 "r" of that syllable ("hui4r").
  bool toned = false;
  for (std::size_t at = 0; at < typed.size(); ++at) {
    const char16_t unit = typed[at];
    const LetterUnit letter = letterOf(unit);
    if (letter.letter != 0) {
      if (read.key.size() >= maxLength) {
        return false;
      }
      if (toned) {
        const bool erhua = letter.letter == u'r' && (at + 1 == typed.size() || letterOf(typed[at + 1]).letter == 0);
        parted = parted || !erhua;
        toned = false;
      }
      if (parted) {
        read.syllableStarts.push_back(read.key.size());
        parted = false;
      }
      read.key.push_back(letter.letter);
      if (letter.tone != 0) {
        read.tones.push_back({read.key.size() - 1, letter.tone});
      }
      letterOpen = true;
      continue;
    }
    const int markTone = combiningTone(unit);
    if (markTone != 0) {
      if (!letterOpen || !toneLastLetter(read, markTone)) {
        return false;
      }
      continue;
    }
    if (unit >= u'1' && unit <= u'5') {
      if (!letterOpen || !toneLastLetter(read, unit - u'0')) {
        return false;
      }
      // "a33": the second digit has no letter right before it.
      letterOpen = false;
      toned = true;
      continue;
    }
    if (unit == u':' || unit == combiningDiaeresis) {
      // "u:" and u + U+0308 are ü; a second one ("u::") finds a v.
      if (!letterOpen || read.key.back() != u'u') {
        return false;
      }
      read.key.back() = u'v';
      continue;
    }
    if (isTypedBlank(unit) || isTypedApostrophe(unit)) {
      letterOpen = false;
      parted = !read.key.empty();
      continue;
    }
    return false;
  }
  if (read.key.empty()) {
    return false;
  }
  out = std::move(read);
  return true;
}

std::vector<std::u16string> umlautSpellings(std::u16string_view key, std::size_t limit) {
  std::vector<std::size_t> places;
  for (std::size_t i = 1; i < key.size(); ++i) {
    if (key[i] == u'u' && (key[i - 1] == u'n' || key[i - 1] == u'l')) {
      places.push_back(i);
    }
  }
  std::vector<std::u16string> variants;
  // Subsets of the places by size, each size in lexicographic order of
  // place indices; the walk stops at the limit, so many places cost nothing
  // beyond the variants made.
  for (std::size_t count = 1; count <= places.size() && variants.size() < limit; ++count) {
    std::vector<std::size_t> chosen(count);
    for (std::size_t i = 0; i < count; ++i) {
      chosen[i] = i;
    }
    for (;;) {
      std::u16string variant(key);
      for (std::size_t index : chosen) {
        variant[places[index]] = u'v';
      }
      variants.push_back(std::move(variant));
      if (variants.size() >= limit) {
        break;
      }
      // The next subset: raise the last index that can still rise and
      // set the ones after it to follow it.
      std::size_t i = count;
      while (i > 0 && chosen[i - 1] == places.size() - count + (i - 1)) {
        --i;
      }
      if (i == 0) {
        break;
      }
      ++chosen[i - 1];
      for (std::size_t j = i; j < count; ++j) {
        chosen[j] = chosen[j - 1] + 1;
      }
    }
  }
  return variants;
}

std::u16string orderByTypedTones(std::u16string_view article, const TypedPinyin& typed) {
  if ((typed.tones.empty() && typed.syllableStarts.empty()) || typed.key.empty()) {
    return std::u16string(article);
  }
  std::vector<ArticleLine> lines = splitLines(article);
  // The word lines in their new order: those carrying the tones, then the rest.
  std::vector<std::size_t> carrying;
  std::vector<std::size_t> others;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ArticleLine& line = lines[i];
    line.numberLength = numberPrefixLength(line.text);
    if (line.numberLength == 0) {
      continue;
    }
    const std::u16string_view reading = readingOf(line.text.substr(line.numberLength));
    line.carriesTones = !reading.empty() && readingCarriesTones(reading, typed);
    (line.carriesTones ? carrying : others).push_back(i);
  }
  // Nothing moves when no line carries the tones or none comes after one
  // that does not.
  if (carrying.empty() || others.empty() || carrying.back() < others.front()) {
    return std::u16string(article);
  }
  std::vector<std::size_t> order(carrying);
  order.insert(order.end(), others.begin(), others.end());

  std::u16string result;
  result.reserve(article.size() + 16);
  std::size_t nextWord = 0;
  for (const ArticleLine& place : lines) {
    if (place.numberLength == 0) {
      result.append(place.text);
    } else {
      const ArticleLine& moved = lines[order[nextWord]];
      ++nextWord;
      for (char c : std::to_string(nextWord)) {
        result.push_back(static_cast<char16_t>(c));
      }
      result.append(u". ");
      result.append(moved.text.substr(moved.numberLength));
    }
    result.append(place.lineEnd);
  }
  return result;
}
