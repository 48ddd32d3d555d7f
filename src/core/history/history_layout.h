// Where the History window's parts go in its client area: a row of choices (the measure, the
// calendar's year, "Save as CSV..."), the calendar as high as its squares need, a row with the
// grouping and the range, then the bar chart and the hours' chart sharing the rest.
#pragma once

#include <functional>
#include <string>
#include <vector>

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

// The window's pages: a row of their buttons along the top (each as wide as its name needs), and
// the page under it, which each page lays out in its own way.
struct PagesLayout {
  std::vector<ChartRect> buttons;
  ChartRect page;
};
PagesLayout LayOutPages(int width, int height, int dpi, int controlHeight,
                        const std::vector<int>& nameWidths);

// The keyboard page: "Range:" and its choices, "Save picture..." at the right, the picture under.
struct KeyboardPageLayout {
  ChartRect rangeLabel, range, save, keyboard;
};
KeyboardPageLayout LayOutKeyboardPage(int width, int height, int dpi, int controlHeight,
                                      int labelWidth, int widestRange, int saveTextWidth);

// The click map's page: the keyboard page's row with the choice of buttons after the range.
struct ClicksPageLayout {
  ChartRect rangeLabel, range, buttons, save, map;
};
ClicksPageLayout LayOutClicksPage(int width, int height, int dpi, int controlHeight, int labelWidth,
                                  int widestRange, int widestButtons, int saveTextWidth);

}  // namespace quillo
