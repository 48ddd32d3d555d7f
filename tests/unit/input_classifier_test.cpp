// Counting of hook events: clicks, double-click pairing, wheel, keys, counting off.
#include "core/counting/input_classifier.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quillo {
namespace {

struct Press {
  uint32_t message;
  uint32_t xButton;
  uint32_t tick;
};

class Clicks : public ::testing::Test {
 protected:
  void SetUp() override { c.counting = true; }
  void Feed(const std::vector<Press>& presses, uint32_t dblTime = 500) {
    for (const Press& p : presses)
      OnMouseEvent(c, 0, p.message, p.xButton, [&] {
        return std::pair<uint32_t, uint32_t>{p.tick, dblTime};
      });
  }
  ActivityCounters c;
};

TEST_F(Clicks, SecondQuickPressIsADoubleAndConsumesThePair) {
  Feed({{msg::kLButtonDown, 0, 1000}, {msg::kLButtonDown, 0, 1300}});
  EXPECT_EQ(c.liveLeft, 2u);
  EXPECT_EQ(c.liveDouble, 1u);
  EXPECT_EQ(c.lastClickButton, kNoButton);
  Feed({{msg::kLButtonDown, 0, 1400}});
  EXPECT_EQ(c.liveLeft, 3u);
  EXPECT_EQ(c.liveDouble, 1u);
  EXPECT_EQ(c.lastClickButton, kLeftButton);
  EXPECT_EQ(c.lastClickTick, 1400u);
}

TEST_F(Clicks, AnotherButtonInBetweenBreaksThePair) {
  Feed({{msg::kLButtonDown, 0, 1000}, {msg::kRButtonDown, 0, 1100}, {msg::kLButtonDown, 0, 1200}});
  EXPECT_EQ(c.liveLeft, 2u);
  EXPECT_EQ(c.liveRight, 1u);
  EXPECT_EQ(c.liveDouble, 0u);
}

TEST_F(Clicks, IntervalIsStrictlyLessThanTheDoubleClickTime) {
  Feed({{msg::kLButtonDown, 0, 1000}, {msg::kLButtonDown, 0, 1500}});
  EXPECT_EQ(c.liveDouble, 0u);
  Feed({{msg::kLButtonDown, 0, 1999}});
  EXPECT_EQ(c.liveDouble, 1u);
}

TEST_F(Clicks, TickWrapStillMeasuresTheInterval) {
  Feed({{msg::kLButtonDown, 0, 0xFFFFFF00u}, {msg::kLButtonDown, 0, 0x00000050u}});
  EXPECT_EQ(c.liveDouble, 1u);
}

TEST_F(Clicks, DoubleClickTimeIsReadAtEveryClick) {
  Feed({{msg::kMButtonDown, 0, 1000}});
  Feed({{msg::kMButtonDown, 0, 1700}}, 800);
  EXPECT_EQ(c.liveMiddle, 2u);
  EXPECT_EQ(c.liveDouble, 1u);
}

TEST_F(Clicks, XButtonsByHighWordOfMouseData) {
  Feed(
      {{msg::kXButtonDown, 1, 1000}, {msg::kXButtonDown, 2, 5000}, {msg::kNcXButtonDown, 2, 5100}});
  EXPECT_EQ(c.liveX1, 1u);
  EXPECT_EQ(c.liveX2, 2u);
  EXPECT_EQ(c.liveDouble, 1u);
  const uint32_t tick = c.lastClickTick;
  const int button = c.lastClickButton;
  Feed({{msg::kXButtonDown, 3, 5200}});  // not a known extra button
  EXPECT_EQ(c.liveX1 + c.liveX2, 3u);
  EXPECT_EQ(c.lastClickTick, tick);
  EXPECT_EQ(c.lastClickButton, button);
}

TEST_F(Clicks, MessagesAndWhatTheyCount) {
  struct Case {
    uint32_t message;
    Counter counter;
    uint32_t doubles;
  };
  const Case cases[] = {
      {msg::kNcLButtonDown, Counter::kLeft, 0},   {msg::kNcRButtonDown, Counter::kRight, 0},
      {msg::kNcMButtonDown, Counter::kMiddle, 0}, {msg::kLButtonDblClk, Counter::kLeft, 1},
      {msg::kRButtonDblClk, Counter::kRight, 1},  {msg::kMButtonDblClk, Counter::kMiddle, 1},
      {msg::kMouseWheel, Counter::kWheel, 0},     {msg::kMouseHWheel, Counter::kWheel, 0},
  };
  for (const Case& k : cases) {
    ActivityCounters fresh;
    fresh.counting = true;
    OnMouseEvent(fresh, 0, k.message, 0, [] { return std::pair<uint32_t, uint32_t>{0, 500}; });
    EXPECT_EQ(fresh.LiveValue(k.counter), 1u) << std::hex << k.message;
    EXPECT_EQ(fresh.liveDouble, k.doubles) << std::hex << k.message;
  }
  for (uint32_t ignored : {msg::kMouseMove, msg::kLButtonUp, msg::kRButtonUp, msg::kXButtonUp,
                           msg::kXButtonDblClk, msg::kMButtonUp}) {
    Feed({{ignored, 1, 100}});
  }
  for (Counter k : kAllCounters) EXPECT_EQ(c.LiveValue(k), 0u);
}

TEST_F(Clicks, NothingCountsWhileOffOrForNonActionCodes) {
  c.counting = false;
  Feed({{msg::kLButtonDown, 0, 1000}, {msg::kMouseWheel, 0, 1000}});
  EXPECT_EQ(c.liveLeft + c.liveWheel, 0u);
  EXPECT_EQ(c.lastClickTick, 0u);
  c.counting = true;
  bool asked = false;
  OnMouseEvent(c, 1, msg::kLButtonDown, 0, [&] {
    asked = true;
    return std::pair<uint32_t, uint32_t>{0, 500};
  });
  EXPECT_FALSE(asked);
  EXPECT_EQ(c.liveLeft, 0u);
}

TEST_F(Clicks, CountersWrapModulo2To32) {
  c.liveWheel = 0xFFFFFFFFu;
  Feed({{msg::kMouseWheel, 0, 0}});
  EXPECT_EQ(c.liveWheel, 0u);
  c.histLeft = 0xFFFFFFFFu;
  c.liveLeft = 2;
  EXPECT_EQ(c.Total(Counter::kLeft), 1u);
}

TEST(Keyboard, OnlyReleasesCountAndCode3IsSwallowed) {
  ActivityCounters c;
  c.counting = true;
  // A held key: repeated downs, one up.
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(OnKeyboardEvent(c, 0, msg::kKeyDown));
  EXPECT_TRUE(OnKeyboardEvent(c, 0, msg::kKeyUp));
  EXPECT_TRUE(OnKeyboardEvent(c, 0, msg::kSysKeyDown));
  EXPECT_TRUE(OnKeyboardEvent(c, 0, msg::kSysKeyUp));
  EXPECT_EQ(c.liveKeystrokes, 1u);
  EXPECT_FALSE(OnKeyboardEvent(c, 3, msg::kKeyUp));
  EXPECT_TRUE(OnKeyboardEvent(c, 1, msg::kKeyUp));
  EXPECT_EQ(c.liveKeystrokes, 1u);
  c.counting = false;
  OnKeyboardEvent(c, 0, msg::kKeyUp);
  EXPECT_EQ(c.liveKeystrokes, 1u);
}

TEST(Keyboard, EachReleaseCountsByKeyTheExtendedFlagApart) {
  ActivityCounters c;
  c.counting = true;
  struct Event {
    uint32_t message, virtualKey;
    bool extended;
  };
  const Event events[] = {
      {msg::kKeyDown, 0x0D, false},  {msg::kKeyUp, 0x0D, false},  // the main Enter
      {msg::kKeyUp, 0x0D, true},     {msg::kKeyUp, 0x0D, true},   // the keypad's Enter, twice
      {msg::kSysKeyUp, 0x12, false},                              // Alt's release: not a keystroke
      {msg::kKeyUp, 0x141, false},                                // only the low byte is the key
  };
  for (const Event& e : events) OnKeyboardEvent(c, 0, e.message, 0, e.virtualKey, e.extended);
  EXPECT_EQ(c.keyCounts[0x00D], 1u);
  EXPECT_EQ(c.keyCounts[0x10D], 2u);
  EXPECT_EQ(c.keyCounts[0x012], 0u);
  EXPECT_EQ(c.keyCounts[0x041], 1u);
  EXPECT_EQ(c.liveKeystrokes, 4u);  // the keys' counts add up to the keystrokes
  c.counting = false;
  OnKeyboardEvent(c, 0, msg::kKeyUp, 0, 0x41, false);
  EXPECT_EQ(c.keyCounts[0x041], 1u);
}

TEST(ClickPlaces, EveryPressIsQueuedWithItsPointAndButtonAndNothingElse) {
  ActivityCounters c;
  c.counting = true;
  uint32_t tick = 0;
  auto times = [&] { return std::pair<uint32_t, uint32_t>{tick += 100, 500}; };
  OnMouseEvent(c, 0, msg::kLButtonDown, 0, times, 0, -5, 7);
  OnMouseEvent(c, 0, msg::kLButtonDown, 0, times, 0, -5, 7);  // a double click: still a press
  OnMouseEvent(c, 0, msg::kXButtonDown, 2, times, 0, 1900, 1000);
  OnMouseEvent(c, 0, msg::kMouseMove, 0, times, 0, 10, 10);
  OnMouseEvent(c, 0, msg::kMouseWheel, 0, times, 0, 10, 10);
  OnMouseEvent(c, 0, msg::kLButtonUp, 0, times, 0, 10, 10);
  c.counting = false;
  OnMouseEvent(c, 0, msg::kRButtonDown, 0, times, 0, 10, 10);
  std::vector<std::tuple<int32_t, int32_t, ClickButton>> taken;
  c.clicks.Drain([&](const ClickAt& a) { taken.emplace_back(a.x, a.y, a.button); });
  const std::vector<std::tuple<int32_t, int32_t, ClickButton>> expected = {
      {-5, 7, kLeftButton}, {-5, 7, kLeftButton}, {1900, 1000, kX2Button}};
  EXPECT_EQ(taken, expected);
  EXPECT_FALSE(c.clicks.Waiting());
}

TEST(ClickPlaces, AFullQueueDropsAndCountsInsteadOfWaitingAndTheTotalsStillCount) {
  ActivityCounters c;
  c.counting = true;
  uint32_t tick = 0;
  auto times = [&] { return std::pair<uint32_t, uint32_t>{tick += 1000, 500}; };
  for (uint32_t i = 0; i < ClickQueue::kSize + 3; ++i)
    OnMouseEvent(c, 0, msg::kRButtonDown, 0, times, 0, static_cast<int32_t>(i), 0);
  EXPECT_EQ(c.liveRight, ClickQueue::kSize + 3);
  EXPECT_EQ(c.clicks.dropped, 3u);
  int32_t next = 0;
  c.clicks.Drain([&](const ClickAt& a) { EXPECT_EQ(a.x, next++); });
  EXPECT_EQ(next, static_cast<int32_t>(ClickQueue::kSize));   // the oldest kept, in order
  OnMouseEvent(c, 0, msg::kRButtonDown, 0, times, 0, 77, 0);  // room again
  c.clicks.Drain([&](const ClickAt& a) { EXPECT_EQ(a.x, 77); });
}

TEST(LiveLayer, AResetMovesTheBaseAndTheHooksCountOnFromTheRawCount) {
  ActivityCounters c;
  c.liveKeystrokes = 40;
  c.histKeystrokes = 1000;
  c.ZeroLive();
  EXPECT_EQ(c.LiveValue(Counter::kKeystrokes), 0u);
  EXPECT_EQ(c.liveKeystrokes, 40u);  // the hooks' own count is never written by a reset
  c.counting = true;
  OnKeyboardEvent(c, 0, msg::kKeyUp);
  EXPECT_EQ(c.LiveValue(Counter::kKeystrokes), 1u);
  EXPECT_EQ(c.Total(Counter::kKeystrokes), 1001u);
  // The raw count wraps past 2^32 and the live layer still counts from its base.
  c.liveLeft = 0xFFFFFFFEu;
  c.ZeroLive();
  c.liveLeft = 3;
  EXPECT_EQ(c.LiveValue(Counter::kLeft), 5u);
}

}  // namespace
}  // namespace quillo
