#include "glosses.h"

#include <algorithm>

#include "pinyin.h"
#include "utf.h"

namespace article_builder {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool containsHan(std::string_view utf8) {
  std::u32string text;
  if (!decodeUtf8(utf8, text)) return false;
  for (char32_t c : text) {
    if (isHanCharacter(c)) return true;
  }
  return false;
}

// Characters that can be part of a Chinese word written inside a gloss
// ("個", "卡拉OK"): anything but blanks and the punctuation that surrounds
// such a word.
bool isReferenceCharacter(char32_t c) {
  if (c <= U' ') return false;
  switch (c) {
    case U'|':
    case U'[':
    case U']':
    case U'(':
    case U')':
    case U'/':
    case U',':
    case U';':
    case U'"':
    case U':':
    case U'.':
    case U'!':
    case U'?':
    case U'\u3000':
      return false;
    default:
      return true;
  }
}

bool anyHan(std::u32string_view text) {
  for (char32_t c : text) {
    if (isHanCharacter(c)) return true;
  }
  return false;
}

void appendPlain(std::u32string& out, std::u32string_view text) {
  for (char32_t c : text) {
    if (c == U'|') {
      out.push_back(U'/');
    } else if (c < 0x20 || c == 0x7F) {
      out.push_back(U' ');
    } else {
      out.push_back(c);
    }
  }
}

std::u32string decodeOrEmpty(std::string_view utf8) {
  std::u32string text;
  if (!decodeUtf8(utf8, text)) text.clear();
  return text;
}

}  // namespace

GlossKind classifyGloss(std::string_view gloss) {
  if (startsWith(gloss, "CL:")) return GlossKind::classifier;
  const std::string low = asciiLower(gloss);
  for (std::string_view prefix : {"taiwan pr.", "also pr.", "pr. [", "mainland pr."}) {
    if (startsWith(low, prefix)) return GlossKind::pronunciation;
  }
  for (std::string_view prefix : {"abbr. for ", "abbr. of ", "abbr. to ", "also written ", "see also "}) {
    if (startsWith(low, prefix)) return GlossKind::crossReference;
  }
  const bool han = containsHan(gloss);
  if (han) {
    for (std::string_view prefix :
         {"see ", "same as ", "used in ", "erhua form of ", "old form of ", "also called ", "contraction of "}) {
      if (startsWith(low, prefix)) return GlossKind::crossReference;
    }
    // "variant of X", "old variant of X", "erhua variant of X",
    // "(archaic) variant of X", "Japanese variant of X", ...
    // Not a note inside a sense's brackets: "to imitate (variant of 效[xiao4])" and
    // "(variant of 耠[huo1]) hoe" are meanings; a gloss that is one bracket is a pointer.
    const std::size_t variant = low.find("variant of ");
    if (variant != std::string::npos && variant <= 40) {
      const std::ptrdiff_t open = std::count(low.begin(), low.begin() + static_cast<std::ptrdiff_t>(variant), '(') -
                                  std::count(low.begin(), low.begin() + static_cast<std::ptrdiff_t>(variant), ')');
      const bool wholeBracket = low.front() == '(' && low.back() == ')' && low.find(')') == low.size() - 1;
      if (open <= 0 || wholeBracket) return GlossKind::crossReference;
    }
  }
  return GlossKind::sense;
}

namespace {

// readableGloss, with inline classifier lists rewritten or, inside one, left as they are: a
// list nested in a list is no classifier, and rewriting it again would copy the rest of the
// line once per level.
std::string readableText(std::string_view gloss, bool classifierLists);

}  // namespace

std::string readableClassifiers(std::string_view gloss, std::size_t& count) {
  count = 0;
  if (startsWith(gloss, "CL:")) gloss.remove_prefix(3);
  std::string out;
  std::size_t pos = 0;
  while (pos <= gloss.size()) {
    std::size_t comma = gloss.find(',', pos);
    if (comma == std::string_view::npos) comma = gloss.size();
    std::string_view item = gloss.substr(pos, comma - pos);
    pos = comma + 1;
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item.empty()) continue;

    std::string text;
    const std::size_t open = item.find('[');
    const std::size_t close = item.find(']', open == std::string_view::npos ? 0 : open);
    if (open != std::string_view::npos && close != std::string_view::npos &&
        isNumberedPinyin(item.substr(open + 1, close - open - 1))) {
      std::string_view forms = item.substr(0, open);
      const std::size_t bar = forms.find('|');
      if (bar != std::string_view::npos) forms = forms.substr(bar + 1);
      text = withoutSeparators(forms);
      text += ' ';
      text += markPinyin(item.substr(open + 1, close - open - 1));
    } else {
      text = readableText(item, false);
    }
    if (!out.empty()) out += ", ";
    out += text;
    ++count;
  }
  return out;
}

