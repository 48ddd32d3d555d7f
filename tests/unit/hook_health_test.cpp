// The watchdog's test for a hook the system dropped: input went on, the hook saw none of it.
#include "core/app/hook_health.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

struct Step {
  uint32_t lastInput;
  std::pair<int32_t, int32_t> pointer;
  uint32_t keyEvents, keyTime, mouseEvents, mouseTime;
};

HealthReading Reading(const Step& s) {
  return {s.lastInput, s.pointer, {s.keyEvents, s.keyTime}, {s.mouseEvents, s.mouseTime}};
}

TEST(HookHealth, SuspectsOnlyAHookThatMissedInputThatWasItsOwn) {
  struct Case {
    const char* what;
    Step before, after;
    HookVerdict expect;
  } cases[] = {
      {"no input at all", {100, {5, 5}, 1, 90, 1, 80}, {100, {5, 5}, 1, 90, 1, 80}, {}},
      {"typing seen by the keyboard hook",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {5, 5}, 9, 6000, 1, 80},
       {}},
      {"moving seen by the mouse hook",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {50, 9}, 1, 90, 40, 6000},
       {}},
      {"typing while the keyboard hook is gone",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {5, 5}, 1, 90, 1, 80},
       {true, true}},
      {"typing after moving, the keyboard hook gone",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {50, 9}, 1, 90, 30, 3000},
       {true, false}},
      {"moving while the mouse hook is gone",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {50, 9}, 7, 4000, 1, 80},
       {false, true}},
      {"clicking after typing, the mouse hook gone",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {5, 5}, 7, 2000, 1, 80},
       {false, true}},
      // Typing with a live mouse hook that had nothing to see: nothing is suspect.
      {"only typing", {100, {5, 5}, 1, 90, 1, 80}, {6000, {5, 5}, 7, 5900, 1, 80}, {}},
      // The system's time and the event's may differ a little.
      {"the last key within the slack",
       {100, {5, 5}, 1, 90, 1, 80},
       {6000, {5, 5}, 7, 5200, 1, 80},
       {}},
      {"across the tick's wrap",
       {0xFFFFF000u, {5, 5}, 1, 0xFFFFEF00u, 1, 0xFFFFEF00u},
       {0x00000400u, {5, 5}, 9, 0x00000300u, 1, 0xFFFFEF00u},
       {}},
  };
  for (const Case& c : cases) {
    HookHealth health;
    EXPECT_EQ(health.Check(Reading(c.before)), HookVerdict{}) << c.what << ": first reading";
    const HookVerdict v = health.Check(Reading(c.after));
    EXPECT_EQ(v.keyboard, c.expect.keyboard) << c.what;
    EXPECT_EQ(v.mouse, c.expect.mouse) << c.what;
  }
}

TEST(HookHealth, NoLastInputTimeMeansNoVerdictAndForgetStartsAfresh) {
  HookHealth health;
  HealthReading r;
  r.lastInput = std::nullopt;
  EXPECT_EQ(health.Check(r), HookVerdict{});
  EXPECT_EQ(health.Check(r), HookVerdict{});
  r.lastInput = 100;
  health.Check(r);
  health.Forget();
  r.lastInput = 9000;  // input, and silence; but there is no earlier reading to compare with
  EXPECT_EQ(health.Check(r), HookVerdict{});
}

}  // namespace
}  // namespace quillo
