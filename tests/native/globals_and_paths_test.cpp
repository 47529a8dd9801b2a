#include <gtest/gtest.h>

#include "common/globals.h"
#include "common/paths.h"

namespace {

TEST(SharedTexts, ComposeFromTheLanguageNames) {
  EXPECT_EQ(firstLanguage, u"English");
  EXPECT_EQ(secondLanguage, u"Chinese");
  EXPECT_EQ(initialEnglishWord, u"a");
  EXPECT_EQ(versionText, u"1.2.15 Chinese");
}

TEST(SharedTexts, SiteRootIsTheVendorHostWithSchemeAndOneTrailingSlash) {
  EXPECT_EQ(vendorHost, u"tandemox.example");
  EXPECT_EQ(siteRoot, u"http://tandemox.example/");
}

TEST(FilesBesideTheProgram, ReplaceEverythingFromTheLastBackslash) {
  struct Case {
    std::u16string_view exe, relative, expected;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\Dict\\dict.exe", u"Configuration.dat", u"C:\\Program Files\\Dict\\Configuration.dat"},
      {u"C:\\dict.exe", u"Articles\\Articles_English_Chinese.dat", u"C:\\Articles\\Articles_English_Chinese.dat"},
      {u"\\\\server\\share\\a b\\x.exe", u"Help\\Help.EN.html", u"\\\\server\\share\\a b\\Help\\Help.EN.html"},
      {u"dict.exe", u"Configuration.dat", u"\\Configuration.dat"},
  };
  for (const auto& c : cases) EXPECT_EQ(fileBesideProgram(c.exe, c.relative), c.expected);
}

TEST(FilesBesideTheProgram, KeepPathsLongerThanAnyFixedBuffer) {
  std::u16string exe = u"C:";
  for (int i = 0; i < 120; ++i) exe += u"\\folder";
  exe += u"\\dict.exe";
  ASSERT_GT(exe.size(), 520u);
  const auto path = fileBesideProgram(exe, u"Configuration.dat");
  EXPECT_EQ(path.size(), exe.size() - std::u16string_view(u"dict.exe").size() + 17);
  EXPECT_EQ(path.substr(path.size() - 18), u"\\Configuration.dat");
}

}  // namespace
