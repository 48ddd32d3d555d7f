// The sampler: distance, units, speed, idle crediting, running time and the panel texts.
#include "core/counting/sampler.h"

#include <gtest/gtest.h>

#include "core/util/datetime.h"

namespace quillo {
namespace {

constexpr double kDay = 46000;  // a moment in 2025
constexpr double kSecond = 1.0 / 86400;

class Sampler : public ::testing::Test {
 protected:
  void SetUp() override {
    c.screenDiagonal = ScreenDiagonal(1920, 1080);
    c.startTime = kDay;
    c.pointerKnown = true;  // start-up took the origin
    s.resetdate = kDay;
  }
  void Step(int32_t x, int32_t y, std::optional<uint32_t> idle = 0, double now = kDay) {
    SampleReadings r;
    r.pointer = std::pair{x, y};
    r.idleSeconds = idle;
    r.now = now;
    Sample(c, s, r, presence, view);
  }
  const std::string& Text(Led led) const { return view.leds[led].text; }
  ActivityCounters c;
  SamplerSettings s;
  PanelPresence presence;
  SampleView view;
};

TEST_F(Sampler, StepOnA23InchFullHdScreen) {
  EXPECT_EQ(c.screenDiagonal, 2203);
  Step(300, 400);
  EXPECT_NEAR(c.stepDistance, 500.0 / 2203 * 23, 1e-12);
  EXPECT_NEAR(c.stepDistance, 5.2202, 1e-4);
  EXPECT_EQ(Text(led14), "6.89");  // imperial by default
  s.distmode = true;
  c.prevX = 0, c.prevY = 0;
  Step(300, 400);
  EXPECT_EQ(Text(led14), "10.88");
  s.decimalSeparator = ',';
  c.prevX = 0, c.prevY = 0;
  Step(300, 400);
  EXPECT_EQ(Text(led14), "10,88");
  Step(300, 400);
  EXPECT_EQ(Text(led14), "0,00");
}

TEST_F(Sampler, JumpsOf3000PixelsOrMoreAddNothing) {
  struct Case {
    int32_t dx, dy;
    bool measured;
  } cases[] = {{2000, 1000, false},
               {2000, 999, true},
               {-2000, -999, true},
               {-3000, 0, false},
               {0, 2999, true}};
  for (const Case& k : cases) {
    EXPECT_EQ(StepInches(k.dx, k.dy, 2203, 23.0f) > 0, k.measured) << k.dx << "," << k.dy;
  }
}

TEST_F(Sampler, UnitSplitsRoundTiesToEven) {
  struct Case {
    double inches;
    bool metric;
    DistanceSplit expect;
  } cases[] = {
      {39370, true, {1, 0, 0}},      // 99999.8 cm -> 100000
      {63395.5, false, {1, 1, 0}},   // tie -> 63396
      {63394.5, false, {1, 0, 34}},  // tie -> 63394
      {0, true, {0, 0, 0}},
      {1.0 / 2.54 * 12345678, true, {123, 456, 78}},
      {63360 + 36 * 5 + 7, false, {1, 5, 7}},
  };
  for (const Case& k : cases) {
    const DistanceSplit d = SplitDistance(k.inches, k.metric);
    EXPECT_EQ(d.big, k.expect.big) << k.inches;
    EXPECT_EQ(d.middle, k.expect.middle) << k.inches;
    EXPECT_EQ(d.small, k.expect.small) << k.inches;
  }
}

TEST_F(Sampler, DistanceSinceStartOrSinceReset) {
  c.totalDistance = c.histDistance = 1000;
  s.showhistory = false;
  Step(0, 0);
  EXPECT_EQ(Text(led1) + "/" + Text(led2) + "/" + Text(led3), "0/0/0");
  s.showhistory = true;
  Step(0, 0);
  EXPECT_EQ(Text(led2) + "/" + Text(led3), "27/28");  // 1000 in = 27 yd 28 in
}

TEST_F(Sampler, FirstIndicatorDigitsFollowTheBigFigure) {
  s.distmode = true;
  c.totalDistance = 100000000 / 2.54;  // 1000 km
  Step(0, 0);
  EXPECT_EQ(Text(led1), "1000");
  EXPECT_EQ(view.leds[led1].rule, DigitRule::kSetToText);
  c.totalDistance = 99999999 / 2.54;
  Step(0, 0);
  EXPECT_EQ(view.leds[led1].rule, DigitRule::kKeep);
}

TEST_F(Sampler, FailedQueriesAddNoDistanceAndNoIdle) {
  c.prevX = 10, c.prevY = 10;
  SampleReadings r;
  r.now = kDay;
  c.idlePrev = 30;
  Sample(c, s, r, presence, view);
  EXPECT_EQ(c.totalDistance, 0);
  EXPECT_EQ(c.liveIdleSeconds, 0u);
  EXPECT_EQ(c.idlePrev, 30u);
}

TEST_F(Sampler, NoStepIsMeasuredUntilAGoodReadingGivesTheOrigin) {
  // Start-up's query failed: the origin is unknown, and the first good reading is not measured
  // from (0, 0) (or from where the pointer was before a pause).
  c.prevX = 0, c.prevY = 0;
  c.pointerKnown = false;
  SampleReadings failed;
  failed.now = kDay;
  Sample(c, s, failed, presence, view);
  Step(1200, 900);
  EXPECT_EQ(c.totalDistance, 0);
  EXPECT_TRUE(c.pointerKnown);
  Step(1500, 1300);  // from here on steps are measured
  EXPECT_NEAR(c.totalDistance, 500.0 / 2203 * 23, 1e-9);
}

TEST_F(Sampler, RefreshShowsTheFiguresWithoutMeasuring) {
  c.pointerKnown = true;
  c.liveKeystrokes = 7;
  Step(100, 100, 0, kDay);
  Step(400, 500, 20, kDay + 30 * kSecond);
  const double distance = c.totalDistance;
  const uint32_t run = c.liveRunSeconds, idle = c.liveIdleSeconds, idleRun = c.idleRun;
  Refresh(c, s, presence, view);
  EXPECT_EQ(c.totalDistance, distance);
  EXPECT_EQ(c.liveRunSeconds, run);
  EXPECT_EQ(c.liveIdleSeconds, idle);
  EXPECT_EQ(c.idleRun, idleRun);
  EXPECT_EQ(Text(led4), "7");
  EXPECT_EQ(Text(led15), "400");
  EXPECT_EQ(Text(led12), "30");
  // The wall-clock running time too stands at the last measurement.
  s.showrunning = false;
  Refresh(c, s, presence, view);
  EXPECT_EQ(Text(led12), "30");
}

TEST_F(Sampler, IdlePeriodsAreCreditedWithTheirLastSampledLength) {
  s.idledelay = 10;
  for (uint32_t t : {0u, 5u, 10u, 18u, 25u}) Step(0, 0, t);
  EXPECT_EQ(c.idleRun, 25u);
  EXPECT_EQ(Text(led20), "25");  // a period in progress shows
  Step(0, 0, 0);
  EXPECT_EQ(c.liveIdleSeconds, 25u);
  EXPECT_EQ(c.idleRun, 0u);
  for (uint32_t t : {3u, 9u, 0u}) Step(0, 0, t);  // too short
  EXPECT_EQ(c.liveIdleSeconds, 25u);
  // A period that has not returned to 0 is not credited yet.
  for (uint32_t t : {12u, 1u}) Step(0, 0, t);
  EXPECT_EQ(c.liveIdleSeconds, 25u);
}

TEST_F(Sampler, IdleShownWithStoredPartAndSplit) {
  c.histIdleSeconds = 86400 * 3 + 3600 * 5 + 60 * 7 + 9;
  Step(0, 0, 0);
  EXPECT_EQ(Text(led17) + " " + Text(led18) + ":" + Text(led19) + ":" + Text(led20), "3 5:7:9");
  s.showhistory = false;
  Step(0, 0, 0);
  EXPECT_EQ(c.shownIdleSeconds, 0u);
  presence.idleGroup = false;
  c.histIdleSeconds = 5;
  s.showhistory = true;
  Step(0, 0, 0);
  EXPECT_EQ(c.shownIdleSeconds, 0u);  // not worked out without its indicators
}

TEST_F(Sampler, RunningTimeDefinitions) {
  c.histRunSeconds = 1000;
  s.resetdate = kDay - 2;  // reset two days ago, before this start
  const double now = kDay + 90 * kSecond + 0.4 * kSecond;
  struct Case {
    bool showrunning, showhistory;
    uint32_t expect;
  } cases[] = {{true, true, 1090},
               {true, false, 90},
               {false, true, 2 * 86400 + 90},
               {false, false, 2 * 86400 + 90}};
  for (const Case& k : cases) {
    s.showrunning = k.showrunning;
    s.showhistory = k.showhistory;
    Step(0, 0, 0, now);
    EXPECT_EQ(c.liveRunSeconds, 90u);
    EXPECT_EQ(c.shownRunSeconds, k.expect) << k.showrunning << k.showhistory;
  }
  EXPECT_EQ(Text(led9), "2");
  EXPECT_EQ(view.leds[led9].rule, DigitRule::kGrowToPrevious);
  EXPECT_EQ(Text(led12), "30");
  EXPECT_EQ(Text(led11), "1");
}

TEST_F(Sampler, CountersAndPositionTexts) {
  c.histLeft = 0xFFFFFFFFu;
  c.liveLeft = 2;
  c.liveKeystrokes = 12345;
  Step(-1280, 5);
  EXPECT_EQ(Text(led5), "1");
  EXPECT_EQ(Text(led4), "12345");
  EXPECT_EQ(Text(led15), "-1280");
  EXPECT_EQ(Text(led16), "5");
  EXPECT_EQ(view.leds[led4].rule, DigitRule::kGrowToText);
  s.showhistory = false;
  c.histKeystrokes = 7;
  Step(-1280, 5);
  EXPECT_EQ(Text(led5), "2");
}

}  // namespace
}  // namespace quillo
