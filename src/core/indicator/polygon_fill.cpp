// Even-odd scan conversion by crossing parity: every edge flips one pixel per row, a running
// XOR along the row then turns the flips into coverage.
#include "core/indicator/polygon_fill.h"

#include <algorithm>

namespace quillo::indicator {
namespace {

// Smallest integer >= num / den, den > 0.
inline std::int64_t CeilDiv(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  if (num % den > 0) ++q;
  return q;
}

}  // namespace

void RasterizeEvenOdd(const Point* points, const std::int32_t* counts, int polygons, int width,
                      int height, CoverageMask& out) {
  out.Reset(width, height);
  if (out.Width() == 0) return;
  width = out.Width();
  height = out.Height();
  int firstRow = height, lastRow = -1;
  int firstColumn = width, lastColumn = -1;
  bool beyondRight = false;  // a crossing right of the canvas: coverage may run to its edge

  // An edge owns the rows from its upper end up to, not including, its lower end; in each it
  // crosses at the first pixel column at or right of the exact intersection. Pairing such
  // crossings is what puts left edges inside and right edges outside.
  auto addEdge = [&](Point a, Point b) {
    if (a.y == b.y) return;
    if (a.y > b.y) std::swap(a, b);
    const std::int64_t dy = std::int64_t(b.y) - a.y;
    const std::int64_t dx = std::int64_t(b.x) - a.x;
    const int y0 = std::max(a.y, 0);
    const int y1 = std::min(b.y, height);
    if (y0 >= y1) return;
    firstRow = std::min(firstRow, y0);
    lastRow = std::max(lastRow, y1 - 1);
    std::int64_t num = std::int64_t(a.x) * dy + (std::int64_t(y0) - a.y) * dx;
    for (int y = y0; y < y1; ++y, num += dx) {
      std::int64_t column = CeilDiv(num, dy);
      if (column >= width) {
        beyondRight = true;
        continue;
      }
      if (column < 0) column = 0;
      out.MutableRow(y)[column] ^= 1;
      firstColumn = std::min(firstColumn, int(column));
      lastColumn = std::max(lastColumn, int(column));
    }
  };

  const Point* p = points;
  for (int i = 0; i < polygons; ++i) {
    const int n = std::max<std::int32_t>(counts[i], 0);
    for (int j = 0; j + 1 < n; ++j) addEdge(p[j], p[j + 1]);
    if (n >= 2) addEdge(p[n - 1], p[0]);
    p += n;
  }

  if (lastColumn < 0) return;
  const int right = beyondRight ? width : lastColumn;  // parity is back to 0 after the last flip
  for (int y = firstRow; y <= lastRow; ++y) {
    std::uint8_t* row = out.MutableRow(y);
    std::uint8_t inside = 0;
    for (int x = firstColumn; x < right; ++x) {
      inside ^= row[x];
      row[x] = inside;
    }
    if (right < width) row[right] = 0;  // the last flip, when it lies inside the canvas
  }
  out.Include({firstColumn, firstRow, right, lastRow + 1});
}

}  // namespace quillo::indicator
