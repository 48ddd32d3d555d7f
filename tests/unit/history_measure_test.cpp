// The History window's measures, units, number formats and round axes.
#include "core/history/history_measure.h"

#include <gtest/gtest.h>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

constexpr double kKm = 100000 / 2.54;  // inches
constexpr double kMile = 63360;

TEST(HistoryMeasure, EachMeasureReadsItsFigureOfTheDay) {
  DayRecord r;
  r.counts = {5123, 1200, 80, 4,
              61,   340,  2,  1};  // keys, left, right, middle, double, wheel, x1, x2
  r.distance = 9135.25;
  r.runningSeconds = 28800;
  r.hourKeystrokes[9] = 70;
  r.hourClicks[9] = 30;
  const struct {
    HistoryMeasure m;
    double figure;
    HourSeries hours;
    bool count;
  } cases[] = {
      {HistoryMeasure::kKeystrokes, 5123, HourSeries::kKeystrokes, true},
      {HistoryMeasure::kClicks, 1200 + 80 + 4 + 2 + 1, HourSeries::kClicks, true},
      {HistoryMeasure::kLeft, 1200, HourSeries::kClicks, true},
      {HistoryMeasure::kRight, 80, HourSeries::kClicks, true},
      {HistoryMeasure::kMiddle, 4, HourSeries::kClicks, true},
      {HistoryMeasure::kX1, 2, HourSeries::kClicks, true},
      {HistoryMeasure::kX2, 1, HourSeries::kClicks, true},
      {HistoryMeasure::kWheel, 340, HourSeries::kNone, true},
      {HistoryMeasure::kDistance, 9135.25, HourSeries::kNone, false},
      {HistoryMeasure::kActiveTime, 28800, HourSeries::kNone, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MeasureOf(r, c.m), c.figure) << static_cast<int>(c.m);
    EXPECT_EQ(HoursOf(c.m), c.hours) << static_cast<int>(c.m);
    EXPECT_EQ(IsCount(c.m), c.count) << static_cast<int>(c.m);
  }
  EXPECT_EQ(HourValue(r, HourSeries::kKeystrokes, 9), 70);
  EXPECT_EQ(HourValue(r, HourSeries::kClicks, 9), 30);
  EXPECT_EQ(HourValue(r, HourSeries::kNone, 9), 0);
  EXPECT_EQ(HistoryWindowText(MeasureName(HistoryMeasure::kActiveTime), kEnglish), "Active time");
  EXPECT_EQ(HistoryWindowText(MeasureName(HistoryMeasure::kKeystrokes), kEnglish), "Keystrokes");
}

