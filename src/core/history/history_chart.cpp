// The calendar's and the bar charts' geometry, scales and labels.
#include "core/history/history_chart.h"

#include <algorithm>
#include <cmath>

#include "core/history/history_periods.h"
#include "core/panel/history_texts.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

// Squares a year's calendar is laid out for: a year touches 53 weeks, or 54 when a leap year
// begins on the last day of a week. Always laying out 54 keeps the squares' size from year to year.
constexpr int kCalendarColumns = 54;
constexpr int kScaleClasses = 5;

class Painter {
 public:
  explicit Painter(ChartPicture& p) : p_(p) {}
  void Fill(ChartRect r, uint32_t color) { Add(ChartItemKind::kFill, r, color); }
  void Frame(ChartRect r, uint32_t color, int width) {
    Add(ChartItemKind::kFrame, r, color).width = width;
  }
  void Line(int x0, int y0, int x1, int y1, uint32_t color) {
    Add(ChartItemKind::kLine, {x0, y0, x1, y1}, color);
  }
  void Text(ChartRect r, std::string text, TextAlign align, uint32_t color = kChartText) {
    ChartItem& i = Add(ChartItemKind::kText, r, color);
    i.text = std::move(text);
    i.align = align;
  }
  void Focus(ChartRect r) { Add(ChartItemKind::kFocus, r, 0); }
  void Target(ChartRect r, int32_t index) { p_.targets.push_back({r, index}); }

 private:
  ChartItem& Add(ChartItemKind kind, ChartRect r, uint32_t color) {
    ChartItem& i = p_.items.emplace_back();
    i.kind = kind;
    i.rect = r;
    i.color = color;
    return i;
  }
  ChartPicture& p_;
};

int Pad(const ChartFont& font) {
  return std::max(2, font.height / 2);
}

int TextWidth(const ChartFont& font, std::string_view text) {
  return font.width ? font.width(text) : static_cast<int>(text.size()) * font.height / 2;
}

struct CalendarGeometry {
  int pad, cell, gap, labelWidth, left, gridTop, legendTop, height;
};

CalendarGeometry CalendarLayout(int width, const ChartFont& font, int labelWidth) {
  CalendarGeometry g;
  g.pad = Pad(font);
  g.labelWidth = labelWidth + g.pad;
  const int room = width - 2 * g.pad - g.labelWidth;
  g.cell = std::clamp(room / kCalendarColumns, 6, font.height * 2);
  g.gap = std::max(1, g.cell / 7);
  const int used = g.labelWidth + kCalendarColumns * g.cell;
  g.left = std::max(g.pad, (width - used) / 2) + g.labelWidth;
  g.gridTop = g.pad + font.height + g.pad / 2;
  g.legendTop = g.gridTop + 7 * g.cell + g.pad;
  const int legendHeight = std::max(g.cell, font.height) + font.height;
  g.height = g.legendTop + legendHeight + g.pad;
  return g;
}

// The widest weekday name of the language: the calendar's labels are laid out for all seven.
int WeekdayLabelWidth(const ChartFont& font, int language) {
  int widest = 0;
  for (int d = 0; d < 7; ++d)
    widest = std::max(widest, TextWidth(font, HistoryWeekdayName(d, language)));
  return widest;
}

