#include <gtest/gtest.h>

#include <string>

#include "desktop/about_text.h"
#include "desktop/captured_text.h"

namespace {

TEST(CapturedText, TrimsTheEndsAndJoinsLinesWithOneBlank) {
  struct Case {
    std::u16string_view clipboard, wordBox;
  };
  const Case cases[] = {
      {u"water", u"water"},
      {u"  water \r\n", u"water"},                     // double-clicked in an editor
      {u"\u00A0water\u00A0", u"water"},                // a web page's no-break spaces
      {u"\u3000水\u3000", u"水"},                      // ideographic spaces around Chinese
      {u"\t\u2029water melon\u2028", u"water melon"},  // paragraph and line separators
      {u"water\r\nmelon", u"water melon"},
      {u"water \r\n\r\n  melon", u"water melon"},  // the blanks round a break go with it
      {u"water\nmelon\rseed", u"water melon seed"},
      {u"to  eat", u"to  eat"},  // blanks within a line stay as typed
      {u"to\teat", u"to\teat"},
      {u"水\r\n果", u"水 果"},
      {u"", u""},
      {u" \r\n\t\u00A0", u""},  // only blanks: nothing to look up
  };
  for (const auto& c : cases) {
    EXPECT_EQ(capturedTextFromClipboard(c.clipboard), c.wordBox) << "clipboard of " << c.clipboard.size() << " units";
  }
}

TEST(CapturedText, EndsAtTheFirstNul) {
  const std::u16string block(u"water\0garbage after the terminator", 35);
  EXPECT_EQ(capturedTextFromClipboard(block), u"water");
  EXPECT_EQ(capturedTextFromClipboard(std::u16string(u"\0water", 6)), u"");
  EXPECT_EQ(capturedTextFromClipboard(std::u16string(u" water \0", 8)), u"water");
}

TEST(CapturedText, KeepsAtMostTheCapWithoutHalvingACharacter) {
  const std::u16string longWord(maxCapturedLength * 3, u'a');
  EXPECT_EQ(capturedTextFromClipboard(longWord), longWord.substr(0, maxCapturedLength));
  EXPECT_EQ(capturedTextFromClipboard(u"  \r\n" + longWord).size(), maxCapturedLength)
      << "leading blanks do not count against the cap";

  // A character outside the basic plane (two units) that straddles the cap is dropped whole.
  std::u16string straddling(maxCapturedLength - 1, u'x');
  straddling += u"\U00020000tail";
  const auto kept = capturedTextFromClipboard(straddling);
  EXPECT_EQ(kept, std::u16string(maxCapturedLength - 1, u'x'));

  std::u16string fitting(maxCapturedLength - 2, u'x');
  fitting += u"\U00020000tail";
  EXPECT_EQ(capturedTextFromClipboard(fitting), std::u16string(maxCapturedLength - 2, u'x') + u"\U00020000");

  // A cut that falls just after a blank leaves no blank at the end.
  std::u16string blankAtCut(maxCapturedLength - 1, u'x');
  blankAtCut += u" more";
  EXPECT_EQ(capturedTextFromClipboard(blankAtCut), std::u16string(maxCapturedLength - 1, u'x'));
}

TEST(AboutBox, VersionLineCarriesTheLanguage) { EXPECT_EQ(aboutVersionLine(), u"Version 1.2.15 Chinese"); }

TEST(AboutBox, GroupsDigitsInThrees) {
  struct Case {
    std::uint64_t value;
    std::u16string_view text;
  };
  const Case cases[] = {
      {0, u"0"}, {7, u"7"}, {999, u"999"}, {1000, u"1 000"}, {1579718, u"1 579 718"}, {4294967295u, u"4 294 967 295"}};
  for (const auto& c : cases) EXPECT_EQ(groupedDigits(c.value), c.text) << c.value;
}

TEST(AboutBox, ListsTheLoadedFilesInKilobytesRoundedUp) {
  EXPECT_EQ(installedDictionariesText(1617631232u, 2014488576u),
            u"Articles English Chinese  1 579 718 Kb\rArticles Chinese English 1 967 274 Kb");
  EXPECT_EQ(installedDictionariesText(1u, 1025u), u"Articles English Chinese  1 Kb\rArticles Chinese English 2 Kb");
  EXPECT_EQ(installedDictionariesText(0u, 4294967295u),
            u"Articles English Chinese  0 Kb\rArticles Chinese English 4 194 304 Kb");
  EXPECT_EQ(installedDictionariesText(std::nullopt, 2048u),
            u"Articles English Chinese  not loaded\rArticles Chinese English 2 Kb");
}

}  // namespace
