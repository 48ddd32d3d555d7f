// Reading a history file's lines into days.
#include "core/history/history_data.h"

namespace quillo {

void HistoryData::Add(const DayRecord& r) {
  if (r.Empty()) return;
  auto [it, added] = days.try_emplace(r.day, r);
  if (!added) it->second.Add(r);
}

void AddHistoryText(std::string_view text, std::string_view fileName, HistoryData& into,
                    const HistoryRead& read) {
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line == DayRecordHeader()) continue;
    if (const auto day = ParseIsoDate(line.substr(0, 10)); day && !read.Takes(*day)) continue;
    if (const auto r = ParseDayRecord(line, read.parts)) {
      into.Add(*r);
      continue;
    }
    constexpr size_t kShown = 40;
    into.damaged.push_back(std::string(fileName) + " line " + std::to_string(number) + ": " +
                           std::string(line.substr(0, kShown)) +
                           (line.size() > kShown ? "..." : ""));
  }
}

}  // namespace quillo
