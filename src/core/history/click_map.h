// The mouse-click map of the History window: where the buttons were pressed over a range of days,
// summed per monitor into cells of 8 x 8 pixels, the monitors drawn as they are arranged, and the
// presses as a smoothed heat layer in one colour ramp per button (or one for all). Everything
// but the texts is rendered here into pixels, so the window, a saved picture and the tests show
// the same thing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/history/day_places.h"
#include "core/history/history_chart.h"
#include "core/history/history_data.h"
#include "core/history/history_measure.h"
#include "core/history/history_periods.h"

namespace quillo {

// Whose presses the map shows: every button's together, or one button's.
enum class ClickButtons : int { kAll, kLeft, kRight, kMiddle, kBack, kForward };
inline constexpr int kClickButtonsCount = 6;
constexpr bool Shows(ClickButtons which, PlaceButton b) {
  return which == ClickButtons::kAll || static_cast<int>(which) == static_cast<int>(b) + 1;
}

// The ranges around a chosen day: its day, its week (from the user's first weekday), its month, its
// year, or the whole history.
enum class ClickRange : int { kDay, kWeek, kMonth, kYear, kAllTime };
inline constexpr int kClickRangeCount = 5;
DaySpan ClickRangeSpan(ClickRange range, int32_t day, int firstWeekday, const HistoryData& history);

// One monitor's presses over the range: a count per cell, row by row (dense, so that drawing and
// pointing cost nothing to look up).
struct MonitorGrid {
  ScreenRect monitor;
  int32_t columns = 0, rows = 0;
  std::vector<uint64_t> cells;                        // of the buttons shown
  uint64_t shown = 0;                                 // their presses on this monitor
  std::array<uint64_t, kPlaceButtonCount> presses{};  // each button's, shown or not
  uint64_t Cell(int32_t column, int32_t row) const {
    return cells[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                 static_cast<size_t>(column)];
  }
};

// A monitor taller or wider than this many pixels is taken for a damaged line, not a screen (its
// grid would hold more memory than the whole history).
inline constexpr int32_t kLargestMonitorSide = 16384;

struct ClickMap {
  DaySpan span;
  ClickButtons buttons = ClickButtons::kAll;
  // Every distinct monitor rectangle clicked on in the range with any button, sorted: a monitor
  // added, removed or set to another resolution between days is one more rectangle.
  std::vector<MonitorGrid> monitors;
  uint64_t shown = 0;
  std::array<uint64_t, kPlaceButtonCount> presses{};
  // Presses of cells beyond their monitor's edge or on a monitor too large to be one: not drawn.
  uint64_t dropped = 0;
};

ClickMap SumClicks(const HistoryData& history, DaySpan span, ClickButtons buttons);

// The places of every day of `span` but `except` added into one record dated `asDay`: what the
// click map keeps of the days that no longer change while the day in progress is refreshed, in
// one record instead of a record a day (far less to hold and to add up again).
DayRecord CollapsePlaces(const HistoryData& history, DaySpan span, int32_t except, int32_t asDay);

// Where each monitor is drawn in `area`: one scale for all, so that they keep their sizes,
// arrangement and aspect. Monitors that overlap on the desktop (the same place at another
// resolution, or an arrangement that changed between days) cannot share one drawing: each goes to
// the first group it overlaps nothing in, and the groups stand side by side, `gap` apart, in a row
// or a column, whichever draws them larger. The result is in the order of `monitors`.
std::vector<ChartRect> ArrangeMonitors(const std::vector<ScreenRect>& monitors, ChartRect area,
                                       int gap);

// The counts smoothed with a binomial 1-4-6-4-1 kernel across and then down, weighted by the part
// of the kernel that lies on the monitor, so that a press in a corner keeps its weight.
std::vector<float> SmoothCells(const MonitorGrid& grid);

// The colour ramp of a choice of buttons at t in 0 … 1 (light to dark), as 0xRRGGBB.
uint32_t RampColor(ClickButtons buttons, double t);

// The smoothed cells resampled to a w x h picture (the area each pixel covers averaged when the
// cells are smaller than pixels, interpolated when larger) and coloured: a value v is at
// log(1 + v) / log(1 + peak) of the ramp; from faint to nearly opaque; no press nearby is fully
// transparent. 0xAARRGGBB, alpha straight, rows top-down.
struct HeatLayer {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};
HeatLayer RenderHeat(const std::vector<float>& smooth, int32_t columns, int32_t rows, int width,
                     int height, float peak, ClickButtons buttons);

// What the view supplies: its font, its DPI, the panel's language and number style.
struct ClickMapLook {
  ChartFont font;
  int dpi = 96;
  int language = 0;
  NumberStyle style;
};

inline constexpr uint32_t kClickMapFace = 0xF0F0F0;     // a monitor without presses
inline constexpr uint32_t kClickMapOutline = 0x707070;  // a monitor's edge

// The map drawn at a size: its pixels (0x00RRGGBB, rows top-down, a 32-bit top-down DIB's
// layout) and the texts the view writes over them in its font; where each monitor lies, for the
// pointer.
struct ClickMapPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  std::vector<ChartItem> texts;
  std::vector<ChartRect> monitors;  // one per map's monitor
  ChartRect legend;                 // the ramp
};
ClickMapPicture DrawClickMap(const ClickMap& map, int width, int height, const ClickMapLook& look);

// What a point of the picture names: the monitor, the cells its pixel covers (the one under its
// centre at least) and their presses, and the desktop point under its centre.
struct ClickSpot {
  size_t monitor = 0;
  int32_t column = 0, row = 0;  // the cell under the centre
  int32_t firstColumn = 0, lastColumn = 0, firstRow = 0, lastRow = 0;
  int32_t x = 0, y = 0;
  uint64_t count = 0;
};
std::optional<ClickSpot> SpotAt(const ClickMap& map, const ClickMapPicture& picture, int x, int y);

// The hint of a spot: "Monitor 2 (1920 × 1080) · x 1224, y 640 · Left: 12".
std::string DescribeSpot(const ClickMap& map, const ClickSpot& spot, int language,
                         const NumberStyle& style);
// The totals over the picture: "All buttons: 12,345 · Monitors: 2", or for one button
// "Left: 10,002 · All buttons: 12,345 · Monitors: 2".
std::string ClickMapTotals(const ClickMap& map, int language, const NumberStyle& style);
// The choices' texts in the order of their enums.
std::vector<std::string> ClickButtonChoices(int language);
std::vector<std::string> ClickRangeChoices(int language);

}  // namespace quillo
