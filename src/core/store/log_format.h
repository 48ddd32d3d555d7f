// The activity log's text: the header and a data line built piece by piece from plain figures,
// in fixed-width columns that a longer value widens rather than cuts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/counting/activity_counters.h"
#include "core/counting/sampler.h"
#include "core/util/datetime.h"

namespace quillo {

// The first line of a new log (223 characters).
inline constexpr std::string_view kLogHeader =
    "       Date               days     hour      min      sec Distance 1   Distance 2   "
    "Distance 3    keystrokes       left      right     middle     double      wheel     x1 btn "
    "    x2 btn  idle days     hour      min      sec";
// Every line, the header included, ends so.
inline constexpr std::string_view kLogLineEnd = "\r\n";

// The width of a text as the log's columns count it: one per character of the 8-bit file, which
// is one per UTF-16 code unit of the text.
size_t LogWidth(std::string_view utf8);
// Right-aligned (spaces before) and left-aligned (spaces after) in `width`; never shortened.
std::string LogRight(std::string_view text, size_t width);
std::string LogLeft(std::string_view text, size_t width);

// "yyyy mmm dd hh:nn:ss" with the locale's abbreviated month name.
std::string LogDate(const CivilDateTime& when, std::string_view monthAbbreviation);
// "    0 days 23 hours   59 min   59 sec ": days, hours, minutes, seconds of `seconds`.
std::string LogTimeBlock(uint32_t seconds);
// The distance columns, from the leading space to the third unit word's fill (40 characters).
std::string LogDistance(const DistanceSplit& d, std::string_view unit1, std::string_view unit2,
                        std::string_view unit3);
// The eight counter columns in canonical order (87 characters), the first without a space
// before it.
std::string LogCounters(const std::array<uint32_t, kCounterCount>& totals);

// Everything one data line shows.
struct LogFigures {
  CivilDateTime when;                              // local date and time of writing
  std::string month;                               // the locale's abbreviated name of when.month
  uint32_t runSeconds = 0;                         // running-time block
  double distance = 0;                             // inches, the total since the last reset
  bool distmode = false;                           // metric
  std::string milestring, yardstring, inchstring;  // imperial unit words of the language
  std::array<uint32_t, kCounterCount> counters{};  // totals, canonical order
  uint32_t idleSeconds = 0;                        // idle-time block
};

// One data line without its line end: 224 characters when every value fits its column.
std::string LogLine(const LogFigures& f);

}  // namespace quillo
