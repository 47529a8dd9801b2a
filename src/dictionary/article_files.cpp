#include "dictionary/article_files.h"

#include <cstring>

#include "common/globals.h"

namespace {

constexpr std::uint64_t lowBits = 0x7f7f7f7f7f7f7f7full;
constexpr std::uint64_t highBits = 0x8080808080808080ull;
constexpr std::uint64_t twos = 0x0202020202020202ull;

// Byte-wise subtraction of 2 in a 64-bit word without borrows crossing bytes: set every
// byte's top bit so no byte can borrow from its neighbour, subtract, then restore the top
// bits the plain subtraction would have produced.
inline std::uint64_t subtractTwoFromEachByte(std::uint64_t x) { return ((x | highBits) - twos) ^ (~x & highBits); }

// Byte-wise addition of 2: add the low seven bits of each byte, then put back the top bits.
inline std::uint64_t addTwoToEachByte(std::uint64_t x) { return ((x & lowBits) + twos) ^ (x & highBits); }

// Sixteen bytes at a time where the compiler has vector registers (one instruction per
// block on x86); the 64-bit word steps handle what is left.
typedef unsigned char ByteBlock __attribute__((vector_size(16)));

template <std::uint64_t (*wordStep)(std::uint64_t), unsigned char delta>
void transformBytes(unsigned char* bytes, std::size_t count) {
  std::size_t i = 0;
  for (; i + 16 <= count; i += 16) {
    ByteBlock block;
    std::memcpy(&block, bytes + i, 16);
    block += delta;
    std::memcpy(bytes + i, &block, 16);
  }
  for (; i + 8 <= count; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    word = wordStep(word);
    std::memcpy(bytes + i, &word, 8);
  }
  for (; i < count; ++i) bytes[i] = static_cast<unsigned char>(bytes[i] + delta);
}

}  // namespace

void unscrambleArticleBytes(unsigned char* bytes, std::size_t count) {
  transformBytes<subtractTwoFromEachByte, static_cast<unsigned char>(-2)>(bytes, count);
}

void scrambleArticleBytes(unsigned char* bytes, std::size_t count) {
  transformBytes<addTwoToEachByte, 2>(bytes, count);
}

std::vector<unsigned char> storedArticleBytes(std::u16string_view text) {
  std::vector<unsigned char> bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
    bytes.push_back(static_cast<unsigned char>(unit >> 8));
  }
  scrambleArticleBytes(bytes.data(), bytes.size());
  return bytes;
}

std::u16string articleFileName(Direction direction) { return directionFileName(u"Articles", direction); }

std::u16string articleFileRelativePath(Direction direction) { return u"Articles\\" + articleFileName(direction); }

bool isAcceptableArticleFileSize(std::uint64_t size) { return size <= maxArticleFileSize; }

std::size_t articleBlockSize(std::uint32_t fileSize) {
  const std::size_t evenSize = (static_cast<std::size_t>(fileSize) + 1) & ~static_cast<std::size_t>(1);
  return evenSize + 2;
}

std::u16string missingArticleFileMessage() {
  return u"Dictionary article file not found, please try reinstall application or download latest version from " +
         siteRoot;
}

std::u16string unreadableSecondFileMessage() {
  return u"Dictionary article file not found, please try reinstall application or download latest version " + siteRoot;
}
