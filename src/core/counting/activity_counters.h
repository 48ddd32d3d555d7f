// The one record of everything the program counts: eight event counters in a stored and a live
// layer, distance, running and idle time, pointer positions and the hooks' click memory.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace quillo {

// The canonical order of the eight counters (log line, panel, store).
enum class Counter : int { kKeystrokes, kLeft, kRight, kMiddle, kDouble, kWheel, kX1, kX2 };
inline constexpr int kCounterCount = 8;
inline constexpr std::array<Counter, kCounterCount> kAllCounters = {
    Counter::kKeystrokes, Counter::kLeft,  Counter::kRight, Counter::kMiddle,
    Counter::kDouble,     Counter::kWheel, Counter::kX1,    Counter::kX2};

// Button codes of the click memory.
enum ClickButton : int {
  kNoButton = 0,
  kLeftButton,
  kRightButton,
  kMiddleButton,
  kX1Button,
  kX2Button
};

// One press of a button at a screen point, as the mouse hook hands it to the UI thread.
struct ClickAt {
  int32_t x = 0, y = 0;
  ClickButton button = kNoButton;
};

// Presses waiting for the UI thread to place them on a monitor. One writer (the input thread)
// and one reader (the UI thread, at every sample): a slot is written before the head moves past
// it and read before the tail does. When the reader falls a whole ring behind, presses are
// dropped (and counted) rather than made to wait.
struct ClickQueue {
  static constexpr uint32_t kSize = 256;
  std::array<ClickAt, kSize> slots{};
  std::atomic<uint32_t> head{0}, tail{0}, dropped{0};

  // Input thread.
  void Push(const ClickAt& click) {
    const uint32_t h = head.load(std::memory_order_relaxed);
    if (h - tail.load(std::memory_order_acquire) >= kSize) {
      dropped.store(dropped.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
      return;
    }
    slots[h % kSize] = click;
    head.store(h + 1, std::memory_order_release);
  }
  // UI thread: every press waiting, oldest first.
  template <typename Take>
  void Drain(Take&& take) {
    uint32_t t = tail.load(std::memory_order_relaxed);
    const uint32_t h = head.load(std::memory_order_acquire);
    for (; t != h; ++t) take(slots[t % kSize]);
    tail.store(t, std::memory_order_release);
  }
  bool Waiting() const {
    return head.load(std::memory_order_acquire) != tail.load(std::memory_order_relaxed);
  }
};

// A counter with one writer: a plain load and store, no locked instruction. Only the thread that
// owns the counter may call it.
inline void Bump(std::atomic<uint32_t>& counter, uint32_t by = 1) {
  counter.store(counter.load(std::memory_order_relaxed) + by, std::memory_order_relaxed);
}

// The hooks run on their own thread and are the only writers of the raw counters below; the UI
// thread reads them (relaxed atomics) and never writes them. A reset or an import on the UI
// thread moves the live layer's base to the raw count instead, so the hooks' increments need no
// locked instruction and none can be lost to a reset. The click memory belongs to the input
// thread alone; everything else to the UI thread.
struct ActivityCounters {
  // Raw counts since start-up, written by the input thread (never reset).
  std::atomic<uint32_t> liveKeystrokes{0}, liveLeft{0}, liveRight{0}, liveMiddle{0}, liveDouble{0},
      liveWheel{0}, liveX1{0}, liveX2{0};
  // Live layer = raw - base: counted since this start or the last reset. The bases belong to the
  // UI thread.
  std::array<uint32_t, kCounterCount> liveBase{};
  // Each key's releases since start-up by key (virtual-key code | 0x100 when extended), written
  // by the input thread; the history takes what they gained.
  std::array<std::atomic<uint32_t>, 512> keyCounts{};
  // Presses on their way to the history's places.
  ClickQueue clicks;
  // Stored layer: the totals as loaded at start-up (0 after a reset).
  uint32_t histKeystrokes = 0, histLeft = 0, histRight = 0, histMiddle = 0, histDouble = 0,
           histWheel = 0, histX1 = 0, histX2 = 0;