std::string readableGloss(std::string_view gloss) { return readableText(gloss, true); }

namespace {

// The numbered reading of a reference as it can be tone-marked, or empty when it is none.
// The source spaces some ü out ("Lu : 3") and spells Latin letters as they are
// ("T xu4", "san1 C"); those are read too.
std::string referenceReading(std::string reading) {
  for (std::size_t at = reading.find(" : "); at != std::string::npos; at = reading.find(" : ", at)) {
    if (at == 0 || (reading[at - 1] != 'u' && reading[at - 1] != 'U')) {
      at += 3;
      continue;
    }
    reading.replace(at, 3, ":");
  }
  if (isNumberedPinyin(reading)) return reading;
  bool syllable = false;
  std::size_t start = 0;
  while (start < reading.size()) {
    std::size_t end = reading.find(' ', start);
    if (end == std::string::npos) end = reading.size();
    const std::string_view token = std::string_view(reading).substr(start, end - start);
    const bool letters = !token.empty() && std::all_of(token.begin(), token.end(), [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    if (!token.empty() && !letters) {
      if (!isNumberedPinyin(token)) return {};
      syllable = true;
    }
    start = end + 1;
  }
  return syllable ? reading : std::string();
}

std::string readableText(std::string_view gloss, bool classifierLists) {
  const std::u32string text = decodeOrEmpty(gloss);
  if (text.empty()) return withoutSeparators(gloss);
  std::u32string out;
  out.reserve(text.size() + 16);
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const char32_t c = text[i];
    // An inline classifier list, usually "(CL:道[dao4])".
    if (classifierLists && c == U'C' && text.compare(i, 3, U"CL:") == 0 &&
        (i == 0 || text[i - 1] == U'(' || text[i - 1] == U' ')) {
      std::size_t end = i + 3;
      while (end < n && text[end] != U')' && text[end] != U';') ++end;
      std::size_t count = 0;
      const std::string body = readableClassifiers(toUtf8(text.substr(i + 3, end - i - 3)), count);
      out += count > 1 ? U"classifiers: " : U"classifier: ";
      out += decodeOrEmpty(body);
      i = end;
      continue;
    }
    if (c == U'[') {
      const std::size_t close = text.find(U']', i + 1);
      if (close != std::u32string::npos) {
        const std::string inside = referenceReading(toUtf8(text.substr(i + 1, close - i - 1)));
        if (!inside.empty()) {
          if (!out.empty() && out.back() != U' ' && out.back() != U'(') out.push_back(U' ');
          out.push_back(U'[');
          out += decodeOrEmpty(markPinyin(inside));
          out.push_back(U']');
          i = close + 1;
          continue;
        }
      }
    }
    if (c == U'|') {
      // "個|个": traditional and simplified forms of one word.
      std::size_t leftStart = out.size();
      while (leftStart > 0 && isReferenceCharacter(out[leftStart - 1])) --leftStart;
      std::size_t rightEnd = i + 1;
      while (rightEnd < n && isReferenceCharacter(text[rightEnd])) ++rightEnd;
      const std::u32string_view left(out.data() + leftStart, out.size() - leftStart);
      const std::u32string_view right(text.data() + i + 1, rightEnd - i - 1);
      if (!left.empty() && !right.empty() && (anyHan(left) || anyHan(right))) {
        out += U" (";
        appendPlain(out, right);
        out.push_back(U')');
        i = rightEnd;
        continue;
      }
      out.push_back(U'/');
      ++i;
      continue;
    }
    appendPlain(out, std::u32string_view(&text[i], 1));
    ++i;
  }
  return toUtf8(out);
}

}  // namespace

std::vector<std::string> notedReadings(std::string_view gloss) {
  std::vector<std::string> readings;
  std::size_t pos = 0;
  while ((pos = gloss.find("pr. [", pos)) != std::string_view::npos) {
    std::size_t open = pos + 4;
    pos = open;
    // "also pr. [di4] or [di5]" names two readings.
    while (open < gloss.size() && gloss[open] == '[') {
      const std::size_t close = gloss.find(']', open);
      if (close == std::string_view::npos) break;
      const std::string_view inside = gloss.substr(open + 1, close - open - 1);
      if (isNumberedPinyin(inside)) readings.emplace_back(inside);
      pos = close + 1;
      constexpr std::string_view orWord = " or [";
      if (gloss.compare(close + 1, orWord.size(), orWord) != 0) break;
      open = close + 1 + orWord.size() - 1;
    }
  }
  return readings;
}

std::string withoutSeparators(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (ch == '|') {
      ch = '/';
    } else if (c < 0x20 || c == 0x7F) {
      ch = ' ';
    }
  }
  return out;
}

}  // namespace article_builder
