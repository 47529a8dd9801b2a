// Where the window was left, as Configuration.dat keeps it, and where it comes back when
// the monitors have changed.
#include "settings/window_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(WindowPlacement, ReadsOnlyWellFormedPlacements) {
  const struct {
    std::u16string value;
    bool valid;
    ScreenRect rect;
    bool maximised;
  } cases[] = {
      {u"100,80,480,403,normal", true, {100, 80, 480, 403}, false},
      {u"-1200,-20,-800,300,maximised", true, {-1200, -20, -800, 300}, true},
      {u"0,0,1,1,normal", true, {0, 0, 1, 1}, false},
      {u"100,80,480,403", false, {}, false},            // no state
      {u"100,80,480,403,Maximised", false, {}, false},  // states are lower case
      {u"100, 80,480,403,normal", false, {}, false},    // no blanks
      {u"100,80,480,403,normal\r", false, {}, false},
      {u"100,80,480,x,normal", false, {}, false},
      {u"480,80,100,403,normal", false, {}, false},         // inverted
      {u"100,80,100,403,normal", false, {}, false},         // no width
      {u"0,0,20000,300,normal", false, {}, false},          // wider than any screen
      {u"1000000,0,1000300,300,normal", false, {}, false},  // seven digits
      {u"99999,0,100300,300,normal", false, {}, false},     // beyond the coordinate range
      {u"--5,0,300,300,normal", false, {}, false},
      {u"", false, {}, false},
  };
  for (const auto& c : cases) {
    const std::optional<SavedPlacement> parsed = parseWindowPlacement(c.value);
    ASSERT_EQ(parsed.has_value(), c.valid) << narrow(c.value);
    if (!parsed) continue;
    EXPECT_EQ(parsed->normal.left, c.rect.left);
    EXPECT_EQ(parsed->normal.top, c.rect.top);
    EXPECT_EQ(parsed->normal.right, c.rect.right);
    EXPECT_EQ(parsed->normal.bottom, c.rect.bottom);
    EXPECT_EQ(parsed->maximised, c.maximised);
    EXPECT_EQ(windowPlacementValue(*parsed), c.value) << "written back as read";
  }
}

TEST(WindowPlacement, ComesBackOnAMonitorThatExists) {
  const std::vector<ScreenRect> primaryAndRight{{0, 0, 1920, 1040}, {1920, 0, 3840, 1080}};
  const std::vector<ScreenRect> primaryOnly{{0, 0, 1280, 984}};
  // A taskbar at the top or the left: the placement's coordinates start beside it.
  const std::vector<ScreenRect> taskbarTop{workspaceArea({0, 0, 1920, 1080}, {0, 40, 1920, 1080})};
  const std::vector<ScreenRect> taskbarLeft{workspaceArea({0, 0, 1920, 1080}, {60, 0, 1920, 1080})};
  const struct {
    const char* what;
    ScreenRect saved;
    const std::vector<ScreenRect>& areas;
    ScreenRect placed;
  } cases[] = {
      {"on the primary monitor", {100, 80, 480, 403}, primaryOnly, {100, 80, 480, 403}},
      {"on the second monitor, still there", {2000, 100, 2380, 423}, primaryAndRight, {2000, 100, 2380, 423}},
      {"on a second monitor now gone", {2000, 100, 2380, 423}, primaryOnly, {900, 100, 1280, 423}},
      {"mostly off the left edge, caption reachable", {-300, 50, 80, 373}, primaryOnly, {-300, 50, 80, 373}},
      {"all but a sliver off the left edge", {-370, 50, 10, 373}, primaryOnly, {0, 50, 380, 373}},
      {"caption above the screen", {100, -200, 480, 123}, primaryOnly, {100, 0, 480, 323}},
      {"larger than the screen left", {-50, -50, 3000, 2000}, primaryOnly, {0, 0, 1280, 984}},
      {"flush under a taskbar at the top", {100, 0, 900, 600}, taskbarTop, {100, 0, 900, 600}},
      {"flush right of a taskbar at the left", {0, 100, 800, 700}, taskbarLeft, {0, 100, 800, 700}},
      {"above and larger than the work area beside a taskbar", {0, -10, 3000, 2000}, taskbarTop, {0, 0, 1920, 1040}},
  };
  for (const auto& c : cases) {
    const SavedPlacement placed = placedOnScreen(SavedPlacement{c.saved, true}, c.areas, 48);
    EXPECT_EQ(placed.normal.left, c.placed.left) << c.what;
    EXPECT_EQ(placed.normal.top, c.placed.top) << c.what;
    EXPECT_EQ(placed.normal.right, c.placed.right) << c.what;
    EXPECT_EQ(placed.normal.bottom, c.placed.bottom) << c.what;
    EXPECT_TRUE(placed.maximised) << c.what;
  }
}

// Saving the placement at exit must not switch on what the file never had: a missing
// LoadOnStart means off, though a save of the options writes "true" for it.
TEST(WindowPlacement, ASaveAtExitKeepsMissingSwitchesOffAndAddsThePlacementLine) {
  Settings settings{{u"AlwaysOnTop", u"true"}, {u"Colour", u"blue"}};
  settings[std::u16string(windowPlacementKey)] = u"10,20,390,343,normal";
  keepMissingSettingsOff(settings);
  EXPECT_EQ(serialiseConfiguration(settings),
            "LoadOnStart=false\r\nAlwaysOnTop=true\r\nDefaultLanguageId=0\r\nWindowPlacement=10,20,390,343,normal\r\n");
  const Settings read = parseConfiguration(serialiseConfiguration(settings));
  EXPECT_EQ(read.at(std::u16string(windowPlacementKey)), u"10,20,390,343,normal");
}

}  // namespace
