// The input thread under a stall: a request the window stopped waiting for never takes effect
// later, so there is never a hook that nobody owns, nor a hook that was removed behind the
// window's back.
#include "win32/input_thread.h"

#include <gtest/gtest.h>

namespace quillo {
namespace {

// One key pressed and released through the system's input queue, as a keyboard would.
void PressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Waits until the hooks have had the chance to see what was sent.
void Settle(const ActivityCounters& c, uint32_t events) {
  for (int i = 0; i < 100 && c.keyEvents.load() < events; ++i) Sleep(20);
  Sleep(200);
}

class StalledInputThread : public ::testing::Test {
 protected:
  void SetUp() override {
    c.counting = true;
    ASSERT_TRUE(input.Start());
    thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, input.threadId());
    ASSERT_NE(thread, nullptr);
  }
  void TearDown() override {
    if (thread) CloseHandle(thread);
  }
  ActivityCounters c;
  InputThread input{c, 300};
  HANDLE thread = nullptr;
};

TEST_F(StalledInputThread, AnInstallTheCallerGaveUpOnLeavesNoSecondHook) {
  SuspendThread(thread);
  EXPECT_EQ(input.Install(HookKind::kKeyboard), 0);  // not answered in time
  ResumeThread(thread);
  const int64_t hook = input.Install(HookKind::kKeyboard);  // the watchdog tries again
  ASSERT_NE(hook, 0);
  PressKey('A');
  Settle(c, 2);
  EXPECT_EQ(c.liveKeystrokes.load(), 1u) << "one key must be counted once";
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));
}

TEST_F(StalledInputThread, ARemoveTheCallerGaveUpOnLeavesTheHookItStillKnows) {
  const int64_t hook = input.Install(HookKind::kKeyboard);
  ASSERT_NE(hook, 0);
  SuspendThread(thread);
  EXPECT_FALSE(input.Remove(HookKind::kKeyboard, hook));  // the window keeps the handle
  ResumeThread(thread);
  PressKey('B');
  Settle(c, 2);
  EXPECT_EQ(c.liveKeystrokes.load(), 1u) << "the hook the window still holds must still count";
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));
  const uint32_t seen = c.keyEvents.load();
  PressKey('C');
  Sleep(300);
  EXPECT_EQ(c.keyEvents.load(), seen);                   // and once removed, it is gone
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));  // a hook already gone is removed
}

}  // namespace
}  // namespace quillo
