// Keeping the history while the program runs: what the live counters gained goes to the day and
// hour in effect, a day that ends is closed, and the files are written through a small platform
// interface: past days appended to "history.csv" and never rewritten, the day in progress in
// "today.csv", replaced as a whole (a temporary file renamed over it) by the minute timer and at
// every full save, so a kill or a power cut loses at most the last minute and never a whole day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/counting/activity_counters.h"
#include "core/history/history_data.h"

namespace quillo {

inline constexpr std::string_view kHistoryFolder = "History";  // under %LOCALAPPDATA%\Quillomat
inline constexpr std::string_view kHistoryPastFile = "history.csv";
inline constexpr std::string_view kHistoryTodayFile = "today.csv";

// The history's two files, opened and closed for every call; the folder is created as needed.
// Every call returns nullopt on success, otherwise why not.
class HistoryFiles {
 public:
  virtual ~HistoryFiles() = default;
  // The folder's full path, ending in a separator.
  virtual std::string Folder() = 0;
  // A whole file's bytes; a file that does not exist reads as empty text.
  virtual std::optional<std::string> Read(std::string_view name, std::string& text) = 0;
  // The size of a file (0 when it does not exist) and its last `maxBytes` bytes.
  virtual std::optional<std::string> ReadTail(std::string_view name, size_t maxBytes,
                                              uint64_t& size, std::string& tail) = 0;
  // Appends to a file, creating it when it does not exist.
  virtual std::optional<std::string> Append(std::string_view name, std::string_view text) = 0;
  // Puts `text` in place of a file as a whole: if anything fails, the file stays as it was.
  virtual std::optional<std::string> Replace(std::string_view name, std::string_view text) = 0;
  // Deletes both files (a file that does not exist is no failure).
  virtual std::optional<std::string> DeleteAll() = 0;
};

// The live layers of the counters at one moment: the history takes what they gained.
struct LiveSnapshot {
  std::array<uint32_t, kCounterCount> counts{};
  double distance = 0;  // inches since the live layer began
  uint32_t runningSeconds = 0, idleSeconds = 0;
  static LiveSnapshot Of(const ActivityCounters& c);
};

// The hour a moment falls in, counted from day 0 (rounded to the millisecond, as dates are).
int64_t HourIndex(double moment);

class HistoryRecorder {
 public:
  explicit HistoryRecorder(HistoryFiles& files) : files_(files) {}

  // Start-up, or switched on: picks up today's file (a day in it that is not today is closed:
  // appended to the past unless it is there already) and counts from the live layers as they
  // are. Lines that are no record are kept (appended to the past file as they are) and noted.
  void Start(const ActivityCounters& c, double now);
  // Switched off: what was counted until now is written first; then nothing more is kept.
  void Stop(const ActivityCounters& c, double now);
  bool running() const { return running_; }

  // What the live layers gained since the last fold goes to the day and hour in effect; then the
  // day and hour of `now` are. A later day (or an earlier one: a clock set back) closes the day.
  void Fold(const ActivityCounters& c, double now);
  // The sampler's cheap look at the clock: folds only when the hour changed.
  void FoldIfHourChanged(const ActivityCounters& c, double now) {
    if (running_ && HourIndex(now) != hour_) Fold(c, now);
  }
  // The presses waiting in the counters' queue go to the day in effect, each in its cell of the
  // monitor that holds its point (`monitors`: the screen rectangles of the monitors now); a press
  // outside every monitor counts in the totals only. Not running, they are let go.
  void TakeClicks(ActivityCounters& c, const std::vector<ScreenRect>& monitors);
  // The live layers were zeroed (a reset, an import), after a Fold: the next counts from zero.
  void LiveZeroed() { last_ = LiveSnapshot{}; }

  // Closed days appended to the past file, then the day in progress written, when it changed.
  // nullopt when all that was due is written; otherwise the first failure (what is not written
  // stays due and is tried again next time).
  std::optional<std::string> Persist();
  // Deletes both files; the day in progress starts again from nothing.
  std::optional<std::string> DeleteAll(const ActivityCounters& c, double now);

  // The day in progress, as of the last fold.
  const DayRecord& today() const { return today_; }
  // The whole history as of the last fold: the past file read afresh, the days closed but not
  // yet written, and the day in progress (while not running: today's file as it was left).
  HistoryData Load(const HistoryRead& read = {});
  // Notes for the debug text (damaged lines found and kept): taken once.
  std::vector<std::string> TakeNotes() { return std::move(notes_); }

 private:
  void Close();
  std::optional<std::string> AppendPast(std::string text);

  HistoryFiles& files_;
  bool running_ = false;
  LiveSnapshot last_;
  std::array<uint32_t, kKeyIdCount> lastKeys_{};  // the raw count of each key at the last fold
  int64_t hour_ = 0;
  DayRecord today_;
  bool todayDirty_ = false;
  std::vector<std::string> pending_;  // lines due in the past file
  bool pastEndsLine_ = false;         // known to end in a line end (and have its header)
  std::vector<std::string> notes_;
};

}  // namespace quillo
