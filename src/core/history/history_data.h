// The whole history as the History window looks at it: one record per day, read from the
// history's files (and the day in progress, which the program holds).
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/day_record.h"

namespace quillo {

struct HistoryData {
  // One record per day that had any use, the lines of one date added together.
  std::map<int32_t, DayRecord> days;
  // The damaged or cut-off lines that were skipped: "<file> line <n>: <the line's start>".
  std::vector<std::string> damaged;

  void Add(const DayRecord& r);
};

// What to read of the history: which parts of each day, and which days (from and to included).
struct HistoryRead {
  RecordParts parts = RecordParts::kAll;
  int32_t from = INT32_MIN, to = INT32_MAX;
  bool Takes(int32_t day) const { return day >= from && day <= to; }
};

// Adds every record line of one history file's text; the header is skipped, a line that is not a
// record is noted in `damaged` (named by `fileName` and its line number) and skipped; a line of a
// day outside the range is passed over unread.
void AddHistoryText(std::string_view text, std::string_view fileName, HistoryData& into,
                    const HistoryRead& read = {});

}  // namespace quillo
