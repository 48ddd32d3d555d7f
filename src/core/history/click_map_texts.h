// The click map's own words in the nine interface languages: the choice of buttons and of range,
// the legend's two ends, and the words of its totals and hints.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillo {

// clang-format off
enum class ClickMapText : int {
  allButtons, left, right, middle, back, forward,
  day, week, month, year, allTime,
  fewer, more,
  monitorNumber, monitorsCount, labelValue, point, noClicks,
};
// clang-format on
inline constexpr int kClickMapTextCount = 18;

// One cell of the table (UTF-8). An index outside 0 … 8 reads the English column.
std::string_view ClickMapWindowText(ClickMapText row, int language);

// A text of the table with each "{}" replaced by the next of `values` ("Monitor {}" → "Monitor 2").
std::string ClickMapTextWith(ClickMapText row, int language,
                             std::initializer_list<std::string_view> values);

}  // namespace quillo
