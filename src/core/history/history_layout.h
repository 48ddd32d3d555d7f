// Where the History window's parts go in its client area: a row of choices (the measure, the
// calendar's year, "Save as CSV..."), the calendar as high as its squares need, a row with the
// grouping and the range, then the bar chart and the hours' chart sharing the rest.
#pragma once

#include <functional>
#include <string>

#include "core/history/history_chart.h"

namespace quillo {

struct HistoryLayoutInput {
  int width = 0, height = 0;  // the client area
  int dpi = 96;
  int controlHeight = 21;  // a closed combo box's height in the window's font (buttons match it)
  std::function<int(std::string_view)> textWidth;  // in the window's font
  std::string measureLabel, totalsLabel, rangeLabel, saveText;
  // The widest choice of each combo box (its arrow and borders are added here).
  int measureWidth = 0, groupingWidth = 0, rangeWidth = 0;
  std::function<int(int width)> calendarHeight;
};

struct HistoryLayout {
  ChartRect measureLabel, measure, previousYear, year, nextYear, save;
  ChartRect calendar;
  ChartRect totalsLabel, grouping, rangeLabel, range;
  ChartRect bars, hours;
};

HistoryLayout LayOutHistoryWindow(const HistoryLayoutInput& in);
// The smallest client area in which every part has its room.
struct ClientSize {
  int width = 0, height = 0;
};
ClientSize HistoryMinimumSize(const HistoryLayoutInput& in);

}  // namespace quillo
