// Where the main window was left: its normal rectangle and whether it was maximised, kept
// in Configuration.dat under a key of its own that older versions read and ignore.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/configuration.h"

inline constexpr std::u16string_view windowPlacementKey = u"WindowPlacement";

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct SavedPlacement {
  // The window's size and place when neither minimised nor maximised.
  ScreenRect normal;
  bool maximised = false;
};

// The largest window size and the furthest coordinate a stored placement may hold.
inline constexpr int maxPlacementSize = 16384;
inline constexpr int maxPlacementCoordinate = 65536;

// "left,top,right,bottom,state": four decimal integers (an optional "-", at most six
// digits) and "normal" or "maximised", nothing else, no blanks. None for any other value,
// an empty or inverted rectangle, one larger than maxPlacementSize or beyond
// maxPlacementCoordinate.
std::optional<SavedPlacement> parseWindowPlacement(std::u16string_view value);

// The stored form of a placement, which parseWindowPlacement reads back.
std::u16string windowPlacementValue(const SavedPlacement& placement);

// The placement moved, if need be, onto the monitors that exist now (their work areas,
// the primary first): kept where it is when its top edge lies within a work area and at
// least `minimumVisible` pixels of its width show there, so the user can grab its caption;
// otherwise moved into the primary work area, shrunk to fit it. Unchanged without areas.
SavedPlacement placedOnScreen(SavedPlacement placement, const std::vector<ScreenRect>& workAreas, int minimumVisible);

// A monitor's work area in the coordinates a top-level window's normal rectangle is kept
// in: they start at the corner of the work area, not of the screen, so a taskbar at the
// top or the left moves the area's origin onto the monitor's.
ScreenRect workspaceArea(const ScreenRect& monitor, const ScreenRect& work);

// The three settings as a save at exit must write them: a key that was missing gets the
// value that means what its absence meant (off, off, the first tab), never the fallback
// that a save of the options writes for it.
void keepMissingSettingsOff(Settings& settings);
