// Points and rectangles in screen pixels (the virtual screen: a monitor left of or above the
// primary one has negative coordinates).
#pragma once

#include <cstdint>

namespace quillo {

struct ScreenPoint {
  int32_t x = 0, y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// Right and bottom exclusive.
struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  bool Contains(ScreenPoint p) const { return Contains(p.x, p.y); }
  auto operator<=>(const ScreenRect&) const = default;
};

}  // namespace quillo
