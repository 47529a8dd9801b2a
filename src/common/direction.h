// The two directions the dictionary translates in. Each has its own article file, its own
// own-articles file and its own tab in the window; the portable code speaks of directions,
// only the window speaks of tabs.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

enum class Direction { EnglishChinese, ChineseEnglish };

inline constexpr std::array<Direction, 2> bothDirections{Direction::EnglishChinese, Direction::ChineseEnglish};

// 0 for English→Chinese, 1 for Chinese→English: the direction's tab, its item in the
// direction lists of the dialogs and the number that the DefaultLanguageId setting stores.
constexpr int directionIndex(Direction direction) { return direction == Direction::ChineseEnglish ? 1 : 0; }

// The direction a stored or chosen number names; none for any number but 0 and 1.
constexpr std::optional<Direction> directionOfNumber(long long number) {
  if (number == 0) return Direction::EnglishChinese;
  if (number == 1) return Direction::ChineseEnglish;
  return std::nullopt;
}

// The direction of a list or tab selection: 1 is Chinese→English, anything else (no
// selection included) English→Chinese.
constexpr Direction directionOfSelection(long long selection) {
  return selection == 1 ? Direction::ChineseEnglish : Direction::EnglishChinese;
}

constexpr Direction otherDirection(Direction direction) {
  return direction == Direction::ChineseEnglish ? Direction::EnglishChinese : Direction::ChineseEnglish;
}

// "English Chinese" or "Chinese English": the direction's tab label, which also names it
// wherever the user chooses one.
std::u16string directionLabel(Direction direction);

// prefix + "_English_Chinese.dat" or prefix + "_Chinese_English.dat".
std::u16string directionFileName(std::u16string_view prefix, Direction direction);
