// Ranges, weeks, months and hours of the history.
#include "core/history/history_periods.h"

#include <algorithm>

#include "core/util/datetime.h"

namespace quillo {
namespace {

int FloorMod(int64_t a, int b) {
  return static_cast<int>(((a % b) + b) % b);
}

int MonthIndex(int32_t day) {
  const CivilDateTime c = CivilFromDayNumber(day);
  return c.year * 12 + c.month - 1;
}

int32_t FirstOfMonth(int monthIndex) {
  return DayNumber(monthIndex / 12, monthIndex % 12 + 1, 1);
}

}  // namespace

int WeekdayOf(int32_t day) {
  // Day 0, 1899-12-30, was a Saturday.
  return FloorMod(static_cast<int64_t>(day) + 5, 7);
}

int32_t WeekStartOf(int32_t day, int firstWeekday) {
  return day - FloorMod(WeekdayOf(day) - firstWeekday, 7);
}

int32_t NewYearsDay(int year) {
  return DayNumber(year, 1, 1);
}

int YearOf(int32_t day) {
  return CivilFromDayNumber(day).year;
}

DaySpan RangeSpan(HistoryRange range, int32_t today, int year, const HistoryData& history) {
  switch (range) {
    case HistoryRange::kLast30Days:
      return {today - 29, today};
    case HistoryRange::kLast12Months:
      return {FirstOfMonth(MonthIndex(today) - 11), today};
    case HistoryRange::kYear:
      return {NewYearsDay(year), std::min(NewYearsDay(year + 1) - 1, today)};
    case HistoryRange::kWhole:
      break;
  }
  const int32_t first = history.days.empty() ? today : history.days.begin()->first;
  return {std::min(first, today), today};
}

std::vector<Period> GroupDays(const HistoryData& history, DaySpan span, HistoryGrouping grouping,
                              HistoryMeasure measure, int firstWeekday) {
  std::vector<Period> periods;
  if (span.last < span.first) return periods;
  // The periods first, each cut to the span, then every recorded day added to its own.
  for (int32_t d = span.first; d <= span.last;) {
    int32_t end = d;
    if (grouping == HistoryGrouping::kWeek) end = WeekStartOf(d, firstWeekday) + 6;
    if (grouping == HistoryGrouping::kMonth) end = FirstOfMonth(MonthIndex(d) + 1) - 1;
    end = std::min(end, span.last);
    periods.push_back({{d, end}, 0});
    d = end + 1;
  }
  const int32_t firstWeek = WeekStartOf(span.first, firstWeekday);
  const int firstMonth = MonthIndex(span.first);
  for (auto it = history.days.lower_bound(span.first);
       it != history.days.end() && it->first <= span.last; ++it) {
    const int32_t day = it->first;
    size_t index = static_cast<size_t>(day - span.first);
    if (grouping == HistoryGrouping::kWeek)
      index = static_cast<size_t>((WeekStartOf(day, firstWeekday) - firstWeek) / 7);
    if (grouping == HistoryGrouping::kMonth)
      index = static_cast<size_t>(MonthIndex(day) - firstMonth);
    periods[index].value += MeasureOf(it->second, measure);
  }
  return periods;
}

int PeriodIndexOf(const std::vector<Period>& periods, int32_t day) {
  const auto it = std::lower_bound(periods.begin(), periods.end(), day,
                                   [](const Period& p, int32_t d) { return p.days.last < d; });
  if (it == periods.end() || !it->days.Contains(day)) return -1;
  return static_cast<int>(it - periods.begin());
}

std::array<double, kHoursPerDay> HourTotals(const HistoryData& history, DaySpan span,
                                            HourSeries series) {
  std::array<double, kHoursPerDay> totals{};
  if (series == HourSeries::kNone) return totals;
  for (auto it = history.days.lower_bound(span.first);
       it != history.days.end() && it->first <= span.last; ++it)
    for (int h = 0; h < kHoursPerDay; ++h) totals[h] += HourValue(it->second, series, h);
  return totals;
}

}  // namespace quillo
