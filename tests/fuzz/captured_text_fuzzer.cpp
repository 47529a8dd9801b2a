// Clipboard text as the input's UTF-16 units, made into a word box text: the result must
// keep the promises the capture makes (no more than maxCapturedLength units, no zero unit,
// no line break, no blank at either end, no surrogate pair cut in two) and equal the plain
// way of doing the same: end at the first zero unit, drop the blanks around the text, make
// every run of blanks that holds a line break one blank, cut to the length without
// splitting a pair, and drop the blanks the cut leaves at the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "desktop/captured_text.h"
#include "fuzz_check.h"

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The whole text with its blanks settled, before any cut.
std::u16string settled(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isCapturedSpace(text[begin])) ++begin;
  while (end > begin && isCapturedSpace(text[end - 1])) --end;
  std::u16string out;
  for (std::size_t i = begin; i < end;) {
    std::size_t runEnd = i;
    bool breaksLine = false;
    while (runEnd < end && isCapturedSpace(text[runEnd])) breaksLine |= isCapturedLineBreak(text[runEnd++]);
    if (runEnd == i) {
      out += text[i++];
    } else {
      out += breaksLine ? std::u16string_view(u" ") : text.substr(i, runEnd - i);
      i = runEnd;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string clipboard(size / 2, u'\0');
  for (std::size_t i = 0; i < clipboard.size(); ++i) {
    clipboard[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  const std::u16string word = capturedTextFromClipboard(clipboard);

  FUZZ_CHECK(word.size() <= maxCapturedLength, clipboard, word);
  FUZZ_CHECK(word.find(u'\0') == std::u16string::npos, clipboard, word);
  for (const char16_t unit : word) FUZZ_CHECK(!isCapturedLineBreak(unit), clipboard, word);
  if (!word.empty()) {
    FUZZ_CHECK(!isCapturedSpace(word.front()) && !isCapturedSpace(word.back()), clipboard, word);
  }

  const std::u16string whole = settled(clipboard);
  FUZZ_CHECK(whole.compare(0, word.size(), word) == 0, clipboard, word);
  // A pair is split when the word ends in its first half and the text went on with the
  // second.
  FUZZ_CHECK(word.empty() || !isHighSurrogate(word.back()) || word.size() >= whole.size() ||
                 !isLowSurrogate(whole[word.size()]),
             clipboard, word);

  std::u16string expected = whole.substr(0, maxCapturedLength);
  if (expected.size() == maxCapturedLength && isHighSurrogate(expected.back())) expected.pop_back();
  while (!expected.empty() && isCapturedSpace(expected.back())) expected.pop_back();
  FUZZ_CHECK(word == expected, clipboard, word);
  return 0;
}
