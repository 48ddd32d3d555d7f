// Formatting of the notification-area hint.
#include "core/panel/tray_hint.h"

#include "core/counting/sampler.h"

namespace quillo {

std::string TrayHint(double totalDistance, bool distmode, uint32_t keystrokes, uint32_t leftClicks,
                     const MainWindowTexts& texts) {
  const DistanceSplit d = SplitDistance(totalDistance, distmode);
  std::string hint = "Quillomat: ";
  if (distmode) {
    if (d.big > 0) hint += std::to_string(d.big) + " km ";
    hint += std::to_string(d.middle) + " m " + std::to_string(d.small) + " cm traveled";
  } else {
    if (d.big > 0) hint += std::to_string(d.big) + " " + texts.milestring + " ";
    hint += std::to_string(d.middle) + " " + texts.yardstring + " " + std::to_string(d.small) +
            " " + texts.inchstring + " traveled";
  }
  hint += " \\ " + std::to_string(keystrokes) + " Keystrokes";
  hint += " \\ " + std::to_string(leftClicks) + " Clicks";
  return hint;
}

}  // namespace quillo
