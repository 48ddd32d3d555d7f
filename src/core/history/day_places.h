// Where the hands went on one day: how often each key was released and how often each button was
// pressed in each small cell of each monitor. Only counts: never which keys in which order.
//
// In the day's line these are two more fields after the hours (old lines without them are read as
// days without keys and places):
//
//   keys:   "<key>=<count>" pairs separated by blanks, the key as three hexadecimal digits: the
//           virtual-key code, plus 100 when the key is an extended one (the keypad's Enter is 10D,
//           the main Enter 00D): "041=120 00D=31 10D=4"
//   clicks: the monitors separated by "|", each as its screen rectangle "left top right bottom"
//           followed by "<button><column>.<row>=<count>" cells, the button as L (left), R (right),
//           M (middle), B (back, the first extra button) or F (forward, the second), the cell as
//           column and row of 8 x 8 pixels from the monitor's top-left corner:
//           "0 0 1920 1080 L12.40=3 R100.20=2|1920 0 3200 1024 L5.5=1"
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/util/screen_rect.h"

namespace quillo {

// A key: its virtual-key code (0-255), plus 0x100 for an extended key.
using KeyId = uint16_t;
inline constexpr int kKeyIdCount = 512;
constexpr KeyId MakeKeyId(uint32_t virtualKey, bool extended) {
  return static_cast<KeyId>((virtualKey & 0xFF) | (extended ? 0x100 : 0));
}
constexpr uint32_t VirtualKeyOf(KeyId k) {
  return k & 0xFF;
}
constexpr bool IsExtendedKey(KeyId k) {
  return (k & 0x100) != 0;
}

// The five buttons of the click places, in the order of their letters L R M B F.
enum class PlaceButton : uint8_t { kLeft, kRight, kMiddle, kBack, kForward };
inline constexpr int kPlaceButtonCount = 5;
inline constexpr int kCellPixels = 8;

// Cells of kCellPixels across and down a monitor (a part cell at the edge is a cell).
inline int32_t CellColumns(const ScreenRect& r) {
  return (r.Width() + kCellPixels - 1) / kCellPixels;
}
inline int32_t CellRows(const ScreenRect& r) {
  return (r.Height() + kCellPixels - 1) / kCellPixels;
}

// A cell and button as one sortable number: button, row, column.
using CellKey = uint32_t;
constexpr CellKey MakeCellKey(PlaceButton b, int32_t column, int32_t row) {
  return (static_cast<uint32_t>(b) << 28) | (static_cast<uint32_t>(row & 0x3FFF) << 14) |
         static_cast<uint32_t>(column & 0x3FFF);
}
constexpr PlaceButton ButtonOf(CellKey k) {
  return static_cast<PlaceButton>(k >> 28);
}
constexpr int32_t RowOf(CellKey k) {
  return static_cast<int32_t>((k >> 14) & 0x3FFF);
}
constexpr int32_t ColumnOf(CellKey k) {
  return static_cast<int32_t>(k & 0x3FFF);
}

// One monitor's cells with a count, sorted by key.
struct MonitorPlaces {
  ScreenRect monitor;
  std::vector<std::pair<CellKey, uint64_t>> cells;
  bool operator==(const MonitorPlaces&) const = default;
};

struct DayPlaces {
  // Keys with a count, sorted by key.
  std::vector<std::pair<KeyId, uint64_t>> keys;
  // The monitors clicked on, sorted by rectangle.
  std::vector<MonitorPlaces> monitors;

  bool Empty() const { return keys.empty() && monitors.empty(); }
  uint64_t KeyCount(KeyId k) const;
  void AddKey(KeyId k, uint64_t n);
  // A press at cell (column, row) of `monitor`.
  void AddClick(const ScreenRect& monitor, PlaceButton b, int32_t column, int32_t row,
                uint64_t n = 1);
  void Add(const DayPlaces& other);
  bool operator==(const DayPlaces&) const = default;
};

// The two fields' texts, and back (nothing for a text that is not one).
std::string FormatKeysField(const DayPlaces& p);
std::string FormatClicksField(const DayPlaces& p);
bool ParseKeysField(std::string_view text, DayPlaces& into);
bool ParseClicksField(std::string_view text, DayPlaces& into);

// The cell of a screen point on the monitor that holds it; nothing when no monitor does.
struct CellOfPoint {
  size_t monitor;  // index into `monitors`
  int32_t column, row;
};
std::optional<CellOfPoint> CellAt(const std::vector<ScreenRect>& monitors, int32_t x, int32_t y);

}  // namespace quillo
