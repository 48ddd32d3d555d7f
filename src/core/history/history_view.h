// What the History window shows, as a plain object: the history loaded when the window opens, the
// measure, grouping and range chosen, the year of the calendar and what is selected in each chart;
// the charts' pictures, the hint of anything pointed at, and the keyboard's moves among days,
// periods and hours. The window only paints the pictures and passes clicks and keys here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/history/history_chart.h"
#include "core/history/history_data.h"
#include "core/history/history_measure.h"
#include "core/history/history_periods.h"

namespace quillo {

// The keyboard is its own page's view (KeyboardView), not this one's.
enum class HistoryPane { kCalendar, kBars, kHours, kKeyboard };
enum class ChartKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown };

// What the window takes from the settings and the user's locale.
struct HistoryViewOptions {
  bool metric = true;  // the panel's units
  int language = 0;    // the panel's language
  NumberStyle style;
  int firstWeekday = 0;  // 0 = Monday … 6 = Sunday
};

class HistoryView {
 public:
  // `today` is the day in progress (its record, empty or not, is in `history` or absent); `hour`
  // the hour of the day it is now, which the hours' chart selects first.
  HistoryView(HistoryData history, int32_t today, int hour, HistoryViewOptions options);

  // The day in progress as it stands now. A new day becomes today (the calendar moves on to it
  // when it showed the day before). True when anything shown changed.
  bool UpdateToday(const DayRecord& today);
  // The units, language or locale changed.
  void SetOptions(const HistoryViewOptions& options);
  const HistoryViewOptions& options() const { return options_; }

  HistoryMeasure measure() const { return measure_; }
  HistoryGrouping grouping() const { return grouping_; }
  HistoryRange range() const { return range_; }
  int year() const { return year_; }
  int32_t today() const { return today_; }
  const HistoryData& history() const { return history_; }
  DaySpan span() const { return span_; }
  const std::vector<Period>& periods() const { return periods_; }
  const std::array<double, kHoursPerDay>& hours() const { return hours_; }

  void SetMeasure(HistoryMeasure m);
  void SetGrouping(HistoryGrouping g);
  void SetRange(HistoryRange r);
  // The calendar a year back or on (the day selected moves along, kept within the history);
  // false at either end: the first year with history, and this year.
  bool CanStepYear(int delta) const;
  bool StepYear(int delta);

  // What is selected: a day number, a bar's index, an hour.
  int32_t Selected(HistoryPane pane) const;
  // A click: selects what was pointed at (a day also selects the bar that holds it). False when
  // the index names nothing of the pane.
  bool Select(HistoryPane pane, int32_t index);
  // A key in a chart that has the focus: true when the selection (or the year) moved.
  bool Move(HistoryPane pane, ChartKey key);

  // What the charts draw, for the space they are given.
  int CalendarHeight(int width, const ChartFont& font) const;
  ChartPicture Picture(HistoryPane pane, int width, int height, const ChartFont& font,
                       bool focused) const;
  // The hint of something pointed at: "Tue 2026-12-08 — Keystrokes: 5,123".
  std::string Describe(HistoryPane pane, int32_t index) const;

  // The texts of the window's choices, in the order of the enums; the range of a year names it.
  std::vector<std::string> MeasureChoices() const;
  std::vector<std::string> GroupingChoices() const;
  std::vector<std::string> RangeChoices() const;

 private:
  void Recompute();
  void SelectDay(int32_t day);
  int32_t FirstDay() const;
  std::string DayText(int32_t day) const;
  std::string PeriodText(const Period& p) const;
  std::string Valued(const std::string& what, HistoryMeasure m, double figure) const;
  std::vector<std::string> BarLabels() const;

  HistoryData history_;
  int32_t today_;
  HistoryViewOptions options_;
  HistoryMeasure measure_ = HistoryMeasure::kKeystrokes;
  HistoryGrouping grouping_ = HistoryGrouping::kDay;
  HistoryRange range_ = HistoryRange::kLast30Days;
  int year_;
  int32_t day_;  // selected in the calendar
  int bar_ = 0;
  int hour_ = 0;
  DaySpan span_;
  std::vector<Period> periods_;
  std::array<double, kHoursPerDay> hours_{};
};

}  // namespace quillo
