// The click map: sums of the days' places, the monitors' arrangement, the smoothed heat layer and
// the picture with its legend, and what the pointer names on it.
#include "core/history/click_map.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "core/history/click_map_texts.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

constexpr ClickMapText kButtonName[kClickButtonsCount] = {
    ClickMapText::allButtons, ClickMapText::left, ClickMapText::right,
    ClickMapText::middle,     ClickMapText::back, ClickMapText::forward};

// Light to dark, each from one sequential family: left blue, right purple, middle green, back
// orange, forward magenta, and all buttons yellow to red, so that a page's colour says which
// buttons it shows.
constexpr std::array<std::array<uint32_t, 5>, kClickButtonsCount> kRamps = {{
    {0xFED976, 0xFEB24C, 0xFD8D3C, 0xF03B20, 0xBD0026},
    {0xC6DBEF, 0x9ECAE1, 0x6BAED6, 0x3182BD, 0x08519C},
    {0xDADAEB, 0xBCBDDC, 0x9E9AC8, 0x756BB1, 0x54278F},
    {0xC7E9C0, 0xA1D99B, 0x74C476, 0x31A354, 0x006D2C},
    {0xFDD0A2, 0xFDAE6B, 0xFD8D3C, 0xE6550D, 0xA63603},
    {0xD4B9DA, 0xC994C7, 0xDF65B0, 0xDD1C77, 0x980043},
}};

// The faintest press still shows clearly: alpha runs from here to nearly opaque, and the ramp is
// entered a quarter in, past its palest colours, which vanish on the monitor's grey.
constexpr double kFaintest = 0.7, kDeepest = 0.92, kLightest = 0.25;

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int Scaled(int pixels, int dpi) {
  return (pixels * dpi + 48) / 96;
}

uint32_t Blend(uint32_t under, uint32_t rgb, unsigned alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned u = (under >> shift) & 0xFF, c = (rgb >> shift) & 0xFF;
    out |= ((u * (255 - alpha) + c * alpha + 127) / 255) << shift;
  }
  return out;
}

void Fill(ClickMapPicture& p, ChartRect r, uint32_t rgb) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, p.width);
  r.bottom = std::min(r.bottom, p.height);
  for (int y = r.top; y < r.bottom; ++y)
    std::fill_n(p.pixels.begin() + static_cast<ptrdiff_t>(y) * p.width + r.left,
                std::max(0, r.right - r.left), rgb);
}

void Frame(ClickMapPicture& p, const ChartRect& r, int width, uint32_t rgb) {
  Fill(p, {r.left, r.top, r.right, r.top + width}, rgb);
  Fill(p, {r.left, r.bottom - width, r.right, r.bottom}, rgb);
  Fill(p, {r.left, r.top, r.left + width, r.bottom}, rgb);
  Fill(p, {r.right - width, r.top, r.right, r.bottom}, rgb);
}

void Text(ClickMapPicture& p, ChartRect r, std::string text, TextAlign align) {
  ChartItem i;
  i.kind = ChartItemKind::kText;
  i.rect = r;
  i.color = kChartText;
  i.text = std::move(text);
  i.align = align;
  p.texts.push_back(std::move(i));
}

// For each of `target` pixels, the source cells it draws on (from `first`, `count` of them) and
// their weights (from `weight` in one shared list).
struct Tap {
  int first = 0, count = 0;
  size_t weight = 0;
};
void MakeTaps(int source, int target, std::vector<Tap>& taps, std::vector<float>& weights) {
  const double s = static_cast<double>(source) / target;
  taps.resize(static_cast<size_t>(target));
  weights.clear();
  for (int i = 0; i < target; ++i) {
    Tap& t = taps[static_cast<size_t>(i)];
    t.weight = weights.size();
    if (s >= 1) {
      // Cells smaller than a pixel: the mean of the cells it covers, a part cell by its part.
      const double a = i * s, b = (i + 1) * s;
      t.first = std::min(source - 1, static_cast<int>(a));
      const int last = std::clamp(static_cast<int>(std::ceil(b)) - 1, t.first, source - 1);
      t.count = last - t.first + 1;
      for (int j = t.first; j <= last; ++j)
        weights.push_back(
            static_cast<float>(std::max(0.0, std::min(b, j + 1.0) - std::max(a, double(j))) / s));
    } else {
      // Cells larger than a pixel: between the two nearest cells' centres.
      const double c = (i + 0.5) * s - 0.5;
      if (c <= 0 || c >= source - 1) {
        t.first = c <= 0 ? 0 : source - 1;
        t.count = 1;
        weights.push_back(1);
      } else {
        t.first = static_cast<int>(c);
        t.count = 2;
        const float f = static_cast<float>(c - t.first);
        weights.push_back(1 - f);
        weights.push_back(f);
      }
    }
  }
}