void DrawLegend(Painter& paint, const ScaleLegendPlace& g, const SequentialScale& scale,
                const ChartFont& font, const NumberStyle& style, int language, int width) {
  const int box = std::max(g.cell - g.gap, font.height * 2 / 3);
  const int boxTop = g.top + (std::max(g.cell, font.height) - box) / 2;
  int x = g.left;
  paint.Fill({x, boxTop, x + box, boxTop + box}, kChartNoUse);
  x += box + g.pad / 2;
  const std::string noUse(HistoryWindowText(HistoryText::noUse, language));
  const int noUseWidth = TextWidth(font, noUse);
  paint.Text({x, g.top, x + noUseWidth, g.top + std::max(g.cell, font.height)}, noUse,
             TextAlign::kLeft);
  x += noUseWidth + 2 * g.pad;
  // A colour bar: its classes side by side, the edges' figures under their boundaries.
  std::vector<std::string> edges;
  int widest = 0;
  for (int i = 0; i <= kScaleClasses; ++i) {
    edges.push_back(TickLabel(scale.axis.step * i, scale.axis, scale.unit, style));
    widest = std::max(widest, TextWidth(font, edges.back()));
  }
  const int classWidth = std::max(box * 2, widest + g.pad);
  x += classWidth / 2;  // room for the first edge's figure
  const int labelTop = g.top + std::max(g.cell, font.height);
  for (int i = 0; i < kScaleClasses; ++i)
    paint.Fill({x + i * classWidth, boxTop, x + (i + 1) * classWidth, boxTop + box},
               kChartScale[static_cast<size_t>(i)]);
  for (int i = 0; i <= kScaleClasses; ++i) {
    const int at = x + i * classWidth;
    paint.Text({at - classWidth / 2, labelTop, at + classWidth / 2, labelTop + font.height},
               edges[static_cast<size_t>(i)], TextAlign::kCenter);
  }
  if (!scale.unit.word.empty()) {
    const int after = x + kScaleClasses * classWidth + classWidth / 2;
    paint.Text({after, g.top, std::max(after, width), labelTop}, scale.unit.word, TextAlign::kLeft);
  }
}

}  // namespace

void DrawScaleLegend(ChartPicture& picture, const ScaleLegendPlace& place,
                     const SequentialScale& scale, const ChartFont& font, const NumberStyle& style,
                     int language, int width) {
  Painter paint(picture);
  DrawLegend(paint, place, scale, font, style, language, width);
}

int ScaleLegendHeight(const ScaleLegendPlace& place, const ChartFont& font) {
  return std::max(place.cell, font.height) + font.height;
}

std::optional<int32_t> HitTest(const ChartPicture& picture, int x, int y) {
  for (const ChartTarget& t : picture.targets)
    if (t.rect.Contains(x, y)) return t.index;
  return std::nullopt;
}

std::optional<ChartRect> TargetRect(const ChartPicture& picture, int32_t index) {
  for (const ChartTarget& t : picture.targets)
    if (t.index == index) return t.rect;
  return std::nullopt;
}

int SequentialScale::ClassOf(double figure) const {
  if (!(figure > 0)) return 0;
  const double shown = figure / unit.perUnit;
  const int c = static_cast<int>(std::ceil(shown / axis.step - 1e-9));
  return std::clamp(c, 1, kScaleClasses);
}

SequentialScale MakeScale(HistoryMeasure measure, double largest, bool metric, int language) {
  SequentialScale s;
  s.unit = UnitFor(measure, largest, metric, language);
  const bool whole = IsCount(measure) && s.unit.perUnit == 1;
  // Five classes exactly: the step is the round one that covers the largest figure in five.
  s.axis = MakeNiceAxis(largest / s.unit.perUnit, kScaleClasses, whole);
  s.axis.top = s.axis.step * kScaleClasses;
  return s;
}

int CalendarColumn(int32_t day, int year, int firstWeekday) {
  return (WeekStartOf(day, firstWeekday) - WeekStartOf(NewYearsDay(year), firstWeekday)) / 7;
}

int CalendarRow(int32_t day, int firstWeekday) {
  return (WeekdayOf(day) - firstWeekday + 7) % 7;
}

int CalendarHeight(int width, const ChartFont& font, int language) {
  return CalendarLayout(width, font, WeekdayLabelWidth(font, language)).height;
}

