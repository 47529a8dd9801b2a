#include "dictionary/article_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> unscrambled(std::vector<unsigned char> bytes) {
  unscrambleArticleBytes(bytes.data(), bytes.size());
  return bytes;
}

std::u16string asText(const std::vector<unsigned char>& bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  return text;
}

TEST(Unscrambling, StoredRecordReadsAsPreambleHeadwordAndArticle) {
  const auto plain = unscrambled({0x0C, 0x02, 0x7E, 0x02, 0x63, 0x02, 0x64, 0x02, 0x7E, 0x02, 0x7A, 0x02, 0x0C, 0x02});
  EXPECT_EQ(asText(plain), u"\n|ab|x\n");
}

TEST(Unscrambling, SubtractsTwoFromEveryByteWrappingBelowZero) {
  struct Case {
    std::vector<unsigned char> stored, plain;
  };
  const Case cases[] = {
      {{0x63, 0x02, 0x64, 0x02, 0x65, 0x02}, {0x61, 0x00, 0x62, 0x00, 0x63, 0x00}},  // "abc"
      {{0x41, 0x98}, {0x3F, 0x96}},                                                  // U+963F
      {{0x00, 0x01}, {0xFE, 0xFF}},                                                  // wraps below zero
      {{0x02, 0x80, 0x81, 0x82, 0xFF}, {0x00, 0x7E, 0x7F, 0x80, 0xFD}},              // odd size, top-bit edges
      {{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(unscrambled(c.stored), c.plain);
}

// The word-at-a-time pass must agree with the plain byte loop for every byte value, at
// every alignment and for every tail length.
TEST(Unscrambling, AgreesWithBytewiseLoopAtEveryOffsetAndLength) {
  std::vector<unsigned char> all(256 + 23);
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<unsigned char>(i * 7 + 3);
  for (std::size_t offset = 0; offset < 9; ++offset) {
    for (std::size_t length = 0; offset + length <= all.size(); length += 5) {
      auto fast = all;
      unscrambleArticleBytes(fast.data() + offset, length);
      auto slow = all;
      for (std::size_t i = offset; i < offset + length; ++i) slow[i] = static_cast<unsigned char>(slow[i] - 2);
      ASSERT_EQ(fast, slow) << "offset " << offset << " length " << length;
    }
  }
}

TEST(Scrambling, IsTheInverseOfUnscrambling) {
  std::vector<unsigned char> bytes(1000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31);
  const auto original = bytes;
  scrambleArticleBytes(bytes.data(), bytes.size());
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[254 / 31 + 1], static_cast<unsigned char>(original[254 / 31 + 1] + 2));
  unscrambleArticleBytes(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);
}

TEST(ArticleBlock, AlwaysEndsInAWholeZeroUnitAtAnEvenOffset) {
  struct Case {
    std::uint32_t fileSize;
    std::size_t blockSize;
  };
  const Case cases[] = {{0, 2}, {1, 4}, {2, 4}, {13, 16}, {14, 16}, {512u * 1024 * 1024, 512u * 1024 * 1024 + 2}};
  for (const auto& c : cases) {
    EXPECT_EQ(articleBlockSize(c.fileSize), c.blockSize) << c.fileSize;
    EXPECT_EQ(articleBlockSize(c.fileSize) % 2, 0u);
  }
}

TEST(ArticleBlock, RefusesFilesBeyondTheCapSoTheSizeCannotWrap) {
  EXPECT_TRUE(isAcceptableArticleFileSize(0));
  EXPECT_TRUE(isAcceptableArticleFileSize(maxArticleFileSize));
  EXPECT_FALSE(isAcceptableArticleFileSize(maxArticleFileSize + 1));
  EXPECT_FALSE(isAcceptableArticleFileSize(0xFFFFFFFFull));
  EXPECT_FALSE(isAcceptableArticleFileSize(0x100000010ull));  // 4 GiB + 16: low 32 bits look tiny
}

TEST(ArticleFileNames, NameBothDirectionsInsideTheArticlesFolder) {
  EXPECT_EQ(articleFileName(Direction::EnglishChinese), u"Articles_English_Chinese.dat");
  EXPECT_EQ(articleFileName(Direction::ChineseEnglish), u"Articles_Chinese_English.dat");
  EXPECT_EQ(articleFileRelativePath(Direction::EnglishChinese), u"Articles\\Articles_English_Chinese.dat");
  EXPECT_EQ(articleFileRelativePath(Direction::ChineseEnglish), u"Articles\\Articles_Chinese_English.dat");
}

TEST(MissingFileMessages, EndWithTheSiteRootAndDifferOnlyByFrom) {
  const std::u16string start =
      u"Dictionary article file not found, please try reinstall application or download latest version ";
  EXPECT_EQ(missingArticleFileMessage(), start + u"from http://tandemox.example/");
  EXPECT_EQ(unreadableSecondFileMessage(), start + u"http://tandemox.example/");
}

}  // namespace
