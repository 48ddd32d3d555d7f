// The two hot paths of counting: one hook event, and one 75 ms sample in which nothing changes.
#include <benchmark/benchmark.h>

#include "core/counting/input_classifier.h"
#include "core/counting/sampler.h"

namespace quillo {
namespace {

void BM_MouseClickEvent(benchmark::State& state) {
  ActivityCounters c;
  c.counting = true;
  uint32_t tick = 0;
  for (auto _ : state) {
    tick += 700;  // never a pair: the single-click path, the longer of the two
    OnMouseEvent(
        c, 0, msg::kLButtonDown, 0,
        [&] {
          return std::pair<uint32_t, uint32_t>{tick, 500};
        },
        0, 640, 480);
    // The UI thread's sample empties the queue of places; here it is emptied every time, so
    // that every press takes the path that stores it.
    c.clicks.tail.store(c.clicks.head.load(std::memory_order_relaxed), std::memory_order_relaxed);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(c.liveLeft.load());
}
BENCHMARK(BM_MouseClickEvent);

void BM_MouseMoveEvent(benchmark::State& state) {
  ActivityCounters c;
  c.counting = true;
  for (auto _ : state) {
    OnMouseEvent(
        c, 0, msg::kMouseMove, 0,
        [] {
          return std::pair<uint32_t, uint32_t>{0, 500};
        },
        0, 640, 480);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MouseMoveEvent);

void BM_KeyEvent(benchmark::State& state) {
  ActivityCounters c;
  c.counting = true;
  uint32_t message = msg::kKeyDown;
  uint32_t key = 0x41;
  for (auto _ : state) {
    message ^= (msg::kKeyDown ^ msg::kKeyUp);
    key = key == 0x5A ? 0x41 : key + 1;  // the letters in turn
    benchmark::DoNotOptimize(OnKeyboardEvent(c, 0, message, 0, key, false));
  }
}
BENCHMARK(BM_KeyEvent);

void BM_UnchangedSample(benchmark::State& state) {
  ActivityCounters c;
  c.screenDiagonal = ScreenDiagonal(1920, 1080);
  c.histKeystrokes = 123456;
  c.liveLeft = 4242;
  c.totalDistance = 98765.4;
  c.histIdleSeconds = 86400 * 3 + 1234;
  c.startTime = 46000.25;
  c.prevX = 640;
  c.prevY = 480;
  SamplerSettings s;
  s.distmode = true;
  SampleReadings r;
  r.pointer = std::pair{640, 480};
  r.idleSeconds = 2;
  r.now = 46000.5;
  PanelPresence presence;
  SampleView view;
  for (auto _ : state) {
    Sample(c, s, r, presence, view);
    benchmark::DoNotOptimize(view.leds[led4].text.data());
  }
}
BENCHMARK(BM_UnchangedSample);

}  // namespace
}  // namespace quillo
