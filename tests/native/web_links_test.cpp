#include <gtest/gtest.h>

#include "common/globals.h"
#include "web/web_links.h"

namespace {

// The addresses as the program holds them, unit for unit: one slash after the host for the
// two pages, two for the notifications, and a plain blank inside the version.
TEST(VendorAddresses, AreComposedExactlyFromTheDefaultHost) {
  struct Case {
    const char* name;
    const std::u16string& actual;
    std::u16string_view expected;
  };
  const Case cases[] = {
      {"downloadUrl", downloadUrl, u"http://tandemox.example/download_chinese?client=DesktopVersion_1.2.15 Chinese"},
      {"contactUrl", contactUrl, u"http://tandemox.example/contact_us?client=DesktopVersion_1.2.15 Chinese"},
      {"homeUrl", homeUrl, u"http://tandemox.example//home?client=DesktopVersion_1.2.15 Chinese"},
      {"sessionCompletedUrl", sessionCompletedUrl,
       u"http://tandemox.example//home?client=DesktopVersion_1.2.15 Chinese&SessionCompleted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(c.actual.size(), c.expected.size());
  }
}

// The composition rules themselves, on parts other than the program's own: nothing is
// escaped, trimmed or deduplicated, whatever the parts hold.
TEST(VendorAddresses, JoinTheirPartsWithoutChangingThem) {
  struct Case {
    std::u16string_view siteRoot, version;
    std::u16string_view download, contact, home, sessionCompleted;
  };
  const Case cases[] = {
      {u"http://h/", u"9 Z", u"http://h/download_chinese?client=DesktopVersion_9 Z",
       u"http://h/contact_us?client=DesktopVersion_9 Z", u"http://h//home?client=DesktopVersion_9 Z",
       u"http://h//home?client=DesktopVersion_9 Z&SessionCompleted"},
      {u"", u"", u"download_chinese?client=DesktopVersion_", u"contact_us?client=DesktopVersion_",
       u"/home?client=DesktopVersion_", u"/home?client=DesktopVersion_&SessionCompleted"},
      {u"http://[::1]:8080/", u"1.0 中文%20&x=1",
       u"http://[::1]:8080/download_chinese?client=DesktopVersion_1.0 中文%20&x=1",
       u"http://[::1]:8080/contact_us?client=DesktopVersion_1.0 中文%20&x=1",
       u"http://[::1]:8080//home?client=DesktopVersion_1.0 中文%20&x=1",
       u"http://[::1]:8080//home?client=DesktopVersion_1.0 中文%20&x=1&SessionCompleted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.siteRoot.begin(), c.siteRoot.end()));
    EXPECT_EQ(composeDownloadUrl(c.siteRoot, c.version), c.download);
    EXPECT_EQ(composeContactUrl(c.siteRoot, c.version), c.contact);
    EXPECT_EQ(composeHomeUrl(c.siteRoot, c.version), c.home);
    EXPECT_EQ(composeSessionCompletedUrl(c.siteRoot, c.version), c.sessionCompleted);
  }
}

// The notifications are built during static initialisation from siteRoot and versionText;
// built before them, they would carry an empty root or version.
TEST(VendorAddresses, AreBuiltFromTheSharedTextsAsTheyStandAtStart) {
  EXPECT_EQ(homeUrl, composeHomeUrl(siteRoot, versionText));
  EXPECT_EQ(sessionCompletedUrl, homeUrl + u"&SessionCompleted");
  EXPECT_EQ(downloadUrl.rfind(siteRoot, 0), 0u);
  EXPECT_EQ(contactUrl.rfind(siteRoot, 0), 0u);
}

}  // namespace
