// "Save as CSV...": the header, one row a day, and the user's separators.
#include "core/history/history_csv.h"

#include <gtest/gtest.h>

#include "core/panel/main_window_texts.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

HistoryData TwoDays() {
  HistoryData h;
  DayRecord a;
  a.day = DayNumber(2026, 12, 10);
  a.counts = {5123, 1200, 80, 4,
              61,   340,  2,  1};  // keys, left, right, middle, double, wheel, x1, x2
  a.distance = 2 * 100000 / 2.54;  // 2 km
  a.runningSeconds = 5400;
  a.idleSeconds = 900;
  DayRecord b;
  b.day = DayNumber(2026, 12, 9);
  b.counts = {7, 0, 0, 0, 0, 0, 0, 0};
  h.Add(a);
  h.Add(b);
  return h;
}

std::vector<std::string> Lines(const std::string& csv) {
  EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  std::vector<std::string> lines;
  size_t at = 3;
  while (at < csv.size()) {
    const size_t end = csv.find("\r\n", at);
    EXPECT_NE(end, std::string::npos);
    lines.push_back(csv.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(HistoryCsv, OneRowADayWithEveryMeasureInTheUsersSeparators) {
  struct Case {
    CsvStyle style;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {{",", '.', true, kEnglish},
       {"Date,Keystrokes,Clicks (all buttons),Left button,Right button,Middle button,"
        "Extra button 1,Extra button 2,Double clicks,Mouse wheel,Distance (km),Active time (h),"
        "Idle time (h)",
        "2026-12-09,7,0,0,0,0,0,0,0,0,0.000,0.000,0.000",
        "2026-12-10,5123,1287,1200,80,4,2,1,61,340,2.000,1.500,0.250"}},
      // German settings: a semicolon between the fields, a decimal comma.
      {{";", ',', true, kGerman},
       {"Datum;Tastenanschläge;Klicks (alle Tasten);Linke Taste;Rechte Taste;Mittlere Taste;"
        "Extra-Taste 1;Extra-Taste 2;Doppelklicks;Mausrad;Strecke (km);Aktive Zeit (h);"
        "Leerlaufzeit (h)",
        "2026-12-09;7;0;0;0;0;0;0;0;0;0,000;0,000;0,000",
        "2026-12-10;5123;1287;1200;80;4;2;1;61;340;2,000;1,500;0,250"}},
      // A list separator that is the decimal comma too would cut the numbers: ";" instead.
      {{",", ',', false, kEnglish},
       {"Date;Keystrokes;Clicks (all buttons);Left button;Right button;Middle button;"
        "Extra button 1;Extra button 2;Double clicks;Mouse wheel;Distance (miles);"
        "Active time (h);Idle time (h)",
        "2026-12-09;7;0;0;0;0;0;0;0;0;0,000;0,000;0,000",
        "2026-12-10;5123;1287;1200;80;4;2;1;61;340;1,243;1,500;0,250"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(HistoryCsv(TwoDays(), c.style)), c.lines);
  // A header word that holds the separator is quoted.
  const auto spaced = Lines(HistoryCsv(TwoDays(), {" ", '.', true, kEnglish}));
  EXPECT_EQ(spaced[0].substr(0, 38), "Date Keystrokes \"Clicks (all buttons)\"");
  EXPECT_EQ(Lines(HistoryCsv(HistoryData{}, {",", '.', true, kEnglish})).size(), 1u);
}

}  // namespace
}  // namespace quillo
