// Cost of the segment indicator's hot paths: a picture rebuild, and the sampler's write of an
// unchanged figure (about 13 times a second for every indicator on the panel).
#include <benchmark/benchmark.h>

#include "core/indicator/liquid_indicator.h"
#include "core/panel/indicator_style.h"

namespace {

using namespace quillo::indicator;

// As the main panel creates it: 137 x 19, ten cells, isThin, no frames.
void StyleAsMainPanel(IAeverLiquidIndicator& c) {
  quillo::ApplyIndicatorStyle(c);
  c.SetSize(137, 19);
}

void BM_RebuildMainPanelIndicator(benchmark::State& state) {
  IAeverLiquidIndicator c;
  StyleAsMainPanel(c);
  c.SetIndicatorstring("1234567.89");
  for (auto _ : state) {
    c.RebuildImage();
    benchmark::DoNotOptimize(c.CanvasBitmap().Data());
  }
}
BENCHMARK(BM_RebuildMainPanelIndicator);

void BM_RebuildDefaultIndicatorWithFrames(benchmark::State& state) {
  IAeverLiquidIndicator c;  // 172 x 36, raised outer and sunken inner frame
  c.SetIndicatorstring("-1234.56");
  for (auto _ : state) {
    c.RebuildImage();
    benchmark::DoNotOptimize(c.CanvasBitmap().Data());
  }
}
BENCHMARK(BM_RebuildDefaultIndicatorWithFrames);

void BM_RebuildTurnedIndicator(benchmark::State& state) {
  IAeverLiquidIndicator c;
  c.Loaded();
  c.SetIndicatorAngle(300);
  c.SetIndicatorstring("-1234.56");
  for (auto _ : state) {
    c.RebuildImage();
    benchmark::DoNotOptimize(c.CanvasBitmap().Data());
  }
}
BENCHMARK(BM_RebuildTurnedIndicator);

void BM_WriteUnchangedText(benchmark::State& state) {
  IAeverLiquidIndicator c;
  StyleAsMainPanel(c);
  c.SetIndicatorstring("1234567");
  const std::string same = "1234567";
  const auto builds = c.RebuildCount();
  for (auto _ : state) {
    c.SetIndicatorstring(same);
    benchmark::ClobberMemory();
  }
  if (c.RebuildCount() != builds) state.SkipWithError("an unchanged write rebuilt the picture");
}
BENCHMARK(BM_WriteUnchangedText);

void BM_WriteChangedText(benchmark::State& state) {
  IAeverLiquidIndicator c;
  StyleAsMainPanel(c);
  const std::string texts[2] = {"1234567", "1234568"};
  int i = 0;
  for (auto _ : state) {
    c.SetIndicatorstring(texts[i ^= 1]);
    benchmark::DoNotOptimize(c.CanvasBitmap().Data());
  }
}
BENCHMARK(BM_WriteChangedText);

}  // namespace
