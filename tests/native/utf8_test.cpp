// The one UTF-8 codec: what it refuses, what it replaces, and that both directions agree.
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Utf8, RefusesEveryMalformedSequence) {
  const std::pair<std::string, const char*> broken[] = {
      {"\x80", "continuation byte without a lead"},     {"a\xC3", "sequence cut at the end"},
      {"\xE6\xB0", "three-byte sequence cut short"},    {"\xC3(", "lead followed by a plain byte"},
      {"\xC0\xAF", "overlong two-byte slash"},          {"\xE0\x80\xAF", "overlong three-byte slash"},
      {"\xF0\x80\x80\xAF", "overlong four-byte slash"}, {"\xED\xA0\x80", "encoded high surrogate"},
      {"\xED\xBF\xBF", "encoded low surrogate"},        {"\xF4\x90\x80\x80", "beyond U+10FFFF"},
      {"\xF8\x88\x80\x80\x80", "five-byte form"},       {"\xFF", "byte never used in UTF-8"},
  };
  for (const auto& [text, why] : broken) {
    std::u32string decoded;
    EXPECT_FALSE(isValidUtf8(text)) << why;
    EXPECT_FALSE(decodeUtf8(text, decoded)) << why;
  }
}

TEST(Utf8, DecodesEveryLengthAndEncodesItBack) {
  const std::pair<std::string, std::u32string> cases[] = {
      {"", U""},
      {"a|\n", U"a|\n"},
      {"\xC3\xA9", U"\u00E9"},
      {"\xE6\xB0\xB4", U"\u6C34"},
      {"\xEF\xBF\xBF", U"\uFFFF"},
      {"\xF0\xA0\x80\x80", U"\U00020000"},
      {"\xF4\x8F\xBF\xBF", U"\U0010FFFF"},
  };
  for (const auto& [utf8, codePoints] : cases) {
    std::u32string decoded;
    ASSERT_TRUE(decodeUtf8(utf8, decoded)) << utf8;
    EXPECT_EQ(decoded, codePoints);
    EXPECT_EQ(toUtf8(decoded), utf8);
    const std::u16string utf16 = utf8ToUtf16(utf8);
    EXPECT_EQ(utf16.size(), utf16Length(utf8)) << utf8;
    EXPECT_EQ(utf16ToUtf8(utf16), utf8);
  }
}

TEST(Utf8, LenientConversionsReplaceWhatTheyCannotCarry) {
  EXPECT_EQ(utf8ToUtf16("\xF0\xA0\x80\x80"), u"\U00020000");
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFD"
            u"b");
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD") << "one replacement per byte of a bad sequence";
  for (const char* bad : {"\x80\x80\x80", "\xE4\xB8", "\xF8", "\xC0\xAF", "a\xF0\xA0\x80"}) {
    EXPECT_EQ(utf16Length(bad), utf8ToUtf16(bad).size()) << "the length of what the conversion gives";
  }

  EXPECT_EQ(utf16ToUtf8(u"\xD800"), "\xEF\xBF\xBD") << "high surrogate at the end";
  EXPECT_EQ(utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx") << "high surrogate before a plain unit";
  EXPECT_EQ(utf16ToUtf8(u"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD") << "pair in the wrong order";

  std::u16string out;
  appendUtf16(out, 0xD800);
  appendUtf16(out, 0x110000);
  EXPECT_EQ(out, u"\uFFFD\uFFFD");
}

}  // namespace
