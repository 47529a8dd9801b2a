#include "language_model.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace article_builder {

namespace {

// The file, in order (little-endian, the layout of a 64-bit build):
//   header     the magic text, then checks of the number layout: 0.0f, 1.0f,
//              -0.5f, word index 1, the largest word index, the 64-bit 1
//   parameters n-gram order (byte), probing multiplier (float), model type
//              (int), whether the words are stored (bool), search version
//   counts     one 64-bit count of n-grams per order, 1-grams first
//   vocabulary (at the next multiple of 8) a 64-bit count of hashed words
//              and a slot of 8 bytes per 1-gram
//   quantizer  for the quantized types only: a version byte, the bits of a
//              probability and of a backoff, padding to 8 bytes, then the
//              float tables of the middle orders and of the longest one
//   1-grams    one more than their count: log10 probability and backoff
//              (floats) and the 64-bit start of the word's 2-grams
//   ...        the packed longer n-grams
//   words      at the very end: each 1-gram's word, NUL-terminated, in the
//              order of the 1-grams, "<unk>" first
constexpr char kMagic[] = "mmap lm http://kheafield.com/code format version 5\n";  // stored with its NUL
constexpr std::size_t kZeroOffset = 56;
constexpr std::size_t kOneWordIndexOffset = 68;
constexpr std::size_t kOneUint64Offset = 80;
constexpr std::size_t kOrderOffset = 88;
constexpr std::size_t kModelTypeOffset = 96;
constexpr std::size_t kHasVocabularyOffset = 100;
constexpr std::size_t kCountsOffset = 108;
constexpr std::size_t kUnigramSize = 16;
constexpr unsigned kQuantizerVersion = 2;

enum ModelType : std::int32_t { kTrie = 2, kQuantTrie = 3, kArrayTrie = 4, kQuantArrayTrie = 5 };

template <class T>
bool readAt(std::string_view bytes, std::size_t offset, T& value) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return false;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return true;
}

// `offset + length` within `size`, without overflow.
bool fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
  return offset <= size && length <= size - offset;
}

LanguageModelWords failed(const char* why) {
  LanguageModelWords words;
  words.problem = why;
  return words;
}

}  // namespace

LanguageModelWords parseLanguageModel(std::string_view bytes) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return failed("not a binary language model of format version 5");
  }
  float zero = 1, one = 0, minusHalf = 0;
  std::uint32_t oneWordIndex = 0;
  std::uint64_t oneUint64 = 0;
  if (!readAt(bytes, kZeroOffset, zero) || !readAt(bytes, kZeroOffset + 4, one) ||
      !readAt(bytes, kZeroOffset + 8, minusHalf) || !readAt(bytes, kOneWordIndexOffset, oneWordIndex) ||
      !readAt(bytes, kOneUint64Offset, oneUint64) || zero != 0.0f || one != 1.0f || minusHalf != -0.5f ||
      oneWordIndex != 1 || oneUint64 != 1) {
    return failed("the model was written on a machine of another number layout");
  }
  std::uint8_t order = 0;
  std::int32_t modelType = 0;
  std::uint8_t hasVocabulary = 0;
  if (!readAt(bytes, kOrderOffset, order) || !readAt(bytes, kModelTypeOffset, modelType) ||
      !readAt(bytes, kHasVocabularyOffset, hasVocabulary)) {
    return failed("the file is cut short in its parameters");
  }
  if (order < 2 || order > 6) return failed("the model's n-gram order is not 2 to 6");
  if (modelType < kTrie || modelType > kQuantArrayTrie) return failed("the model is not stored as a trie");
  if (hasVocabulary != 1) return failed("the model does not store its words");
  std::uint64_t unigrams = 0;
  if (!readAt(bytes, kCountsOffset, unigrams) || !fits(kCountsOffset, 8u * order, bytes.size())) {
    return failed("the file is cut short in its n-gram counts");
  }
  if (unigrams < 2 || unigrams > bytes.size() / kUnigramSize) return failed("the model's word count is impossible");

  std::uint64_t offset = (kCountsOffset + 8u * order + 7u) / 8u * 8u;
  offset += 8u + 8u * unigrams;  // the hashed vocabulary
  if (modelType == kQuantTrie || modelType == kQuantArrayTrie) {
    std::uint8_t version = 0, probabilityBits = 0, backoffBits = 0;
    if (!readAt(bytes, offset, version) || !readAt(bytes, offset + 1, probabilityBits) ||
        !readAt(bytes, offset + 2, backoffBits)) {
      return failed("the file is cut short before its quantizer");
    }
    if (version != kQuantizerVersion || probabilityBits == 0 || probabilityBits > 24 || backoffBits == 0 ||
        backoffBits > 24) {
      return failed("the model's quantizer is of an unknown kind");
    }
    const std::uint64_t longest = (std::uint64_t{1} << probabilityBits) * 4u;
    const std::uint64_t middle = (std::uint64_t{1} << backoffBits) * 4u + longest;
    offset += 8u + (order - 2u) * middle + longest;
  }
  const std::uint64_t unigramBytes = (unigrams + 1) * kUnigramSize;
  if (!fits(offset, unigramBytes, bytes.size())) return failed("the file is cut short in its 1-grams");

  // The words: the last `unigrams` NUL-terminated strings of the file,
  // "<unk>" first, right after the packed n-grams.
  std::vector<std::string_view> words(unigrams);
  std::size_t end = bytes.size();
  if (bytes[end - 1] != '\0') return failed("the file does not end in its words");
  const std::uint64_t floor = offset + unigramBytes;
  for (std::uint64_t i = unigrams; i-- > 1;) {
    std::size_t start = end - 1;  // at the word's NUL
    while (start > floor && bytes[start - 1] != '\0') --start;
    if (start <= floor) return failed("the file holds fewer words than 1-grams");
    words[i] = bytes.substr(start, end - 1 - start);
    end = start;
  }
  constexpr std::string_view kUnknown("<unk>", sizeof "<unk>");  // with its NUL
  if (end < floor + kUnknown.size() || bytes.substr(end - kUnknown.size(), kUnknown.size()) != kUnknown) {
    return failed("the model's words do not begin with <unk>");
  }
  words[0] = kUnknown.substr(0, kUnknown.size() - 1);

  LanguageModelWords result;
  for (std::uint64_t i = 0; i < unigrams; ++i) {
    float logProbability = 0;
    readAt(bytes, offset + i * kUnigramSize, logProbability);
    const std::string_view word = words[i];
    if (word.empty() || word == "<unk>" || word == "<s>" || word == "</s>" || !std::isfinite(logProbability) ||
        logProbability > 0.0f || logProbability < -99.0f) {
      ++result.skippedWords;
      continue;
    }
    result.shares[std::string(word)] = std::pow(10.0, static_cast<double>(logProbability));
  }
  if (result.shares.empty()) return failed("the model holds no words with probabilities");
  return result;
}

}  // namespace article_builder
