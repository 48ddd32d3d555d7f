// The history as a CSV table.
#include "core/history/history_csv.h"

#include <vector>

#include "core/history/history_measure.h"
#include "core/panel/history_texts.h"
#include "core/panel/main_window_texts.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

constexpr double kInchesPerKilometre = 100000 / 2.54;
constexpr double kInchesPerMile = 63360;

// A field as CSV writes it: in quotes (its own doubled) when it holds the separator, a quote or a
// line end.
std::string Field(const std::string& text, const std::string& separator) {
  if (text.find(separator) == std::string::npos &&
      text.find_first_of("\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string HistoryCsv(const HistoryData& history, const CsvStyle& style) {
  std::string sep = style.listSeparator.empty() ? "," : style.listSeparator;
  if (sep == std::string(1, style.decimal)) sep = style.decimal == ';' ? "," : ";";
  const int l = style.language;
  auto word = [l](HistoryText row) { return std::string(HistoryWindowText(row, l)); };
  const std::string distanceUnit =
      style.metric ? "km" : std::string(MainWindowText(MainText::milestring, l));
  const std::vector<std::string> header = {word(HistoryText::date),
                                           word(HistoryText::keystrokes),
                                           word(HistoryText::clicks),
                                           word(HistoryText::left),
                                           word(HistoryText::right),
                                           word(HistoryText::middle),
                                           word(HistoryText::x1),
                                           word(HistoryText::x2),
                                           word(HistoryText::doubleClicks),
                                           word(HistoryText::wheel),
                                           word(HistoryText::distance) + " (" + distanceUnit + ")",
                                           word(HistoryText::activeTime) + " (h)",
                                           word(HistoryText::idleTime) + " (h)"};

  std::string out = "\xEF\xBB\xBF";  // the byte-order mark
  auto row = [&out, &sep](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += sep;
      out += Field(fields[i], sep);
    }
    out += "\r\n";
  };
  row(header);
  const double perDistanceUnit = style.metric ? kInchesPerKilometre : kInchesPerMile;
  for (const auto& [day, record] : history.days) {
    // A lambda may not capture a structured binding in clang before 16.
    const DayRecord& r = record;
    auto count = [&r](Counter c) { return std::to_string(r.Count(c)); };
    row({IsoDate(day), count(Counter::kKeystrokes), std::to_string(r.Clicks()),
         count(Counter::kLeft), count(Counter::kRight), count(Counter::kMiddle),
         count(Counter::kX1), count(Counter::kX2), count(Counter::kDouble), count(Counter::kWheel),
         FloatToStrFixed(r.distance / perDistanceUnit, 3, style.decimal),
         FloatToStrFixed(static_cast<double>(r.runningSeconds) / 3600, 3, style.decimal),
         FloatToStrFixed(static_cast<double>(r.idleSeconds) / 3600, 3, style.decimal)});
  }
  return out;
}

}  // namespace quillo
