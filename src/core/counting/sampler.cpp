// The sampler's arithmetic: every figure of the panel from one set of readings.
#include "core/counting/sampler.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/util/datetime.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

template <typename T>
void SetNumber(IndicatorUpdate& u, T value, DigitRule rule) {
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  u.text.assign(buf, res.ptr);
  u.rule = rule;
}

}  // namespace

void UpdateLiveRunSeconds(ActivityCounters& c, double now) {
  c.liveRunSeconds = SecondsBetween(c.startTime, now);
  c.lastSampleMoment = now;
}

int32_t ScreenDiagonal(int32_t width, int32_t height) {
  const int32_t sum = width * width + height * height;
  return RoundHalfEven32(std::sqrt(static_cast<double>(sum)));
}

double StepInches(int32_t dx, int32_t dy, int32_t screenDiagonal, float monitorsize) {
  const int64_t manhattan =
      std::llabs(static_cast<int64_t>(dx)) + std::llabs(static_cast<int64_t>(dy));
  if (manhattan >= 3000 || screenDiagonal == 0) return 0;
  const int32_t squares = dx * dx + dy * dy;
  return std::sqrt(static_cast<double>(squares)) / screenDiagonal *
         static_cast<double>(monitorsize);
}

DistanceSplit SplitDistance(double inches, bool metric) {
  DistanceSplit d;
  if (metric) {
    const int32_t cm = RoundHalfEven32(inches * 2.54);
    d.big = cm / 100000;
    const int32_t rest = cm % 100000;
    d.middle = rest / 100;
    d.small = rest % 100;
  } else {
    const int32_t in = RoundHalfEven32(inches);
    d.big = in / 63360;
    const int32_t rest = in % 63360;
    d.middle = rest / 36;
    d.small = rest % 36;
  }
  return d;
}

void FormatSpeed(double stepInches, bool metric, char sep, std::string& out) {
  const double speed = stepInches * (metric ? kKmhPerInchStep : kMphPerInchStep);
  // A figure with more than eight integer digits falls back to the general format.
  if (std::fabs(speed) >= 1e8) {
    out = FloatToStr(speed, sep);
    return;
  }
  // Fixed with two decimals, written in place so that a steady panel allocates nothing.
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, speed, std::chars_format::fixed, 2);
  for (char* p = buf; p != res.ptr; ++p)
    if (*p == '.') *p = sep;
  out.assign(buf, res.ptr);
}

std::string SpeedText(double stepInches, bool metric, char sep) {
  std::string out;
  FormatSpeed(stepInches, metric, sep, out);
  return out;
}

uint32_t ShownRunSeconds(const ActivityCounters& c, const SamplerSettings& s, double now) {
  if (!s.showrunning) return SecondsBetween(s.resetdate, now);
  return s.showhistory ? c.histRunSeconds + c.liveRunSeconds : c.liveRunSeconds;
}

namespace {

// The measuring half of a sample: pointer step, distance, idle accounting, running time.
void Measure(ActivityCounters& c, const SamplerSettings& s, const SampleReadings& r) {
  if (r.pointer) {
    c.curX = r.pointer->first;
    c.curY = r.pointer->second;
    if (!c.pointerKnown) {
      // The first good reading since start-up or switching on is the origin, not a step.
      c.prevX = c.curX;
      c.prevY = c.curY;
      c.pointerKnown = true;
    }
  } else {
    c.curX = c.prevX;
    c.curY = c.prevY;
  }
  const int32_t dx = c.prevX - c.curX;
  const int32_t dy = c.prevY - c.curY;
  c.stepDistance = StepInches(dx, dy, c.screenDiagonal, s.monitorsize);
  c.totalDistance += c.stepDistance;
  c.prevX = c.curX;
  c.prevY = c.curY;

  // Idle accounting, whether or not the idle figures are shown.
  if (r.idleSeconds) {
    c.idleNow = *r.idleSeconds;
    const auto delay = static_cast<uint32_t>(s.idledelay < 0 ? 0 : s.idledelay);
    if (c.idleNow >= delay) c.idleRun = c.idleNow;
    if (c.idleNow == 0 && c.idlePrev >= delay) {
      c.liveIdleSeconds += c.idlePrev;
      c.idleRun = 0;
    }
    c.idlePrev = c.idleNow;
  }

  UpdateLiveRunSeconds(c, r.now);
}

// The showing half: every indicator's text from the figures as they stand.
void Render(ActivityCounters& c, const SamplerSettings& s, const PanelPresence& presence,
            SampleView& view) {
  auto& leds = view.leds;

  // Distance and speed.
  const double shownInches = s.showhistory ? c.totalDistance : c.totalDistance - c.histDistance;
  const DistanceSplit d = SplitDistance(shownInches, s.distmode);
  SetNumber(leds[led1], d.big, d.big > 999 ? DigitRule::kSetToText : DigitRule::kKeep);
  SetNumber(leds[led2], d.middle, DigitRule::kKeep);
  SetNumber(leds[led3], d.small, DigitRule::kKeep);
  FormatSpeed(c.stepDistance, s.distmode, s.decimalSeparator, leds[led14].text);
  leds[led14].rule = DigitRule::kKeep;

  // Counters and pointer position.
  constexpr std::array<std::pair<Counter, Led>, 8> kCounterLeds = {{
      {Counter::kKeystrokes, led4},
      {Counter::kLeft, led5},
      {Counter::kRight, led6},
      {Counter::kMiddle, led7},
      {Counter::kDouble, led8},
      {Counter::kWheel, led13},
      {Counter::kX1, led21},
      {Counter::kX2, led22},
  }};
  for (const auto& [counter, led] : kCounterLeds)
    SetNumber(leds[led], c.Figure(counter, s.showhistory), DigitRule::kGrowToText);
  SetNumber(leds[led15], c.curX, DigitRule::kGrowToText);
  SetNumber(leds[led16], c.curY, DigitRule::kGrowToText);

  // Idle time.
  if (presence.idleGroup) {
    const uint32_t idle = c.liveIdleSeconds + c.idleRun;
    c.shownIdleSeconds = s.showhistory ? idle + c.histIdleSeconds : idle;
    const uint32_t t = c.shownIdleSeconds;
    SetNumber(leds[led17], t / 86400, DigitRule::kGrowToText);
    SetNumber(leds[led18], t / 3600 % 24, DigitRule::kKeep);
    SetNumber(leds[led19], t / 60 % 60, DigitRule::kKeep);
    SetNumber(leds[led20], t % 60, DigitRule::kKeep);
  }

  // Running time, as of the last measurement.
  if (presence.runGroup) {
    c.shownRunSeconds = ShownRunSeconds(c, s, c.lastSampleMoment);
    const uint32_t t = c.shownRunSeconds;
    SetNumber(leds[led9], t / 86400, DigitRule::kGrowToPrevious);
    SetNumber(leds[led10], t / 3600 % 24, DigitRule::kKeep);
    SetNumber(leds[led11], t / 60 % 60, DigitRule::kKeep);
    SetNumber(leds[led12], t % 60, DigitRule::kKeep);
  }
}

}  // namespace

void Sample(ActivityCounters& c, const SamplerSettings& s, const SampleReadings& r,
            const PanelPresence& presence, SampleView& view) {
  Measure(c, s, r);
  Render(c, s, presence, view);
}

void Refresh(ActivityCounters& c, const SamplerSettings& s, const PanelPresence& presence,
             SampleView& view) {
  Render(c, s, presence, view);
}

}  // namespace quillo
