// The History window's measures, units and number formats.
#include "core/history/history_measure.h"

#include <cmath>

#include "core/panel/main_window_texts.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

constexpr double kInchesPerCentimetre = 1 / 2.54;
constexpr double kInchesPerMetre = 100 / 2.54;
constexpr double kInchesPerKilometre = 100000 / 2.54;
constexpr double kInchesPerYard = 36;
constexpr double kInchesPerMile = 63360;

Counter CounterOf(HistoryMeasure m) {
  switch (m) {
    case HistoryMeasure::kLeft:
      return Counter::kLeft;
    case HistoryMeasure::kRight:
      return Counter::kRight;
    case HistoryMeasure::kMiddle:
      return Counter::kMiddle;
    case HistoryMeasure::kX1:
      return Counter::kX1;
    case HistoryMeasure::kX2:
      return Counter::kX2;
    case HistoryMeasure::kWheel:
      return Counter::kWheel;
    default:
      return Counter::kKeystrokes;
  }
}

std::string MainWord(MainText row, int language) {
  return std::string(MainWindowText(row, language));
}

// Whether `value` is a whole number, within rounding.
bool IsWhole(double value) {
  return std::fabs(value - std::nearbyint(value)) < 1e-9 * std::max(1.0, std::fabs(value));
}

}  // namespace

double MeasureOf(const DayRecord& r, HistoryMeasure m) {
  switch (m) {
    case HistoryMeasure::kClicks:
      return static_cast<double>(r.Clicks());
    case HistoryMeasure::kDistance:
      return r.distance;
    case HistoryMeasure::kActiveTime:
      return static_cast<double>(r.runningSeconds);
    default:
      return static_cast<double>(r.Count(CounterOf(m)));
  }
}

HistoryText MeasureName(HistoryMeasure m) {
  return static_cast<HistoryText>(static_cast<int>(HistoryText::keystrokes) + static_cast<int>(m));
}

bool IsCount(HistoryMeasure m) {
  return m != HistoryMeasure::kDistance && m != HistoryMeasure::kActiveTime;
}

HourSeries HoursOf(HistoryMeasure m) {
  switch (m) {
    case HistoryMeasure::kKeystrokes:
      return HourSeries::kKeystrokes;
    case HistoryMeasure::kWheel:
    case HistoryMeasure::kDistance:
    case HistoryMeasure::kActiveTime:
      return HourSeries::kNone;
    default:
      return HourSeries::kClicks;
  }
}

double HourValue(const DayRecord& r, HourSeries s, int hour) {
  const size_t h = static_cast<size_t>(hour);
  switch (s) {
    case HourSeries::kKeystrokes:
      return static_cast<double>(r.hourKeystrokes[h]);
    case HourSeries::kClicks:
      return static_cast<double>(r.hourClicks[h]);
    default:
      return 0;
  }
}

std::string GroupedNumber(double value, int decimals, const NumberStyle& style) {
  const std::string plain = FloatToStrFixed(value < 0 ? 0 : value, decimals, '.');
  const size_t dot = plain.find('.');
  const std::string whole = plain.substr(0, dot);
  std::string out;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += style.thousands;
    out += whole[i];
  }
  if (dot != std::string::npos) out += style.decimal + plain.substr(dot + 1);
  return out;
}

ValueUnit UnitFor(HistoryMeasure m, double largest, bool metric, int language) {
  struct Step {
    double perUnit;
    std::string word;
  };
  std::vector<Step> steps;  // largest first
  if (m == HistoryMeasure::kDistance) {
    if (metric)
      steps = {{kInchesPerKilometre, "km"}, {kInchesPerMetre, "m"}, {kInchesPerCentimetre, "cm"}};
    else
      steps = {{kInchesPerMile, MainWord(MainText::milestring, language)},
               {kInchesPerYard, MainWord(MainText::yardstring, language)},
               {1, MainWord(MainText::inchstring, language)}};
  } else if (m == HistoryMeasure::kActiveTime) {
    steps = {{3600, "h"}, {60, "min"}, {1, "s"}};
  } else {
    if (largest >= 1e7) return {1e6, "", "M"};
    if (largest >= 1e4) return {1e3, "", "k"};
    return {1, "", ""};
  }
  // Nothing at all is shown in the middle unit: an empty chart of metres or minutes.
  if (!(largest > 0)) return {steps[1].perUnit, steps[1].word, ""};
  for (const Step& s : steps)
    if (largest >= s.perUnit) return {s.perUnit, s.word, ""};
  return {steps.back().perUnit, steps.back().word, ""};
}

std::string FormatMeasure(HistoryMeasure m, double figure, bool metric, const NumberStyle& style,
                          int language) {
  if (IsCount(m)) return GroupedNumber(figure, 0, style);
  if (m == HistoryMeasure::kActiveTime) {
    const uint64_t s = static_cast<uint64_t>(figure < 0 ? 0 : figure);
    auto two = [](uint64_t v) { return PadLeft(std::to_string(v), '0', 2); };
    if (s >= 3600)
      return GroupedNumber(double(s / 3600), 0, style) + " h " + two(s / 60 % 60) + " min";
    if (s >= 60) return std::to_string(s / 60) + " min " + two(s % 60) + " s";
    return std::to_string(s) + " s";
  }
  const ValueUnit unit = UnitFor(m, figure, metric, language);
  // The largest unit with two decimals; the smaller ones in whole numbers.
  const bool largestUnit = unit.perUnit == (metric ? kInchesPerKilometre : kInchesPerMile);
  return GroupedNumber(figure / unit.perUnit, largestUnit ? 2 : 0, style) + " " + unit.word;
}

int NiceAxis::Steps() const {
  return static_cast<int>(std::lround(top / step));
}

NiceAxis MakeNiceAxis(double largest, int maxSteps, bool whole) {
  if (maxSteps < 1) maxSteps = 1;
  if (!(largest > 0)) largest = 1;  // an empty chart still has an axis
  const double raw = largest / maxSteps;
  double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  NiceAxis a;
  for (;;) {
    bool found = false;
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
      const double step = m * magnitude;
      if (whole && !IsWhole(step)) continue;
      if (step * (1 + 1e-12) >= raw) {
        a.step = step;
        found = true;
        break;
      }
    }
    if (found) break;
    magnitude *= 10;
  }
  if (whole && a.step < 1) a.step = 1;
  a.top = std::ceil(largest / a.step - 1e-9) * a.step;
  if (a.top < a.step) a.top = a.step;
  a.decimals = 0;
  while (a.decimals < 6 && !IsWhole(a.step * std::pow(10.0, a.decimals))) ++a.decimals;
  return a;
}

std::string TickLabel(double value, const NiceAxis& axis, const ValueUnit& unit,
                      const NumberStyle& style) {
  if (value == 0) return "0";  // the axis's foot needs no decimals nor unit
  return GroupedNumber(value, axis.decimals, style) + unit.suffix;
}

}  // namespace quillo
