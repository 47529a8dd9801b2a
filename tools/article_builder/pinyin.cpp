#include "pinyin.h"

#include <vector>

#include "utf.h"

namespace article_builder {

namespace {

constexpr char32_t kUmlautLower = U'\u00FC';
constexpr char32_t kUmlautUpper = U'\u00DC';

// Precomposed marked letters for tones 1-4; 0 means "base letter followed by
// the combining mark" because Unicode has no precomposed form.
struct MarkedForms {
  char32_t base;
  char32_t tones[4];
};

constexpr MarkedForms kMarked[] = {
    {U'a', {U'\u0101', U'\u00E1', U'\u01CE', U'\u00E0'}},
    {U'A', {U'\u0100', U'\u00C1', U'\u01CD', U'\u00C0'}},
    {U'e', {U'\u0113', U'\u00E9', U'\u011B', U'\u00E8'}},
    {U'E', {U'\u0112', U'\u00C9', U'\u011A', U'\u00C8'}},
    {U'i', {U'\u012B', U'\u00ED', U'\u01D0', U'\u00EC'}},
    {U'I', {U'\u012A', U'\u00CD', U'\u01CF', U'\u00CC'}},
    {U'o', {U'\u014D', U'\u00F3', U'\u01D2', U'\u00F2'}},
    {U'O', {U'\u014C', U'\u00D3', U'\u01D1', U'\u00D2'}},
    {U'u', {U'\u016B', U'\u00FA', U'\u01D4', U'\u00F9'}},
    {U'U', {U'\u016A', U'\u00DA', U'\u01D3', U'\u00D9'}},
    {kUmlautLower, {U'\u01D6', U'\u01D8', U'\u01DA', U'\u01DC'}},
    {kUmlautUpper, {U'\u01D5', U'\u01D7', U'\u01D9', U'\u01DB'}},
    {U'm', {0, U'\u1E3F', 0, 0}},
    {U'M', {0, U'\u1E3E', 0, 0}},
    {U'n', {0, U'\u0144', U'\u0148', U'\u01F9'}},
    {U'N', {0, U'\u0143', U'\u0147', U'\u01F8'}},
};

// Combining macron, acute, caron, grave: tones 1-4.
constexpr char32_t kCombining[4] = {U'\u0304', U'\u0301', U'\u030C', U'\u0300'};

char32_t lower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + (U'a' - U'A');
  if (c == kUmlautUpper) return kUmlautLower;
  return c;
}

bool isAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool isToneDigit(char32_t c) { return c >= U'1' && c <= U'5'; }

// Splits a numbered syllable into its letters (with "u:" and "v" turned into
// ü) and its tone. Returns false when `token` is not letters + tone digit.
bool splitSyllable(std::u32string_view token, std::u32string& letters, int& tone) {
  letters.clear();
  if (token.size() < 2 || !isToneDigit(token.back())) return false;
  tone = static_cast<int>(token.back() - U'0');
  const std::u32string_view body = token.substr(0, token.size() - 1);
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char32_t c = body[i];
    if (c == U':') {
      // "u:" spells ü; a colon anywhere else is not pinyin.
      if (letters.empty() || lower(letters.back()) != U'u') return false;
      letters.back() = (letters.back() == U'U') ? kUmlautUpper : kUmlautLower;
    } else if ((c == U'v' || c == U'V') && i > 0) {
      letters.push_back(c == U'V' ? kUmlautUpper : kUmlautLower);
    } else if (isAsciiLetter(c) || c == kUmlautLower || c == kUmlautUpper) {
      letters.push_back(c);
    } else {
      return false;
    }
  }
  return !letters.empty();
}

// Index of the letter that carries the tone mark, or npos.
std::size_t markPosition(const std::u32string& letters) {
  std::u32string low;
  low.reserve(letters.size());
  for (char32_t c : letters) low.push_back(lower(c));
  std::size_t pos = low.find(U'a');
  if (pos != std::u32string::npos) return pos;
  pos = low.find(U'e');
  if (pos != std::u32string::npos) return pos;
  pos = low.find(U"ou");
  if (pos != std::u32string::npos) return pos;
  for (std::size_t i = low.size(); i-- > 0;) {
    const char32_t c = low[i];
    if (c == U'i' || c == U'o' || c == U'u' || c == kUmlautLower) return i;
  }
  // Syllabic nasals: "m2", "n2", "ng3", "hm5", "hng4" mark the m or n.
  for (std::size_t i = 0; i < low.size(); ++i) {
    if (low[i] == U'm' || low[i] == U'n') return i;
  }
  return std::u32string::npos;
}

std::u32string markLetters(const std::u32string& letters, int tone) {
  if (tone < 1 || tone > 4) return letters;
  const std::size_t pos = markPosition(letters);
  if (pos == std::u32string::npos) return letters;
  std::u32string out = letters.substr(0, pos);
  const char32_t target = letters[pos];
  bool done = false;
  for (const MarkedForms& forms : kMarked) {
    if (forms.base != target) continue;
    const char32_t marked = forms.tones[tone - 1];
    if (marked != 0) {
      out.push_back(marked);
    } else {
      out.push_back(target);
      out.push_back(kCombining[tone - 1]);
    }
    done = true;
    break;
  }
  if (!done) out.push_back(target);
  out.append(letters, pos + 1, std::u32string::npos);
  return out;
}

