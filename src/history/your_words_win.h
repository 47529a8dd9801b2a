// The user's record of words in the window: History.dat and MyWords.dat beside the program,
// read at start-up and rewritten in one step, and the word boxes' drop-down lists that show
// each direction's history.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/handles_win.h"
#include "history/your_words.h"

struct YourWordsState {
  YourWords words;
  // Unreadable at start: copied aside before it is first replaced.
  bool historyDamaged = false;
  bool myWordsDamaged = false;
  // A history save failed and the user was told; later failures are not told again.
  bool historySaveFailureTold = false;
  // The files have been read (start-up reads them on a thread of their own, `reader`).
  bool loaded = false;
  KernelHandle reader;
  // A lookup from typing or a drop-down move waits to count as looked at.
  bool settlePending = false;
  Direction settleDirection = Direction::EnglishChinese;
  // Alt+Left, Alt+Right and Ctrl+D, for every control of the main window.
  HACCEL keys = nullptr;
  // A link followed into the other tab: Back in that tab, while it still shows the word,
  // returns to the tab the link was in (each tab keeps its own steps).
  struct LinkReturn {
    Direction from;
    Direction to;
    std::u16string word;
  };
  std::optional<LinkReturn> linkReturn;
};

std::wstring historyFilePath();
std::wstring myWordsFilePath();

// Both files, read in two steps so that reading can run off the window's thread. Reading
// touches no window and no state: a missing file means nothing kept yet; a file that cannot
// be read as one this program writes (or one larger than any it writes, or a folder in its
// place) is marked damaged and its part starts empty. Taking what was read replaces the
// state's words and names each damaged file once in an "Info Message" box owned by `owner`;
// the file is left as it is and copied aside before it is first replaced.
struct ReadYourWords {
  YourWords words;
  bool historyDamaged = false;
  bool myWordsDamaged = false;
};
ReadYourWords readYourWordsFiles();
void takeReadYourWords(YourWordsState& state, ReadYourWords read, HWND owner);

// Write a file in one step. The history is saved quietly and a failure is told once a run;
// a failure to save My Words is told every time, and then the caller undoes the change.
bool saveHistory(YourWordsState& state, HWND owner);
bool saveMyWords(YourWordsState& state, HWND owner);

// Takes My Words from its file as it is now, before a change is made and saved: another
// running copy may have kept or removed words since this one read it. Keeps the state's
// list when the file is missing, damaged or cannot be read.
void rereadMyWords(YourWordsState& state);

// Writes the cards to a flashcard file at `path` in one step; a failure is told in an
// "Info Message" box and leaves whatever was at `path` as it was.
bool exportFlashcards(HWND owner, const std::wstring& path, const std::vector<MyWord>& cards);

// Puts a history into a word box's drop-down list, keeping the box's text. Does nothing
// while the list is open: it is filled again before it next opens.
void showHistoryInWordBox(HWND wordBox, const std::vector<std::u16string>& history);

// The word a drop-down choice names: the selected item's text, or nothing.
std::wstring chosenHistoryWord(HWND wordBox);

// Enter typed into the word box's edit field (with its list closed) sends `command` to
// `mainWindow` as a menu command would.
void watchWordBoxEnter(HWND wordBox, HWND mainWindow, WORD command);

// Today as "YYYY-MM-DD", the date My Words shows.
std::u16string todayText();
