// Writing the activity log through the platform's file.
#include "core/store/activity_log.h"

namespace quillo {

std::string SubfolderPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
  path += name;
  path += '\\';
  return path;
}

std::string LogFilePath(std::string_view subfolderPath) {
  std::string path(subfolderPath);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += kLogFileName;
  return path;
}

LogWriteResult ActivityLog::WriteLine(std::string_view dataLine) {
  std::string text;
  if (!file_.Exists()) {
    text += kLogHeader;
    text += kLogLineEnd;
  }
  text += dataLine;
  text += kLogLineEnd;

  LogWriteResult result;
  result.error = file_.Append(text);
  result.written = !result.error;
  if (result.error && result.error->empty()) result.error = "the log file could not be written";
  result.report = result.error && !failing_;
  failing_ = result.error.has_value();
  return result;
}

LogWriteResult ActivityLog::WriteDailyLine(bool logging, int32_t today, int32_t& measuredate,
                                           int32_t& logdate,
                                           const std::function<std::string()>& makeLine) {
  if (!DailyLineDue(logging, today, measuredate)) return {};
  LogWriteResult result = WriteLine(makeLine());
  if (result.written) {
    const LogDays days = DaysAfterDailyLine(measuredate, today);
    logdate = days.logdate;
    measuredate = days.measuredate;
  }
  return result;
}

LogFigures CollectLogFigures(ActivityCounters& c, const SamplerSettings& s, double now,
                             const std::array<std::string, 12>& shortMonthNames,
                             const MainWindowTexts& texts) {
  LogFigures f;
  f.when = DecodeDateTime(now);
  f.month = shortMonthNames[static_cast<size_t>(f.when.month - 1)];
  UpdateLiveRunSeconds(c, now);
  c.shownRunSeconds = ShownRunSeconds(c, s, now);
  f.runSeconds = c.shownRunSeconds;
  f.distance = c.totalDistance;
  f.distmode = s.distmode;
  f.milestring = texts.milestring;
  f.yardstring = texts.yardstring;
  f.inchstring = texts.inchstring;
  for (size_t i = 0; i < kAllCounters.size(); ++i) f.counters[i] = c.Total(kAllCounters[i]);
  f.idleSeconds = c.shownIdleSeconds;
  return f;
}

}  // namespace quillo
