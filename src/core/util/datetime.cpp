// Civil calendar <-> day-number conversions (Howard Hinnant's days-from-civil algorithm).
#include "core/util/datetime.h"

#include <cmath>

namespace quillo {
namespace {
// Day number of 1970-01-01 in the 1899-12-30 convention.
constexpr int64_t kUnixEpochDay = 25569;

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
}  // namespace

int32_t DayNumber(int year, int month, int day) {
  return static_cast<int32_t>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochDay);
}

CivilDateTime CivilFromDayNumber(int32_t dayNumber) {
  int64_t z = static_cast<int64_t>(dayNumber) - kUnixEpochDay + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  CivilDateTime t;
  t.year = static_cast<int>(y + (m <= 2));
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
  return t;
}

double EncodeDateTime(const CivilDateTime& t) {
  const double time =
      (t.hour * 3600000.0 + t.minute * 60000.0 + t.second * 1000.0 + t.millisecond) / 86400000.0;
  return DayNumber(t.year, t.month, t.day) + time;
}

CivilDateTime DecodeDateTime(double moment) {
  const int64_t ms = static_cast<int64_t>(std::llround(moment * 86400000.0));
  int64_t day = ms / 86400000;
  int64_t rest = ms % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --day;
  }
  CivilDateTime t = CivilFromDayNumber(static_cast<int32_t>(day));
  t.hour = static_cast<int>(rest / 3600000);
  t.minute = static_cast<int>(rest / 60000 % 60);
  t.second = static_cast<int>(rest / 1000 % 60);
  t.millisecond = static_cast<int>(rest % 1000);
  return t;
}

int32_t DayOf(double moment) {
  return static_cast<int32_t>(std::floor(moment));
}

uint32_t SecondsBetween(double from, double to) {
  // Moments carry the time of day as a binary fraction, so an exact span of whole seconds comes
  // out a hair short; settle it on the millisecond before dropping the fraction.
  const double ms = std::nearbyint((to - from) * 86400000.0);
  return static_cast<uint32_t>(static_cast<int64_t>(std::trunc(ms / 1000.0)));
}

bool HasFourDigitYear(double moment) {
  // Checked on the day numbers first, so that no far-off moment reaches the integer arithmetic.
  if (!(moment >= DayNumber(1900, 1, 1) - 1 && moment < DayNumber(10000, 1, 1) + 1)) return false;
  const int year = DecodeDateTime(moment).year;
  return year >= 1900 && year <= 9999;
}

}  // namespace quillo
