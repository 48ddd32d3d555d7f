// Scan conversion of polygon lists into coverage masks, pixel for pixel as GDI builds a
// polygon region (CreatePolyPolygonRgn with ALTERNATE).
#pragma once

#include <cstdint>

#include "core/indicator/bitmap.h"
#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

// Pixel (x, y) is covered when the point (x, y) lies inside under the even-odd rule, a point on
// a left or top edge counting as inside and one on a right or bottom edge as outside. Several
// polygons in one call combine by parity, so overlapping parts cancel, as in one GDI region.
// `out` is reset to width x height; whatever lies outside the canvas is dropped.
void RasterizeEvenOdd(const Point* points, const std::int32_t* counts, int polygons, int width,
                      int height, CoverageMask& out);

inline void RasterizeEvenOdd(const Points& points, const Integers& counts, int width, int height,
                             CoverageMask& out) {
  RasterizeEvenOdd(points.data(), counts.data(), int(counts.size()), width, height, out);
}

inline void RasterizePolygon(const Point* points, int count, int width, int height,
                             CoverageMask& out) {
  const std::int32_t n = count;
  RasterizeEvenOdd(points, &n, 1, width, height, out);
}

}  // namespace quillo::indicator
