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

// Cells [first, first + count), leftmost first; count 0 for none.
struct CellSpan {
  int first = 0;
  int count = 0;
  friend bool operator==(const CellSpan&, const CellSpan&) = default;
};

// The cells a new layout shows differently from the last one, from the first that differs to the
// last: all that a changed text must repaint (a figure that counts up changes its last digits).
// Layouts of different lengths differ everywhere.
CellSpan ChangedCells(const Cells& before, const Cells& after);

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
