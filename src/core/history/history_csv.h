// "Save as CSV...": the whole history as a table a spreadsheet opens as it is, one row a day with
// every measure, written with the user's list separator and decimal separator.
#pragma once

#include <string>

#include "core/history/history_data.h"

namespace quillo {

struct CsvStyle {
  std::string listSeparator = ",";  // the user's list separator
  char decimal = '.';               // the user's decimal separator
  bool metric = true;               // distance in km, else in miles
  int language = 0;                 // the header's words
};

// The table: a header row, then one row per day of the history, oldest first, as UTF-8 with a
// byte-order mark (so that a spreadsheet reads the header's accents) and CR LF line ends. The date
// is YYYY-MM-DD; the distance has three decimals, the times (in hours) three. A list separator
// that is the decimal separator too would cut the numbers apart: then ";" separates.
std::string HistoryCsv(const HistoryData& history, const CsvStyle& style);

}  // namespace quillo
