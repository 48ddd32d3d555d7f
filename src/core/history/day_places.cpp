// The keys and click places of a day, and their two fields of the day's line.
#include "core/history/day_places.h"

#include <charconv>
#include <cstdio>

namespace quillo {
namespace {

constexpr char kButtonLetters[kPlaceButtonCount] = {'L', 'R', 'M', 'B', 'F'};

template <typename Key>
void AddSorted(std::vector<std::pair<Key, uint64_t>>& v, Key k, uint64_t n) {
  auto it = std::lower_bound(v.begin(), v.end(), k, [](const std::pair<Key, uint64_t>& e, Key key) {
    return e.first < key;
  });
  if (it != v.end() && it->first == k)
    it->second += n;
  else
    v.insert(it, {k, n});
}

template <typename Int>
std::optional<Int> Number(std::string_view t, int base = 10) {
  Int v = 0;
  if (t.empty() || t.size() > 20 || t[0] == '-' || t[0] == '+') return std::nullopt;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

// Splits on `separator`; empty parts (two separators in a row, one at an end) are kept, so that
// they can be refused.
std::vector<std::string_view> Split(std::string_view t, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t at = t.find(separator, start);
    parts.push_back(t.substr(start, at == std::string_view::npos ? t.npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

}  // namespace

uint64_t DayPlaces::KeyCount(KeyId k) const {
  auto it = std::lower_bound(
      keys.begin(), keys.end(), k,
      [](const std::pair<KeyId, uint64_t>& e, KeyId key) { return e.first < key; });
  return it != keys.end() && it->first == k ? it->second : 0;
}

void DayPlaces::AddKey(KeyId k, uint64_t n) {
  if (n != 0) AddSorted(keys, k, n);
}

void DayPlaces::AddClick(const ScreenRect& monitor, PlaceButton b, int32_t column, int32_t row,
                         uint64_t n) {
  if (n == 0) return;
  auto it =
      std::lower_bound(monitors.begin(), monitors.end(), monitor,
                       [](const MonitorPlaces& m, const ScreenRect& r) { return m.monitor < r; });
  if (it == monitors.end() || it->monitor != monitor) it = monitors.insert(it, {monitor, {}});
  AddSorted(it->cells, MakeCellKey(b, column, row), n);
}

void DayPlaces::Add(const DayPlaces& o) {
  for (const auto& [k, n] : o.keys) AddKey(k, n);
  for (const MonitorPlaces& m : o.monitors)
    for (const auto& [cell, n] : m.cells)
      AddClick(m.monitor, ButtonOf(cell), ColumnOf(cell), RowOf(cell), n);
}

std::string FormatKeysField(const DayPlaces& p) {
  std::string text;
  char pair[40];
  for (const auto& [k, n] : p.keys) {
    std::snprintf(pair, sizeof pair, "%s%03X=%llu", text.empty() ? "" : " ", k,
                  static_cast<unsigned long long>(n));
    text += pair;
  }
  return text;
}

std::string FormatClicksField(const DayPlaces& p) {
  std::string text;
  char part[64];
  for (const MonitorPlaces& m : p.monitors) {
    if (!text.empty()) text += '|';
    std::snprintf(part, sizeof part, "%d %d %d %d", m.monitor.left, m.monitor.top, m.monitor.right,
                  m.monitor.bottom);
    text += part;
    for (const auto& [cell, n] : m.cells) {
      std::snprintf(part, sizeof part, " %c%d.%d=%llu",
                    kButtonLetters[static_cast<int>(ButtonOf(cell))], ColumnOf(cell), RowOf(cell),
                    static_cast<unsigned long long>(n));
      text += part;
    }
  }
  return text;
}

bool ParseKeysField(std::string_view text, DayPlaces& into) {
  if (text.empty()) return true;
  DayPlaces p;
  for (std::string_view pair : Split(text, ' ')) {
    const size_t eq = pair.find('=');
    if (eq != 3) return false;
    const auto key = Number<uint32_t>(pair.substr(0, 3), 16);
    const auto n = Number<uint64_t>(pair.substr(4));
    if (!key || *key >= kKeyIdCount || !n) return false;
    p.AddKey(static_cast<KeyId>(*key), *n);
  }
  into.Add(p);
  return true;
}

bool ParseClicksField(std::string_view text, DayPlaces& into) {
  if (text.empty()) return true;
  DayPlaces p;
  for (std::string_view monitor : Split(text, '|')) {
    const std::vector<std::string_view> words = Split(monitor, ' ');
    if (words.size() < 4) return false;
    int32_t edge[4];
    for (int i = 0; i < 4; ++i) {
      const std::string_view w = words[i];
      const bool negative = !w.empty() && w[0] == '-';
      const auto v = Number<int32_t>(negative ? w.substr(1) : w);
      if (!v) return false;
      edge[i] = negative ? -*v : *v;
    }
    // Measured in 64 bits: a tampered rectangle may span more than the 32-bit range, and one
    // wider or taller than the cells a key can name would put its presses on other cells.
    constexpr int64_t kMostPixels = int64_t{kCellPixels} << 14;
    const int64_t width = int64_t{edge[2]} - edge[0], height = int64_t{edge[3]} - edge[1];
    if (width <= 0 || height <= 0 || width > kMostPixels || height > kMostPixels) return false;
    const ScreenRect r{edge[0], edge[1], edge[2], edge[3]};
    for (size_t i = 4; i < words.size(); ++i) {
      const std::string_view w = words[i];
      const size_t dot = w.find('.'), eq = w.find('=');
      if (w.size() < 2 || dot == std::string_view::npos || eq == std::string_view::npos || eq < dot)
        return false;
      const char* letter = std::find(std::begin(kButtonLetters), std::end(kButtonLetters), w[0]);
      if (letter == std::end(kButtonLetters)) return false;
      const auto column = Number<int32_t>(w.substr(1, dot - 1));
      const auto row = Number<int32_t>(w.substr(dot + 1, eq - dot - 1));
      const auto n = Number<uint64_t>(w.substr(eq + 1));
      if (!column || !row || !n || *column >= CellColumns(r) || *row >= CellRows(r)) return false;
      p.AddClick(r, static_cast<PlaceButton>(letter - kButtonLetters), *column, *row, *n);
    }
  }
  into.Add(p);
  return true;
}

std::optional<CellOfPoint> CellAt(const std::vector<ScreenRect>& monitors, int32_t x, int32_t y) {
  for (size_t i = 0; i < monitors.size(); ++i)
    if (monitors[i].Contains(x, y))
      return CellOfPoint{i, (x - monitors[i].left) / kCellPixels,
                         (y - monitors[i].top) / kCellPixels};
  return std::nullopt;
}

}  // namespace quillo
