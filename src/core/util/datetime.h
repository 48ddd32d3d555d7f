// Moments as days since 30 December 1899 (local time, fraction = time of day), the convention
// every stored date and the log's day numbers use.
#pragma once

#include <cstdint>

namespace quillo {

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Whole days from 1899-12-30 to the given proleptic Gregorian date (negative before it).
int32_t DayNumber(int year, int month, int day);
// Inverse of DayNumber.
CivilDateTime CivilFromDayNumber(int32_t day);
// Moment for a civil date and time.
double EncodeDateTime(const CivilDateTime& t);
// Civil date and time of a moment, rounded to the millisecond.
CivilDateTime DecodeDateTime(double moment);
// The day number of a moment: its whole-day part (toward minus infinity for times before 1899).
int32_t DayOf(double moment);
// Whole seconds between two moments, truncated toward zero, as the unsigned 32-bit figure the
// counters hold (a negative span wraps, as the 32-bit arithmetic it stands for would).
uint32_t SecondsBetween(double from, double to);
// Whether a moment (as rounded to the millisecond) falls in the years 1900 to 9999, the dates
// that print as eight digits "YYYYMMDD". NaN and infinities do not.
bool HasFourDigitYear(double moment);

}  // namespace quillo
