#include "history/utf8_text.h"

#include <algorithm>

#include "common/utf8.h"

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string utf8FromText(std::u16string_view text) { return utf16ToUtf8(text); }

std::optional<std::u16string> textFromUtf8(std::string_view bytes) {
  // Most fields (English words, dates, counts) are ASCII: one pass, unit for unit.
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::u16string(bytes.begin(), bytes.end());
  }
  // The core's codec refuses stray or missing continuation bytes, overlong forms, surrogates
  // and values beyond U+10FFFF; what it accepts converts without a replacement character.
  if (!isValidUtf8(bytes)) return std::nullopt;
  return utf8ToUtf16(bytes);
}

bool hasOnlyPairedSurrogates(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      ++i;
    } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
      return false;
    }
  }
  return true;
}
