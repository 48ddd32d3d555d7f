// The look every indicator of the main panel gets, written through the control's own writers.
#pragma once

#include "core/indicator/liquid_indicator.h"

namespace quillo {

// Black background, lime digits over dark red unlit segments, thin seven-segment glyphs, no
// frames, a colour change on hover that changes nothing, opaque. The written order is kept
// (each write that changes a value rebuilds the picture); the size is the host's, as the
// control's window takes it.
void ApplyIndicatorStyle(indicator::IAeverLiquidIndicator& c);

}  // namespace quillo
