// The History window's charts as descriptions: the calendar's squares, scale, labels and legend;
// the bar chart's axes, bars, labels and selection; what the pointer points at.
#include "core/history/history_chart.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/history/history_periods.h"
#include "core/panel/main_window_texts.h"
#include "core/util/datetime.h"
#include "history_days.h"

namespace quillo {
namespace {

using history_days::Font;

std::vector<const ChartItem*> Items(const ChartPicture& p, ChartItemKind kind) {
  std::vector<const ChartItem*> out;
  for (const ChartItem& i : p.items)
    if (i.kind == kind) out.push_back(&i);
  return out;
}

bool HasText(const ChartPicture& p, std::string_view text) {
  for (const ChartItem* i : Items(p, ChartItemKind::kText))
    if (i->text == text) return true;
  return false;
}

// The largest fill inside a rectangle: a day's square, a bar.
const ChartItem* FillAt(const ChartPicture& p, const ChartRect& r) {
  const ChartItem* found = nullptr;
  auto area = [](const ChartRect& a) { return (a.right - a.left) * (a.bottom - a.top); };
  for (const ChartItem* i : Items(p, ChartItemKind::kFill))
    if (i->rect.left >= r.left && i->rect.right <= r.right && i->rect.top >= r.top &&
        i->rect.bottom <= r.bottom && area(i->rect) > 0 &&
        (!found || area(i->rect) > area(found->rect)))
      found = i;
  return found;
}

void ExpectInside(const ChartPicture& p) {
  for (const ChartItem& i : p.items) {
    EXPECT_GE(std::min(i.rect.left, i.rect.right), 0) << i.text;
    EXPECT_GE(std::min(i.rect.top, i.rect.bottom), 0) << i.text;
    EXPECT_LE(std::max(i.rect.left, i.rect.right), p.width) << i.text;
    EXPECT_LE(std::max(i.rect.top, i.rect.bottom), p.height) << i.text;
  }
}

using history_days::Keys;

TEST(HistoryChart, TheScaleHasFiveRoundClassesAndNoUseApart) {
  const SequentialScale s = MakeScale(HistoryMeasure::kKeystrokes, 12345, true, kEnglish);
  EXPECT_DOUBLE_EQ(s.axis.step, 2.5);  // thousands
  EXPECT_EQ(s.unit.suffix, "k");
  const struct {
    double figure;
    int cls;
  } cases[] = {{0, 0}, {1, 1}, {2500, 1}, {2501, 2}, {10000, 4}, {12345, 5}, {1e9, 5}};
  for (const auto& c : cases) EXPECT_EQ(s.ClassOf(c.figure), c.cls) << c.figure;
  // A scale over nothing still has five classes.
  const SequentialScale empty = MakeScale(HistoryMeasure::kLeft, 0, true, kEnglish);
  EXPECT_DOUBLE_EQ(empty.axis.top, 5);
  EXPECT_EQ(empty.ClassOf(1), 1);
}

TEST(HistoryChart, CalendarColumnsAreWeeksAndRowsWeekdays) {
  const struct {
    int32_t day;
    int year, firstWeekday, column, row;
  } cases[] = {
      {DayNumber(2026, 1, 1), 2026, 0, 0, 3},  // a Thursday
      {DayNumber(2026, 1, 5), 2026, 0, 1, 0},  // the next Monday
      {DayNumber(2026, 12, 31), 2026, 0, 52, 3},
      {DayNumber(2026, 1, 4), 2026, 6, 1, 0},     // a Sunday, weeks from Sunday
      {DayNumber(2012, 12, 31), 2012, 0, 53, 0},  // a leap year from a Sunday: 54 weeks
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CalendarColumn(c.day, c.year, c.firstWeekday), c.column) << c.day;
    EXPECT_EQ(CalendarRow(c.day, c.firstWeekday), c.row) << c.day;
  }
}

CalendarInput Calendar(const HistoryData& h, int32_t today, int language = kEnglish) {
  CalendarInput in;
  in.history = &h;
  in.year = YearOf(today);
  in.today = today;
  in.selected = today;
  in.language = language;
  return in;
}

TEST(HistoryChart, TheCalendarHasASquareForEveryDaySoFarColouredOnTheScale) {
  const int32_t today = DayNumber(2026, 12, 10);
  HistoryData h;
  h.Add(Keys(today, 10000));
  h.Add(Keys(DayNumber(2026, 3, 2), 1));
  h.Add(Keys(DayNumber(2025, 12, 31), 99999));  // another year: not on this one's scale
  const ChartFont font = Font(13);
  for (int width : {500, 900, 1400}) {
    const ChartPicture p = DrawCalendar(Calendar(h, today), width, font);
    SCOPED_TRACE(width);
    EXPECT_EQ(p.height, CalendarHeight(width, font, kEnglish));
    ExpectInside(p);
    // 1 January to today: 344 days, no later one.
    EXPECT_EQ(p.targets.size(), 344u);
    EXPECT_FALSE(TargetRect(p, today + 1));
    const auto square = [&](int32_t day) { return FillAt(p, *TargetRect(p, day)); };
    EXPECT_EQ(square(today)->color, kChartScale[4]);  // the year's largest
    EXPECT_EQ(square(DayNumber(2026, 3, 2))->color, kChartScale[0]);
    EXPECT_EQ(square(DayNumber(2026, 3, 3))->color, kChartNoUse);
    // Squares are square, and the next week is to the right.
    const ChartRect a = *TargetRect(p, today), b = *TargetRect(p, today - 7);
    EXPECT_EQ(a.right - a.left, a.bottom - a.top);
    EXPECT_EQ(a.top, b.top);
    EXPECT_GT(a.left, b.left);
    // The selected day framed; no focus until it has the focus.
    const auto frames = Items(p, ChartItemKind::kFrame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->color, kChartSelected);
    EXPECT_LE(frames[0]->rect.left, a.left);
    EXPECT_TRUE(Items(p, ChartItemKind::kFocus).empty());
    // The legend: no use, then the classes' edges in thousands.
    EXPECT_TRUE(HasText(p, "No use"));
    for (const char* edge : {"0", "2k", "4k", "6k", "8k", "10k"}) EXPECT_TRUE(HasText(p, edge));
    EXPECT_TRUE(HasText(p, "Jan"));
    EXPECT_TRUE(HasText(p, "Mon"));
  }
  // Days before the history began are not drawn: they were not kept, which is not "no use".
  CalendarInput later = Calendar(h, today);
  later.firstDay = DayNumber(2026, 3, 2);
  const ChartPicture begun = DrawCalendar(later, 900, font);
  EXPECT_EQ(begun.targets.size(), 344u - 60u);
  EXPECT_FALSE(TargetRect(begun, DayNumber(2026, 3, 1)));
  EXPECT_TRUE(TargetRect(begun, DayNumber(2026, 3, 2)));
  CalendarInput focused = Calendar(h, today, kGerman);
  focused.focused = true;
  const ChartPicture de = DrawCalendar(focused, 900, font);
  EXPECT_EQ(Items(de, ChartItemKind::kFocus).size(), 1u);
  EXPECT_TRUE(HasText(de, "Dez"));
  EXPECT_TRUE(HasText(de, "Keine Nutzung"));
}

TEST(HistoryChart, TheCalendarsLegendNamesTheUnitOfADistance) {
  const int32_t today = DayNumber(2026, 12, 10);
  HistoryData h;
  DayRecord r = Keys(today, 1);
  r.distance = 3 * 100000 / 2.54;  // 3 km
  h.Add(r);
  CalendarInput in = Calendar(h, today);
  in.measure = HistoryMeasure::kDistance;
  EXPECT_TRUE(HasText(DrawCalendar(in, 900, Font(13)), "km"));
  in.metric = false;
  EXPECT_TRUE(HasText(DrawCalendar(in, 900, Font(13)), "miles"));
}

BarsInput Bars(std::vector<double> values) {
  BarsInput in;
  in.values = std::move(values);
  for (size_t i = 0; i < in.values.size(); ++i) in.labels.push_back(std::to_string(i));
  in.title = "Keystrokes";
  return in;
}

TEST(HistoryChart, BarsStandOnAnAxisOfRoundTicksWithTheirUnit) {
  BarsInput in = Bars({0, 50, 100, 25});
  in.selected = 1;
  const ChartFont font = Font(13);
  const ChartPicture p = DrawBars(in, 400, 300, font);
  ExpectInside(p);
  ASSERT_EQ(p.targets.size(), 4u);
  // Each bar's fill inside its target; a bar's height is its share of the axis's top.
  const ChartItem* half = FillAt(p, p.targets[1].rect);
  const ChartItem* full = FillAt(p, p.targets[2].rect);
  ASSERT_TRUE(half && full);
  EXPECT_EQ(half->color, kChartSelected);
  EXPECT_EQ(full->color, kChartBar);
  EXPECT_EQ(half->rect.bottom, full->rect.bottom);
  const int fullHeight = full->rect.bottom - full->rect.top;
  EXPECT_NEAR(half->rect.bottom - half->rect.top, fullHeight / 2.0, 1);
  EXPECT_FALSE(FillAt(p, {p.targets[0].rect.left, 0, p.targets[0].rect.right,
                          p.targets[0].rect.bottom - 3}));  // nothing drawn for zero
  EXPECT_TRUE(HasText(p, "100"));
  EXPECT_TRUE(HasText(p, "0"));
  EXPECT_TRUE(HasText(p, "Keystrokes"));
  EXPECT_EQ(HitTest(p, (p.targets[3].rect.left + p.targets[3].rect.right) / 2,
                    p.targets[3].rect.bottom - 1),
            3);
  EXPECT_FALSE(HitTest(p, 0, 0));

  BarsInput km = Bars({2.5 * 100000 / 2.54});
  km.measure = HistoryMeasure::kDistance;
  km.title = "Distance";
  EXPECT_TRUE(HasText(DrawBars(km, 400, 300, font), "Distance (km)"));
  km.metric = false;
  km.language = kGerman;
  EXPECT_TRUE(HasText(DrawBars(km, 400, 300, font), "Distance (Meilen)"));
}

TEST(HistoryChart, LabelsUnderManyBarsAreThinnedSoThatNoneOverlap) {
  const ChartFont font = Font(13);
  for (size_t n : {24u, 30u, 365u, 3650u}) {
    BarsInput in = Bars(std::vector<double>(n, 1.0));
    for (std::string& l : in.labels) l = "30 Dec";
    const ChartPicture p = DrawBars(in, 700, 250, font);
    SCOPED_TRACE(n);
    ExpectInside(p);
    EXPECT_EQ(p.targets.size(), n);
    std::vector<ChartRect> labels;
    for (const ChartItem* t : Items(p, ChartItemKind::kText))
      if (t->text == "30 Dec") labels.push_back(t->rect);
    ASSERT_FALSE(labels.empty());
    for (size_t i = 1; i < labels.size(); ++i) EXPECT_LE(labels[i - 1].right, labels[i].left);
    // Every target is at least a pixel wide and they follow each other.
    for (size_t i = 1; i < n; ++i) EXPECT_LE(p.targets[i - 1].rect.left, p.targets[i].rect.left);
  }
}

TEST(HistoryChart, ANoteTakesThePlaceOfBarsThatAreNotKept) {
  BarsInput in = Bars(std::vector<double>(24, 0.0));
  in.note = "The history keeps the hours of keystrokes and clicks only.";
  in.focused = true;
  const ChartPicture p = DrawBars(in, 400, 200, Font(13));
  EXPECT_TRUE(HasText(p, in.note));
  EXPECT_TRUE(p.targets.empty());
  EXPECT_EQ(Items(p, ChartItemKind::kFocus).size(), 1u);
}

}  // namespace
}  // namespace quillo
