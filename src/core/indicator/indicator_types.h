// Value types shared by the segment indicator's state, geometry and rasteriser.
#pragma once

#include <cstdint>
#include <vector>

namespace quillo::indicator {

enum IAIndicatorKind : std::uint8_t { ik7segment, ik5x7matrix, ik9segment };
enum IABevelKind : std::uint8_t { bkUP, bkDown, bkNone };
enum IAIndicatorStyle : std::uint8_t { isThin, isNormal, isThick };
enum IAMouseAction : std::uint8_t { maNone, maColor, maWidth, maBoth };
enum IATransparentMode : std::uint8_t { tmNone, tmBackOnly, tmAll };
enum IAColorScheme : std::uint8_t {
  csSilver,
  csInvSilver,
  csWhite,
  csBlack,
  csPlasma,
  csInvPlasma,
  csTIAN
};
enum IAMaterialShadowMode : std::uint8_t { msmDark, msmLight, msmNone };
enum IAMaterialMode : std::uint8_t { mmStretch, mmTile };

// 0x00BBGGRR, red in the low byte; negative values name system colours (0xFF0000nn, nn = index).
using Color = std::int32_t;

constexpr Color MakeColor(int r, int g, int b) {
  return Color(r | (g << 8) | (b << 16));
}
constexpr int RedOf(Color c) {
  return c & 0xFF;
}
constexpr int GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr int BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

using Points = std::vector<Point>;
using Integers = std::vector<std::int32_t>;

// Pixel rectangle, right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace quillo::indicator
