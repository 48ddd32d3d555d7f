// Mapping of the icon-title font onto a window's font description.
#include "core/app/system_font.h"

namespace quillo {

FontDescription UseSystemFont(const IconTitleFont& f) {
  FontDescription d;
  d.height = f.height;
  d.orientation = f.orientation;
  d.charSet = f.charSet;
  d.name = f.faceName;
  d.bold = f.weight >= 700;
  d.italic = f.italic == 1;
  d.underline = f.underline == 1;
  d.strikeOut = f.strikeOut == 1;
  switch (f.pitchAndFamily & 0x0F) {
    case 1:
      d.pitch = FontPitch::kFixed;
      break;
    case 2:
      d.pitch = FontPitch::kVariable;
      break;
    default:
      d.pitch = FontPitch::kDefault;
  }
  return d;
}

FontDescription ForDpi(FontDescription d, int systemDpi, int windowDpi) {
  if (systemDpi <= 0 || windowDpi <= 0 || systemDpi == windowDpi) return d;
  const int64_t scaled = static_cast<int64_t>(d.height) * windowDpi;
  const int64_t half = (scaled >= 0 ? systemDpi : -systemDpi) / 2;
  d.height = static_cast<int32_t>((scaled + half) / systemDpi);
  return d;
}

}  // namespace quillo
