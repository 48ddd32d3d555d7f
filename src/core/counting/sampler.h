// One 75 ms sample: pointer step -> distance and speed, idle accounting, running time, and the
// text every panel indicator must show. Pure arithmetic over the readings it is handed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/counting/activity_counters.h"

namespace quillo {

// The settings the sampler reads.
struct SamplerSettings {
  float monitorsize = 23.0f;  // monitor diagonal, inches
  bool distmode = false;      // metric when true
  bool showhistory = true;    // figures since the last reset (else since start)
  bool showrunning = true;    // running time counted since startTime (else wall clock since reset)
  int32_t idledelay = 10;     // seconds without input before a period counts as idle
  double resetdate = 0;       // moment of the last reset
  char decimalSeparator = '.';
};

// What the operating system said at this sample. A failed query is nullopt: a failed pointer
// query adds no distance, a failed last-input query adds no idle time.
struct SampleReadings {
  std::optional<std::pair<int32_t, int32_t>> pointer;
  std::optional<uint32_t> idleSeconds;
  double now = 0;  // local moment
};

// Indicator numbers of the panel (led1 … led22).
enum Led : int {
  led1 = 1,
  led2,
  led3,
  led4,
  led5,
  led6,
  led7,
  led8,
  led9,
  led10,
  led11,
  led12,
  led13,
  led14,
  led15,
  led16,
  led17,
  led18,
  led19,
  led20,
  led21,
  led22
};
inline constexpr int kLedCount = 22;

// How an indicator's digit positions (SignNumber) change before its text is shown.
enum class DigitRule : uint8_t {
  kKeep,            // leave them
  kGrowToText,      // raise to the text's length when it is longer
  kSetToText,       // set to the text's length (may lower it)
  kGrowToPrevious,  // raise to the length of the text the indicator showed until now
};

struct IndicatorUpdate {
  std::string text;
  DigitRule rule = DigitRule::kKeep;
};

// What the panel must show after a sample; index by Led (entry 0 unused).
struct SampleView {
  std::array<IndicatorUpdate, kLedCount + 1> leds;
};

// Which indicator groups exist: the idle and running figures are only worked out for the panel
// when their group is shown (the log writer relies on shownRunSeconds staying as last shown).
struct PanelPresence {
  bool idleGroup = true;  // led17 … led20
  bool runGroup = true;   // led9 … led12
};

// Speed factors applied to the inches of one 75 ms step.
inline constexpr double kKmhPerInchStep = 2.0833333333333335;
inline constexpr double kMphPerInchStep = 1.32;

// The distance shown (inches) split into the three unit figures.
struct DistanceSplit {
  int32_t big = 0, middle = 0, small = 0;
};
DistanceSplit SplitDistance(double inches, bool metric);

// Inches of one pointer step; 0 for a jump of 3000 pixels or more (|dx| + |dy|).
double StepInches(int32_t dx, int32_t dy, int32_t screenDiagonal, float monitorsize);

// The speed text: fixed, two decimals, the locale's separator.
std::string SpeedText(double stepInches, bool metric, char sep);
void FormatSpeed(double stepInches, bool metric, char sep, std::string& out);

// screenDiagonal from the primary screen size, rounded ties to even.
int32_t ScreenDiagonal(int32_t width, int32_t height);

// Running seconds the panel shows (and the log uses), by the three definitions.
uint32_t ShownRunSeconds(const ActivityCounters& c, const SamplerSettings& s, double now);

// Brings liveRunSeconds up to date (done at every sample, and by the log writer).
void UpdateLiveRunSeconds(ActivityCounters& c, double now);

// One sample: measures the step, the idle time and the running time, then fills `view` (in
// place, so that a steady panel costs no allocation).
void Sample(ActivityCounters& c, const SamplerSettings& s, const SampleReadings& r,
            const PanelPresence& presence, SampleView& view);

// The figures as they stand, without measuring anything: what a paused panel shows when it is
// built or activated. Adds no distance, no idle time and no running time.
void Refresh(ActivityCounters& c, const SamplerSettings& s, const PanelPresence& presence,
             SampleView& view);

}  // namespace quillo
