#include "cedict.h"

#include "utf.h"

namespace article_builder {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool hasControlCharacter(std::string_view s) {
  for (char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// Reads a bracketed reading at the start of `rest`: "[...]" or "[[...]]".
// On success stores the inside and removes the bracket from `rest`.
bool takeReading(std::string_view& rest, std::string_view& inside) {
  if (rest.empty() || rest.front() != '[') return false;
  const bool doubled = rest.size() > 1 && rest[1] == '[';
  const std::string_view close = doubled ? "]]" : "]";
  const std::size_t open = doubled ? 2 : 1;
  const std::size_t end = rest.find(close, open);
  if (end == std::string_view::npos) return false;
  // A bracket or slash before the close is the gloss part of a line whose reading was
  // never closed ("[Zhong1 guo2 /China/see 中華[Zhong1 hua2]/").
  if (rest.substr(open, end - open).find_first_of("[]/") != std::string_view::npos) return false;
  inside = trim(rest.substr(open, end - open));
  rest.remove_prefix(end + close.size());
  return true;
}

}  // namespace

LineKind parseCedictLine(std::string_view line, Entry& entry, std::string& reason) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const std::string_view text = trim(line);
  if (text.empty()) return LineKind::blank;
  if (text.front() == '#') return LineKind::comment;

  reason.clear();
  if (!isValidUtf8(text)) {
    reason = "invalid UTF-8";
    return LineKind::skipped;
  }
  if (hasControlCharacter(text)) {
    reason = "control character in line";
    return LineKind::skipped;
  }

  std::string_view rest = text;
  const std::size_t firstBlank = rest.find(' ');
  if (firstBlank == std::string_view::npos) {
    reason = "missing simplified form";
    return LineKind::skipped;
  }
  const std::string_view traditional = rest.substr(0, firstBlank);
  rest = trim(rest.substr(firstBlank + 1));
  const std::size_t secondBlank = rest.find(' ');
  if (secondBlank == std::string_view::npos) {
    reason = "missing [pinyin]";
    return LineKind::skipped;
  }
  const std::string_view simplified = rest.substr(0, secondBlank);
  rest = trim(rest.substr(secondBlank + 1));

  // A "|" or "/" in a headword would break the article grammar or is a
  // sign of a shifted line; either way the line cannot be trusted.
  for (std::string_view form : {traditional, simplified}) {
    if (form.find('|') != std::string_view::npos || form.find('/') != std::string_view::npos ||
        form.find('[') != std::string_view::npos) {
      reason = "separator inside headword";
      return LineKind::skipped;
    }
    if (utf16Length(form) > kMaxHeadwordUnits) {
      reason = "headword too long";
      return LineKind::skipped;
    }
  }

  std::string_view reading;
  if (!takeReading(rest, reading)) {
    reason = rest.empty() || rest.front() != '[' ? "missing [pinyin]" : "unclosed [pinyin]";
    return LineKind::skipped;
  }
  if (reading.empty()) {
    reason = "empty [pinyin]";
    return LineKind::skipped;
  }
  rest = trim(rest);
  std::string_view otherReading;
  if (rest.size() > 1 && rest[0] == '[' && rest[1] == '[') {
    if (!takeReading(rest, otherReading)) {
      reason = "unclosed [[pinyin]]";
      return LineKind::skipped;
    }
    rest = trim(rest);
  }

  if (rest.empty() || rest.front() != '/') {
    reason = "missing /glosses/";
    return LineKind::skipped;
  }
  if (rest.size() < 2 || rest.back() != '/') {
    reason = "glosses not closed with /";
    return LineKind::skipped;
  }

  Entry parsed;
  std::string_view glosses = rest.substr(1, rest.size() - 2);
  while (true) {
    const std::size_t slash = glosses.find('/');
    const std::string_view gloss = trim(glosses.substr(0, slash));
    if (!gloss.empty()) parsed.glosses.emplace_back(gloss);
    if (slash == std::string_view::npos) break;
    glosses.remove_prefix(slash + 1);
  }
  if (parsed.glosses.empty()) {
    reason = "no glosses";
    return LineKind::skipped;
  }
  parsed.traditional = std::string(traditional);
  parsed.simplified = std::string(simplified);
  parsed.pinyin = std::string(reading);
  parsed.otherPinyin = std::string(otherReading);
  parsed.line = entry.line;
  entry = std::move(parsed);
  return LineKind::entry;
}

ParseResult parseCedict(std::string_view text) {
  ParseResult result;
  // A byte-order mark at the very start is not part of the first line.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  result.entries.reserve(text.size() / 70);
  std::size_t pos = 0;
  std::size_t lineNumber = 0;
  std::string reason;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;

    Entry entry;
    entry.line = lineNumber;
    switch (parseCedictLine(line, entry, reason)) {
      case LineKind::entry:
        result.entries.push_back(std::move(entry));
        break;
      case LineKind::comment: {
        ++result.commentLines;
        constexpr std::string_view dateTag = "#! date=";
        if (line.substr(0, dateTag.size()) == dateTag) {
          std::string_view date = trim(line.substr(dateTag.size()));
          if (!date.empty() && date.back() == '\r') date.remove_suffix(1);
          // Keep the calendar date only; it goes into the preamble.
          date = date.substr(0, 10);
          if (isValidUtf8(date) && !hasControlCharacter(date) && date.find('|') == std::string_view::npos) {
            result.releaseDate = std::string(date);
          }
        }
        break;
      }
      case LineKind::blank:
        ++result.blankLines;
        break;
      case LineKind::skipped:
        ++result.skipped[reason];
        break;
    }
  }
  result.lines = lineNumber;
  return result;
}

std::size_t skippedTotal(const ParseResult& result) {
  std::size_t total = 0;
  for (const auto& reasonCount : result.skipped) total += reasonCount.second;
  return total;
}

}  // namespace article_builder
