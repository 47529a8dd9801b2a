#include "common/globals.h"

#include "common/program_version.h"
#include "web/web_links.h"

// One translation unit, so the definition order below is the construction order and each
// text can be built from the ones before it.
const std::u16string firstLanguage = u"English";
const std::u16string secondLanguage = u"Chinese";
const std::u16string initialEnglishWord = u"a";
const std::u16string versionText = u"" DICTIONARY_VERSION_TEXT u" " + secondLanguage;
const std::u16string vendorHost = u"" VENDOR_HOST;
const std::u16string siteRoot = u"http://" + vendorHost + u"/";

// The vendor's addresses, built from siteRoot and versionText above (declared in
// web/web_links.h).
const std::u16string downloadUrl = composeDownloadUrl(siteRoot, versionText);
const std::u16string contactUrl = composeContactUrl(siteRoot, versionText);
const std::u16string homeUrl = composeHomeUrl(siteRoot, versionText);
const std::u16string sessionCompletedUrl = composeSessionCompletedUrl(siteRoot, versionText);

std::u16string tabLabel(int tab) {
  return tab == 0 ? firstLanguage + u" " + secondLanguage : secondLanguage + u" " + firstLanguage;
}
