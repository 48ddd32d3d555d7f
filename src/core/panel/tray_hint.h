// The notification-area icon's hint: distance travelled, keystrokes and left clicks.
#pragma once

#include <cstdint>
#include <string>

#include "core/panel/main_window_texts.h"

namespace quillo {

// "12 km 345 m 67 cm" or "1 miles 234 yards 5 inch" (the language's words): the big unit is left
// out below one whole unit. `totalDistance` is in inches.
std::string DistanceText(double totalDistance, bool distmode, const MainWindowTexts& texts);

// "Quillomat: 12 km 345 m 67 cm traveled \ 123456 Keystrokes \ 23456 Clicks". The kilometre (or
// mile) piece is left out below one whole unit; imperial figures use the language's words.
// `totalDistance` is in inches; the two counts are totals (stored plus live).
std::string TrayHint(double totalDistance, bool distmode, uint32_t keystrokes, uint32_t leftClicks,
                     const MainWindowTexts& texts);

}  // namespace quillo
