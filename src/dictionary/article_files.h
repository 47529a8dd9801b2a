// The article files as stored: UTF-16LE text with every byte increased by 2 (mod 256).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/direction.h"

// Subtracts 2 (mod 256) from every byte, in place.
void unscrambleArticleBytes(unsigned char* bytes, std::size_t count);
// Adds 2 (mod 256) to every byte, in place: the inverse, for writing article files.
void scrambleArticleBytes(unsigned char* bytes, std::size_t count);
// The stored form of an article text: its UTF-16LE bytes, scrambled.
std::vector<unsigned char> storedArticleBytes(std::u16string_view text);

// "Articles_English_Chinese.dat" or "Articles_Chinese_English.dat".
std::u16string articleFileName(Direction direction);
// The same name inside the Articles folder, as a path relative to the program's directory.
std::u16string articleFileRelativePath(Direction direction);

// Files larger than this are refused as if their size could not be read: the whole file is
// held in memory, and a 32-bit process cannot hold much more.
constexpr std::uint64_t maxArticleFileSize = 512ull * 1024 * 1024;
bool isAcceptableArticleFileSize(std::uint64_t size);

// Bytes to allocate for a file of the given (acceptable) size: the data, a padding byte when
// the size is odd, and a whole zero UTF-16 unit, so the text always ends in a terminator at
// an even offset.
std::size_t articleBlockSize(std::uint32_t fileSize);

// The messages shown when an article file is missing; the second one ("version" without
// "from") is the one shown when the second file's size cannot be read.
std::u16string missingArticleFileMessage();
std::u16string unreadableSecondFileMessage();
