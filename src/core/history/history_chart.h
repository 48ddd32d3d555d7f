// The History window's charts as plain descriptions: filled and framed rectangles, lines and texts
// in the order they are painted, and the rectangles the pointer can point at. A year calendar (one
// square a day, the weeks as columns, coloured on one sequential scale, with its legend) and a bar
// chart with its axes; the window only paints them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/history_data.h"
#include "core/history/history_measure.h"

namespace quillo {

// Colours as 0xRRGGBB.
inline constexpr uint32_t kChartBackground = 0xFFFFFF;
inline constexpr uint32_t kChartText = 0x202020;
inline constexpr uint32_t kChartGrid = 0xE4E4E4;
inline constexpr uint32_t kChartAxis = 0x808080;
inline constexpr uint32_t kChartBar = 0x3182BD;
inline constexpr uint32_t kChartSelected = 0xE6550D;
inline constexpr uint32_t kChartNoUse = 0xEBEDF0;
// The calendar's sequential scale, lightest first: five blues that stay apart from the grey of a
// day without use and from each other, printed or on a dim screen.
inline constexpr std::array<uint32_t, 5> kChartScale = {0xC6DBEF, 0x9ECAE1, 0x6BAED6, 0x3182BD,
                                                        0x08519C};

// Right and bottom exclusive.
struct ChartRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const ChartRect&) const = default;
};

enum class ChartItemKind {
  kFill,   // `rect` filled with `color`
  kFrame,  // `rect`'s outline, `width` pixels inside it
  kLine,   // from (left, top) to (right, bottom), `width` pixels
  kText,   // `text` in `rect`, aligned, vertically centred, cut at its edges
  kFocus,  // the system's focus rectangle around `rect`
};
enum class TextAlign { kLeft, kCenter, kRight };

struct ChartItem {
  ChartItemKind kind = ChartItemKind::kFill;
  ChartRect rect;
  uint32_t color = 0;
  int width = 1;
  std::string text;
  TextAlign align = TextAlign::kLeft;
};

// Something the pointer can point at: a day (its number), a bar or an hour (its index).
struct ChartTarget {
  ChartRect rect;
  int32_t index = 0;
};

struct ChartPicture {
  int width = 0, height = 0;
  std::vector<ChartItem> items;
  std::vector<ChartTarget> targets;
};

// The target under a point, if any.
std::optional<int32_t> HitTest(const ChartPicture& picture, int x, int y);
// A target's rectangle, if the picture has it.
std::optional<ChartRect> TargetRect(const ChartPicture& picture, int32_t index);

// The font the charts are written in: its line height and a text's width, in pixels.
struct ChartFont {
  int height = 13;
  std::function<int(std::string_view)> width;
};

// A scale of five classes from 0 to a round top over the figures it colours: class 0 is no use
// (a figure of zero), 1 … 5 the colours of kChartScale.
struct SequentialScale {
  NiceAxis axis;  // five steps, in the unit's figures
  ValueUnit unit;
  int ClassOf(double figure) const;
};
SequentialScale MakeScale(HistoryMeasure measure, double largest, bool metric, int language);

// Where a scale's legend goes: "No use" and its square, then the classes' colours with the figures
// of their edges under them; `cell` is the size of the squares it stands for.
struct ScaleLegendPlace {
  int left = 0, top = 0, cell = 0, gap = 0, pad = 0;
};
void DrawScaleLegend(ChartPicture& picture, const ScaleLegendPlace& place,
                     const SequentialScale& scale, const ChartFont& font, const NumberStyle& style,
                     int language, int width);
int ScaleLegendHeight(const ScaleLegendPlace& place, const ChartFont& font);

struct CalendarInput {
  const HistoryData* history = nullptr;
  int year = 2000;
  int32_t firstDay = 0;  // the history's first day: earlier ones are not drawn (nor kept)
  int32_t today = 0;     // later days are not drawn
  int32_t selected = 0;  // the day framed
  bool focused = false;
  HistoryMeasure measure = HistoryMeasure::kKeystrokes;
  bool metric = true;
  NumberStyle style;
  int language = 0;
  int firstWeekday = 0;  // the top row
};
// The calendar is as high as its squares need for the width (and the language's weekday names).
int CalendarHeight(int width, const ChartFont& font, int language);
ChartPicture DrawCalendar(const CalendarInput& in, int width, const ChartFont& font);
// A day's column (its week, from the one holding 1 January) and row (its weekday).
int CalendarColumn(int32_t day, int year, int firstWeekday);
int CalendarRow(int32_t day, int firstWeekday);

struct BarsInput {
  std::vector<double> values;       // the measure's figures, one a bar
  std::vector<std::string> labels;  // under the bars; as many as fit are shown
  int selected = -1;
  bool focused = false;
  HistoryMeasure measure = HistoryMeasure::kKeystrokes;
  bool metric = true;
  NumberStyle style;
  int language = 0;
  std::string title;  // above the axis; the unit's word is added
  std::string note;   // shown instead of bars when not empty
};
ChartPicture DrawBars(const BarsInput& in, int width, int height, const ChartFont& font);

}  // namespace quillo