ChartPicture DrawCalendar(const CalendarInput& in, int width, const ChartFont& font) {
  ChartPicture p;
  Painter paint(p);
  const CalendarGeometry g = CalendarLayout(width, font, WeekdayLabelWidth(font, in.language));
  p.width = width;
  p.height = g.height;
  paint.Fill({0, 0, width, g.height}, kChartBackground);

  const int32_t first = NewYearsDay(in.year), last = NewYearsDay(in.year + 1) - 1;
  double largest = 0;
  for (auto it = in.history->days.lower_bound(first);
       it != in.history->days.end() && it->first <= last; ++it)
    largest = std::max(largest, MeasureOf(it->second, in.measure));
  const SequentialScale scale = MakeScale(in.measure, largest, in.metric, in.language);

  // Weekday names: every row when the squares are as tall as a line, else every other one.
  const bool everyRow = g.cell >= font.height;
  for (int row = 0; row < 7; row += everyRow ? 1 : 2) {
    const int y = g.gridTop + row * g.cell + (g.cell - g.gap) / 2;
    paint.Text({g.left - g.labelWidth, y - font.height / 2, g.left - g.pad,
                y - font.height / 2 + font.height},
               std::string(HistoryWeekdayName((row + in.firstWeekday) % 7, in.language)),
               TextAlign::kRight);
  }
  // Month names above the first column that begins in the month, where they do not run into the
  // one before.
  int freeFrom = g.left;
  for (int month = 1; month <= 12; ++month) {
    const int32_t firstOfMonth = DayNumber(in.year, month, 1);
    int column = CalendarColumn(firstOfMonth, in.year, in.firstWeekday);
    if (CalendarRow(firstOfMonth, in.firstWeekday) != 0) ++column;
    const std::string name(HistoryMonthName(month, true, in.language));
    const int x = g.left + column * g.cell, w = TextWidth(font, name);
    if (x < freeFrom) continue;
    paint.Text({x, g.pad / 2, x + w + 1, g.pad / 2 + font.height}, name, TextAlign::kLeft);
    freeFrom = x + w + g.pad;
  }

  std::optional<ChartRect> selected;
  for (int32_t day = std::max(first, in.firstDay); day <= std::min(last, in.today); ++day) {
    const int x = g.left + CalendarColumn(day, in.year, in.firstWeekday) * g.cell;
    const int y = g.gridTop + CalendarRow(day, in.firstWeekday) * g.cell;
    const ChartRect square{x, y, x + g.cell - g.gap, y + g.cell - g.gap};
    const auto it = in.history->days.find(day);
    const int c =
        it == in.history->days.end() ? 0 : scale.ClassOf(MeasureOf(it->second, in.measure));
    paint.Fill(square, c == 0 ? kChartNoUse : kChartScale[static_cast<size_t>(c - 1)]);
    paint.Target({x, y, x + g.cell, y + g.cell}, day);
    if (day == in.selected) selected = square;
  }
  if (selected) {
    const int w = std::max(1, g.gap + 1);
    paint.Frame({selected->left - w, selected->top - w, selected->right + w, selected->bottom + w},
                kChartSelected, w);
  }
  if (in.focused)
    paint.Focus({g.left - g.gap - 2, g.gridTop - g.gap - 2, g.left + kCalendarColumns * g.cell + 2,
                 g.gridTop + 7 * g.cell + 2});
  DrawLegend(paint, {g.left, g.legendTop, g.cell, g.gap, g.pad}, scale, font, in.style, in.language,
             width);
  return p;
}

