// Opening the History window on ten years of history, as far as the core goes: the past file's
// text read into days, the window's view built, and its three charts described at a window's
// size; the whole history by day is the largest chart (one bar a day).
#include <benchmark/benchmark.h>

#include <string>

#include "core/history/click_map.h"
#include "core/history/history_layout.h"
#include "core/history/history_recorder.h"
#include "core/history/history_view.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

constexpr int kYears = 10;

// The history's files in memory: the past file holds ten years, a day with use in every one.
class TenYears : public HistoryFiles {
 public:
  explicit TenYears(int32_t today) {
    text_ = std::string(DayRecordHeader()) + "\r\n";
    for (int32_t day = today - kYears * 365 - 2; day < today; ++day) {
      DayRecord r;
      r.day = day;
      const uint64_t n = static_cast<uint64_t>(day % 97);
      r.counts = {4000 + 50 * n, 900 + n, 80, 4, 61, 340 + n, 2, 1};
      r.distance = 9135.25 + static_cast<double>(n);
      r.runningSeconds = 28800;
      r.idleSeconds = 3600;
      for (int h = 8; h < 18; ++h) {
        r.hourKeystrokes[static_cast<size_t>(h)] = 400 + 5 * n;
        r.hourClicks[static_cast<size_t>(h)] = 90 + n;
      }
      text_ += FormatDayRecord(r) + "\r\n";
    }
  }
  std::string Folder() override { return "memory\\"; }
  std::optional<std::string> Read(std::string_view name, std::string& text) override {
    text = name == kHistoryPastFile ? text_ : std::string();
    return std::nullopt;
  }
  std::optional<std::string> ReadTail(std::string_view, size_t, uint64_t& size,
                                      std::string& tail) override {
    size = 0;
    tail.clear();
    return std::nullopt;
  }
  std::optional<std::string> Append(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> Replace(std::string_view, std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::string> DeleteAll() override { return std::nullopt; }
  size_t bytes() const { return text_.size(); }

 private:
  std::string text_;
};

// A proportional font of about 7 pixels a letter, as the window's at 96 DPI.
ChartFont Font() {
  ChartFont f;
  f.height = 13;
  f.width = [](std::string_view t) { return static_cast<int>(t.size()) * 7; };
  return f;
}

// What opening does: read, build, lay out, describe the three charts once.
void Open(HistoryFiles& files, int32_t today, HistoryRange range, HistoryGrouping grouping) {
  HistoryRecorder reader(files);
  HistoryView view(reader.Load(), today, 14, {});
  view.SetRange(range);
  view.SetGrouping(grouping);
  const ChartFont font = Font();
  HistoryLayoutInput in;
  in.width = 992;
  in.height = 733;
  in.textWidth = font.width;
  in.measureLabel = "Measure:";
  in.totalsLabel = "Totals per:";
  in.rangeLabel = "Range:";
  in.saveText = "Save as CSV...";
  in.measureWidth = 140;
  in.groupingWidth = 50;
  in.rangeWidth = 120;
  in.calendarHeight = [&](int w) { return view.CalendarHeight(w, font); };
  const HistoryLayout l = LayOutHistoryWindow(in);
  for (const auto& [pane, r] :
       {std::pair{HistoryPane::kCalendar, l.calendar}, std::pair{HistoryPane::kBars, l.bars},
        std::pair{HistoryPane::kHours, l.hours}}) {
    const ChartPicture p = view.Picture(pane, r.right - r.left, r.bottom - r.top, font, false);
    benchmark::DoNotOptimize(p.items.data());
  }
}

void BM_OpenTenYears(benchmark::State& state) {
  const int32_t today = DayNumber(2026, 12, 10);
  TenYears files(today);
  const auto range = static_cast<HistoryRange>(state.range(0));
  const auto grouping = static_cast<HistoryGrouping>(state.range(1));
  for (auto _ : state) Open(files, today, range, grouping);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(files.bytes()));
}
// The window's first look (the last 30 days by day), and the largest: ten years by day.
BENCHMARK(BM_OpenTenYears)
    ->Args({static_cast<int>(HistoryRange::kLast30Days), static_cast<int>(HistoryGrouping::kDay)})
    ->Args({static_cast<int>(HistoryRange::kWhole), static_cast<int>(HistoryGrouping::kDay)})
    ->Unit(benchmark::kMillisecond);

// The live refresh every few seconds: the day in progress changed, the charts described anew.
void BM_RefreshToday(benchmark::State& state) {
  const int32_t today = DayNumber(2026, 12, 10);
  TenYears files(today);
  HistoryRecorder reader(files);
  HistoryView view(reader.Load(), today, 14, {});
  DayRecord r;
  r.day = today;
  const ChartFont font = Font();
  for (auto _ : state) {
    r.counts[0] += 1;
    r.hourKeystrokes[14] += 1;
    view.UpdateToday(r);
    for (HistoryPane pane : {HistoryPane::kCalendar, HistoryPane::kBars, HistoryPane::kHours})
      benchmark::DoNotOptimize(view.Picture(pane, 976, 240, font, false).items.data());
  }
}
BENCHMARK(BM_RefreshToday)->Unit(benchmark::kMicrosecond);

// The click map of ten years, all time and all buttons: every day's places summed into the
// monitors' grids, smoothed and drawn at a window's size. Each day has 1,500 clicked cells on two
// monitors (a busy day), and the main monitor changed resolution half-way.
void BM_ClickMapTenYears(benchmark::State& state) {
  const int32_t today = DayNumber(2026, 12, 10);
  HistoryData history;
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  for (int32_t day = today - kYears * 365; day <= today; ++day) {
    DayRecord r;
    r.day = day;
    const ScreenRect main = day < today - kYears * 365 / 2 ? ScreenRect{0, 0, 1920, 1080}
                                                           : ScreenRect{0, 0, 2560, 1440};
    const ScreenRect side{-1280, 0, 0, 1024};
    for (int i = 0; i < 1500; ++i) {
      const ScreenRect& m = i % 4 ? main : side;
      r.places.AddClick(m, static_cast<PlaceButton>(next(3)),
                        static_cast<int32_t>(next(CellColumns(m))),
                        static_cast<int32_t>(next(CellRows(m))), 1 + next(5));
    }
    history.Add(r);
  }
  ClickMapLook look;
  look.font = Font();
  for (auto _ : state) {
    const ClickMap map = SumClicks(history, ClickRangeSpan(ClickRange::kAllTime, today, 0, history),
                                   static_cast<ClickButtons>(state.range(0)));
    const ClickMapPicture p = DrawClickMap(map, 976, 600, look);
    benchmark::DoNotOptimize(p.pixels.data());
  }
}
BENCHMARK(BM_ClickMapTenYears)
    ->Arg(static_cast<int>(ClickButtons::kAll))
    ->Arg(static_cast<int>(ClickButtons::kLeft))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillo
