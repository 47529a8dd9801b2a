// The straightforward search that the engine replaces: the whole text scanned from its
// start for every keystroke. Benchmarks run it next to the engine for the ratio.
#ifndef BENCH_STRAIGHTFORWARD_SCAN_H
#define BENCH_STRAIGHTFORWARD_SCAN_H

#include <cstddef>
#include <string>
#include <string_view>

#include "dictionary/word_search.h"

// The search as the plain algorithm does it: build the key, find its first
// occurrence in the whole text, walk the records; then the same for the
// article key. Returns something that depends on the result, so that nothing
// is optimised away.
inline std::size_t scanKeystroke(std::u16string_view text, std::u16string_view word) {
  constexpr auto npos = std::u16string_view::npos;
  std::size_t seen = 0;
  std::u16string key = u"\n|" + std::u16string(word.substr(0, maxListingWordLength));
  std::size_t at = text.find(key);
  if (at != npos) {
    std::size_t p = at + 2;
    for (std::size_t count = 0; count < maxListedHeadwords; ++count) {
      const std::size_t headwordEnd = text.find(u'|', p);
      if (headwordEnd == npos) {
        break;
      }
      seen += headwordEnd - p;
      const std::size_t articleEnd = text.find(u'|', headwordEnd + 1);
      if (articleEnd == npos) {
        break;
      }
      p = articleEnd + 1;
    }
  }
  key = u"\n|" + std::u16string(word.substr(0, maxArticleWordLength)) + u"|";
  at = text.find(key);
  if (at != npos) {
    const std::size_t headwordEnd = text.find(u'|', at + 2);
    const std::size_t articleEnd = text.find(u'|', headwordEnd + 1);
    seen += (articleEnd == npos ? text.size() : articleEnd) - headwordEnd;
  }
  return seen;
}

#endif