std::string Count(uint64_t n, const NumberStyle& style) {
  return GroupedNumber(static_cast<double>(n), 0, style);
}

}  // namespace

DaySpan ClickRangeSpan(ClickRange range, int32_t day, int firstWeekday,
                       const HistoryData& history) {
  switch (range) {
    case ClickRange::kDay:
      return {day, day};
    case ClickRange::kWeek: {
      const int32_t first = WeekStartOf(day, firstWeekday);
      return {first, first + 6};
    }
    case ClickRange::kMonth: {
      const CivilDateTime c = CivilFromDayNumber(day);
      const int32_t first = DayNumber(c.year, c.month, 1);
      return {
          first,
          (c.month == 12 ? DayNumber(c.year + 1, 1, 1) : DayNumber(c.year, c.month + 1, 1)) - 1};
    }
    case ClickRange::kYear: {
      const int year = YearOf(day);
      return {NewYearsDay(year), NewYearsDay(year + 1) - 1};
    }
    case ClickRange::kAllTime:
      break;
  }
  if (history.days.empty()) return {day, day};
  return {std::min(day, history.days.begin()->first), std::max(day, history.days.rbegin()->first)};
}

DayRecord CollapsePlaces(const HistoryData& history, DaySpan span, int32_t except, int32_t asDay) {
  // Summed in hash maps first: adding day after day into sorted lists would move their tails
  // for every new cell.
  std::map<ScreenRect, std::unordered_map<CellKey, uint64_t>> sums;
  for (auto it = history.days.lower_bound(span.first);
       it != history.days.end() && it->first <= span.last; ++it) {
    if (it->first == except) continue;
    for (const MonitorPlaces& m : it->second.places.monitors) {
      auto& cells = sums[m.monitor];
      for (const auto& [cell, n] : m.cells) cells[cell] += n;
    }
  }
  DayRecord r;
  r.day = asDay;
  for (auto& [monitor, cells] : sums) {
    MonitorPlaces m{monitor, {cells.begin(), cells.end()}};
    std::sort(m.cells.begin(), m.cells.end());
    r.places.monitors.push_back(std::move(m));
  }
  return r;
}

ClickMap SumClicks(const HistoryData& history, DaySpan span, ClickButtons buttons) {
  ClickMap map;
  map.span = span;
  map.buttons = buttons;
  std::map<ScreenRect, MonitorGrid> grids;
  for (auto d = history.days.lower_bound(span.first);
       d != history.days.end() && d->first <= span.last; ++d) {
    for (const MonitorPlaces& m : d->second.places.monitors) {
      if (m.monitor.Width() > kLargestMonitorSide || m.monitor.Height() > kLargestMonitorSide) {
        for (const auto& cell : m.cells) map.dropped += cell.second;
        continue;
      }
      MonitorGrid& g = grids[m.monitor];
      if (g.cells.empty()) {
        g.monitor = m.monitor;
        g.columns = CellColumns(m.monitor);
        g.rows = CellRows(m.monitor);
        g.cells.assign(static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows), 0);
      }
      for (const auto& [key, n] : m.cells) {
        const int32_t column = ColumnOf(key), row = RowOf(key);
        if (column >= g.columns || row >= g.rows) {
          map.dropped += n;
          continue;
        }
        const PlaceButton b = ButtonOf(key);
        g.presses[static_cast<size_t>(b)] += n;
        if (!Shows(buttons, b)) continue;
        g.cells[static_cast<size_t>(row) * static_cast<size_t>(g.columns) +
                static_cast<size_t>(column)] += n;
        g.shown += n;
      }
    }
  }
  map.monitors.reserve(grids.size());
  for (auto& [rect, g] : grids) {
    map.shown += g.shown;
    for (size_t b = 0; b < map.presses.size(); ++b) map.presses[b] += g.presses[b];
    map.monitors.push_back(std::move(g));
  }
  return map;
}

