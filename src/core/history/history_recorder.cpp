// Folding the live layers into the day and hour in effect, closing days, and the two files.
#include "core/history/history_recorder.h"

#include <algorithm>
#include <cmath>

namespace quillo {
namespace {

constexpr std::array<Counter, 5> kButtons = {Counter::kLeft, Counter::kRight, Counter::kMiddle,
                                             Counter::kX1, Counter::kX2};
// A running or idle time that jumps by more than this between two folds comes from a clock set
// back before the start (the live figure wrapped), not from time spent.
constexpr uint32_t kLargestStepSeconds = 2 * 86400;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

int32_t DayOfHour(int64_t hourIndex) {
  return static_cast<int32_t>(FloorDiv(hourIndex, kHoursPerDay));
}

std::string HistoryText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The complete lines of the end of a file (a first line cut by the tail's start is left out).
std::vector<std::string> LastLines(std::string_view tail, bool wholeFile) {
  std::vector<std::string> lines;
  size_t start = 0;
  if (!wholeFile) {
    const size_t first = tail.find('\n');
    start = first == std::string_view::npos ? tail.size() : first + 1;
  }
  while (start < tail.size()) {
    const size_t end = tail.find('\n', start);
    if (end == std::string_view::npos) break;  // cut off: no line a day was written as
    std::string_view line = tail.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

LiveSnapshot LiveSnapshot::Of(const ActivityCounters& c) {
  LiveSnapshot s;
  for (Counter counter : kAllCounters)
    s.counts[static_cast<size_t>(counter)] = c.LiveValue(counter);
  s.distance = c.totalDistance - c.histDistance;
  s.runningSeconds = c.liveRunSeconds;
  s.idleSeconds = c.liveIdleSeconds;
  return s;
}

static_assert(std::tuple_size_v<decltype(ActivityCounters::keyCounts)> == kKeyIdCount);

static std::array<uint32_t, kKeyIdCount> RawKeyCounts(const ActivityCounters& c) {
  std::array<uint32_t, kKeyIdCount> counts;
  for (size_t k = 0; k < counts.size(); ++k)
    counts[k] = c.keyCounts[k].load(std::memory_order_relaxed);
  return counts;
}

int64_t HourIndex(double moment) {
  const double ms = std::nearbyint(moment * 86400000.0);
  if (!(std::fabs(ms) < 9e18)) return 0;
  return FloorDiv(static_cast<int64_t>(ms), 3600000);
}

void HistoryRecorder::Start(const ActivityCounters& c, double now) {
  running_ = true;
  last_ = LiveSnapshot::Of(c);
  lastKeys_ = RawKeyCounts(c);
  hour_ = HourIndex(now);
  today_ = DayRecord{};
  today_.day = DayOfHour(hour_);
  todayDirty_ = false;
  pending_.clear();
  pastEndsLine_ = false;

  std::string text;
  if (const auto error = files_.Read(kHistoryTodayFile, text)) {
    notes_.push_back("History: " + std::string(kHistoryTodayFile) + " cannot be read: " + *error);
    return;
  }
  // A day of today's file that is not today was closed: it belongs in the past file, unless a
  // kill came after it got there and before today's file lost it.
  uint64_t size = 0;
  std::string tail;
  // Enough for the last line of the past file to be one of today's file's lines, however long
  // a day's places made it.
  const size_t kTail = std::max<size_t>(16384, text.size() + 2);
  const bool tailRead = !files_.ReadTail(kHistoryPastFile, kTail, size, tail);
  const std::vector<std::string> written =
      tailRead ? LastLines(tail, size <= kTail) : std::vector<std::string>{};
  size_t number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line == DayRecordHeader()) continue;
    const auto r = ParseDayRecord(line);
    if (r && r->day == today_.day) {
      today_.Add(*r);
      continue;
    }
    // Either way today's file must let it go.
    todayDirty_ = true;
    if (std::find(written.begin(), written.end(), line) != written.end()) continue;
    if (!r)
      notes_.push_back(
          "History: line " + std::to_string(number) + " of " + std::string(kHistoryTodayFile) +
          " is no day record; it is kept at the end of " + std::string(kHistoryPastFile) + ".");
    pending_.push_back(line);
  }
}

void HistoryRecorder::Stop(const ActivityCounters& c, double now) {
  Fold(c, now);
  Persist();
  running_ = false;
}

void HistoryRecorder::Fold(const ActivityCounters& c, double now) {
  if (!running_) return;
  const LiveSnapshot s = LiveSnapshot::Of(c);
  const size_t hour = static_cast<size_t>(hour_ - FloorDiv(hour_, kHoursPerDay) * kHoursPerDay);
  bool gained = false;
  for (size_t i = 0; i < s.counts.size(); ++i) {
    const uint64_t d = static_cast<uint32_t>(s.counts[i] - last_.counts[i]);
    today_.counts[i] += d;
    gained |= d != 0;
  }
  const uint32_t keys = s.counts[static_cast<size_t>(Counter::kKeystrokes)] -
                        last_.counts[static_cast<size_t>(Counter::kKeystrokes)];
  uint64_t clicks = 0;
  for (Counter b : kButtons)
    clicks += static_cast<uint32_t>(s.counts[static_cast<size_t>(b)] -
                                    last_.counts[static_cast<size_t>(b)]);
  today_.hourKeystrokes[hour] += keys;
  today_.hourClicks[hour] += clicks;
  if (const double d = s.distance - last_.distance; d > 0) {
    today_.distance += d;
    gained = true;
  }
  if (const uint32_t d = s.runningSeconds - last_.runningSeconds; d <= kLargestStepSeconds) {
    today_.runningSeconds += d;
    gained |= d != 0;
  }
  if (const uint32_t d = s.idleSeconds - last_.idleSeconds; d <= kLargestStepSeconds) {
    today_.idleSeconds += d;
    gained |= d != 0;
  }
  last_ = s;
  for (size_t k = 0; k < lastKeys_.size(); ++k) {
    const uint32_t raw = c.keyCounts[k].load(std::memory_order_relaxed);
    if (raw == lastKeys_[k]) continue;
    today_.places.AddKey(static_cast<KeyId>(k), static_cast<uint32_t>(raw - lastKeys_[k]));
    lastKeys_[k] = raw;
    gained = true;
  }
  if (gained) todayDirty_ = true;

  hour_ = HourIndex(now);
  if (DayOfHour(hour_) != today_.day) {
    Close();
    today_ = DayRecord{};
    today_.day = DayOfHour(hour_);
  }
}

void HistoryRecorder::TakeClicks(ActivityCounters& c, const std::vector<ScreenRect>& monitors) {
  c.clicks.Drain([&](const ClickAt& click) {
    if (!running_ || click.button < kLeftButton || click.button > kX2Button) return;
    const auto cell = CellAt(monitors, click.x, click.y);
    if (!cell) return;
    today_.places.AddClick(monitors[cell->monitor],
                           static_cast<PlaceButton>(click.button - kLeftButton), cell->column,
                           cell->row);
    todayDirty_ = true;
  });
}

void HistoryRecorder::Close() {
  if (!today_.Empty()) pending_.push_back(FormatDayRecord(today_));
  todayDirty_ = true;
}

std::optional<std::string> HistoryRecorder::AppendPast(std::string text) {
  if (!pastEndsLine_) {
    uint64_t size = 0;
    std::string tail;
    if (const auto error = files_.ReadTail(kHistoryPastFile, 1, size, tail)) return error;
    // A new file gets its header; a line cut off by a crash stays a line of its own (skipped
    // when read), never glued to the next day's.
    if (size == 0)
      text = std::string(DayRecordHeader()) + "\r\n" + text;
    else if (tail != "\n")
      text = "\r\n" + text;
  }
  pastEndsLine_ = false;
  if (const auto error = files_.Append(kHistoryPastFile, text)) return error;
  pastEndsLine_ = true;
  return std::nullopt;
}

std::optional<std::string> HistoryRecorder::Persist() {
  if (!running_) return std::nullopt;
  std::vector<std::string> lines{std::string(DayRecordHeader())};
  if (!today_.Empty()) lines.push_back(FormatDayRecord(today_));
  if (!pending_.empty()) {
    // Today's file holds the closed days until the past file has them, so a kill in between
    // loses nothing: a start finds them there, or at the end of the past file.
    std::vector<std::string> withClosed{lines.front()};
    withClosed.insert(withClosed.end(), pending_.begin(), pending_.end());
    withClosed.insert(withClosed.end(), lines.begin() + 1, lines.end());
    if (const auto error = files_.Replace(kHistoryTodayFile, HistoryText(withClosed))) return error;
    if (const auto error = AppendPast(HistoryText(pending_))) return error;
    pending_.clear();
    todayDirty_ = true;
  }
  if (todayDirty_) {
    if (const auto error = files_.Replace(kHistoryTodayFile, HistoryText(lines))) return error;
    todayDirty_ = false;
  }
  return std::nullopt;
}

std::optional<std::string> HistoryRecorder::DeleteAll(const ActivityCounters& c, double now) {
  if (const auto error = files_.DeleteAll()) return error;
  last_ = LiveSnapshot::Of(c);
  lastKeys_ = RawKeyCounts(c);
  hour_ = HourIndex(now);
  today_ = DayRecord{};
  today_.day = DayOfHour(hour_);
  pending_.clear();
  todayDirty_ = false;
  pastEndsLine_ = false;
  return std::nullopt;
}

HistoryData HistoryRecorder::Load(const HistoryRead& read) {
  HistoryData h;
  std::string text;
  if (const auto error = files_.Read(kHistoryPastFile, text))
    h.damaged.push_back(std::string(kHistoryPastFile) + " cannot be read: " + *error);
  else
    AddHistoryText(text, kHistoryPastFile, h, read);
  if (!running_) {
    // Not kept now: the day last kept is in today's file.
    if (const auto error = files_.Read(kHistoryTodayFile, text))
      h.damaged.push_back(std::string(kHistoryTodayFile) + " cannot be read: " + *error);
    else
      AddHistoryText(text, kHistoryTodayFile, h, read);
    return h;
  }
  for (const std::string& line : pending_)
    if (const auto r = ParseDayRecord(line, read.parts); r && read.Takes(r->day)) h.Add(*r);
  if (read.Takes(today_.day)) h.Add(RecordWith(today_, read.parts));
  return h;
}

}  // namespace quillo
