// The History window's layout: every part inside the client area, none over another, at the
// smallest size and larger ones, at 96 and 144 DPI.
#include "core/history/history_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillo {
namespace {

HistoryLayoutInput Input(int dpi, int width, int height) {
  HistoryLayoutInput in;
  in.dpi = dpi;
  in.width = width;
  in.height = height;
  const int letter = 6 * dpi / 96;
  in.controlHeight = 21 * dpi / 96;
  in.textWidth = [letter](std::string_view t) { return static_cast<int>(t.size()) * letter; };
  in.measureLabel = "Messgröße:";
  in.totalsLabel = "Summen pro:";
  in.rangeLabel = "Zeitraum:";
  in.saveText = "Als CSV speichern...";
  in.measureWidth = 20 * letter;
  in.groupingWidth = 6 * letter;
  in.rangeWidth = 17 * letter;
  in.calendarHeight = [dpi](int w) { return std::min(w / 6, 200 * dpi / 96); };
  return in;
}

bool Overlap(const ChartRect& a, const ChartRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(HistoryLayout, EveryPartHasItsOwnRoomInsideTheWindow) {
  for (int dpi : {96, 144}) {
    const ClientSize min = HistoryMinimumSize(Input(dpi, 0, 0));
    for (const ClientSize size : {min, ClientSize{min.width + 500, min.height + 300}}) {
      SCOPED_TRACE(std::to_string(dpi) + " " + std::to_string(size.width));
      const HistoryLayoutInput in = Input(dpi, size.width, size.height);
      const HistoryLayout l = LayOutHistoryWindow(in);
      const std::vector<ChartRect> parts = {
          l.measureLabel, l.measure,  l.previousYear, l.year,  l.nextYear, l.save, l.calendar,
          l.totalsLabel,  l.grouping, l.rangeLabel,   l.range, l.bars,     l.hours};
      for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_GE(parts[i].left, 0) << i;
        EXPECT_GE(parts[i].top, 0) << i;
        EXPECT_LE(parts[i].right, size.width) << i;
        EXPECT_LE(parts[i].bottom, size.height) << i;
        EXPECT_GT(parts[i].right, parts[i].left) << i;
        EXPECT_GT(parts[i].bottom, parts[i].top) << i;
        for (size_t j = i + 1; j < parts.size(); ++j)
          EXPECT_FALSE(Overlap(parts[i], parts[j])) << i << " " << j;
      }
      // The calendar as high as its squares need; the bars above the hours, larger.
      EXPECT_EQ(l.calendar.bottom - l.calendar.top,
                in.calendarHeight(l.calendar.right - l.calendar.left));
      EXPECT_LT(l.bars.bottom, l.hours.top + 1);
      EXPECT_GT(l.bars.bottom - l.bars.top, l.hours.bottom - l.hours.top);
      EXPECT_GE(l.hours.bottom - l.hours.top, 3 * in.controlHeight);
      // "Save as CSV..." keeps to the right edge.
      EXPECT_EQ(size.width - l.save.right, 8 * dpi / 96);
    }
  }
}

}  // namespace
}  // namespace quillo

namespace quillo {
namespace {

TEST(HistoryPagesLayout, ButtonsSideBySideAtTheTopAndThePageUnderThem) {
  for (const int dpi : {96, 144}) {
    const int h = dpi == 96 ? 21 : 30;
    const PagesLayout l = LayOutPages(1000, 700, dpi, h, {40, 200});
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].right, l.buttons[1].left);
    EXPECT_EQ(l.buttons[0].top, l.buttons[1].top);
    EXPECT_GE(l.buttons[1].right - l.buttons[1].left, 200);  // the longer name has its room
    EXPECT_EQ(l.buttons[0].bottom - l.buttons[0].top, h);
    EXPECT_EQ(l.page, (ChartRect{0, l.buttons[0].bottom, 1000, 700}));
  }
}

TEST(HistoryPagesLayout, KeyboardPageRowThenThePicture) {
  const KeyboardPageLayout l = LayOutKeyboardPage(900, 600, 96, 21, 50, 80, 90);
  EXPECT_LT(l.rangeLabel.right, l.range.left);
  EXPECT_EQ(l.save.right, 900 - 8);
  EXPECT_GE(l.save.right - l.save.left, 90);
  EXPECT_GT(l.keyboard.top, l.range.bottom);
  EXPECT_EQ(l.keyboard.bottom, 600 - 8);
  // Too narrow: the button stays right of the choices instead of over them.
  const KeyboardPageLayout narrow = LayOutKeyboardPage(100, 600, 96, 21, 50, 80, 90);
  EXPECT_GT(narrow.save.left, narrow.range.right);
}

}  // namespace
}  // namespace quillo
