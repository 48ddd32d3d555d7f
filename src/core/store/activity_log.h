// The daily activity log: where it lives, what a line holds, when the automatic line is due, and
// appending through the platform's file so that a failing disk is reported once, not every minute.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/counting/activity_counters.h"
#include "core/counting/sampler.h"
#include "core/panel/main_window_texts.h"
#include "core/store/log_format.h"

namespace quillo {

// The log is "Quillomat.log" in the "Quillomat" subfolder of the user's Documents folder.
inline constexpr std::string_view kLogSubfolder = "Quillomat";
inline constexpr std::string_view kLogFileName = "Quillomat.log";

// `folder` + "\" + `name` + "\" (no doubled separator when `folder` already ends in one): the
// text the Documents subfolder is known by. Creating the folder is the platform's part.
std::string SubfolderPath(std::string_view folder, std::string_view name);
// The log's full path from the subfolder's path (which ends in a separator).
std::string LogFilePath(std::string_view subfolderPath);

// The file that receives the log's lines. The platform opens, writes and closes it for every
// call, creating the Documents subfolder (and missing parents) first; nothing is held open.
class LogFile {
 public:
  virtual ~LogFile() = default;
  // Whether the file exists; an existing empty file exists.
  virtual bool Exists() = 0;
  // Appends `text` (UTF-8, lines ending in CR LF) at the end of the file, creating the file when
  // it is absent. nullopt when everything was written, otherwise why not.
  virtual std::optional<std::string> Append(std::string_view text) = 0;
};

struct LogWriteResult {
  bool written = false;
  std::optional<std::string> error;  // why the line was not written
  // Whether to show `error`: true only for the first failure since start or since a line was
  // last written, so a log that stays unwritable is reported once rather than every minute.
  bool report = false;
};

// Appends data lines, the header first when the file is new.
class ActivityLog {
 public:
  explicit ActivityLog(LogFile& file) : file_(file) {}

  // Writes one data line (without its line end). Never blocks the caller's other work: a
  // failure is returned, not thrown.
  LogWriteResult WriteLine(std::string_view dataLine);

  // The automatic line of start-up and of the minute timer: when DailyLineDue, builds the line
  // and writes it; once written, logdate takes the old measuredate and measuredate becomes
  // `today`. A failed write leaves both, so the next check tries again. Not due: nothing
  // happens and the result is neither written nor failed.
  LogWriteResult WriteDailyLine(bool logging, int32_t today, int32_t& measuredate, int32_t& logdate,
                                const std::function<std::string()>& makeLine);

 private:
  LogFile& file_;
  bool failing_ = false;  // the last attempt failed and was reported
};

// The day-change rule: a line is due when logging is on and today is after the last checked day.
constexpr bool DailyLineDue(bool logging, int32_t today, int32_t measuredate) {
  return logging && today > measuredate;
}
struct LogDays {
  int32_t logdate = 0, measuredate = 0;
  bool operator==(const LogDays&) const = default;
};
// The days after an automatic line was written.
constexpr LogDays DaysAfterDailyLine(int32_t measuredate, int32_t today) {
  return {measuredate, today};
}

// The figures of a line written at `now`: the distance is the total since the last reset, the
// counters the totals (stored plus live), the idle time as the panel last showed it. The running
// time is brought up to date as the sampler does it (liveRunSeconds, shownRunSeconds).
LogFigures CollectLogFigures(ActivityCounters& c, const SamplerSettings& s, double now,
                             const std::array<std::string, 12>& shortMonthNames,
                             const MainWindowTexts& texts);

}  // namespace quillo
