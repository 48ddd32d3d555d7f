// The notification-area hint in metric and imperial units.
#include <gtest/gtest.h>

#include "core/panel/main_window_texts.h"
#include "core/panel/tray_hint.h"

namespace quillo {
namespace {

constexpr double kInchesPerCm = 1 / 2.54;

TEST(TrayHint, Metric) {
  struct Case {
    double cm;
    std::string_view hint;
  } cases[] = {
      {100000, "Quillomat: 1 km 0 m 0 cm traveled \\ 123456 Keystrokes \\ 23456 Clicks"},
      {99999, "Quillomat: 999 m 99 cm traveled \\ 123456 Keystrokes \\ 23456 Clicks"},
      {1234567, "Quillomat: 12 km 345 m 67 cm traveled \\ 123456 Keystrokes \\ 23456 Clicks"},
      {234567, "Quillomat: 2 km 345 m 67 cm traveled \\ 123456 Keystrokes \\ 23456 Clicks"},
      {0, "Quillomat: 0 m 0 cm traveled \\ 123456 Keystrokes \\ 23456 Clicks"},
  };
  const MainWindowTexts en = TextsForLanguage(kEnglish);
  for (const Case& c : cases)
    EXPECT_EQ(TrayHint(c.cm * kInchesPerCm, true, 123456, 23456, en), c.hint) << c.cm;
}

TEST(TrayHint, ImperialUsesTheLanguagesWords) {
  struct Case {
    int language;
    double inches;
    std::string_view hint;
  } cases[] = {
      {kEnglish, 36 * 10 + 5, "Quillomat: 10 yards 5 inch traveled \\ 7 Keystrokes \\ 3 Clicks"},
      {kSpanish, 36 * 10 + 5,
       "Quillomat: 10 yardas 5 pulgada traveled \\ 7 Keystrokes \\ 3 Clicks"},
      {kEnglish, 63360 + 36 + 1,
       "Quillomat: 1 miles 1 yards 1 inch traveled \\ 7 Keystrokes \\ 3 Clicks"},
      {kCzech, 2 * 63360, "Quillomat: 2 míle 0 yardy 0 palec traveled \\ 7 Keystrokes \\ 3 Clicks"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TrayHint(c.inches, false, 7, 3, TextsForLanguage(c.language)), c.hint);
}

TEST(TrayHint, CountersAreUnsigned) {
  EXPECT_EQ(TrayHint(0, true, 4294967295u, 0, TextsForLanguage(kEnglish)),
            "Quillomat: 0 m 0 cm traveled \\ 4294967295 Keystrokes \\ 0 Clicks");
}

}  // namespace
}  // namespace quillo
