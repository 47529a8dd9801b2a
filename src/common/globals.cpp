#include "common/globals.h"

#include <string_view>

#include "common/program_version.h"

namespace {

constexpr std::u16string_view secondLanguageName = u"Chinese";

}  // namespace

// One translation unit, so the definition order below is the construction order and each
// text can be built from the ones before it.
const std::u16string firstLanguage = u"English";
const std::u16string secondLanguage{secondLanguageName};
const std::u16string initialEnglishWord = u"a";
const std::u16string versionText = composeVersionText();
const std::u16string vendorHost = u"" VENDOR_HOST;
const std::u16string siteRoot = composeSiteRoot();

std::u16string composeVersionText() { return u"" DICTIONARY_VERSION_TEXT u" " + std::u16string(secondLanguageName); }

std::u16string composeSiteRoot() { return u"http://" VENDOR_HOST u"/"; }
