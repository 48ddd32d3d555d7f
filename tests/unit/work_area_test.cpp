// The panel kept on its monitor's work area after it has been rebuilt at another size.
#include "core/panel/work_area.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

struct Case {
  const char* name;
  ScreenRect window, work;
  ScreenPoint at;
};

TEST(WorkArea, APanelThatRanOffIsMovedInAsLittleAsNeeded) {
  const ScreenRect fullHd{0, 0, 1920, 1040};       // taskbar at the bottom
  const ScreenRect taskbarTop{0, 40, 1920, 1080};  // taskbar at the top
  const ScreenRect leftMonitor{-1280, 0, 0, 984};  // a second monitor left of the primary
  const Case cases[] = {
      {"InsideStays", {100, 200, 251, 600}, fullHd, {100, 200}},
      {"TouchingTheEdgesStays", {0, 0, 1920, 1040}, fullHd, {0, 0}},
      // A vertical panel near the right edge turned horizontal: 1588 wide from x 1700.
      {"PastTheRightEdge", {1700, 300, 3288, 344}, fullHd, {332, 300}},
      {"PastTheBottom", {500, 900, 651, 1309}, fullHd, {500, 631}},
      {"PastTheCorner", {1800, 1000, 1951, 1109}, fullHd, {1769, 931}},
      {"LeftOfTheArea", {-30, 100, 121, 209}, fullHd, {0, 100}},
      {"UnderATopTaskbar", {10, 5, 161, 114}, taskbarTop, {10, 40}},
      {"WiderThanTheAreaKeepsItsLeftEdgeOn", {300, 10, 2300, 54}, fullHd, {0, 10}},
      {"TallerThanTheAreaKeepsItsTopEdgeOn", {10, 300, 161, 1500}, fullHd, {10, 0}},
      {"OnAMonitorLeftOfThePrimary", {-200, 100, 1388, 144}, leftMonitor, {-1280, 100}},
      {"PastTheRightOfTheLeftMonitor", {-100, 900, 51, 1009}, leftMonitor, {-151, 875}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScreenPoint at = KeepOnWorkArea(c.window, c.work);
    EXPECT_EQ(at, c.at);
  }
}

}  // namespace
}  // namespace quillo
