// Days for the History window's tests: a date's day number, and a day with keystrokes (all typed
// in one hour) and one left click.
#pragma once

#include "core/history/day_record.h"
#include "core/util/datetime.h"

namespace quillo::history_days {

inline int32_t D(int year, int month, int day) {
  return DayNumber(year, month, day);
}

inline DayRecord Keys(int32_t day, uint64_t keys, int hour = 9) {
  DayRecord r;
  r.day = day;
  r.counts[static_cast<size_t>(Counter::kKeystrokes)] = keys;
  r.counts[static_cast<size_t>(Counter::kLeft)] = 1;
  r.hourKeystrokes[static_cast<size_t>(hour)] = keys;
  r.hourClicks[static_cast<size_t>(hour)] = 1;
  return r;
}

}  // namespace quillo::history_days
