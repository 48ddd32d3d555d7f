// The click map: ranges, sums over days whose monitors differ, presses that fall off every
// monitor, the monitors' arrangement, the smoothing and heat layer, the picture's pixels, what the
// pointer names, and the texts in every language.
#include "core/history/click_map.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/history/click_map_texts.h"
#include "core/panel/main_window_texts.h"
#include "history_days.h"

namespace quillo {
namespace {

using history_days::D;

constexpr ScreenRect kMain{0, 0, 1920, 1080};
constexpr ScreenRect kLeftOfMain{-1280, 56, 0, 1080};
constexpr ScreenRect kMainAt1440{0, 0, 2560,
                                 1440};  // the main monitor after a change of resolution

struct Press {
  int32_t day;
  ScreenRect monitor;
  PlaceButton button;
  int32_t column, row;
  uint64_t n;
};

HistoryData History(std::initializer_list<Press> presses) {
  HistoryData h;
  for (const Press& p : presses) {
    DayRecord r;
    r.day = p.day;
    r.places.AddClick(p.monitor, p.button, p.column, p.row, p.n);
    h.Add(r);
  }
  return h;
}

ChartFont SevenPixelFont() {
  ChartFont f;
  f.height = 13;
  f.width = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
  return f;
}

TEST(ClickMap, RangesAroundTheChosenDay) {
  const HistoryData history = History({{D(2024, 3, 5), kMain, PlaceButton::kLeft, 1, 1, 1},
                                       {D(2026, 1, 9), kMain, PlaceButton::kLeft, 1, 1, 1}});
  struct Case {
    const char* name;
    ClickRange range;
    int32_t day;
    int firstWeekday;
    const HistoryData* history;
    DaySpan span;
  };
  const HistoryData none;
  const Case cases[] = {
      {"day", ClickRange::kDay, D(2025, 2, 12), 0, &history, {D(2025, 2, 12), D(2025, 2, 12)}},
      // 2025-02-12 is a Wednesday.
      {"week from Monday",
       ClickRange::kWeek,
       D(2025, 2, 12),
       0,
       &history,
       {D(2025, 2, 10), D(2025, 2, 16)}},
      {"week from Sunday",
       ClickRange::kWeek,
       D(2025, 2, 12),
       6,
       &history,
       {D(2025, 2, 9), D(2025, 2, 15)}},
      {"leap February",
       ClickRange::kMonth,
       D(2024, 2, 29),
       0,
       &history,
       {D(2024, 2, 1), D(2024, 2, 29)}},
      {"December",
       ClickRange::kMonth,
       D(2025, 12, 31),
       0,
       &history,
       {D(2025, 12, 1), D(2025, 12, 31)}},
      {"year", ClickRange::kYear, D(2025, 7, 1), 0, &history, {D(2025, 1, 1), D(2025, 12, 31)}},
      {"all time",
       ClickRange::kAllTime,
       D(2025, 7, 1),
       0,
       &history,
       {D(2024, 3, 5), D(2026, 1, 9)}},
      {"all time reaches the chosen day",
       ClickRange::kAllTime,
       D(2026, 5, 1),
       0,
       &history,
       {D(2024, 3, 5), D(2026, 5, 1)}},
      {"all time of no history",
       ClickRange::kAllTime,
       D(2025, 7, 1),
       0,
       &none,
       {D(2025, 7, 1), D(2025, 7, 1)}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClickRangeSpan(c.range, c.day, c.firstWeekday, *c.history), c.span) << c.name;
}

TEST(ClickMap, MonitorsAddedRemovedOrResizedBetweenDaysAreEachSummedApart) {
  const int32_t d1 = D(2026, 3, 2), d2 = d1 + 1, d3 = d1 + 2, d4 = d1 + 3;
  const HistoryData h = History({
      {d1, kMain, PlaceButton::kLeft, 10, 20, 3},  // one monitor
      {d2, kMain, PlaceButton::kLeft, 10, 20, 2},  // a second one added
      {d2, kLeftOfMain, PlaceButton::kRight, 0, 0, 4},
      {d3, kLeftOfMain, PlaceButton::kLeft, 159, 127, 1},  // the main one removed
      {d4, kMainAt1440, PlaceButton::kLeft, 10, 20, 7},    // and back at another resolution
      {d4 + 1, kMain, PlaceButton::kLeft, 10, 20, 100},    // after the range
  });
  const ClickMap all = SumClicks(h, {d1, d4}, ClickButtons::kAll);
  ASSERT_EQ(all.monitors.size(), 3u);
  EXPECT_EQ(all.monitors[0].monitor, kLeftOfMain);
  EXPECT_EQ(all.monitors[1].monitor, kMain);
  EXPECT_EQ(all.monitors[2].monitor, kMainAt1440);
  EXPECT_EQ(all.monitors[1].Cell(10, 20), 5u);
  EXPECT_EQ(all.monitors[2].Cell(10, 20), 7u);
  EXPECT_EQ(all.monitors[2].columns, 320);
  EXPECT_EQ(all.monitors[0].Cell(0, 0), 4u);
  EXPECT_EQ(all.monitors[0].Cell(159, 127), 1u);
  EXPECT_EQ(all.shown, 17u);
  EXPECT_EQ(all.presses[static_cast<size_t>(PlaceButton::kLeft)], 13u);
  EXPECT_EQ(all.presses[static_cast<size_t>(PlaceButton::kRight)], 4u);

  // One button: the same monitors (clicked with any button), only its cells.
  const ClickMap right = SumClicks(h, {d1, d4}, ClickButtons::kRight);
  ASSERT_EQ(right.monitors.size(), 3u);
  EXPECT_EQ(right.shown, 4u);
  EXPECT_EQ(right.monitors[1].shown, 0u);
  EXPECT_EQ(right.monitors[1].Cell(10, 20), 0u);
  EXPECT_EQ(right.monitors[0].Cell(0, 0), 4u);
  EXPECT_EQ(right.presses, all.presses);

  // A day with one monitor draws one.
  const ClickMap first = SumClicks(h, {d1, d1}, ClickButtons::kAll);
  ASSERT_EQ(first.monitors.size(), 1u);
  EXPECT_EQ(first.monitors[0].monitor, kMain);
  EXPECT_TRUE(SumClicks(h, {d4 + 2, d4 + 9}, ClickButtons::kAll).monitors.empty());
}

TEST(ClickMap, ThePastDaysCollapsedIntoOneRecordSumAsTheDaysDid) {
  const int32_t d1 = D(2026, 3, 2), today = d1 + 3;
  const HistoryData h = History({
      {d1, kMain, PlaceButton::kLeft, 10, 20, 3},
      {d1 + 1, kMain, PlaceButton::kLeft, 10, 20, 2},
      {d1 + 1, kLeftOfMain, PlaceButton::kRight, 0, 0, 4},
      {d1 - 1, kMain, PlaceButton::kLeft, 10, 20, 50},  // before the range
      {today, kMain, PlaceButton::kMiddle, 1, 1, 6},    // the day in progress, kept apart
  });
  const DaySpan span{d1, today};
  HistoryData collapsed;
  collapsed.Add(CollapsePlaces(h, span, today, d1));
  EXPECT_EQ(collapsed.days.size(), 1u);
  collapsed.Add(h.days.at(today));
  for (ClickButtons b : {ClickButtons::kAll, ClickButtons::kLeft, ClickButtons::kMiddle}) {
    const ClickMap days = SumClicks(h, span, b), one = SumClicks(collapsed, span, b);
    ASSERT_EQ(one.monitors.size(), days.monitors.size());
    for (size_t m = 0; m < days.monitors.size(); ++m)
      EXPECT_EQ(one.monitors[m].cells, days.monitors[m].cells) << m;
    EXPECT_EQ(one.presses, days.presses);
  }
}

TEST(ClickMap, APressOutsideEveryMonitorIsNeitherPlacedNorDrawn) {
  // The hooks' point beyond every monitor has no cell at all.
  EXPECT_FALSE(CellAt({kMain, kLeftOfMain}, -10, 20).has_value());
  // A cell beyond its monitor's edge (a hand-edited line) or a "monitor" too large to be one is
  // left out of the picture and counted as dropped.
  DayRecord r;
  r.day = D(2026, 3, 2);
  r.places.AddClick(kMain, PlaceButton::kLeft, 240, 0, 5);  // 1920 / 8 = 240 columns: 0 … 239
  r.places.AddClick(kMain, PlaceButton::kLeft, 0, 135, 6);
  r.places.AddClick(kMain, PlaceButton::kLeft, 239, 134, 1);
  r.places.AddClick({0, 0, 40000, 100}, PlaceButton::kLeft, 0, 0, 7);
  HistoryData h;
  h.Add(r);
  const ClickMap map = SumClicks(h, {r.day, r.day}, ClickButtons::kAll);
  ASSERT_EQ(map.monitors.size(), 1u);
  EXPECT_EQ(map.shown, 1u);
  EXPECT_EQ(map.dropped, 18u);
  EXPECT_EQ(map.monitors[0].Cell(239, 134), 1u);
}

TEST(ClickMap, MonitorsKeepTheirArrangementAndAspectAtOneScale) {
  struct Case {
    const char* name;
    std::vector<ScreenRect> monitors;
    ChartRect area;
    std::vector<ChartRect> drawn;
  };
  const Case cases[] = {
      {"one, centred across", {kMain}, {0, 0, 400, 400}, {{0, 88, 400, 313}}},
      {"one, centred down", {kMain}, {10, 0, 1010, 270}, {{270, 0, 750, 270}}},
      // 3200 x 1080 into 320 wide: a tenth; the edge they share drawn once.
      {"side by side, left of the origin",
       {kLeftOfMain, kMain},
       {0, 0, 320, 200},
       {{0, 52, 128, 154}, {128, 46, 320, 154}}},
      {"one above the other",
       {{0, -1080, 1920, 0}, kMain},
       {0, 0, 100, 216},
       {{0, 52, 100, 108}, {0, 108, 100, 164}}},
      // Overlapping: the old resolution and the new one stand apart, 10 pixels between them.
      {"resolution changed",
       {kMain, kMainAt1440},
       {0, 0, 458, 200},
       {{0, 46, 192, 154}, {202, 28, 458, 172}}},
  };
  for (const Case& c : cases) {
    const std::vector<ChartRect> drawn = ArrangeMonitors(c.monitors, c.area, 10);
    ASSERT_EQ(drawn.size(), c.drawn.size()) << c.name;
    for (size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_EQ(drawn[i], c.drawn[i])
          << c.name << " #" << i << ": " << drawn[i].left << "," << drawn[i].top << ","
          << drawn[i].right << "," << drawn[i].bottom;
    }
  }
}

TEST(ClickMap, SmoothingSpreadsAPressAndKeepsItsWeight) {
  MonitorGrid g;
  g.monitor = {0, 0, 160, 80};
  g.columns = 20;
  g.rows = 10;
  g.cells.assign(200, 0);
  g.cells[5 * 20 + 10] = 256;  // in the middle
  g.cells[0] = 256;            // in a corner
  const std::vector<float> s = SmoothCells(g);
  EXPECT_FLOAT_EQ(s[5 * 20 + 10], 36);  // 6 x 6 of 256 / 16 / 16
  EXPECT_FLOAT_EQ(s[3 * 20 + 8], 1);
  EXPECT_FLOAT_EQ(s[5 * 20 + 13], 0);  // beyond the kernel
  float middle = 0;
  for (int r = 3; r <= 7; ++r)
    for (int c = 8; c <= 12; ++c) middle += s[static_cast<size_t>(r * 20 + c)];
  EXPECT_FLOAT_EQ(middle, 256);
  // The corner's kernel is cut to 6 + 4 + 1 each way, and its weight shared among those.
  EXPECT_FLOAT_EQ(s[0], 256.0f * 6 / 11 * 6 / 11);
  EXPECT_GT(s[0], s[5 * 20 + 10]);
}

TEST(ClickMap, HeatIsTransparentWhereNothingWasPressedAndAFarPressStillShows) {
  MonitorGrid g;
  g.monitor = kMain;
  g.columns = 240;
  g.rows = 135;
  g.cells.assign(240u * 135u, 0);
  g.cells[100u * 240u + 200u] = 1;    // one press
  g.cells[10u * 240u + 20u] = 10000;  // the close button of every day
  const std::vector<float> s = SmoothCells(g);
  const float peak = *std::max_element(s.begin(), s.end());
  // Drawn small: four cells and more a pixel.
  const HeatLayer small = RenderHeat(s, 240, 135, 60, 34, peak, ClickButtons::kLeft);
  ASSERT_EQ(small.pixels.size(), 60u * 34u);
  auto alpha = [&](int x, int y) { return small.pixels[static_cast<size_t>(y * 60 + x)] >> 24; };
  EXPECT_EQ(alpha(0, 33), 0u);
  EXPECT_EQ(alpha(40, 10), 0u);
  EXPECT_GT(alpha(50, 25), 0u);  // cell 200, 100 lies in pixel 50, 25
  EXPECT_GT(alpha(5, 2), alpha(50, 25));
  const auto strongest = std::max_element(small.pixels.begin(), small.pixels.end(),
                                          [](uint32_t a, uint32_t b) { return a >> 24 < b >> 24; });
  EXPECT_EQ(strongest - small.pixels.begin(), 2 * 60 + 5);
  // Drawn a pixel a cell: the peak is the ramp's darkest end, nearly opaque.
  const HeatLayer same = RenderHeat(s, 240, 135, 240, 135, peak, ClickButtons::kLeft);
  EXPECT_EQ(same.pixels[10 * 240 + 20], (235u << 24) | RampColor(ClickButtons::kLeft, 1));
  // Drawn larger than the cells: between cells' centres, still clear of the empty parts.
  const HeatLayer large = RenderHeat(s, 240, 135, 960, 540, peak, ClickButtons::kAll);
  EXPECT_GT(large.pixels[static_cast<size_t>(401 * 960 + 801)] >> 24, 0u);
  EXPECT_EQ(large.pixels[static_cast<size_t>(300 * 960 + 300)] >> 24, 0u);
  // Nothing pressed, nothing coloured.
  const HeatLayer none =
      RenderHeat(std::vector<float>(240u * 135u), 240, 135, 60, 34, 0, ClickButtons::kAll);
  EXPECT_TRUE(
      std::all_of(none.pixels.begin(), none.pixels.end(), [](uint32_t p) { return p == 0; }));
}

TEST(ClickMap, EachChoiceHasItsOwnRampFromLightToDark) {
  auto lightness = [](uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF); };
  for (int b = 0; b < kClickButtonsCount; ++b) {
    const auto buttons = static_cast<ClickButtons>(b);
    for (int i = 0; i < 10; ++i)
      EXPECT_GE(lightness(RampColor(buttons, i / 10.0)),
                lightness(RampColor(buttons, (i + 1) / 10.0)))
          << b << " at " << i;
    for (int other = b + 1; other < kClickButtonsCount; ++other)
      EXPECT_NE(RampColor(buttons, 1), RampColor(static_cast<ClickButtons>(other), 1));
  }
}

class ClickMapPictures : public ::testing::Test {
 protected:
  // Two monitors side by side, 3200 x 1080 on the desktop, drawn at 336 x 190: a tenth of their
  // pixels (the picture's margins are 8, the totals' line 13, the legend's 13).
  void SetUp() override {
    const int32_t day = D(2026, 3, 2);
    history_ = History({{day, kMain, PlaceButton::kLeft, 100, 60, 12},
                        {day, kMain, PlaceButton::kRight, 100, 60, 3},
                        {day, {1920, 0, 3200, 1024}, PlaceButton::kLeft, 5, 5, 1}});
    map_ = SumClicks(history_, {day, day}, ClickButtons::kLeft);
    look_.font = SevenPixelFont();
    picture_ = DrawClickMap(map_, 336, 190, look_);
  }
  uint32_t Pixel(int x, int y) const {
    return picture_.pixels[static_cast<size_t>(y * picture_.width + x)];
  }
  HistoryData history_;
  ClickMap map_;
  ClickMapLook look_;
  ClickMapPicture picture_;
};

TEST_F(ClickMapPictures, MonitorsHeatOutlinesAndLegendInPixels) {
  ASSERT_EQ(picture_.pixels.size(), 336u * 190u);
  ASSERT_EQ(picture_.monitors.size(), 2u);
  // The area is 8 … 328 across, 29 … 161 down: 320 x 132 for 3200 x 1080.
  EXPECT_EQ(picture_.monitors[0], (ChartRect{8, 41, 200, 149}));
  EXPECT_EQ(picture_.monitors[1], (ChartRect{200, 41, 328, 143}));
  EXPECT_EQ(Pixel(2, 2), kChartBackground);
  EXPECT_EQ(Pixel(8, 41), kClickMapOutline);
  EXPECT_EQ(Pixel(30, 130), kClickMapFace);  // nothing pressed there
  // Cell 100, 60 is at 800 … 808, 480 … 488 on the desktop: pixel 88, 89 of the picture. Its
  // colour is the left button's darkest over the face.
  const uint32_t press = Pixel(8 + 80, 41 + 48);
  EXPECT_NE(press, kClickMapFace);
  EXPECT_LT(press & 0xFF0000, 0x600000u);  // blue, not grey
  // The right button's presses are not on the left button's map: one peak, one press.
  EXPECT_EQ(map_.monitors[0].shown, 12u);
  // The second monitor's single press shows, fainter.
  const uint32_t faint = Pixel(200 + 4, 41 + 4);
  EXPECT_NE(faint, kClickMapFace);
  EXPECT_GT(faint & 0xFF0000, press & 0xFF0000);
  // The legend: light on the left, dark on the right.
  const int y = (picture_.legend.top + picture_.legend.bottom) / 2;
  EXPECT_GT(Pixel(picture_.legend.left, y) & 0xFF0000,
            Pixel(picture_.legend.right - 1, y) & 0xFF0000);
}

TEST_F(ClickMapPictures, TextsNameTheTotalsTheLegendAndTheMonitors) {
  std::vector<std::string> texts;
  for (const ChartItem& i : picture_.texts) {
    EXPECT_EQ(i.kind, ChartItemKind::kText);
    texts.push_back(i.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Left: 13 \u00B7 All buttons: 16 \u00B7 Monitors: 2",
                                             "Fewer", "More", "1", "2"}));
  look_.language = kFrench;
  look_.style = {',', "\u202F"};
  const ClickMapPicture fr =
      DrawClickMap(SumClicks(history_, map_.span, ClickButtons::kAll), 336, 190, look_);
  EXPECT_EQ(fr.texts[0].text, "Tous les boutons : 16 \u00B7 \u00C9crans : 2");
  EXPECT_EQ(fr.texts[1].text, "Moins");
}

TEST_F(ClickMapPictures, APointNamesTheMonitorTheCellsItCoversAndTheirPresses) {
  // Picture pixel 88, 89 covers desktop pixels 800 … 810, 480 … 490: cells 100 … 101, 60 … 61.
  const auto spot = SpotAt(map_, picture_, 88, 89);
  ASSERT_TRUE(spot.has_value());
  EXPECT_EQ(spot->monitor, 0u);
  EXPECT_EQ(spot->column, 100);
  EXPECT_EQ(spot->row, 60);
  EXPECT_EQ(spot->firstColumn, 100);
  EXPECT_EQ(spot->lastColumn, 101);
  EXPECT_EQ(spot->x, 805);
  EXPECT_EQ(spot->y, 485);
  EXPECT_EQ(spot->count, 12u);
  EXPECT_EQ(DescribeSpot(map_, *spot, kEnglish, {}),
            "Monitor 1 (1920 \u00D7 1080) \u00B7 x 805, y 485 \u00B7 Left: 12");
  EXPECT_EQ(DescribeSpot(map_, *spot, kGerman, {}),
            "Bildschirm 1 (1920 \u00D7 1080) \u00B7 x 805, y 485 \u00B7 Links: 12");
  // On the second monitor, with its own origin.
  const auto second = SpotAt(map_, picture_, 204, 45);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->monitor, 1u);
  EXPECT_EQ(second->x, 1965);
  EXPECT_EQ(second->count, 1u);
  // Between, beside and below the monitors: nothing.
  for (const auto& [x, y] : {std::pair{4, 100}, std::pair{250, 146}, std::pair{330, 100},
                             std::pair{100, 20}, std::pair{200, 160}})
    EXPECT_FALSE(SpotAt(map_, picture_, x, y).has_value()) << x << "," << y;
}