std::vector<std::u32string_view> splitBlanks(std::u32string_view text) {
  std::vector<std::u32string_view> tokens;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == U' ') ++pos;
    std::size_t end = pos;
    while (end < text.size() && text[end] != U' ') ++end;
    if (end > pos) tokens.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return tokens;
}

// Splits a token that glues numbered syllables ("shi2wa3") after each tone
// digit that is followed by a letter. Other tokens come back whole.
std::vector<std::u32string_view> splitGlued(std::u32string_view token) {
  std::vector<std::u32string_view> pieces;
  std::size_t start = 0;
  for (std::size_t i = 1; i + 1 < token.size(); ++i) {
    if (isToneDigit(token[i]) && isAsciiLetter(token[i - 1]) && isAsciiLetter(token[i + 1])) {
      pieces.push_back(token.substr(start, i + 1 - start));
      start = i + 1;
    }
  }
  pieces.push_back(token.substr(start));
  return pieces;
}

bool isNameSeparator(std::u32string_view token) {
  return token == U"\u00B7" || token == U"," || token == U"-" || token == U"\uFF0C";
}

bool isErhua(std::u32string_view piece) { return piece == U"r5" || piece == U"R5"; }

}  // namespace

std::string markSyllable(std::string_view syllable) {
  std::u32string token;
  if (!decodeUtf8(syllable, token)) return std::string(syllable);
  std::u32string letters;
  int tone = 0;
  if (!splitSyllable(token, letters, tone)) return std::string(syllable);
  return toUtf8(markLetters(letters, tone));
}

std::string markPinyin(std::string_view numbered) {
  std::u32string text;
  if (!decodeUtf8(numbered, text)) return std::string(numbered);
  std::u32string out;
  for (std::u32string_view token : splitBlanks(text)) {
    for (std::u32string_view piece : splitGlued(token)) {
      std::u32string letters;
      int tone = 0;
      const bool syllable = splitSyllable(piece, letters, tone);
      // Erhua belongs to the syllable before it: "diǎnr", not "diǎn r".
      if (isErhua(piece) && !out.empty() && out.back() != U' ') {
        out.push_back(piece.front());
        continue;
      }
      if (!out.empty()) out.push_back(U' ');
      if (syllable) {
        out += markLetters(letters, tone);
      } else {
        out.append(piece.begin(), piece.end());
      }
    }
  }
  return toUtf8(out);
}

bool isNumberedPinyin(std::string_view text) {
  std::u32string decoded;
  if (!decodeUtf8(text, decoded)) return false;
  bool sawSyllable = false;
  for (std::u32string_view token : splitBlanks(decoded)) {
    if (isNameSeparator(token)) continue;
    for (std::u32string_view piece : splitGlued(token)) {
      std::u32string letters;
      int tone = 0;
      if (!splitSyllable(piece, letters, tone)) return false;
      sawSyllable = true;
    }
  }
  return sawSyllable;
}

bool tonelessKeys(std::string_view numbered, std::string& withV, std::string& withU) {
  withV.clear();
  withU.clear();
  std::u32string decoded;
  if (!decodeUtf8(numbered, decoded)) return false;
  std::u32string keyV;
  std::u32string keyU;
  for (std::u32string_view token : splitBlanks(decoded)) {
    if (isNameSeparator(token)) continue;
    for (std::u32string_view piece : splitGlued(token)) {
      std::u32string letters;
      int tone = 0;
      if (!splitSyllable(piece, letters, tone)) return false;
      for (char32_t c : letters) {
        const char32_t low = lower(c);
        keyU.push_back(low);
        keyV.push_back(low == kUmlautLower ? U'v' : low);
      }
    }
  }
  if (keyV.empty()) return false;
  withV = toUtf8(keyV);
  withU = toUtf8(keyU);
  return true;
}

std::string comparableSyllable(std::string_view syllable) {
  std::u32string token;
  if (!decodeUtf8(syllable, token) || token.empty()) return {};
  std::u32string letters;
  int tone = 0;
  if (!splitSyllable(token, letters, tone)) {
    // A tone-marked syllable: at most one marked letter, precomposed or
    // followed by a combining mark; none means the neutral tone.
    letters.clear();
    tone = 5;
    bool marked = false;
    for (char32_t c : token) {
      int found = 0;
      for (int t = 0; t < 4 && found == 0; ++t) {
        if (c == kCombining[t]) found = t + 1;
      }
      if (found != 0) {
        if (marked || letters.empty()) return {};
        marked = true;
        tone = found;
        continue;
      }
      char32_t base = c;
      for (const MarkedForms& forms : kMarked) {
        for (int t = 0; t < 4; ++t) {
          if (forms.tones[t] != 0 && forms.tones[t] == c) {
            if (marked) return {};
            marked = true;
            tone = t + 1;
            base = forms.base;
          }
        }
      }
      if (!isAsciiLetter(base) && base != kUmlautLower && base != kUmlautUpper) return {};
      letters.push_back(base);
    }
  }
  std::u32string out;
  for (char32_t c : letters) {
    const char32_t low = lower(c);
    out.push_back(low == kUmlautLower ? U'v' : low);
  }
  if (out.empty()) return {};
  out.push_back(static_cast<char32_t>(U'0' + tone));
  return toUtf8(out);
}

}  // namespace article_builder
