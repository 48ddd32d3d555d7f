// The stored window position: its texts, and the coordinates it is kept in.
#include "core/store/window_placement.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillo
