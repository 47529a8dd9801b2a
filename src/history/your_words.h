// The user's own record of words: each direction's history of words looked at, how often each
// was looked up and the steps Back and Forward go through, and My Words, the list the user
// keeps. Also the two files they are kept in and the flashcard file they export to.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"

// How much is kept. The history is what a word box's drop-down shows; the counts are bounded
// so the file is; Back and Forward live only while the program runs.
inline constexpr std::size_t maxHistoryWords = 30;
inline constexpr std::size_t maxBackForwardSteps = 100;
inline constexpr std::size_t maxCountedWords = 5000;
inline constexpr std::size_t maxMyWords = 20000;
// As long as a headword can be.
inline constexpr std::size_t maxKeptWordLength = 496;
inline constexpr std::size_t maxReadingLength = 200;
inline constexpr std::size_t maxSenseLength = 400;
// Neither file can hold more than this within the bounds above; anything larger is damaged.
inline constexpr std::size_t maxYourWordsFileSize = 16u << 20;

inline constexpr std::u16string_view historyFileName = u"History.dat";
inline constexpr std::u16string_view myWordsFileName = u"MyWords.dat";

// Why a word cannot be kept, or Kept.
enum class KeptWordRule { Kept, Empty, TooLong, ControlCharacter, LoneSurrogate };
KeptWordRule checkKeptWord(std::u16string_view word);
// What the user is told when a word cannot go into My Words.
std::u16string keptWordMessage(KeptWordRule rule);

// The articles a tab showed, in order, and where the user stands among them.
struct BackForward {
  std::vector<std::u16string> steps;
  std::size_t current = 0;  // an index into steps while it holds any
};

// A word looked at: it becomes the current step and the steps after it are dropped, as in
// a browser. Looking at the current word again changes nothing.
void visitStep(BackForward& steps, std::u16string_view word);
// The word Back shows while `shown` is in the word box: the current step when the user has
// typed away from it since, else the step before. Nothing at the first step.
std::optional<std::u16string> stepBack(BackForward& steps, std::u16string_view shown);
// The word Forward shows; nothing at the last step.
std::optional<std::u16string> stepForward(BackForward& steps);

struct DirectionWords {
  // Most recent first, no word twice, at most maxHistoryWords.
  std::vector<std::u16string> history;
  std::map<std::u16string, std::uint32_t, std::less<>> lookups;
  BackForward steps;
};

struct MyWord {
  Direction direction = Direction::EnglishChinese;
  std::u16string word;
  std::u16string reading;  // pinyin of a Chinese word; empty for an English one
  std::u16string sense;    // the first sense of its article, on one line
  std::u16string added;    // "YYYY-MM-DD"
};

struct YourWords {
  std::array<DirectionWords, 2> directions;
  // In the order they were added.
  std::vector<MyWord> myWords;

  DirectionWords& of(Direction direction) { return directions[directionIndex(direction)]; }
  const DirectionWords& of(Direction direction) const { return directions[directionIndex(direction)]; }
};

// A word the user looked at: to the front of its direction's history (once), its count up by
// one, and a step for Back and Forward. False, with nothing changed, for a word that cannot
// be kept.
bool rememberLookedAt(YourWords& words, Direction direction, std::u16string_view word);
std::uint32_t lookupCount(const YourWords& words, Direction direction, std::u16string_view word);
// Empties both histories and both Back and Forward; counts stay only for words in My Words.
void clearHistory(YourWords& words);

// The index of a word in My Words, or nothing.
std::optional<std::size_t> findMyWord(const YourWords& words, Direction direction, std::u16string_view word);

enum class MyWordsChange { Added, Removed, Refused, Full };
// Adds the word with the reading and first sense of its shown article, or removes it when
// it is already there.
MyWordsChange toggleMyWord(YourWords& words, Direction direction, std::u16string_view word, std::u16string_view article,
                           std::u16string_view today);

// The reading and first sense for a My Words entry, taken from the article shown for it. A
// Chinese word's article starts with its reading line; numbered lines ("1. ...") are senses,
// and an English word's sense is the Chinese before the ": " of its first one.
struct ArticleSummary {
  std::u16string reading;
  std::u16string sense;
};
ArticleSummary summariseArticle(Direction direction, std::u16string_view article);

// Text on one line: each run of tabs and line breaks becomes "; ", lone surrogates U+FFFD
// and other control characters blanks; ends trimmed. Cut to at most `limit` units.
std::u16string oneLine(std::u16string_view text, std::size_t limit);

// ---- the files ----

// UTF-8, one record a line, fields apart by tabs, a count line at the end; documented in the
// help page. Reading fails, leaving `words` unchanged, for anything this program would
// not have written: a wrong first line, an unknown record, a field out of its bounds, a word
// twice, a missing or wrong count line.
std::string historyFileText(const YourWords& words);
bool readHistoryFile(std::string_view bytes, YourWords& words);
std::string myWordsFileText(const YourWords& words);
bool readMyWordsFile(std::string_view bytes, YourWords& words);

// The flashcard file: UTF-8, one card a line ending in a line feed, "word", tab, "reading",
// tab, "definition". No field holds a tab or a line break.
std::string flashcardText(const std::vector<MyWord>& cards);

// ---- the My Words dialog ----

enum class MyWordsColumn { Word, Reading, Sense, Added, Lookups };
// The entries' indexes in the order a click on a column sorts them; equal entries stay in
// the order they were added.
std::vector<std::size_t> sortedMyWords(const YourWords& words, MyWordsColumn column, bool ascending);
