// The input thread under a stall: a request the window stopped waiting for never takes effect
// later, so there is never a hook that nobody owns, nor a hook that was removed behind the
// window's back.
#include "win32/input_thread.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <future>
#include <thread>

namespace quillo {
namespace {

// The key sent after the keys a test judges: once it has passed, they have passed too.
constexpr WORD kMarker = 'M';

// One key pressed and released through the system's input queue, as a keyboard would.
void PressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Key releases seen by the witness, by virtual-key code.
std::array<std::atomic<uint32_t>, 256> g_witnessed{};

LRESULT CALLBACK WitnessProc(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HC_ACTION && (wp == WM_KEYUP || wp == WM_SYSKEYUP))
    ++g_witnessed[reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp)->vkCode & 0xFF];
  return CallNextHookEx(nullptr, code, wp, lp);
}

// A keyboard hook of the test's own, on a thread of its own. The system passes each key through
// the whole chain of hooks before the next key, so when the witness has seen a key, every hook
// (whether before or after it in the chain) is done with every key sent earlier.
class KeyWitness {
 public:
  KeyWitness() {
    std::promise<void> ready;
    thread_ = std::thread([this, &ready] {
      MSG m;
      PeekMessageW(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
      threadId_ = GetCurrentThreadId();
      hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, WitnessProc, GetModuleHandleW(nullptr), 0);
      ready.set_value();
      while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
      if (hook_) UnhookWindowsHookEx(hook_);
    });
    ready.get_future().wait();
  }
  ~KeyWitness() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  bool Installed() const { return hook_ != nullptr; }

  // Sends the marker and waits until the witness has seen it let go (false after a generous
  // deadline): the keys sent before it have then been through every hook.
  bool PassMarker() const {
    const uint32_t before = g_witnessed[kMarker].load();
    PressKey(kMarker);
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (g_witnessed[kMarker].load() == before) {
      if (GetTickCount64() > deadline) return false;
      Sleep(10);
    }
    return true;
  }

 private:
  std::thread thread_;
  DWORD threadId_ = 0;
  HHOOK hook_ = nullptr;
};

class StalledInputThread : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(witness.Installed());
    c.counting = true;
    ASSERT_TRUE(input.Start());
    thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, input.threadId());
    ASSERT_NE(thread, nullptr);
  }
  void TearDown() override {
    if (thread) CloseHandle(thread);
  }
  KeyWitness witness;
  ActivityCounters c;
  // The default time-out: the calls made while the thread is suspended time out whatever it is,
  // and those that must succeed get as long as they would in the program on a busy machine.
  InputThread input{c};
  HANDLE thread = nullptr;
};

TEST_F(StalledInputThread, AnInstallTheCallerGaveUpOnLeavesNoSecondHook) {
  SuspendThread(thread);
  EXPECT_EQ(input.Install(HookKind::kKeyboard), 0);  // not answered in time
  ResumeThread(thread);
  const int64_t hook = input.Install(HookKind::kKeyboard);  // the watchdog tries again
  ASSERT_NE(hook, 0);
  PressKey('A');
  ASSERT_TRUE(witness.PassMarker());
  EXPECT_EQ(c.keyCounts['A'].load(), 1u) << "one key must be counted once";
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));
}

TEST_F(StalledInputThread, ARemoveTheCallerGaveUpOnLeavesTheHookItStillKnows) {
  const int64_t hook = input.Install(HookKind::kKeyboard);
  ASSERT_NE(hook, 0);
  SuspendThread(thread);
  EXPECT_FALSE(input.Remove(HookKind::kKeyboard, hook));  // the window keeps the handle
  ResumeThread(thread);
  PressKey('B');
  ASSERT_TRUE(witness.PassMarker());
  EXPECT_EQ(c.keyCounts['B'].load(), 1u) << "the hook the window still holds must still count";
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));
  const uint32_t seen = c.keyEvents.load();
  PressKey('C');
  ASSERT_TRUE(witness.PassMarker());
  EXPECT_EQ(c.keyEvents.load(), seen);                   // and once removed, it is gone
  EXPECT_TRUE(input.Remove(HookKind::kKeyboard, hook));  // a hook already gone is removed
}

}  // namespace
}  // namespace quillo