std::vector<ChartRect> ArrangeMonitors(const std::vector<ScreenRect>& monitors, ChartRect area,
                                       int gap) {
  std::vector<ChartRect> out(monitors.size());
  if (monitors.empty()) return out;
  std::vector<std::vector<size_t>> groups;
  for (size_t i = 0; i < monitors.size(); ++i) {
    auto g = std::find_if(groups.begin(), groups.end(), [&](const std::vector<size_t>& members) {
      return std::none_of(members.begin(), members.end(),
                          [&](size_t j) { return Overlap(monitors[i], monitors[j]); });
    });
    if (g == groups.end()) g = groups.insert(groups.end(), std::vector<size_t>());
    g->push_back(i);
  }
  struct Box {
    double left, top, width, height;
  };
  std::vector<Box> boxes;
  double sumW = 0, sumH = 0, maxW = 0, maxH = 0;
  for (const auto& members : groups) {
    double left = monitors[members[0]].left, top = monitors[members[0]].top;
    double right = monitors[members[0]].right, bottom = monitors[members[0]].bottom;
    for (size_t j : members) {
      left = std::min<double>(left, monitors[j].left);
      top = std::min<double>(top, monitors[j].top);
      right = std::max<double>(right, monitors[j].right);
      bottom = std::max<double>(bottom, monitors[j].bottom);
    }
    boxes.push_back({left, top, right - left, bottom - top});
    sumW += right - left;
    sumH += bottom - top;
    maxW = std::max(maxW, right - left);
    maxH = std::max(maxH, bottom - top);
  }
  const double aw = area.right - area.left, ah = area.bottom - area.top;
  const double gaps = static_cast<double>(gap) * static_cast<double>(groups.size() - 1);
  const double rowScale = std::min((aw - gaps) / sumW, ah / maxH);
  const double columnScale = std::min(aw / maxW, (ah - gaps) / sumH);
  const bool inRow = rowScale >= columnScale;
  const double s = std::max(0.0, inRow ? rowScale : columnScale);
  const double totalW = inRow ? sumW * s + gaps : maxW * s;
  const double totalH = inRow ? maxH * s : sumH * s + gaps;
  double x = area.left + (aw - totalW) / 2, y = area.top + (ah - totalH) / 2;
  for (size_t g = 0; g < groups.size(); ++g) {
    const Box& b = boxes[g];
    const double ox = inRow ? x : x + (totalW - b.width * s) / 2;
    const double oy = inRow ? y + (totalH - b.height * s) / 2 : y;
    for (size_t j : groups[g]) {
      // Each edge rounded on its own, so that monitors side by side share their edge.
      ChartRect& r = out[j];
      r.left = static_cast<int>(std::lround(ox + (monitors[j].left - b.left) * s));
      r.right = static_cast<int>(std::lround(ox + (monitors[j].right - b.left) * s));
      r.top = static_cast<int>(std::lround(oy + (monitors[j].top - b.top) * s));
      r.bottom = static_cast<int>(std::lround(oy + (monitors[j].bottom - b.top) * s));
      r.right = std::max(r.right, r.left + 1);
      r.bottom = std::max(r.bottom, r.top + 1);
    }
    if (inRow)
      x += b.width * s + gap;
    else
      y += b.height * s + gap;
  }
  return out;
}

