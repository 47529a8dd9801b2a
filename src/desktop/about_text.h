// Texts of the About box that depend on the running program.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// "Version " and the version text: "Version 1.2.15 Chinese".
std::u16string aboutVersionLine();

// The "Installed Dictionaries" list: one line per article file, in tab order, with the size
// of the file as loaded in kilobytes (rounded up, digits grouped in threes by blanks), lines
// separated by a carriage return:
//   "Articles English Chinese  1 544 Kb\rArticles Chinese English 1 922 Kb"
// A file that is not in use (missing, unreadable) shows "not loaded" in place of its size.
std::u16string installedDictionariesText(std::optional<std::uint32_t> englishChineseBytes,
                                         std::optional<std::uint32_t> chineseEnglishBytes);

// A count with its digits grouped in threes by blanks: 1579718 -> "1 579 718".
std::u16string groupedDigits(std::uint64_t value);
