// The History window's weeks, months, ranges and hours.
#include "core/history/history_periods.h"

#include <gtest/gtest.h>

#include "core/util/datetime.h"
#include "history_days.h"

namespace quillo {
namespace {

using history_days::D;
using history_days::Keys;

HistoryData Fixture(std::initializer_list<DayRecord> days) {
  HistoryData h;
  for (const DayRecord& r : days) h.Add(r);
  return h;
}

TEST(HistoryPeriods, WeekdaysAndTheStartOfTheirWeek) {
  const struct {
    int32_t day;
    int weekday;
    int firstWeekday;
    int32_t weekStart;
  } cases[] = {
      {D(2026, 12, 10), 3, 0, D(2026, 12, 7)},  // a Thursday, weeks from Monday
      {D(2026, 12, 10), 3, 6, D(2026, 12, 6)},  // weeks from Sunday
      {D(2026, 12, 7), 0, 0, D(2026, 12, 7)},   // a Monday starts its own week
      {D(2026, 12, 6), 6, 0, D(2026, 11, 30)},  // a Sunday ends a Monday week
      {D(2012, 1, 1), 6, 6, D(2012, 1, 1)},
      {D(1899, 12, 30), 5, 0, D(1899, 12, 25)},  // day 0, a Saturday
      {D(1899, 12, 1), 4, 0, D(1899, 11, 27)},   // before day 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WeekdayOf(c.day), c.weekday) << c.day;
    EXPECT_EQ(WeekStartOf(c.day, c.firstWeekday), c.weekStart) << c.day;
  }
}

TEST(HistoryPeriods, RangesAsOfToday) {
  const int32_t today = D(2026, 12, 10);
  const HistoryData some = Fixture({Keys(D(2024, 3, 5), 1), Keys(today, 2)});
  const HistoryData none;
  const struct {
    HistoryRange range;
    int year;
    const HistoryData* h;
    DaySpan span;
  } cases[] = {
      {HistoryRange::kLast30Days, 2026, &some, {D(2026, 11, 11), today}},
      {HistoryRange::kLast12Months, 2026, &some, {D(2026, 1, 1), today}},
      {HistoryRange::kYear, 2026, &some, {D(2026, 1, 1), today}},
      {HistoryRange::kYear, 2024, &some, {D(2024, 1, 1), D(2024, 12, 31)}},
      {HistoryRange::kWhole, 2026, &some, {D(2024, 3, 5), today}},
      {HistoryRange::kWhole, 2026, &none, {today, today}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RangeSpan(c.range, today, c.year, *c.h), c.span) << static_cast<int>(c.range);
  EXPECT_EQ(RangeSpan(HistoryRange::kLast12Months, D(2026, 3, 31), 2026, none),
            (DaySpan{D(2025, 4, 1), D(2026, 3, 31)}));
}

TEST(HistoryPeriods, DaysWeeksAndMonthsAddUpOnlyTheDaysInTheRange) {
  // Sunday 29 Nov, Monday 30 Nov, Tuesday 1 Dec, Thursday 10 Dec 2026; one outside the range.
  const HistoryData h =
      Fixture({Keys(D(2026, 11, 20), 1000), Keys(D(2026, 11, 29), 1), Keys(D(2026, 11, 30), 10),
               Keys(D(2026, 12, 1), 100), Keys(D(2026, 12, 10), 5000)});
  const DaySpan span{D(2026, 11, 25), D(2026, 12, 10)};
  const struct {
    HistoryGrouping g;
    int firstWeekday;
    std::vector<Period> periods;
  } cases[] = {
      {HistoryGrouping::kWeek,
       0,
       {{{D(2026, 11, 25), D(2026, 11, 29)}, 1},
        {{D(2026, 11, 30), D(2026, 12, 6)}, 110},
        {{D(2026, 12, 7), D(2026, 12, 10)}, 5000}}},
      {HistoryGrouping::kWeek,
       6,
       {{{D(2026, 11, 25), D(2026, 11, 28)}, 0},
        {{D(2026, 11, 29), D(2026, 12, 5)}, 111},
        {{D(2026, 12, 6), D(2026, 12, 10)}, 5000}}},
      {HistoryGrouping::kMonth,
       0,
       {{{D(2026, 11, 25), D(2026, 11, 30)}, 11}, {{D(2026, 12, 1), D(2026, 12, 10)}, 5100}}},
  };
  for (const auto& c : cases) {
    const auto got = GroupDays(h, span, c.g, HistoryMeasure::kKeystrokes, c.firstWeekday);
    ASSERT_EQ(got.size(), c.periods.size()) << static_cast<int>(c.g);
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].days, c.periods[i].days) << i;
      EXPECT_EQ(got[i].value, c.periods[i].value) << i;
    }
  }
  const auto days = GroupDays(h, span, HistoryGrouping::kDay, HistoryMeasure::kLeft, 0);
  ASSERT_EQ(days.size(), 16u);
  EXPECT_EQ(days[4].days, (DaySpan{D(2026, 11, 29), D(2026, 11, 29)}));
  EXPECT_EQ(days[4].value, 1);
  EXPECT_EQ(days[0].value, 0);
  EXPECT_EQ(PeriodIndexOf(days, D(2026, 12, 10)), 15);
  EXPECT_EQ(PeriodIndexOf(days, D(2026, 11, 24)), -1);
  const auto months = GroupDays(h, span, HistoryGrouping::kMonth, HistoryMeasure::kLeft, 0);
  EXPECT_EQ(PeriodIndexOf(months, D(2026, 11, 30)), 0);
  EXPECT_EQ(PeriodIndexOf(months, D(2026, 12, 3)), 1);
  EXPECT_EQ(PeriodIndexOf(months, D(2026, 12, 11)), -1);
}

TEST(HistoryPeriods, HoursAddUpOverTheRange) {
  const HistoryData h = Fixture({Keys(D(2026, 12, 1), 100, 9), Keys(D(2026, 12, 2), 20, 9),
                                 Keys(D(2026, 12, 3), 3, 23), Keys(D(2026, 12, 9), 7000, 9)});
  const auto keys = HourTotals(h, {D(2026, 12, 1), D(2026, 12, 3)}, HourSeries::kKeystrokes);
  EXPECT_EQ(keys[9], 120);
  EXPECT_EQ(keys[23], 3);
  EXPECT_EQ(keys[0], 0);
  const auto clicks = HourTotals(h, {D(2026, 12, 1), D(2026, 12, 3)}, HourSeries::kClicks);
  EXPECT_EQ(clicks[9], 2);
  const auto none = HourTotals(h, {D(2026, 12, 1), D(2026, 12, 3)}, HourSeries::kNone);
  EXPECT_EQ(none[9], 0);
}

}  // namespace
}  // namespace quillo
