// Text-to-cell layout of the segment indicator.
#include "core/indicator/cell_layout.h"

#include <algorithm>
#include <cstdint>

#include "core/util/utf.h"

namespace quillo::indicator {

void LayoutCells(std::string_view text, int signNumber, IAIndicatorKind kind, Cells& cells) {
  const std::size_t n = std::size_t(std::max(signNumber, 0));
  cells.clear();
  thread_local std::u16string units;
  units.clear();
  AppendUtf16Units(text, units);

  const auto isPoint = [](char16_t c) { return c == u'.' || c == u','; };
  const bool joinPoints = kind != IAIndicatorKind::ik5x7matrix;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t c = units[i];
    // A point straight after a character belongs to that character's cell, even when that
    // cell is the last one shown.
    if (joinPoints && isPoint(c) && i > 0 && !isPoint(units[i - 1]) && !cells.empty()) {
      cells.back().point = true;
      continue;
    }
    if (cells.size() == n) break;
    cells.push_back({c, false});
  }
  cells.insert(cells.begin(), n - cells.size(), Cell{});
}

CellSpan ChangedCells(const Cells& before, const Cells& after) {
  if (before.size() != after.size()) return {0, int(after.size())};
  int first = 0, last = int(after.size());
  while (first < last && before[first] == after[first]) ++first;
  while (last > first && before[last - 1] == after[last - 1]) --last;
  return first == last ? CellSpan{} : CellSpan{first, last - first};
}

}  // namespace quillo::indicator
