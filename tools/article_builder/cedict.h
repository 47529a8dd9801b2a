// Reading CC-CEDICT source text:
//   traditional simplified [pin1 yin1] /gloss/gloss/
// Newer releases may write the reading in double brackets ("[[pin1 yin1]]")
// or follow the reading with a second, double-bracketed reading; both are
// accepted. Lines that do not fit the format are skipped and counted by
// reason, never passed on.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace article_builder {

struct Entry {
  std::string traditional;
  std::string simplified;
  std::string pinyin;                // numbered, as in the source ("shui3 jiao3")
  std::string otherPinyin;           // a second [[...]] reading, when the line has one
  std::vector<std::string> glosses;  // as in the source, trimmed, empty ones dropped
  std::size_t line = 0;              // 1-based line number in the source
};

struct ParseResult {
  std::vector<Entry> entries;
  std::size_t lines = 0;
  std::size_t commentLines = 0;
  std::size_t blankLines = 0;
  std::map<std::string, std::size_t> skipped;  // reason -> number of lines
  std::string releaseDate;                     // from the "#! date=" header, if any
};

enum class LineKind { entry, comment, blank, skipped };

// Parses one source line (without its line feed; a trailing carriage return
// is ignored). On `skipped`, `reason` says why in a few words.
LineKind parseCedictLine(std::string_view line, Entry& entry, std::string& reason);

// Parses a whole source text. Entries keep source order.
ParseResult parseCedict(std::string_view text);

std::size_t skippedTotal(const ParseResult& result);

// Headwords must stay under this many UTF-16 units (the program copies a
// listed headword into a buffer of 1,000 characters).
constexpr std::size_t kMaxHeadwordUnits = 999;

}  // namespace article_builder
