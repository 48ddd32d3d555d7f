// Colours of the segment indicator: schemes, system colours and the frame shades.
#pragma once

#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

constexpr bool IsSystemColor(Color c) {
  return c < 0;
}
// The index a system colour names (the COLOR_* numbers of the platform).
constexpr int SystemColorIndex(Color c) {
  return c & 0xFF;
}
constexpr Color SystemColor(int index) {
  return Color(0xFF000000u | unsigned(index & 0xFF));
}

// Stock values of the system colours, for hosts that have no platform to ask.
Color DefaultSystemColor(int index);

struct SchemeColors {
  Color backColor;
  Color bevelColor;
  Color numberBackColor;
  Color numberForeColor;
  Color numberForeColor1;
};
const SchemeColors& SchemeColorsOf(IAColorScheme scheme);

// Both take colours already resolved to RGB.
Color LighterColor(Color rgb);
Color DarkerColor(Color rgb);

}  // namespace quillo::indicator
