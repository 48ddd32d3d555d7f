// The font description a window takes from the system's icon-title font.
#pragma once

#include <cstdint>
#include <string>

namespace quillo {

// The parts of the system's LOGFONT that matter here.
struct IconTitleFont {
  int32_t height = 0, orientation = 0, weight = 400;
  uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 1, pitchAndFamily = 0;
  std::string faceName;
};

enum class FontPitch { kDefault, kFixed, kVariable };

struct FontDescription {
  int32_t height = 0, orientation = 0;
  uint8_t charSet = 1;
  std::string name;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  FontPitch pitch = FontPitch::kDefault;
};

// Height, orientation, character set and face are taken over; the style is rebuilt from the
// weight (bold from 700) and the flag bytes (exactly 1); the pitch from the low four bits.
FontDescription UseSystemFont(const IconTitleFont& f);

// The same font for a window on a monitor of `windowDpi` when the system gave it for
// `systemDpi`: the height scales, rounded to nearest (halves away from zero).
FontDescription ForDpi(FontDescription d, int systemDpi, int windowDpi);

}  // namespace quillo
