// The system's icon-title font as a GDI font, through the core's UseSystemFont mapping.
#pragma once

#include <windows.h>

namespace quillo {

// The icon-title font at `dpi` (0: as the system reports it for its own DPI); nullptr when the
// system cannot tell, and the caller keeps its design font.
HFONT CreateIconTitleFont(UINT dpi = 0);

}  // namespace quillo
