#include "settings/configuration.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using namespace std::string_literals;

const std::string twoThousand(2000, 'x');
const std::string longest(maxConfigurationLineLength - 2, 'v');  // "a=" + this is the longest line read

struct ParseCase {
  const char* what;
  std::string bytes;
  Settings expected;
};

TEST(ConfigurationFile, ReadsLinesAsTheProgramAndItsUsersWriteThem) {
  const ParseCase cases[] = {
      {"empty file", "", {}},
      {"as the program writes it",
       "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n",
       {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"1"}}},
      {"lone LF line ends",
       "LoadOnStart=true\nAlwaysOnTop=false",
       {{u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}}},
      {"last line without a line end", "a=1\r\nb=2", {{u"a", u"1"}, {u"b", u"2"}}},
      {"values are not interpreted", "LoadOnStart=True\r\n", {{u"LoadOnStart", u"True"}}},
      {"first of two equal keys wins", "AlwaysOnTop=true\r\nAlwaysOnTop=false\r\n", {{u"AlwaysOnTop", u"true"}}},
      {"the first = splits", "A=b=c\r\n", {{u"A", u"b=c"}}},
      {"empty value", "DefaultLanguageId=\r\n", {{u"DefaultLanguageId", u""}}},
      {"a leading blank belongs to the key", " LoadOnStart=true\r\n", {{u" LoadOnStart", u"true"}}},
      {"blanks around = are kept", "a = b \r\n", {{u"a ", u" b "}}},
      {"a line without = is key and value",
       "hello\r\nAlwaysOnTop=true\r\n",
       {{u"hello", u"hello"}, {u"AlwaysOnTop", u"true"}}},
      {"an empty line is the empty key", "a=1\r\n\r\nb=2\r\n", {{u"a", u"1"}, {u""s, u""s}, {u"b", u"2"}}},
      {"keys are case-sensitive",
       "alwaysontop=true\r\nAlwaysOnTop=false\r\n",
       {{u"alwaysontop", u"true"}, {u"AlwaysOnTop", u"false"}}},
      {"unknown keys are kept",
       "Colour=blue\r\nLoadOnStart=false\r\n",
       {{u"Colour", u"blue"}, {u"LoadOnStart", u"false"}}},
      {"a 2000-character second line ends the reading", "a=1\r\n" + twoThousand + "\r\nb=2\r\n", {{u"a", u"1"}}},
      {"a long last line without line end is ignored too", "a=1\n" + twoThousand, {{u"a", u"1"}}},
      {"1023 characters are read",
       "a=" + longest + "\r\nb=2\r\n",
       {{u"a", std::u16string(longest.begin(), longest.end())}, {u"b", u"2"}}},
      {"1024 characters end the reading", "b=2\r\na=" + longest + "v\r\nc=3\r\n", {{u"b", u"2"}}},
      {"a lone CR is text", "a=b\rc\r\nd=e\r", {{u"a", u"b\rc"}, {u"d", u"e\r"}}},
      {"only the CR before the LF is the line end", "a=b\r\r\n", {{u"a", u"b\r"}}},
      {"a NUL ends the line's text", "AlwaysOnTop=tr\0ue\r\nb=2\r\n"s, {{u"AlwaysOnTop", u"tr"}, {u"b", u"2"}}},
      {"a NUL before = leaves a key only line", "Load\0OnStart=true\r\n"s, {{u"Load", u"Load"}}},
      {"bytes are ISO 8859-1 characters", "\xE9t\xE9=\xFF\x80\r\n", {{u"\u00E9t\u00E9", u"\u00FF\u0080"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(parseConfiguration(c.bytes), c.expected) << c.what;
}

TEST(ConfigurationFile, TheStartOfALongerFileLeavesOutItsCutLastLine) {
  EXPECT_EQ(parseConfiguration("a=1\r\nb=2\r\nc=", false), (Settings{{u"a", u"1"}, {u"b", u"2"}}));
  EXPECT_EQ(parseConfiguration("a=1\r\nb=2\r\n", false), (Settings{{u"a", u"1"}, {u"b", u"2"}}));
}

TEST(ConfigurationFile, WritesTheThreeLinesInOrderWithCrLf) {
  struct Case {
    const char* what;
    Settings settings;
    std::string bytes;
  };
  const Case cases[] = {
      {"the example choice",
       {{u"DefaultLanguageId", u"1"}, {u"AlwaysOnTop", u"false"}, {u"LoadOnStart", u"true"}},
       "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=1\r\n"},
      {"missing keys take their fallbacks", {}, "LoadOnStart=true\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n"},
      {"values are written as they stand",
       {{u"LoadOnStart", u"trueish"}, {u"AlwaysOnTop", u""}, {u"DefaultLanguageId", u"-1"}},
       "LoadOnStart=trueish\r\nAlwaysOnTop=\r\nDefaultLanguageId=-1\r\n"},
      {"other keys are dropped",
       {{u"Colour", u"blue"}, {u"hello", u"hello"}, {u"", u""}, {u"AlwaysOnTop", u"true"}},
       "LoadOnStart=true\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\n"},
      {"8-bit characters stay, wider ones become ?",
       {{u"LoadOnStart", u"\u00E9\u6C34"}},
       "LoadOnStart=\xE9?\r\nAlwaysOnTop=false\r\nDefaultLanguageId=0\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(serialiseConfiguration(c.settings), c.bytes) << c.what;
}

TEST(ConfigurationFile, AnUnknownKeyLivesUntilTheNextSave) {
  Settings settings = parseConfiguration("Colour=blue\r\nLoadOnStart=false\r\n");
  EXPECT_EQ(settings.count(u"Colour"), 1u);
  storeOptionsChoice(settings, false, false, 0);
  EXPECT_EQ(settings.at(u"Colour"), u"blue") << "kept in memory until the file is rewritten";
  const Settings reread = parseConfiguration(serialiseConfiguration(settings));
  EXPECT_EQ(reread.count(u"Colour"), 0u);
  EXPECT_EQ(reread, (Settings{{u"LoadOnStart", u"false"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"0"}}));
}

TEST(Switches, AreOnOnlyWhenTheValueBeginsWithLowerCaseTrue) {
  struct Case {
    const char* line;
    bool on;
  };
  const Case cases[] = {
      {"AlwaysOnTop=true", true},   {"AlwaysOnTop=true ", true}, {"AlwaysOnTop=trueish", true},
      {"AlwaysOnTop=true=1", true}, {"AlwaysOnTop=True", false}, {"AlwaysOnTop=TRUE", false},
      {"AlwaysOnTop=1", false},     {"AlwaysOnTop=yes", false},  {"AlwaysOnTop=", false},
      {"AlwaysOnTop= true", false}, {"AlwaysOnTop=tru", false},  {"AlwaysOnTop", false},
      {" AlwaysOnTop=true", false}, {"alwaysontop=true", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isSettingOn(parseConfiguration(c.line), alwaysOnTopKey), c.on) << c.line;
}

TEST(NumberSettings, ReadLeadingDecimalDigitsAsTheCRuntimeDoes) {
  struct Case {
    std::u16string value;
    int number;
  };
  const Case cases[] = {
      {u"0", 0},
      {u"1", 1},
      {u"1abc", 1},
      {u"", 0},
      {u"x", 0},
      {u"7", 7},
      {u"-1", -1},
      {u" 1", 1},
      {u"\t\r\n\v\f 2", 2},
      {u"+3", 3},
      {u"- 3", 0},
      {u"--3", 0},
      {u"+-3", 0},
      {u"0x10", 0},
      {u"007", 7},
      {u"1 2", 1},
      {u"\u0661", 0},
      {u"2147483647", INT_MAX},
      {u"2147483648", INT_MAX},
      {u"-2147483648", INT_MIN},
      {u"-2147483649", INT_MIN},
      {u"99999999999999999999999", INT_MAX},
      {u"-99999999999999999999999", INT_MIN},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(settingNumber(c.value), c.number) << std::string(c.value.begin(), c.value.end());
  }
}

TEST(OptionsChoice, OverwritesOrAddsTheThreeKeys) {
  Settings settings{{u"LoadOnStart", u"True"}, {u"DefaultLanguageId", u"7"}, {u"hello", u"hello"}};
  storeOptionsChoice(settings, true, false, -1);
  EXPECT_EQ(
      settings,
      (Settings{
          {u"LoadOnStart", u"true"}, {u"AlwaysOnTop", u"false"}, {u"DefaultLanguageId", u"-1"}, {u"hello", u"hello"}}));
  storeOptionsChoice(settings, false, true, 1);
  EXPECT_EQ(serialiseConfiguration(settings), "LoadOnStart=false\r\nAlwaysOnTop=true\r\nDefaultLanguageId=1\r\n");
}

}  // namespace
