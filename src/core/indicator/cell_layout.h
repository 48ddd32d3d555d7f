// How the indicator's text is spread over its digit cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

struct Cell {
  char16_t ch = u' ';
  bool point = false;  // light this cell's decimal point
  friend bool operator==(const Cell&, const Cell&) = default;
};
using Cells = std::vector<Cell>;


// The indicator works per UTF-16 code unit, so a character outside the Basic Multilingual Plane
// fills two (blank) cells; malformed UTF-8 yields U+FFFD per bad byte.
// Fills `cells` with exactly signNumber cells (leftmost first), the text right-aligned behind
// blanks and cut at the end when too long. In the segment kinds a "." or "," right after
// another character lights that character's decimal point instead of taking a cell.
void LayoutCells(std::string_view text, int signNumber, IAIndicatorKind kind, Cells& cells);

inline Cells LayoutCells(std::string_view text, int signNumber, IAIndicatorKind kind) {
  Cells cells;
  LayoutCells(text, signNumber, kind, cells);
  return cells;
}

}  // namespace quillo::indicator
