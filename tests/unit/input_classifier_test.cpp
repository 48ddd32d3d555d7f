// Counting of hook events: clicks, double-click pairing, wheel, keys, counting off.
#include "core/counting/input_classifier.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quillo
