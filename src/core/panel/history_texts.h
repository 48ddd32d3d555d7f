// The History window's texts in the nine interface languages: its menu item and title, the
// choices of measure, grouping and range, the charts' words, the saved table's column names, and
// the month and weekday names its dates are written with.
#pragma once

#include <string>
#include <string_view>

namespace quillo {

// clang-format off
enum class HistoryText : int {
  menuItem, title,
  measure, keystrokes, clicks, left, right, middle, x1, x2, wheel, distance, activeTime,
  totalsPer, day, week, month,
  range, last30Days, last12Months, yearOf, wholeHistory,
  saveCsv, csvFiles, saveFailed,
  hoursOfDay, noHours, noUse,
  date, doubleClicks, idleTime,
  monthYear,
};
// clang-format on
inline constexpr int kHistoryTextCount = 32;

// One cell of the table (UTF-8). An index outside 0 … 8 reads the English column.
std::string_view HistoryWindowText(HistoryText row, int language);

// A month's name (1 = January), in full or abbreviated, and a weekday's abbreviation
// (0 = Monday … 6 = Sunday), in a language's own spelling.
std::string_view HistoryMonthName(int month, bool abbreviated, int language);
std::string_view HistoryWeekdayName(int weekday, int language);

// A text of the table with "{}" replaced by `value` ("Year {}" → "Year 2026").
std::string HistoryTextWith(HistoryText row, int language, std::string_view value);
// A month of a year as the language writes it ("December 2026", "diciembre de 2026").
std::string HistoryMonthYear(int month, int year, int language);

}  // namespace quillo
