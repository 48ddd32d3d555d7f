// The system's icon-title font (UseSystemFont) as a font for a window on a monitor of a given DPI:
// the panel's hints and the update dialog use it.
#pragma once

#include <windows.h>

namespace quillo {

// Null when the system's font cannot be read; the caller owns the font.
HFONT IconTitleFontFor(int dpi);

}  // namespace quillo
