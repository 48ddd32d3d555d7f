// Formatting of the activity log's lines.
#include "core/store/log_format.h"

#include <cstdio>

namespace quillo {

size_t LogWidth(std::string_view utf8) {
  size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += (c >= 0xF0) ? 2 : 1;      // beyond the BMP: a surrogate pair
  }
  return units;
}

namespace {

void AppendRight(std::string& out, std::string_view text, size_t width) {
  const size_t w = LogWidth(text);
  if (w < width) out.append(width - w, ' ');
  out.append(text);
}

void AppendLeft(std::string& out, std::string_view text, size_t width) {
  const size_t w = LogWidth(text);
  out.append(text);
  if (w < width) out.append(width - w, ' ');
}

}  // namespace

std::string LogRight(std::string_view text, size_t width) {
  std::string out;
  AppendRight(out, text, width);
  return out;
}

std::string LogLeft(std::string_view text, size_t width) {
  std::string out;
  AppendLeft(out, text, width);
  return out;
}

std::string LogDate(const CivilDateTime& when, std::string_view monthAbbreviation) {
  char year[16], rest[32];
  std::snprintf(year, sizeof year, "%04d ", when.year);
  std::snprintf(rest, sizeof rest, " %02d %02d:%02d:%02d", when.day, when.hour, when.minute,
                when.second);
  std::string out = year;
  out.append(monthAbbreviation);
  out.append(rest);
  return out;
}

std::string LogTimeBlock(uint32_t seconds) {
  std::string out;
  AppendRight(out, std::to_string(seconds / 86400), 5);
  out.append(" days ");
  AppendRight(out, std::to_string(seconds / 3600 % 24), 2);
  out.append(" hours ");
  AppendRight(out, std::to_string(seconds / 60 % 60), 4);
  out.append(" min ");
  AppendRight(out, std::to_string(seconds % 60), 4);
  out.append(" sec ");
  return out;
}

std::string LogDistance(const DistanceSplit& d, std::string_view unit1, std::string_view unit2,
                        std::string_view unit3) {
  std::string out = " ";
  AppendRight(out, std::to_string(d.big), 6);
  out += ' ';
  AppendLeft(out, unit1, 6);
  out += ' ';
  AppendRight(out, std::to_string(d.middle), 6);
  out += ' ';
  AppendLeft(out, unit2, 6);
  out += ' ';
  AppendRight(out, std::to_string(d.small), 4);
  out += ' ';
  AppendLeft(out, unit3, 6);
  return out;
}

std::string LogCounters(const std::array<uint32_t, kCounterCount>& totals) {
  std::string out;
  for (size_t i = 0; i < totals.size(); ++i) {
    if (i > 0) out += ' ';
    AppendRight(out, std::to_string(totals[i]), 10);
  }
  return out;
}

std::string LogLine(const LogFigures& f) {
  const DistanceSplit d = SplitDistance(f.distance, f.distmode);
  std::string line = LogDate(f.when, f.month) + LogTimeBlock(f.runSeconds);
  if (f.distmode)
    line += LogDistance(d, "km", "m", "cm");
  else
    line += LogDistance(d, f.milestring, f.yardstring, f.inchstring);
  line += LogCounters(f.counters);
  line += ' ';
  line += LogTimeBlock(f.idleSeconds);
  return line;
}

}  // namespace quillo
