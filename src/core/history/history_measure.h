// What the History window can show of a day, and how a figure is written: the measures, the unit a
// range of values is shown in (the panel's units: metric or imperial), axes with round steps, and
// numbers grouped as the user's locale groups them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/history/day_record.h"
#include "core/panel/history_texts.h"

namespace quillo {

enum class HistoryMeasure : int {
  kKeystrokes,
  kClicks,  // all five buttons
  kLeft,
  kRight,
  kMiddle,
  kX1,
  kX2,
  kWheel,
  kDistance,
  kActiveTime,  // the record's running time
};
inline constexpr int kHistoryMeasureCount = 10;

// A day's figure of a measure: a count, inches or seconds.
double MeasureOf(const DayRecord& r, HistoryMeasure m);
// The measure's name in the table.
HistoryText MeasureName(HistoryMeasure m);
// Whether the figure is a count (whole numbers), rather than a distance or a time.
bool IsCount(HistoryMeasure m);

// The hours the record keeps: keystrokes and the clicks of all buttons.
enum class HourSeries { kNone, kKeystrokes, kClicks };
// The hours a measure is shown with: its own, the clicks of all buttons for one button (whose
// hours are not kept), none for the wheel, the distance and the time.
HourSeries HoursOf(HistoryMeasure m);
double HourValue(const DayRecord& r, HourSeries s, int hour);

// How the user's locale writes numbers: the decimal separator and the digit grouping mark.
struct NumberStyle {
  char decimal = '.';
  std::string thousands = ",";
};

// A non-negative number rounded to `decimals` decimals (ties to even), its whole part grouped by
// threes ("12,345.60").
std::string GroupedNumber(double value, int decimals, const NumberStyle& style);

// The unit a set of values is shown in: a figure is divided by `perUnit`; an axis is titled with
// `word` ("km", "miles", "h"; a count has none) and its labels carry `suffix` ("k", "M": a count
// in thousands or millions).
struct ValueUnit {
  double perUnit = 1;
  std::string word, suffix;
};
// The largest unit in which `largest` (a figure of the measure) is at least one, the smallest
// for less, the middle one (m, yards, min) for nothing; for counts, thousands from 10,000 and
// millions from 10,000,000.
ValueUnit UnitFor(HistoryMeasure m, double largest, bool metric, int language);

// One figure as a hint shows it, in full: "12,345", "3.27 km", "420 yards", "5 h 07 min".
std::string FormatMeasure(HistoryMeasure m, double figure, bool metric, const NumberStyle& style,
                          int language);

// An axis from 0 with round steps (1, 2, 2.5 or 5 times a power of ten) that reaches `largest`
// in at most `maxSteps` steps (at least one); whole steps when `whole`.
struct NiceAxis {
  double top = 1, step = 1;
  int decimals = 0;  // of the step
  int Steps() const;
};
NiceAxis MakeNiceAxis(double largest, int maxSteps, bool whole);
// The label of a tick at `value` (in the unit's figures), with the axis's decimals.
std::string TickLabel(double value, const NiceAxis& axis, const ValueUnit& unit,
                      const NumberStyle& style);

}  // namespace quillo
