// Reading article files whole into memory: the dictionary's two files at start-up, and the
// user's own articles files, through one reader.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "common/direction.h"
#include "common/handles_win.h"
#include "dictionary/word_search.h"

// One article file read whole: its bytes, a padding byte when the size is odd and a zero
// UTF-16 unit, so the text always ends in a terminator at an even offset.
struct ArticleFileBytes {
  GlobalBlock block;
  // The size the platform reported; INVALID_FILE_SIZE when it could not be read or is
  // beyond the article file limit.
  std::uint32_t size = 0;
};

enum class ArticleFileRead {
  read,
  absent,       // no such file or folder
  notOpened,    // there, but it cannot be opened
  sizeRefused,  // its size cannot be read or is beyond the article file limit
  readFailed,   // no memory for it, or a read failed or came up short
};

// Reads the file at `path` into `file`, every byte of it or nothing: after any outcome
// but `read` the block holds nothing.
ArticleFileRead readArticleFile(const std::wstring& path, ArticleFileBytes& file);

// The dictionary's article file of one direction.
struct DictionaryFile {
  ArticleFileBytes bytes;
  // The bytes this direction searches: set only when both files have been read, and then
  // the same as bytes.block.bytes(); null otherwise.
  const unsigned char* text = nullptr;
  // The text as the word search reads it.
  ArticleText search;
};

// Both directions' article files, read at start-up and kept for the life of the window.
struct LoadedDictionary {
  std::array<DictionaryFile, 2> files;

  // False while either file is missing or empty: lookups then tell the user.
  bool loaded() const { return files[0].bytes.size != 0 && files[1].bytes.size != 0; }
  const DictionaryFile& of(Direction direction) const { return files[directionIndex(direction)]; }
};

// Reads both files beside the program whole, telling the user (in an "Info Message" box
// owned by `owner`) when one is missing or its size cannot be read.
void loadArticleFiles(LoadedDictionary& dictionary, HWND owner);
// Unscrambles both loaded texts in place, when both were loaded and neither is empty, and
// prepares what the word search needs of them.
void unscrambleArticles(LoadedDictionary& dictionary);
// Frees both blocks (file 0, then file 1) and clears what pointed into them.
void releaseArticleFiles(LoadedDictionary& dictionary);
