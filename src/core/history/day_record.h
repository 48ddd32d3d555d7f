// One day of the history: what was counted on one local calendar day, and the line of text that
// keeps it. The files are plain comma-separated text that a person or a spreadsheet can read:
//
//   date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,running_seconds,
//   idle_seconds,keys_00,…,keys_23,clicks_00,…,clicks_23,keys,clicks
//   2026-12-10,5123,1200,80,4,0,0,61,340,9135.250,28800,3600,0,…,041=120 00D=31,0 0 1920 1080
//   L12.40=3
//
// one line per day (the first line is that header), the date as YYYY-MM-DD, whole numbers in
// decimal, the distance in inches with a dot and three decimals, then the keystrokes and the
// clicks (of all five buttons) of each hour of the day, 00 to 23, and last the count of each key
// and of each place clicked (day_places.h describes those two fields; lines written before they
// existed end after the hours and are read as days without them). Lines end in CR LF (LF alone is
// read too). A date may appear on more than one line (a clock set back adds to the day it names):
// its lines are added together.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/counting/activity_counters.h"
#include "core/history/day_places.h"

namespace quillo {

inline constexpr int kHoursPerDay = 24;

struct DayRecord {
  int32_t day = 0;  // day number: days since 1899-12-30
  // The eight counters, indexed by Counter (keystrokes, left, right, middle, double, wheel, x1,
  // x2). Wider than the totals: several lines of one date are added together.
  std::array<uint64_t, kCounterCount> counts{};
  double distance = 0;  // inches
  uint64_t runningSeconds = 0, idleSeconds = 0;
  std::array<uint64_t, kHoursPerDay> hourKeystrokes{}, hourClicks{};
  // Each key's releases and each place's presses.
  DayPlaces places;

  uint64_t Count(Counter c) const { return counts[static_cast<size_t>(c)]; }
  // Presses of the five buttons (a double click is two presses of the left one, counted there).
  uint64_t Clicks() const;
  // Nothing was counted, travelled or run: a day with no use has no record.
  bool Empty() const;
  // Adds another record's figures (of any day) to this one's.
  void Add(const DayRecord& other);
  bool operator==(const DayRecord&) const = default;
};

// The first line of every history file.
std::string_view DayRecordHeader();
// The record's line, without its line end.
std::string FormatDayRecord(const DayRecord& r);
// What of a line is read: the charts of many years need the counts (and the keyboard the keys),
// and are read faster and held smaller without the places, which only the click map needs.
enum class RecordParts { kCounts, kCountsAndKeys, kAll };
// A line's record; nothing for a line that is not one (damaged, cut off, the header). The parts
// left out are not checked either.
std::optional<DayRecord> ParseDayRecord(std::string_view line,
                                        RecordParts parts = RecordParts::kAll);
// The record without the parts that `parts` leaves out.
DayRecord RecordWith(DayRecord r, RecordParts parts);

// "YYYY-MM-DD" of a day number, and back (nothing for a text that is not a real date).
std::string IsoDate(int32_t day);
std::optional<int32_t> ParseIsoDate(std::string_view text);

}  // namespace quillo
