#include "desktop/about_text.h"

#include "common/globals.h"

namespace {

std::u16string sizeText(std::optional<std::uint32_t> bytes) {
  if (!bytes) return u"not loaded";
  const std::uint64_t kilobytes = (std::uint64_t{*bytes} + 1023) / 1024;
  return groupedDigits(kilobytes) + u" Kb";
}

}  // namespace

std::u16string aboutVersionLine() { return u"Version " + versionText; }

std::u16string groupedDigits(std::uint64_t value) {
  std::u16string digits;
  int inGroup = 0;
  do {
    if (inGroup == 3) {
      digits.insert(digits.begin(), u' ');
      inGroup = 0;
    }
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
    ++inGroup;
  } while (value != 0);
  return digits;
}

std::u16string installedDictionariesText(std::optional<std::uint32_t> englishChineseBytes,
                                         std::optional<std::uint32_t> chineseEnglishBytes) {
  // Two blanks before the first size and one before the second: the box's own layout.
  return u"Articles " + firstLanguage + u" " + secondLanguage + u"  " + sizeText(englishChineseBytes) + u"\rArticles " +
         secondLanguage + u" " + firstLanguage + u" " + sizeText(chineseEnglishBytes);
}
