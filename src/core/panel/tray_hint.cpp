// Formatting of the notification-area hint.
#include "core/panel/tray_hint.h"

#include "core/counting/sampler.h"

namespace quillo {

std::string DistanceText(double totalDistance, bool distmode, const MainWindowTexts& texts) {
  const DistanceSplit d = SplitDistance(totalDistance, distmode);
  std::string text;
  if (distmode) {
    if (d.big > 0) text += std::to_string(d.big) + " km ";
    text += std::to_string(d.middle) + " m " + std::to_string(d.small) + " cm";
  } else {
    if (d.big > 0) text += std::to_string(d.big) + " " + texts.milestring + " ";
    text += std::to_string(d.middle) + " " + texts.yardstring + " " + std::to_string(d.small) +
            " " + texts.inchstring;
  }
  return text;
}

std::string TrayHint(double totalDistance, bool distmode, uint32_t keystrokes, uint32_t leftClicks,
                     const MainWindowTexts& texts) {
  std::string hint = "Quillomat: " + DistanceText(totalDistance, distmode, texts) + " traveled";
  hint += " \\ " + std::to_string(keystrokes) + " Keystrokes";
  hint += " \\ " + std::to_string(leftClicks) + " Clicks";
  return hint;
}

}  // namespace quillo
