#include "settings/configuration.h"

#include <climits>

namespace {

// One byte is one character of the same code (ISO 8859-1).
std::u16string fromEightBit(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  return text;
}

void appendEightBit(std::string& out, std::u16string_view text) {
  for (const char16_t unit : text) out += unit <= 0xFF ? static_cast<char>(unit) : '?';
}

bool isLeadingSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

}  // namespace

Settings parseConfiguration(std::string_view bytes, bool wholeFile) {
  Settings settings;
  std::size_t position = 0;
  while (position < bytes.size()) {
    const std::size_t lineFeed = bytes.find('\n', position);
    if (lineFeed == std::string_view::npos && !wholeFile) break;
    const std::size_t lineEnd = lineFeed == std::string_view::npos ? bytes.size() : lineFeed;
    std::string_view line = bytes.substr(position, lineEnd - position);
    position = lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
    // Only a CR that pairs with the LF belongs to the line end; any other CR is text.
    if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > maxConfigurationLineLength) break;
    line = line.substr(0, line.find('\0'));

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      settings.emplace(fromEightBit(line), fromEightBit(line));
    } else {
      settings.emplace(fromEightBit(line.substr(0, equals)), fromEightBit(line.substr(equals + 1)));
    }
  }
  return settings;
}

std::string serialiseConfiguration(const Settings& settings) {
  struct Line {
    std::u16string_view key;
    std::u16string_view fallback;
  };
  constexpr Line lines[] = {{loadOnStartKey, u"true"}, {alwaysOnTopKey, u"false"}, {defaultLanguageIdKey, u"0"}};
  std::string out;
  for (const auto& line : lines) {
    const auto found = settings.find(std::u16string(line.key));
    appendEightBit(out, line.key);
    out += '=';
    appendEightBit(out, found == settings.end() ? line.fallback : std::u16string_view(found->second));
    out += "\r\n";
  }
  const auto toneColours = settings.find(std::u16string(toneColoursKey));
  if (toneColours != settings.end()) {
    appendEightBit(out, toneColoursKey);
    out += '=';
    appendEightBit(out, toneColours->second);
    out += "\r\n";
  }
  // Where the window was left, when known: a line that older versions read and ignore.
  const auto placement = settings.find(u"WindowPlacement");
  if (placement != settings.end()) {
    out += "WindowPlacement=";
    appendEightBit(out, placement->second);
    out += "\r\n";
  }
  return out;
}

bool isSettingOn(const Settings& settings, std::u16string_view key) {
  const auto found = settings.find(std::u16string(key));
  return found != settings.end() && found->second.compare(0, 4, u"true") == 0;
}

int settingNumber(std::u16string_view value) {
  std::size_t i = 0;
  while (i < value.size() && isLeadingSpace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == u'+' || value[i] == u'-')) {
    negative = value[i] == u'-';
    ++i;
  }
  // Accumulate the magnitude with room for INT_MIN's, and stop growing once past it.
  constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (value[i] - u'0');
  }
  if (negative) return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

void storeOptionsChoice(Settings& settings, bool loadOnStart, bool alwaysOnTop, int languageIndex) {
  const std::string number = std::to_string(languageIndex);
  settings[std::u16string(loadOnStartKey)] = loadOnStart ? u"true" : u"false";
  settings[std::u16string(alwaysOnTopKey)] = alwaysOnTop ? u"true" : u"false";
  settings[std::u16string(defaultLanguageIdKey)] = fromEightBit(number);
}

int toneColoursChoice(const Settings& settings, int schemeCount) {
  const auto found = settings.find(std::u16string(toneColoursKey));
  if (found == settings.end()) return 0;
  const int choice = settingNumber(found->second);
  return choice >= 1 && choice <= schemeCount ? choice : 0;
}

void storeToneColoursChoice(Settings& settings, int choice) {
  settings.emplace(std::u16string(loadOnStartKey), u"false");
  settings.emplace(std::u16string(alwaysOnTopKey), u"false");
  settings.emplace(std::u16string(defaultLanguageIdKey), u"0");
  settings[std::u16string(toneColoursKey)] = fromEightBit(std::to_string(choice));
}
