// The History window's days grouped: the ranges it offers, weeks (starting on the user's first
// day of the week) and months, the sum of a measure over each, and the hours of a range.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/history/history_data.h"
#include "core/history/history_measure.h"

namespace quillo {

enum class HistoryGrouping : int { kDay, kWeek, kMonth };
enum class HistoryRange : int { kLast30Days, kLast12Months, kYear, kWhole };
inline constexpr int kHistoryGroupingCount = 3;
inline constexpr int kHistoryRangeCount = 4;

// Days from `first` to `last`, both included.
struct DaySpan {
  int32_t first = 0, last = -1;
  bool Contains(int32_t day) const { return day >= first && day <= last; }
  bool operator==(const DaySpan&) const = default;
};

// 0 = Monday … 6 = Sunday.
int WeekdayOf(int32_t day);
// The first day of the week that holds `day`, weeks beginning on `firstWeekday`.
int32_t WeekStartOf(int32_t day, int firstWeekday);
// The day number of a year's first day, and the year of a day.
int32_t NewYearsDay(int year);
int YearOf(int32_t day);

// The days of a range as of `today`: the last 30 days; the last 12 months (from the first day of
// the eleventh month before this one); `year` (up to today when it is this year); the whole
// history (from the first recorded day, or today when nothing is recorded).
DaySpan RangeSpan(HistoryRange range, int32_t today, int year, const HistoryData& history);

// One bar: the days of a day, a week or a month that lie in the range, and the measure's sum.
struct Period {
  DaySpan days;
  double value = 0;
};
// The range's days grouped; a week or month cut by the range's ends holds only the days inside.
std::vector<Period> GroupDays(const HistoryData& history, DaySpan span, HistoryGrouping grouping,
                              HistoryMeasure measure, int firstWeekday);
// The period that holds `day`, or -1.
int PeriodIndexOf(const std::vector<Period>& periods, int32_t day);
// The hours' figures added up over the range.
std::array<double, kHoursPerDay> HourTotals(const HistoryData& history, DaySpan span,
                                            HourSeries series);

}  // namespace quillo
