// The stored window position: its texts, and the coordinates it is kept in.
#include "core/store/window_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace quillo {
namespace {

TEST(WindowPlacementTexts, QuadsAndSizedNames) {
  EXPECT_EQ(FormatQuad({-5, 10, 146, 81}), "-5,10,146,81");
  EXPECT_EQ(ParseQuad("-5,10,146,81"), (std::array<int32_t, 4>{-5, 10, 146, 81}));
  EXPECT_FALSE(ParseQuad("1,2,3"));
  EXPECT_FALSE(ParseQuad("1,2,3,x"));
  EXPECT_EQ(SizedName("NormPos", 1920, 1080), "NormPos(1920x1080)");
}

// A 1920 x 1080 primary monitor with a 40-pixel taskbar (top or left), and a second monitor to
// its right whose taskbar is at the bottom.
std::vector<MonitorAreas> Desk(int taskbarTop, int taskbarLeft) {
  return {{{0, 0, 1920, 1080}, {taskbarLeft, taskbarTop, 1920, 1080}},
          {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}}};
}

TEST(WindowPlacement, SaveAndRestoreAgreeSoThePositionNeverCreeps) {
  struct Case {
    const char* what;
    int taskbarTop, taskbarLeft;
    ScreenPoint window;
  } cases[] = {
      {"taskbar at the top", 40, 0, {300, 200}},
      {"taskbar on the left", 0, 60, {300, 200}},
      {"no offset", 0, 0, {300, 200}},
      {"on the second monitor", 40, 60, {2500, 700}},
  };
  for (const Case& c : cases) {
    const auto monitors = Desk(c.taskbarTop, c.taskbarLeft);
    ScreenPoint at = c.window;
    for (int start = 0; start < 5; ++start) {  // five restarts
      const ScreenPoint ws = ScreenToWorkspace(at, monitors);
      const auto restored =
          RestoredPosition({ws.x, ws.y, ws.x + 151, ws.y + 71}, 96, 96, 151, 71, monitors);
      ASSERT_TRUE(restored) << c.what;
      at = *restored;
    }
    EXPECT_EQ(at, c.window) << c.what;
  }
  // Workspace coordinates are what the system's window placement gives: relative to the work area.
  EXPECT_EQ(ScreenToWorkspace({300, 200}, Desk(40, 60)), (ScreenPoint{240, 160}));
  EXPECT_EQ(WorkspaceToScreen({240, 160}, Desk(40, 60)), (ScreenPoint{300, 200}));
}

TEST(WindowPlacement, EveryMonitorKeepsItsWindowWhateverItsWorkAreasOffset) {
  // The second monitor's taskbar is on its left, 100 pixels wide: its work area starts at 2020.
  // A panel at x 1950 there, over that taskbar, has the workspace x 1850, which on the primary
  // monitor (no offset) names a point too.
  const std::vector<MonitorAreas> monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                              {{1920, 0, 3840, 1080}, {2020, 0, 3840, 1080}}};
  struct Case {
    const char* what;
    ScreenPoint window;
  } cases[] = {
      {"over the second monitor's taskbar", {1950, 100}},
      {"in the second monitor's work area", {2500, 700}},
      {"on the primary monitor", {300, 200}},
      {"on the primary monitor, by the seam", {1800, 100}},
  };
  for (const Case& c : cases) {
    ScreenPoint at = c.window;
    for (int start = 0; start < 3; ++start) {
      const ScreenPoint ws = ScreenToWorkspace(at, monitors);
      const auto restored =
          RestoredPosition({ws.x, ws.y, ws.x + 151, ws.y + 71}, 96, 96, 151, 71, monitors,
                           std::array{at.x, at.y, at.x + 151, at.y + 71});
      ASSERT_TRUE(restored) << c.what;
      at = *restored;
    }
    EXPECT_EQ(at, c.window) << c.what;
  }
  // Without the screen rectangle (stored by an earlier version) the first monitor that fits wins.
  EXPECT_EQ(RestoredPosition({1850, 100, 2001, 171}, 96, 96, 151, 71, monitors),
            (ScreenPoint{1850, 100}));
  // A screen rectangle that no longer stands for NormPos (the work areas changed since) is not
  // trusted: NormPos, relative to today's work area, decides.
  const std::vector<MonitorAreas> moved = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                           {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}}};
  EXPECT_EQ(RestoredPosition({2050, 100, 2201, 171}, 96, 96, 151, 71, moved,
                             std::array{1950, 100, 2101, 171}),
            (ScreenPoint{2050, 100}));
}

TEST(WindowPlacement, AppliedOnlyAtTheSameDensityAndWhollyOnAMonitor) {
  const auto monitors = Desk(40, 0);
  EXPECT_TRUE(RestoredPosition({100, 100, 251, 171}, 96, 96, 151, 71, monitors));
  EXPECT_FALSE(RestoredPosition({100, 100, 251, 171}, 120, 96, 151, 71, monitors));
  // The bottom right corner less one pixel must be on a monitor too.
  EXPECT_TRUE(RestoredPosition({3689, 969, 3840, 1040}, 96, 96, 151, 71, monitors));
  EXPECT_FALSE(RestoredPosition({3690, 969, 3841, 1040}, 96, 96, 151, 71, monitors));
  EXPECT_FALSE(RestoredPosition({-10, 100, 141, 171}, 96, 96, 151, 71, monitors));
  // Spanning two monitors is fine while both corners are on one.
  EXPECT_TRUE(RestoredPosition({1850, 100, 2001, 171}, 96, 96, 151, 71, monitors));
}

// A stored position at the ends of the 32-bit range (a tampered key) is off every monitor: the
// taskbar's offset must not wrap it around onto one. Such a "ScreenPos" is ignored like any that
// does not stand for "NormPos"'s place.
TEST(WindowPlacement, PositionsAtTheEndsOfTheRangeAreOffEveryMonitor) {
  constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
  for (const int32_t taskbarTop : {0, 40}) {
    const auto monitors = Desk(taskbarTop, 40);
    for (const std::array<int32_t, 4> normPos :
         {std::array<int32_t, 4>{100, kMin, 251, 171}, std::array<int32_t, 4>{100, kMax, 251, 171},
          std::array<int32_t, 4>{kMax, 100, 251, 171}, std::array<int32_t, 4>{kMin, 100, 251, 171}})
      EXPECT_FALSE(RestoredPosition(normPos, 96, 96, 151, 71, monitors))
          << normPos[0] << "," << normPos[1];
    const auto plain = RestoredPosition({100, 100, 251, 171}, 96, 96, 151, 71, monitors);
    ASSERT_TRUE(plain);
    for (const std::array<int32_t, 4> screenPos :
         {std::array<int32_t, 4>{100, kMin, 0, 0}, std::array<int32_t, 4>{kMax, 100, 0, 0}})
      EXPECT_EQ(RestoredPosition({100, 100, 251, 171}, 96, 96, 151, 71, monitors, screenPos), plain)
          << screenPos[0] << "," << screenPos[1];
  }
}

// A window as large as the range: its far corner lies beyond every monitor.
TEST(WindowPlacement, AWindowTooLargeForTheRangeIsNotPlaced) {
  EXPECT_FALSE(RestoredPosition({100, 100, 0, 0}, 96, 96, INT32_MAX, 71, Desk(40, 0)));
  EXPECT_FALSE(RestoredPosition({100, 100, 0, 0}, 96, 96, 151, INT32_MAX, Desk(40, 0)));
}

}  // namespace
}  // namespace quillo
