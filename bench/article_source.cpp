#include "article_source.h"

#include "dictionary/article_files.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

bool loadArticleFile(const std::string& path, std::u16string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return false;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  unscrambleArticleBytes(bytes.data(), bytes.size());
  text.assign(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return true;
}

namespace {

// A fixed generator, so every run and platform builds the same text.
struct Generator {
  std::uint32_t state = 12345u;
  std::uint32_t next(std::uint32_t bound) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % bound;
  }
};

}  // namespace

std::u16string syntheticArticleText(std::size_t records) {
  Generator random;
  std::vector<std::u16string> headwords;
  headwords.reserve(records + records / 8);
  // Draw more than needed, then keep distinct words in order.
  while (headwords.size() < records + records / 8) {
    std::u16string word;
    const std::uint32_t length = 2 + random.next(10);
    for (std::uint32_t i = 0; i < length; ++i) {
      word += static_cast<char16_t>(u'a' + random.next(26));
    }
    if (random.next(6) == 0) {
      word += u' ';
      for (std::uint32_t i = 0, more = 2 + random.next(6); i < more; ++i) {
        word += static_cast<char16_t>(u'a' + random.next(26));
      }
    }
    headwords.push_back(std::move(word));
  }
  std::sort(headwords.begin(), headwords.end());
  headwords.erase(std::unique(headwords.begin(), headwords.end()), headwords.end());
  headwords.resize(std::min(headwords.size(), records));

  std::u16string text = u"\n";
  text.reserve(records * 56);
  for (const std::u16string& headword : headwords) {
    text += u'|';
    text += headword;
    text += u'|';
    const std::uint32_t senses = 1 + random.next(3);
    for (std::uint32_t s = 0; s < senses; ++s) {
      for (std::uint32_t i = 0, chars = 1 + random.next(3); i < chars; ++i) {
        text += static_cast<char16_t>(0x4E00 + random.next(0x5000));
      }
      text += u" [shui3] ";
      for (std::uint32_t i = 0, letters = 4 + random.next(8); i < letters; ++i) {
        text += static_cast<char16_t>(u'a' + random.next(26));
      }
      text += u"\r\n";
    }
  }
  return text;
}
