// Configuration.dat's bytes, parsed as at start-up (whole, and as a file cut short), then
// written as Save writes them and parsed again: the three settings must come back exactly,
// the written file must be a fixed point, and a choice stored over the settings by the
// options dialog must read back as chosen. Every value is also read as a number, against
// the C library's conversion with the result clamped to int.
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "settings/configuration.h"

namespace {

constexpr std::u16string_view keys[] = {loadOnStartKey, alwaysOnTopKey, defaultLanguageIdKey};
constexpr std::u16string_view fallbacks[] = {u"true", u"false", u"0"};

std::u16string_view valueOr(const Settings& settings, std::u16string_view key, std::u16string_view fallback) {
  const auto found = settings.find(std::u16string(key));
  return found == settings.end() ? fallback : std::u16string_view(found->second);
}

// Values come from 8-bit text, so each unit is one byte.
int libraryNumber(std::u16string_view value) {
  std::string bytes;
  for (const char16_t unit : value) bytes += static_cast<char>(unit);
  const long long number = std::strtoll(bytes.c_str(), nullptr, 10);
  return number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
}

void checkRoundTrip(const Settings& settings) {
  for (const auto& [key, value] : settings) {
    FUZZ_CHECK(key.size() + value.size() <= 2 * maxConfigurationLineLength, key, value);
    FUZZ_CHECK(settingNumber(value) == libraryNumber(value), key, value);
    FUZZ_CHECK(isSettingOn(settings, key) == (value.substr(0, 4) == u"true"), key, value);
  }
  const std::string written = serialiseConfiguration(settings);
  const Settings reread = parseConfiguration(written);
  FUZZ_CHECK(reread.size() == std::size(keys), u"", u"");
  for (std::size_t i = 0; i < std::size(keys); ++i) {
    FUZZ_CHECK(valueOr(reread, keys[i], u"<missing>") == valueOr(settings, keys[i], fallbacks[i]), keys[i],
               valueOr(settings, keys[i], fallbacks[i]));
  }
  FUZZ_CHECK(serialiseConfiguration(reread) == written, u"", u"");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Settings settings = parseConfiguration(bytes);
  checkRoundTrip(settings);

  // A file read only in part keeps whole lines only: what it gives is what the same lines
  // give when they are the whole file.
  const Settings partial = parseConfiguration(bytes, false);
  checkRoundTrip(partial);
  const std::size_t lastLineEnd = bytes.rfind('\n');
  const Settings wholeLines =
      parseConfiguration(lastLineEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lastLineEnd + 1));
  FUZZ_CHECK(partial == wholeLines, u"", u"");

  // The options dialog's Save over whatever was loaded, then the load that follows it.
  if (size > 0) {
    const bool loadOnStart = data[0] & 1;
    const bool alwaysOnTop = data[0] & 2;
    const int languageIndex = static_cast<int>(static_cast<std::int8_t>(data[size - 1]));
    storeOptionsChoice(settings, loadOnStart, alwaysOnTop, languageIndex);
    const Settings saved = parseConfiguration(serialiseConfiguration(settings));
    FUZZ_CHECK(isSettingOn(saved, loadOnStartKey) == loadOnStart, u"", u"");
    FUZZ_CHECK(isSettingOn(saved, alwaysOnTopKey) == alwaysOnTop, u"", u"");
    FUZZ_CHECK(settingNumber(valueOr(saved, defaultLanguageIdKey, u"")) == languageIndex, u"", u"");
  }
  return 0;
}
