// Days for the History window's tests: a date's day number, a day with keystrokes (all typed in
// one hour) and one left click; and a font whose text widths are known.
#pragma once

#include <string_view>

#include "core/history/day_record.h"
#include "core/history/history_chart.h"
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

// A font of fixed-width letters, as wide as `height` / 2 (UTF-8 bytes after the first of a
// character take no room).
inline ChartFont Font(int height) {
  ChartFont f;
  f.height = height;
  f.width = [height](std::string_view t) {
    int letters = 0;
    for (unsigned char c : t) letters += (c & 0xC0) != 0x80;
    return letters * height / 2;
  };
  return f;
}

}  // namespace quillo::history_days
