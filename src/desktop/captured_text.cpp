#include "desktop/captured_text.h"

bool isCapturedLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029';
}

bool isCapturedBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\u00A0' || (c >= u'\u2000' && c <= u'\u200B') || c == u'\u202F' ||
         c == u'\u205F' || c == u'\u3000' || c == u'\uFEFF';
}

bool isCapturedSpace(char16_t c) { return isCapturedBlank(c) || isCapturedLineBreak(c); }

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

void trimTrailingSpace(std::u16string& text) {
  while (!text.empty() && isCapturedSpace(text.back())) text.pop_back();
}

}  // namespace

std::u16string capturedTextFromClipboard(std::u16string_view clipboardText) {
  const std::size_t end = clipboardText.find(u'\0');
  if (end != std::u16string_view::npos) clipboardText = clipboardText.substr(0, end);

  std::u16string text;
  std::size_t i = 0;
  while (i < clipboardText.size() && isCapturedSpace(clipboardText[i])) ++i;
  while (i < clipboardText.size() && text.size() < maxCapturedLength) {
    if (!isCapturedSpace(clipboardText[i])) {
      text += clipboardText[i++];
      continue;
    }
    // A run of blanks: kept as it stands unless it holds a line break, which makes the
    // whole run one blank.
    const std::size_t runStart = i;
    bool breaksLine = false;
    while (i < clipboardText.size() && isCapturedSpace(clipboardText[i]))
      breaksLine |= isCapturedLineBreak(clipboardText[i++]);
    if (i == clipboardText.size()) break;  // trailing blanks
    if (breaksLine) {
      text += u' ';
    } else {
      text.append(clipboardText.substr(runStart, i - runStart));
    }
  }
  if (text.size() > maxCapturedLength) text.resize(maxCapturedLength);
  // A high surrogate at the cut would be half a character.
  if (text.size() == maxCapturedLength && isHighSurrogate(text.back())) text.pop_back();
  trimTrailingSpace(text);
  return text;
}