ChartPicture DrawBars(const BarsInput& in, int width, int height, const ChartFont& font) {
  ChartPicture p;
  Painter paint(p);
  p.width = width;
  p.height = height;
  paint.Fill({0, 0, width, height}, kChartBackground);
  const int pad = Pad(font);
  const double largest =
      in.values.empty() ? 0 : *std::max_element(in.values.begin(), in.values.end());
  const ValueUnit unit = UnitFor(in.measure, largest, in.metric, in.language);
  const std::string title = unit.word.empty() ? in.title : in.title + " (" + unit.word + ")";
  paint.Text({pad, pad, width - pad, pad + font.height}, title, TextAlign::kLeft);
  if (!in.note.empty() || in.values.empty()) {
    paint.Text({pad, pad + font.height, width - pad, height - pad}, in.note, TextAlign::kCenter,
               kChartAxis);
    if (in.focused) paint.Focus({1, 1, width - 1, height - 1});
    return p;
  }

  const int top = pad + font.height + pad;
  const int bottom = std::max(top + 1, height - pad - font.height - pad / 2);
  const int maxSteps = std::max(1, (bottom - top) / (font.height * 2));
  const bool whole = IsCount(in.measure) && unit.perUnit == 1;
  const NiceAxis axis = MakeNiceAxis(largest / unit.perUnit, maxSteps, whole);
  std::vector<std::string> ticks;
  int labelWidth = 0;
  for (int i = 0; i <= axis.Steps(); ++i) {
    ticks.push_back(TickLabel(axis.step * i, axis, unit, in.style));
    labelWidth = std::max(labelWidth, TextWidth(font, ticks.back()));
  }
  const int left = pad + labelWidth + pad, right = std::max(left + 1, width - pad);
  auto yOf = [&](double shown) {
    return bottom - static_cast<int>(std::lround(shown / axis.top * (bottom - top)));
  };
  for (int i = 0; i <= axis.Steps(); ++i) {
    const int y = yOf(axis.step * i);
    if (i > 0) paint.Line(left, y, right, y, kChartGrid);
    paint.Text({pad, y - font.height / 2, left - pad, y - font.height / 2 + font.height},
               ticks[static_cast<size_t>(i)], TextAlign::kRight);
  }

  const size_t n = in.values.size();
  const double slot = double(right - left) / double(n);
  const double inset = slot >= 4 ? slot * 0.15 : 0;
  int widest = 0;
  for (const std::string& l : in.labels) widest = std::max(widest, TextWidth(font, l));
  // Labels every k-th bar, k the first of these that leaves room between them.
  size_t every = 1;
  for (size_t k : {1, 2, 3, 4, 6, 7, 12, 14, 24, 28, 30, 48, 52, 60, 91, 120, 182, 365, 730}) {
    every = k;
    if (slot * double(k) >= widest + pad) break;
  }
  for (size_t i = 0; i < n; ++i) {
    const int x0 = left + static_cast<int>(std::lround(slot * double(i)));
    const int x1 = left + static_cast<int>(std::lround(slot * double(i + 1)));
    const int b0 = x0 + static_cast<int>(std::lround(inset));
    const int b1 = std::max(b0 + 1, x1 - static_cast<int>(std::lround(inset)));
    const int y = std::min(yOf(in.values[i] / unit.perUnit), bottom);
    const bool isSelected = static_cast<int>(i) == in.selected;
    // A figure above zero always shows, however small against the largest.
    const int barTop = in.values[i] > 0 ? std::min(y, bottom - 1) : bottom;
    if (barTop < bottom)
      paint.Fill({b0, barTop, b1, bottom}, isSelected ? kChartSelected : kChartBar);
    if (isSelected) paint.Fill({b0, bottom, b1, std::min(height, bottom + 3)}, kChartSelected);
    paint.Target({x0, top, std::max(x0 + 1, x1), bottom + 3}, static_cast<int32_t>(i));
    if (i % every == 0 && i < in.labels.size()) {
      const int mid = (x0 + x1) / 2, w = widest + pad;
      paint.Text({std::max(0, mid - w / 2), bottom + pad / 2, std::min(width, mid + w / 2),
                  bottom + pad / 2 + font.height},
                 in.labels[i], TextAlign::kCenter);
    }
  }
  paint.Line(left, bottom, right, bottom, kChartAxis);
  paint.Line(left, top, left, bottom, kChartAxis);
  if (in.focused) paint.Focus({1, 1, width - 1, height - 1});
  return p;
}

}  // namespace quillo
