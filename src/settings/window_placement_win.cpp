#include "settings/window_placement_win.h"

#include <string>
#include <vector>

#include "common/dpi_win.h"
#include "common/file_replace_win.h"
#include "settings/configuration_win.h"
#include "settings/window_placement.h"

namespace {

// Enough of the window to grab its caption: 48 pixels at 96 DPI.
constexpr int minimumVisibleWidth = 48;

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto& areas = *reinterpret_cast<std::vector<ScreenRect>*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const ScreenRect area =
      workspaceArea(ScreenRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom},
                    ScreenRect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    areas.insert(areas.begin(), area);
  } else {
    areas.push_back(area);
  }
  return TRUE;
}

// The work areas of the monitors there are now, the primary first, in the coordinates of a
// window's placement.
std::vector<ScreenRect> workAreas() {
  std::vector<ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

RECT toRect(const ScreenRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ScreenRect toScreenRect(const RECT& r) { return ScreenRect{r.left, r.top, r.right, r.bottom}; }

SavedPlacement onScreen(const SavedPlacement& placement) {
  return placedOnScreen(placement, workAreas(), scaledForDpi(minimumVisibleWidth, systemDpi()));
}

// The placement as the window was first shown in this run: a window the user has not
// moved, sized or maximised since leaves Configuration.dat untouched at exit.
std::u16string placementAtStart;

std::u16string currentPlacement(HWND window) {
  WINDOWPLACEMENT record{};
  record.length = sizeof(record);
  if (!window || !GetWindowPlacement(window, &record)) return {};
  const bool maximised = record.showCmd == SW_SHOWMAXIMIZED ||
                         (record.showCmd == SW_SHOWMINIMIZED && (record.flags & WPF_RESTORETOMAXIMIZED));
  return windowPlacementValue(SavedPlacement{toScreenRect(record.rcNormalPosition), maximised});
}

bool startsMinimised(int showCommand) {
  return showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE ||
         showCommand == SW_FORCEMINIMIZE;
}

}  // namespace

void showAtStoredPlacement(HWND window, const Settings& settings, int showCommand) {
  const auto stored = settings.find(std::u16string(windowPlacementKey));
  const std::optional<SavedPlacement> placement =
      stored == settings.end() ? std::nullopt : parseWindowPlacement(stored->second);
  if (!placement) {
    ShowWindow(window, showCommand);
    placementAtStart = currentPlacement(window);
    return;
  }
  const SavedPlacement shown = onScreen(*placement);
  WINDOWPLACEMENT record{};
  record.length = sizeof(record);
  record.rcNormalPosition = toRect(shown.normal);
  if (startsMinimised(showCommand)) {
    record.showCmd = showCommand;
    if (shown.maximised) record.flags = WPF_RESTORETOMAXIMIZED;
  } else {
    record.showCmd = shown.maximised ? SW_SHOWMAXIMIZED : showCommand;
  }
  const UINT dpiBefore = dpiOfWindow(window);
  SetWindowPlacement(window, &record);
  // Moved onto a monitor of another scale, the window took the size Windows scaled for
  // that monitor, while the stored size already is that monitor's: place it again.
  if (dpiOfWindow(window) != dpiBefore) SetWindowPlacement(window, &record);
  placementAtStart = currentPlacement(window);
}

void restoreWindow(HWND window) {
  WINDOWPLACEMENT record{};
  record.length = sizeof(record);
  const bool known = GetWindowPlacement(window, &record) != FALSE;
  const bool backToMaximised = known && IsIconic(window) && (record.flags & WPF_RESTORETOMAXIMIZED);
  if (known) {
    // The monitor it was on may be gone.
    const SavedPlacement shown = onScreen(SavedPlacement{toScreenRect(record.rcNormalPosition), false});
    const RECT normal = toRect(shown.normal);
    if (!EqualRect(&normal, &record.rcNormalPosition)) {
      record.rcNormalPosition = normal;
      record.showCmd = IsIconic(window) ? SW_SHOWMINNOACTIVE : SW_SHOWNA;
      SetWindowPlacement(window, &record);
    }
  }
  ShowWindow(window, backToMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

bool saveWindowPlacement(HWND window, Settings& settings) {
  const std::u16string value = currentPlacement(window);
  if (value.empty() || value == placementAtStart) return true;
  const std::u16string key(windowPlacementKey);
  const auto stored = settings.find(key);
  if (stored != settings.end() && stored->second == value) return true;
  settings[key] = value;
  // A read-only file is the user's way of keeping the settings as they are.
  if (isReadOnlyFile(configurationFilePath())) return true;
  return updateConfiguration(Settings{{key, value}});
}
