// Keeping a window on its monitor: where it goes when it has grown past the work area's edge.
#pragma once

#include "core/store/window_placement.h"

namespace quillo {

// The top left corner that puts `window` on `work` (a monitor's work area, right and bottom
// exclusive), moved as little as possible: a window that lies there already stays where it is.
// A window wider or taller than the work area keeps its left or top edge on the work area's, so
// that the panel's first figures and buttons stay in reach.
ScreenPoint KeepOnWorkArea(const ScreenRect& window, const ScreenRect& work);

}  // namespace quillo