std::vector<float> SmoothCells(const MonitorGrid& g) {
  static constexpr float kKernel[5] = {1, 4, 6, 4, 1};
  const int w = g.columns, h = g.rows;
  std::vector<float> across(g.cells.size()), out(g.cells.size());
  auto at = [w](int c, int r) { return static_cast<size_t>(r) * static_cast<size_t>(w) + c; };
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) {
      float sum = 0, weight = 0;
      for (int d = -2; d <= 2; ++d)
        if (c + d >= 0 && c + d < w) {
          sum += kKernel[d + 2] * static_cast<float>(g.cells[at(c + d, r)]);
          weight += kKernel[d + 2];
        }
      across[at(c, r)] = sum / weight;
    }
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) {
      float sum = 0, weight = 0;
      for (int d = -2; d <= 2; ++d)
        if (r + d >= 0 && r + d < h) {
          sum += kKernel[d + 2] * across[at(c, r + d)];
          weight += kKernel[d + 2];
        }
      out[at(c, r)] = sum / weight;
    }
  return out;
}

uint32_t RampColor(ClickButtons buttons, double t) {
  const auto& ramp = kRamps[static_cast<size_t>(buttons)];
  const double at = std::clamp(t, 0.0, 1.0) * static_cast<double>(ramp.size() - 1);
  const size_t i = std::min(ramp.size() - 2, static_cast<size_t>(at));
  const double f = at - static_cast<double>(i);
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double a = (ramp[i] >> shift) & 0xFF, b = (ramp[i + 1] >> shift) & 0xFF;
    out |= static_cast<uint32_t>(std::lround(a + (b - a) * f)) << shift;
  }
  return out;
}

namespace {

// A place's share f (0 … 1) of the scale as straight 0xAARRGGBB; the legend shows the same.
uint32_t HeatColor(ClickButtons buttons, double f) {
  const auto alpha =
      static_cast<uint32_t>(std::lround(255 * (kFaintest + (kDeepest - kFaintest) * f)));
  return (alpha << 24) | RampColor(buttons, kLightest + (1 - kLightest) * f);
}

}  // namespace

HeatLayer RenderHeat(const std::vector<float>& smooth, int32_t columns, int32_t rows, int width,
                     int height, float peak, ClickButtons buttons) {
  HeatLayer layer;
  if (width <= 0 || height <= 0 || columns <= 0 || rows <= 0) return layer;
  layer.width = width;
  layer.height = height;
  layer.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  if (!(peak > 0)) return layer;
  std::vector<Tap> across, down;
  std::vector<float> acrossWeights, downWeights;
  MakeTaps(columns, width, across, acrossWeights);
  MakeTaps(rows, height, down, downWeights);
  // Across first, every row of cells, then down.
  std::vector<float> wide(static_cast<size_t>(rows) * static_cast<size_t>(width));
  for (int r = 0; r < rows; ++r) {
    const float* cells = smooth.data() + static_cast<size_t>(r) * static_cast<size_t>(columns);
    float* to = wide.data() + static_cast<size_t>(r) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      const Tap& t = across[static_cast<size_t>(x)];
      float v = 0;
      for (int k = 0; k < t.count; ++k) v += acrossWeights[t.weight + k] * cells[t.first + k];
      to[x] = v;
    }
  }
  const double logPeak = std::log1p(static_cast<double>(peak));
  std::vector<float> line(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    const Tap& t = down[static_cast<size_t>(y)];
    std::fill(line.begin(), line.end(), 0.0f);
    for (int k = 0; k < t.count; ++k) {
      const float wgt = downWeights[t.weight + k];
      const float* from = wide.data() + static_cast<size_t>(t.first + k) * width;
      for (int x = 0; x < width; ++x) line[static_cast<size_t>(x)] += wgt * from[x];
    }
    uint32_t* to = layer.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      const float v = line[static_cast<size_t>(x)];
      if (!(v > 0)) continue;
      const double f = std::min(1.0, std::log1p(static_cast<double>(v)) / logPeak);
      to[x] = HeatColor(buttons, f);
    }
  }
  return layer;
}

