// What a fuzz target does when a property fails: say which, show the text involved, and
// abort, which libFuzzer reports as a crash and saves the input for.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace fuzz {

// Printable ASCII as it is, everything else as \uXXXX; long texts shortened.
inline void printEscaped(std::u16string_view text, std::size_t limit = 200) {
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const char16_t unit = text[i];
    if (unit == u'\n') {
      std::fputs("\\n", stderr);
    } else if (unit >= 0x20 && unit < 0x7F) {
      std::fputc(static_cast<char>(unit), stderr);
    } else {
      std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(unit));
    }
  }
  if (text.size() > limit) std::fprintf(stderr, "...(%zu units)", text.size());
}

[[noreturn]] inline void fail(const char* what, std::u16string_view text = {}, std::u16string_view word = {}) {
  std::fprintf(stderr, "\nFUZZ PROPERTY FAILED: %s\n  text: \"", what);
  printEscaped(text);
  std::fputs("\"\n  word: \"", stderr);
  printEscaped(word);
  std::fputs("\"\n", stderr);
  std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition, text, word)                   \
  do {                                                      \
    if (!(condition)) ::fuzz::fail(#condition, text, word); \
  } while (false)