TEST(HistoryMeasure, NumbersAreGroupedAsTheLocaleGroupsThem) {
  const NumberStyle en{'.', ","}, de{',', "."}, fr{',', "\xC2\xA0"};
  const struct {
    double value;
    int decimals;
    NumberStyle style;
    const char* text;
  } cases[] = {
      {0, 0, en, "0"},
      {999, 0, en, "999"},
      {1000, 0, en, "1,000"},
      {1234567.891, 2, en, "1,234,567.89"},
      {1234567.891, 2, de, "1.234.567,89"},
      {12345, 0, fr,
       "12\xC2\xA0"
       "345"},
      {12.5, 0, en, "12"},  // ties to even
      {13.5, 0, en, "14"},
      {-3, 0, en, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupedNumber(c.value, c.decimals, c.style), c.text);
}

TEST(HistoryMeasure, UnitsFollowThePanelsSystemAndTheLargestFigure) {
  const struct {
    HistoryMeasure m;
    double largest;
    bool metric;
    int language;
    double perUnit;
    const char* word;
    const char* suffix;
  } cases[] = {
      {HistoryMeasure::kDistance, kKm, true, kEnglish, kKm, "km", ""},
      {HistoryMeasure::kDistance, kKm - 1, true, kEnglish, 100 / 2.54, "m", ""},
      {HistoryMeasure::kDistance, 0.2, true, kEnglish, 1 / 2.54, "cm", ""},
      {HistoryMeasure::kDistance, 0, true, kEnglish, 100 / 2.54, "m", ""},
      {HistoryMeasure::kDistance, kMile * 3, false, kEnglish, kMile, "miles", ""},
      {HistoryMeasure::kDistance, kMile * 3, false, kGerman, kMile, "Meilen", ""},
      {HistoryMeasure::kDistance, 100, false, kEnglish, 36, "yards", ""},
      {HistoryMeasure::kDistance, 10, false, kSpanish, 1, "pulgada", ""},
      {HistoryMeasure::kActiveTime, 7200, true, kEnglish, 3600, "h", ""},
      {HistoryMeasure::kActiveTime, 600, true, kEnglish, 60, "min", ""},
      {HistoryMeasure::kActiveTime, 30, true, kEnglish, 1, "s", ""},
      {HistoryMeasure::kKeystrokes, 9999, true, kEnglish, 1, "", ""},
      {HistoryMeasure::kKeystrokes, 10000, true, kEnglish, 1000, "", "k"},
      {HistoryMeasure::kWheel, 1e7, true, kEnglish, 1e6, "", "M"},
  };
  for (const auto& c : cases) {
    const ValueUnit u = UnitFor(c.m, c.largest, c.metric, c.language);
    EXPECT_DOUBLE_EQ(u.perUnit, c.perUnit) << c.largest;
    EXPECT_EQ(u.word, c.word) << c.largest;
    EXPECT_EQ(u.suffix, c.suffix) << c.largest;
  }
}

TEST(HistoryMeasure, AHintShowsTheWholeFigureInItsUnit) {
  const NumberStyle en{'.', ","}, de{',', "."};
  const struct {
    HistoryMeasure m;
    double figure;
    bool metric;
    NumberStyle style;
    const char* text;
  } cases[] = {
      {HistoryMeasure::kKeystrokes, 12345, true, en, "12,345"},
      {HistoryMeasure::kLeft, 0, true, en, "0"},
      {HistoryMeasure::kDistance, kKm * 3.27, true, en, "3.27 km"},
      {HistoryMeasure::kDistance, kKm * 3.27, true, de, "3,27 km"},
      {HistoryMeasure::kDistance, 500, true, en, "13 m"},
      {HistoryMeasure::kDistance, kMile * 1.5, false, en, "1.50 miles"},
      {HistoryMeasure::kDistance, 420 * 36, false, en, "420 yards"},
      {HistoryMeasure::kActiveTime, 5 * 3600 + 7 * 60 + 9, true, en, "5 h 07 min"},
      {HistoryMeasure::kActiveTime, 65, true, en, "1 min 05 s"},
      {HistoryMeasure::kActiveTime, 42, true, en, "42 s"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatMeasure(c.m, c.figure, c.metric, c.style, kEnglish), c.text) << c.text;
}

TEST(HistoryMeasure, AxesClimbInRoundSteps) {
  const struct {
    double largest;
    int maxSteps;
    bool whole;
    double top, step;
    int decimals;
  } cases[] = {
      {12345, 5, true, 12500, 2500, 0},
      {7, 5, true, 8, 2, 0},
      {0, 4, true, 1, 1, 0},   // an empty chart still has an axis
      {2, 10, true, 2, 1, 0},  // never less than one for counts
      {3.27, 4, false, 4, 1, 0},
      {0.8, 4, false, 0.8, 0.2, 1},
      {1.3, 5, false, 1.5, 0.5, 1},
      {12.345, 5, false, 12.5, 2.5, 1},
      {0.07, 3, false, 0.075, 0.025, 3},
      {100, 5, true, 100, 20, 0},
      {100, 1, false, 100, 100, 0},
  };
  for (const auto& c : cases) {
    const NiceAxis a = MakeNiceAxis(c.largest, c.maxSteps, c.whole);
    EXPECT_DOUBLE_EQ(a.top, c.top) << c.largest;
    EXPECT_DOUBLE_EQ(a.step, c.step) << c.largest;
    EXPECT_EQ(a.decimals, c.decimals) << c.largest;
    EXPECT_LE(a.Steps(), std::max(1, c.maxSteps)) << c.largest;
    EXPECT_GE(a.top, c.largest) << c.largest;
  }
  const NiceAxis k = MakeNiceAxis(12.345, 5, false);
  EXPECT_EQ(TickLabel(0, k, {1000, "", "k"}, {'.', ","}), "0");
  EXPECT_EQ(TickLabel(12.5, k, {1000, "", "k"}, {'.', ","}), "12.5k");
  EXPECT_EQ(TickLabel(2.5, k, {1000, "", "k"}, {',', "."}), "2,5k");
  EXPECT_EQ(TickLabel(2500, MakeNiceAxis(9999, 4, true), {}, {'.', ","}), "2,500");
}

}  // namespace
}  // namespace quillo