ClickMapPicture DrawClickMap(const ClickMap& map, int width, int height, const ClickMapLook& look) {
  ClickMapPicture p;
  p.width = std::max(0, width);
  p.height = std::max(0, height);
  p.pixels.assign(static_cast<size_t>(p.width) * static_cast<size_t>(p.height), kChartBackground);
  const int margin = Scaled(8, look.dpi), line = look.font.height;
  const int outline = std::max(1, Scaled(1, look.dpi));
  auto textWidth = [&](std::string_view t) { return look.font.width ? look.font.width(t) : 0; };

  Text(p, {margin, margin, p.width - margin, margin + line},
       ClickMapTotals(map, look.language, look.style), TextAlign::kLeft);

  // The legend along the bottom: "Fewer", the ramp, "More".
  const int legendTop = p.height - margin - line;
  const std::string fewer(ClickMapWindowText(ClickMapText::fewer, look.language));
  const std::string more(ClickMapWindowText(ClickMapText::more, look.language));
  const int fewerWidth = textWidth(fewer), space = Scaled(6, look.dpi);
  const int rampHeight = std::max(Scaled(6, look.dpi), line * 2 / 3);
  p.legend.left = margin + fewerWidth + space;
  p.legend.right = p.legend.left + Scaled(160, look.dpi);
  p.legend.top = legendTop + (line - rampHeight) / 2;
  p.legend.bottom = p.legend.top + rampHeight;
  Text(p, {margin, legendTop, p.legend.left - space + 1, legendTop + line}, fewer,
       TextAlign::kLeft);
  Text(p, {p.legend.right + space, legendTop, p.width - margin, legendTop + line}, more,
       TextAlign::kLeft);
  const int rampWidth = p.legend.right - p.legend.left;
  for (int x = p.legend.left; x < p.legend.right; ++x) {
    const double f = rampWidth > 1 ? double(x - p.legend.left) / (rampWidth - 1) : 1.0;
    const uint32_t heat = HeatColor(map.buttons, f);
    Fill(p, {x, p.legend.top, x + 1, p.legend.bottom},
         Blend(kClickMapFace, heat & 0xFFFFFF, heat >> 24));
  }
  Frame(p,
        {p.legend.left - outline, p.legend.top - outline, p.legend.right + outline,
         p.legend.bottom + outline},
        outline, kClickMapOutline);

  const ChartRect area{margin, margin * 2 + line, p.width - margin, legendTop - margin};
  if (map.monitors.empty()) {
    Text(p, area, std::string(ClickMapWindowText(ClickMapText::noClicks, look.language)),
         TextAlign::kCenter);
    return p;
  }
  std::vector<ScreenRect> rects;
  for (const MonitorGrid& g : map.monitors) rects.push_back(g.monitor);
  p.monitors = ArrangeMonitors(rects, area, margin * 2);

  // One peak for all monitors, so that their colours compare.
  std::vector<std::vector<float>> smooth;
  float peak = 0;
  for (const MonitorGrid& g : map.monitors) {
    smooth.push_back(g.shown ? SmoothCells(g) : std::vector<float>());
    for (float v : smooth.back()) peak = std::max(peak, v);
  }
  for (size_t i = 0; i < map.monitors.size(); ++i) {
    const MonitorGrid& g = map.monitors[i];
    const ChartRect r = p.monitors[i];
    Fill(p, r, kClickMapFace);
    if (g.shown) {
      const HeatLayer heat = RenderHeat(smooth[i], g.columns, g.rows, r.right - r.left,
                                        r.bottom - r.top, peak, map.buttons);
      for (int y = 0; y < heat.height; ++y) {
        if (r.top + y < 0 || r.top + y >= p.height) continue;
        for (int x = 0; x < heat.width; ++x) {
          if (r.left + x < 0 || r.left + x >= p.width) continue;
          const uint32_t h = heat.pixels[static_cast<size_t>(y) * heat.width + x];
          if (h >> 24 == 0) continue;
          uint32_t& to = p.pixels[static_cast<size_t>(r.top + y) * p.width + r.left + x];
          to = Blend(to, h & 0xFFFFFF, h >> 24);
        }
      }
    }
    Frame(p, r, outline, kClickMapOutline);
    // Numbered as the hints name them, when there is more than one and room for the number.
    if (map.monitors.size() > 1 && r.bottom - r.top >= line + 2 * space) {
      Text(p, {r.left + space, r.top + space / 2, r.right - space, r.top + space / 2 + line},
           std::to_string(i + 1), TextAlign::kLeft);
    }
  }
  return p;
}