TEST(ClickMap, NoPressesInTheRangeSaySo) {
  ClickMapLook look;
  look.font = SevenPixelFont();
  const ClickMapPicture p = DrawClickMap(ClickMap{}, 300, 200, look);
  EXPECT_TRUE(p.monitors.empty());
  ASSERT_FALSE(p.texts.empty());
  EXPECT_EQ(p.texts.back().text, "No clicks in this range");
  EXPECT_FALSE(SpotAt(ClickMap{}, p, 150, 100).has_value());
}

TEST(ClickMap, ThePictureGrowsWithTheDpi) {
  const HistoryData h = History({{D(2026, 3, 2), kMain, PlaceButton::kLeft, 1, 1, 1}});
  const ClickMap map = SumClicks(h, {D(2026, 3, 2), D(2026, 3, 2)}, ClickButtons::kAll);
  ClickMapLook look;
  look.font = SevenPixelFont();
  const ClickMapPicture at96 = DrawClickMap(map, 600, 400, look);
  look.dpi = 144;
  const ClickMapPicture at144 = DrawClickMap(map, 600, 400, look);
  EXPECT_EQ(at96.legend.right - at96.legend.left, 160);
  EXPECT_EQ(at144.legend.right - at144.legend.left, 240);
  EXPECT_EQ(at144.texts[0].rect.left, 12);
}

