#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cedict.h"
#include "frequency.h"
#include "language_model.h"

using namespace article_builder;

namespace {

struct Gram {
  std::string word;
  float logProbability;
};

template <class T>
void put(std::string& bytes, std::size_t offset, T value) {
  if (bytes.size() < offset + sizeof value) bytes.resize(offset + sizeof value, '\0');
  std::memcpy(&bytes[offset], &value, sizeof value);
}

// A binary model of order 2 in the quantized array-trie layout the input
// method's model is stored in: 2-bit quantizer tables, the 1-grams after them,
// a few bytes standing for the packed 2-grams, and the words at the end.
std::string modelFile(const std::vector<Gram>& grams, std::int32_t modelType = 5) {
  std::string bytes("mmap lm http://kheafield.com/code format version 5\n", 52);
  put(bytes, 56, 0.0f);
  put(bytes, 60, 1.0f);
  put(bytes, 64, -0.5f);
  put(bytes, 68, std::uint32_t{1});
  put(bytes, 72, std::uint32_t{0xffffffff});
  put(bytes, 80, std::uint64_t{1});
  put(bytes, 88, std::uint8_t{2});
  put(bytes, 92, 1.5f);
  put(bytes, 96, modelType);
  put(bytes, 100, std::uint8_t{1});
  put(bytes, 104, std::uint32_t{1});
  const std::uint64_t unigrams = grams.size();
  put(bytes, 108, unigrams);
  put(bytes, 116, std::uint64_t{3});
  std::size_t offset = 128;  // the counts' end, rounded up to 8
  put(bytes, offset, unigrams - 1);
  offset += 8 + 8 * unigrams;
  if (modelType == 5) {
    put(bytes, offset, std::uint8_t{2});
    put(bytes, offset + 1, std::uint8_t{2});
    put(bytes, offset + 2, std::uint8_t{2});
    offset += 8 + 4 * 4;  // no middle order: the longest order's table only
  }
  for (std::size_t i = 0; i <= grams.size(); ++i) {
    put(bytes, offset + 16 * i, i < grams.size() ? grams[i].logProbability : 0.0f);
    put(bytes, offset + 16 * i + 4, -0.25f);
    put(bytes, offset + 16 * i + 8, std::uint64_t{i});
  }
  bytes.resize(offset + 16 * (grams.size() + 1));
  bytes += std::string("\x07\x01\x00\x02", 4);  // the packed 2-grams
  for (const Gram& gram : grams) bytes += gram.word + '\0';
  return bytes;
}

const std::vector<Gram> kGrams = {{"<unk>", -6.0f}, {"的", -1.0f}, {"水果", -3.0f}, {"果", -4.0f}, {"</s>", -1.0f}};

}  // namespace

TEST(LanguageModel, ReadsEachWordsProbabilityAndSkipsTheMarkers) {
  for (const std::int32_t modelType : {5, 2}) {
    const LanguageModelWords model = parseLanguageModel(modelFile(kGrams, modelType));
    ASSERT_EQ(model.problem, "") << modelType;
    EXPECT_EQ(model.shares.size(), 3u);
    EXPECT_EQ(model.skippedWords, 2u);
    EXPECT_NEAR(model.shares.at("的"), 0.1, 1e-9);
    EXPECT_NEAR(model.shares.at("水果"), 0.001, 1e-9);
    EXPECT_NEAR(model.shares.at("果"), 0.0001, 1e-9);
  }
}

TEST(LanguageModel, AnyDamagedFileIsRefusedWithoutReadingPastIt) {
  const std::string good = modelFile(kGrams);
  // Every shorter file: each is refused (the words at the end are cut or the
  // layout no longer fits), and the sanitizers see no read past the bytes.
  for (std::size_t length = 0; length < good.size(); ++length) {
    const LanguageModelWords model = parseLanguageModel(std::string_view(good).substr(0, length));
    EXPECT_NE(model.problem, "") << length;
    EXPECT_TRUE(model.shares.empty());
  }
  const auto changed = [&](std::size_t offset, char value) {
    std::string bytes = good;
    bytes[offset] = value;
    return parseLanguageModel(bytes).problem;
  };
  EXPECT_EQ(changed(0, 'M'), "not a binary language model of format version 5");
  EXPECT_EQ(changed(63, 0), "the model was written on a machine of another number layout");
  EXPECT_EQ(changed(96, 0), "the model is not stored as a trie");
  EXPECT_EQ(changed(100, 0), "the model does not store its words");
  EXPECT_EQ(changed(108, 100), "the model's word count is impossible");
  EXPECT_EQ(parseLanguageModel(modelFile({{"<unk>", -6}, {"的", 2.0f}})).problem,
            "the model holds no words with probabilities");
  EXPECT_EQ(parseLanguageModel(modelFile({{"<s>", -6}, {"的", -1}})).problem,
            "the model's words do not begin with <unk>");
}

TEST(LanguageModel, IsAThirdShareThatOutweighsTheTypedCountOfABoundCharacter) {
  // Typed, 果 "fruit" counts as a word more often than 水果 does; the model's
  // corpus uses 水果 ten times as often, and with its share 水果 comes first.
  // 肝 has no place in the model and keeps the mean of the other two.
  const ParseResult parsed =
      parseCedict("果 果 [guo3] /fruit/\n水果 水果 [shui3 guo3] /fruit/\n肝 肝 [gan1] /liver/\n");
  const std::string written = "果 400 n\n水果 300 n\n肝 300 n\n";
  const UsageCounts typed = parseUsageCounts("果\t500\n水果\t300\n肝\t200\n");
  FrequencyTable without = parseFrequencies(written);
  combineWithUsage(without, typed, parsed.entries);
  FrequencyTable with = parseFrequencies(written);
  const CombinedCounts counts = combineWithUsage(
      with, typed, parsed.entries, parseLanguageModel(modelFile({{"<unk>", -6}, {"水果", -3}, {"果", -4}})));
  EXPECT_EQ(counts.modelWords, 2u);
  EXPECT_GT(frequencyOf(without, "果"), frequencyOf(without, "水果"));
  EXPECT_GT(frequencyOf(with, "水果"), frequencyOf(with, "果"));
  EXPECT_EQ(frequencyOf(with, "肝"), frequencyOf(without, "肝"));
}