std::optional<ClickSpot> SpotAt(const ClickMap& map, const ClickMapPicture& picture, int x, int y) {
  for (size_t i = 0; i < picture.monitors.size() && i < map.monitors.size(); ++i) {
    const ChartRect& r = picture.monitors[i];
    if (!r.Contains(x, y)) continue;
    const MonitorGrid& g = map.monitors[i];
    const double sx = double(g.monitor.Width()) / (r.right - r.left);
    const double sy = double(g.monitor.Height()) / (r.bottom - r.top);
    ClickSpot s;
    s.monitor = i;
    auto cell = [](double pixel, int32_t count) {
      return std::clamp(static_cast<int32_t>(std::floor(pixel / kCellPixels)), 0, count - 1);
    };
    const double cx = (x - r.left + 0.5) * sx, cy = (y - r.top + 0.5) * sy;
    s.column = cell(cx, g.columns);
    s.row = cell(cy, g.rows);
    s.x = g.monitor.left + static_cast<int32_t>(cx);
    s.y = g.monitor.top + static_cast<int32_t>(cy);
    s.firstColumn = std::min(s.column, cell((x - r.left) * sx, g.columns));
    s.lastColumn = std::max(s.column, cell(std::ceil((x + 1 - r.left) * sx) - 1, g.columns));
    s.firstRow = std::min(s.row, cell((y - r.top) * sy, g.rows));
    s.lastRow = std::max(s.row, cell(std::ceil((y + 1 - r.top) * sy) - 1, g.rows));
    if (g.shown)
      for (int32_t row = s.firstRow; row <= s.lastRow; ++row)
        for (int32_t column = s.firstColumn; column <= s.lastColumn; ++column)
          s.count += g.Cell(column, row);
    return s;
  }
  return std::nullopt;
}

std::string DescribeSpot(const ClickMap& map, const ClickSpot& spot, int language,
                         const NumberStyle& style) {
  const ScreenRect& m = map.monitors[spot.monitor].monitor;
  const std::string number = std::to_string(spot.monitor + 1);
  const std::string size = std::to_string(m.Width()) + " \u00D7 " + std::to_string(m.Height());
  const std::string x = std::to_string(spot.x), y = std::to_string(spot.y);
  const std::string count = Count(spot.count, style);
  return ClickMapTextWith(ClickMapText::monitorNumber, language, {number}) + " (" + size +
         ") \u00B7 " + ClickMapTextWith(ClickMapText::point, language, {x, y}) + " \u00B7 " +
         ClickMapTextWith(
             ClickMapText::labelValue, language,
             {ClickMapWindowText(kButtonName[static_cast<int>(map.buttons)], language), count});
}

std::string ClickMapTotals(const ClickMap& map, int language, const NumberStyle& style) {
  uint64_t all = 0;
  for (uint64_t n : map.presses) all += n;
  std::string text;
  if (map.buttons != ClickButtons::kAll) {
    text =
        ClickMapTextWith(ClickMapText::labelValue, language,
                         {ClickMapWindowText(kButtonName[static_cast<int>(map.buttons)], language),
                          Count(map.shown, style)}) +
        " \u00B7 ";
  }
  const std::string monitors = std::to_string(map.monitors.size());
  return text +
         ClickMapTextWith(
             ClickMapText::labelValue, language,
             {ClickMapWindowText(ClickMapText::allButtons, language), Count(all, style)}) +
         " \u00B7 " + ClickMapTextWith(ClickMapText::monitorsCount, language, {monitors});
}

std::vector<std::string> ClickButtonChoices(int language) {
  std::vector<std::string> out;
  for (ClickMapText t : kButtonName) out.emplace_back(ClickMapWindowText(t, language));
  return out;
}

std::vector<std::string> ClickRangeChoices(int language) {
  std::vector<std::string> out;
  for (ClickMapText t : {ClickMapText::day, ClickMapText::week, ClickMapText::month,
                         ClickMapText::year, ClickMapText::allTime})
    out.emplace_back(ClickMapWindowText(t, language));
  return out;
}

}  // namespace quillo