TEST(ClickMapTexts, EveryLanguageHasEveryTextWithItsPlaceholders) {
  auto holes = [](std::string_view t) {
    size_t n = 0;
    for (size_t at = t.find("{}"); at != t.npos; at = t.find("{}", at + 2)) ++n;
    return n;
  };
  for (int row = 0; row < kClickMapTextCount; ++row) {
    const auto r = static_cast<ClickMapText>(row);
    const std::string_view english = ClickMapWindowText(r, kEnglish);
    EXPECT_FALSE(english.empty()) << row;
    for (int language = 0; language < kLanguageCount; ++language) {
      EXPECT_FALSE(ClickMapWindowText(r, language).empty()) << row << "/" << language;
      EXPECT_EQ(holes(ClickMapWindowText(r, language)), holes(english)) << row << "/" << language;
    }
    EXPECT_EQ(ClickMapWindowText(r, 42), english);
    EXPECT_EQ(ClickMapWindowText(r, -1), english);
  }
  EXPECT_EQ(ClickButtonChoices(kCzech),
            (std::vector<std::string>{"Všechna tlačítka", "Levé", "Pravé", "Prostřední", "Zpět",
                                      "Vpřed"}));
  EXPECT_EQ(ClickRangeChoices(kEnglish),
            (std::vector<std::string>{"Day", "Week", "Month", "Year", "All time"}));
  EXPECT_EQ(ClickMapTextWith(ClickMapText::point, kEnglish, {"-5", "7"}), "x -5, y 7");
}

}  // namespace
}  // namespace quillo
