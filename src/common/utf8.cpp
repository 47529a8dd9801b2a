#include "common/utf8.h"

namespace {

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Decodes one code point starting at `pos`; advances `pos`. Returns false on malformed
// input.
bool decodeOne(std::string_view in, std::size_t& pos, char32_t& out) {
  const std::size_t size = in.size();
  if (pos >= size) return false;
  const unsigned char lead = static_cast<unsigned char>(in[pos]);
  if (lead < 0x80) {
    out = lead;
    ++pos;
    return true;
  }
  std::size_t extra = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    return false;
  }
  if (extra > size - pos - 1) return false;
  for (std::size_t i = 1; i <= extra; ++i) {
    const unsigned char next = static_cast<unsigned char>(in[pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || isSurrogate(value)) return false;
  out = value;
  pos += extra + 1;
  return true;
}

}  // namespace

bool decodeUtf8(std::string_view in, std::u32string& out) {
  out.clear();
  out.reserve(in.size());
  std::size_t pos = 0;
  while (pos < in.size()) {
    char32_t c = 0;
    if (!decodeOne(in, pos, c)) return false;
    out.push_back(c);
  }
  return true;
}

bool isValidUtf8(std::string_view in) {
  std::size_t pos = 0;
  while (pos < in.size()) {
    char32_t c = 0;
    if (!decodeOne(in, pos, c)) return false;
  }
  return true;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string toUtf8(std::u32string_view in) {
  std::string out;
  out.reserve(in.size() * 2);
  for (char32_t c : in) appendUtf8(out, c);
  return out;
}

void appendUtf16(std::u16string& out, char32_t c) {
  if (c >= 0x10000 && c <= 0x10FFFF) {
    const char32_t v = c - 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
  } else if (c > 0x10FFFF || isSurrogate(c)) {
    out.push_back(u'\uFFFD');
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

std::u16string utf8ToUtf16(std::string_view in) {
  std::u16string out;
  out.reserve(in.size());
  std::size_t pos = 0;
  while (pos < in.size()) {
    char32_t c = 0;
    if (!decodeOne(in, pos, c)) {
      out.push_back(u'\uFFFD');
      ++pos;
      continue;
    }
    appendUtf16(out, c);
  }
  return out;
}

std::size_t utf16Length(std::string_view utf8) {
  // Counted as the conversion counts: each byte of a bad sequence takes a replacement.
  return utf8ToUtf16(utf8).size();
}

std::string utf16ToUtf8(std::u16string_view in) {
  std::string out;
  out.reserve(in.size() * 3);
  for (std::size_t i = 0; i < in.size(); ++i) {
    char32_t c = in[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 && in[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (in[++i] - 0xDC00);
    } else if (isSurrogate(c)) {
      c = 0xFFFD;
    }
    appendUtf8(out, c);
  }
  return out;
}