  // Distance in inches: total since the last reset; the loaded part; the last sample's step.
  double totalDistance = 0, histDistance = 0, stepDistance = 0;

  double startTime = 0;  // moment the current count began (start-up or last reset)
  uint32_t liveRunSeconds = 0, histRunSeconds = 0, shownRunSeconds = 0;

  uint32_t idleNow = 0, idlePrev = 0, idleRun = 0;
  uint32_t liveIdleSeconds = 0, histIdleSeconds = 0, shownIdleSeconds = 0;

  int32_t curX = 0, curY = 0, prevX = 0, prevY = 0;
  int32_t screenDiagonal = 0;
  // Whether prevX/prevY hold a real reading taken since start-up or since counting was switched
  // on. Until one arrives no step is measured: a failed query must not leave a stale or zero
  // origin for the next good one.
  bool pointerKnown = false;
  // The moment liveRunSeconds was last brought up to date; a paused panel shows the running time
  // as of then.
  double lastSampleMoment = 0;

  // Hook handles as numbers (0 = not installed); owned by the UI thread's bookkeeping.
  int64_t keyHook = 0, mouseHook = 0;
  // The hooks' signs of life, written by the callbacks whether or not counting is on: how many
  // events each has seen and the input time (ms tick) of the latest. The watchdog compares them
  // with the system's last-input time to notice a hook the system dropped without notice.
  std::atomic<uint32_t> keyEvents{0}, mouseEvents{0}, keyEventTime{0}, mouseEventTime{0};
  std::atomic<bool> counting{false};
  uint32_t lastClickTick = 0;
  int lastClickButton = kNoButton;

  int32_t logdate = 0;  // day number of the last day a log line was written for

  // The raw counter (the input thread's to write).
  inline std::atomic<uint32_t>& Live(Counter c);
  inline uint32_t LiveValue(Counter c) const;
  inline uint32_t& Hist(Counter c);
  inline uint32_t HistValue(Counter c) const;
  // stored + live, wrapping modulo 2^32.
  uint32_t Total(Counter c) const { return HistValue(c) + LiveValue(c); }
  // The figure the panel shows: the total when `sinceReset`, the live layer alone otherwise.
  uint32_t Figure(Counter c, bool sinceReset) const { return sinceReset ? Total(c) : LiveValue(c); }
  void ZeroLive();
  void ZeroHist();
};

namespace detail {
using LiveMember = std::atomic<uint32_t> ActivityCounters::*;
using HistMember = uint32_t ActivityCounters::*;
inline constexpr std::array<LiveMember, kCounterCount> kLiveMembers = {
    &ActivityCounters::liveKeystrokes, &ActivityCounters::liveLeft,   &ActivityCounters::liveRight,
    &ActivityCounters::liveMiddle,     &ActivityCounters::liveDouble, &ActivityCounters::liveWheel,
    &ActivityCounters::liveX1,         &ActivityCounters::liveX2};
inline constexpr std::array<HistMember, kCounterCount> kHistMembers = {
    &ActivityCounters::histKeystrokes, &ActivityCounters::histLeft,   &ActivityCounters::histRight,
    &ActivityCounters::histMiddle,     &ActivityCounters::histDouble, &ActivityCounters::histWheel,
    &ActivityCounters::histX1,         &ActivityCounters::histX2};
}  // namespace detail

std::atomic<uint32_t>& ActivityCounters::Live(Counter c) {
  return this->*detail::kLiveMembers[static_cast<int>(c)];
}
uint32_t ActivityCounters::LiveValue(Counter c) const {
  return (this->*detail::kLiveMembers[static_cast<int>(c)]).load(std::memory_order_relaxed) -
         liveBase[static_cast<int>(c)];
}
uint32_t& ActivityCounters::Hist(Counter c) {
  return this->*detail::kHistMembers[static_cast<int>(c)];
}
uint32_t ActivityCounters::HistValue(Counter c) const {
  return this->*detail::kHistMembers[static_cast<int>(c)];
}

}  // namespace quillo
