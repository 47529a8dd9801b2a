#include "settings/window_placement.h"

#include <algorithm>

namespace {

// One decimal integer at the front of `text`, which it consumes.
bool takeNumber(std::u16string_view& text, int& number) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (negative) ++i;
  const std::size_t digitsStart = i;
  long value = 0;
  while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && i - digitsStart < 6) {
    value = value * 10 + (text[i] - u'0');
    ++i;
  }
  if (i == digitsStart || (i < text.size() && text[i] >= u'0' && text[i] <= u'9')) return false;
  number = static_cast<int>(negative ? -value : value);
  text.remove_prefix(i);
  return true;
}

bool takeComma(std::u16string_view& text) {
  if (text.empty() || text[0] != u',') return false;
  text.remove_prefix(1);
  return true;
}

std::u16string decimal(int number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

int overlap(int aStart, int aEnd, int bStart, int bEnd) {
  return std::max(0, std::min(aEnd, bEnd) - std::max(aStart, bStart));
}

}  // namespace

std::optional<SavedPlacement> parseWindowPlacement(std::u16string_view value) {
  SavedPlacement placement;
  ScreenRect& r = placement.normal;
  if (!takeNumber(value, r.left) || !takeComma(value) || !takeNumber(value, r.top) || !takeComma(value) ||
      !takeNumber(value, r.right) || !takeComma(value) || !takeNumber(value, r.bottom) || !takeComma(value)) {
    return std::nullopt;
  }
  if (value == u"maximised") {
    placement.maximised = true;
  } else if (value != u"normal") {
    return std::nullopt;
  }
  for (const int coordinate : {r.left, r.top, r.right, r.bottom}) {
    if (coordinate < -maxPlacementCoordinate || coordinate > maxPlacementCoordinate) return std::nullopt;
  }
  if (r.width() <= 0 || r.height() <= 0 || r.width() > maxPlacementSize || r.height() > maxPlacementSize) {
    return std::nullopt;
  }
  return placement;
}

std::u16string windowPlacementValue(const SavedPlacement& placement) {
  const ScreenRect& r = placement.normal;
  return decimal(r.left) + u"," + decimal(r.top) + u"," + decimal(r.right) + u"," + decimal(r.bottom) + u"," +
         (placement.maximised ? u"maximised" : u"normal");
}

ScreenRect workspaceArea(const ScreenRect& monitor, const ScreenRect& work) {
  const int dx = work.left - monitor.left;
  const int dy = work.top - monitor.top;
  return ScreenRect{work.left - dx, work.top - dy, work.right - dx, work.bottom - dy};
}

SavedPlacement placedOnScreen(SavedPlacement placement, const std::vector<ScreenRect>& workAreas, int minimumVisible) {
  if (workAreas.empty()) return placement;
  ScreenRect& r = placement.normal;
  for (const ScreenRect& area : workAreas) {
    const bool topInside = r.top >= area.top && r.top < area.bottom;
    if (topInside && overlap(r.left, r.right, area.left, area.right) >= std::min(minimumVisible, r.width())) {
      return placement;
    }
  }
  const ScreenRect& primary = workAreas.front();
  const int width = std::min(r.width(), primary.width());
  const int height = std::min(r.height(), primary.height());
  const int left = std::clamp(r.left, primary.left, primary.right - width);
  const int top = std::clamp(r.top, primary.top, primary.bottom - height);
  r = ScreenRect{left, top, left + width, top + height};
  return placement;
}

void keepMissingSettingsOff(Settings& settings) {
  settings.emplace(std::u16string(loadOnStartKey), u"false");
  settings.emplace(std::u16string(alwaysOnTopKey), u"false");
  settings.emplace(std::u16string(defaultLanguageIdKey), u"0");
}
