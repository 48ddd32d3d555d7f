// A day's keys and click places: sparse counts that add up, and the cell a screen point falls in.
#include "core/history/day_places.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

TEST(DayPlaces, KeysAndCellsAddUpSortedAndApart) {
  DayPlaces a, b;
  a.AddKey(MakeKeyId(0x0D, false), 2);  // the main Enter
  a.AddKey(MakeKeyId(0x0D, true), 1);   // the keypad's Enter
  b.AddKey(MakeKeyId(0x0D, false), 3);
  b.AddKey(MakeKeyId(0x41, false), 0);  // nothing counted is nothing kept
  const ScreenRect left{-1920, 0, 0, 1080}, main{0, 0, 2560, 1440};
  a.AddClick(main, PlaceButton::kLeft, 5, 6);
  b.AddClick(main, PlaceButton::kLeft, 5, 6, 2);
  b.AddClick(main, PlaceButton::kRight, 5, 6);
  b.AddClick(left, PlaceButton::kLeft, 5, 6);
  a.Add(b);
  EXPECT_EQ(a.KeyCount(MakeKeyId(0x0D, false)), 5u);
  EXPECT_EQ(a.KeyCount(MakeKeyId(0x0D, true)), 1u);
  EXPECT_EQ(a.keys.size(), 2u);
  ASSERT_EQ(a.monitors.size(), 2u);
  EXPECT_EQ(a.monitors[0].monitor, left);
  const auto& cells = a.monitors[1].cells;
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0], std::make_pair(MakeCellKey(PlaceButton::kLeft, 5, 6), uint64_t{3}));
  EXPECT_EQ(ButtonOf(cells[1].first), PlaceButton::kRight);
  EXPECT_EQ(ColumnOf(cells[1].first), 5);
  EXPECT_EQ(RowOf(cells[1].first), 6);
}

TEST(DayPlaces, FieldsRoundTrip) {
  DayPlaces p;
  p.AddKey(0x1FF, 18446744073709551615ull);
  p.AddClick({0, 0, 1366, 768}, PlaceButton::kBack, 170, 95, 7);  // the last part cell
  p.AddClick({1366, -200, 3286, 880}, PlaceButton::kMiddle, 0, 0);
  DayPlaces back;
  ASSERT_TRUE(ParseKeysField(FormatKeysField(p), back));
  ASSERT_TRUE(ParseClicksField(FormatClicksField(p), back));
  EXPECT_EQ(back, p);
  EXPECT_EQ(FormatKeysField({}), "");
  EXPECT_EQ(FormatClicksField({}), "");
}

// A damaged or tampered clicks field: a rectangle wider or taller than the 32-bit range, or than
// the cells a place can name (2^14 across and down), is refused, not wrapped onto other cells.
TEST(DayPlaces, RectanglesBeyondWhatACellCanNameAreRefused) {
  const struct {
    const char* text;
    bool read;
  } cases[] = {
      {"-2000000000 0 2000000000 10 L1.0=1", false}, {"0 -2000000000 10 2000000000 L1.0=1", false},
      {"0 0 200000 10 L20000.0=1", false},           {"0 0 10 200000 L0.20000=1", false},
      {"0 0 131072 131072 L16383.16383=1", true},    {"0 0 131073 10 L1.0=1", false},
  };
  for (const auto& c : cases) {
    DayPlaces p;
    EXPECT_EQ(ParseClicksField(c.text, p), c.read) << c.text;
  }
}

TEST(DayPlaces, ThePointsCellOnTheMonitorThatHoldsIt) {
  const std::vector<ScreenRect> monitors = {{0, 0, 1920, 1080}, {-1280, 56, 0, 1080}};
  struct Case {
    int32_t x, y;
    std::optional<size_t> monitor;
    int32_t column, row;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0},           {7, 7, 0, 0, 0},     {8, 15, 0, 1, 1},
      {1919, 1079, 0, 239, 134}, {-1, 56, 1, 159, 0}, {-1280, 1079, 1, 0, 127},
      {1920, 500, {}, 0, 0},     {-5, 10, {}, 0, 0},  {100, 1080, {}, 0, 0},
  };
  for (const Case& c : cases) {
    const auto cell = CellAt(monitors, c.x, c.y);
    ASSERT_EQ(cell.has_value(), c.monitor.has_value()) << c.x << "," << c.y;
    if (!cell) continue;
    EXPECT_EQ(cell->monitor, *c.monitor);
    EXPECT_EQ(cell->column, c.column) << c.x << "," << c.y;
    EXPECT_EQ(cell->row, c.row) << c.x << "," << c.y;
  }
  EXPECT_EQ(CellColumns(ScreenRect{0, 0, 1920, 1080}), 240);
  EXPECT_EQ(CellRows(ScreenRect{0, 0, 1920, 1080}), 135);
}

}  // namespace
}  // namespace quillo
