#include "dictionary/enclosing_punctuation.h"

namespace {

// Sorted, for the binary search below.
constexpr char16_t enclosingMarks[] = {
    u'\t', u'\n', u'\r', u' ', u'!', u'"', u'\'', u'(', u')', u',', u'.', u':', u';', u'<', u'>', u'?', u'[', u'\\',
    u']', u'_', u'`', u'{', u'|', u'}', u'~',
    u'\u00A0',                                                                               // no-break space
    u'\u00A1', u'\u00AB', u'\u00B7', u'\u00BB', u'\u00BF',                                   // ¡ « · » ¿
    u'\u2013', u'\u2014', u'\u2018', u'\u2019', u'\u201A', u'\u201C', u'\u201D', u'\u201E',  // – — ‘ ’ ‚ “ ” „
    u'\u2026', u'\u2039', u'\u203A',                                                         // … ‹ ›
    u'\u3000', u'\u3001', u'\u3002', u'\u3008', u'\u3009', u'\u300A', u'\u300B', u'\u300C', u'\u300D', u'\u300E',
    u'\u300F', u'\u3010', u'\u3011',  // ideographic space, 、 。 〈 〉 《 》 「 」 『 』
                                      // 【 】
    u'\uFF01', u'\uFF02', u'\uFF08', u'\uFF09', u'\uFF0C', u'\uFF0E', u'\uFF1A', u'\uFF1B',
    u'\uFF1F',                                   // ！＂（），．：；？
    u'\uFF3B', u'\uFF3D', u'\uFF5B', u'\uFF5D',  // ［ ］ ｛ ｝
};

}  // namespace

bool isEnclosingPunctuation(char16_t unit) {
  std::size_t low = 0;
  std::size_t high = sizeof(enclosingMarks) / sizeof(enclosingMarks[0]);
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (enclosingMarks[middle] == unit) {
      return true;
    }
    if (enclosingMarks[middle] < unit) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

std::u16string_view withoutEnclosingPunctuation(std::u16string_view text) {
  while (!text.empty() && isEnclosingPunctuation(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isEnclosingPunctuation(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}
