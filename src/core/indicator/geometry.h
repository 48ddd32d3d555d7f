// Geometry of the segment indicator: cells, segment and dot shapes, frames, rotation and the
// window's size and shape. Every coordinate is cut or rounded exactly as written here, because
// the pictures must come out the same pixel for pixel.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "core/indicator/cell_layout.h"
#include "core/indicator/glyphs.h"
#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

// Nearest integer, ties to even (the default floating-point rounding mode).
inline int Round(double v) {
  return int(std::nearbyint(v));
}
// Towards zero.
inline int Trunc(double v) {
  return int(v);
}

// The window size that holds a picture of width x height turned by angle tenths of a degree.
Size BoundingSize(int width, int height, int angle);

// Turns points counter-clockwise on screen by angle tenths of a degree about (cx, cy): each point
// about the origin, rounded, then shifted by the rounded displacement of the centre.
void RotateAbout(Point* points, std::size_t count, int cx, int cy, int angle);
inline void RotateAbout(Points& points, int cx, int cy, int angle) {
  RotateAbout(points.data(), points.size(), cx, cy, angle);
}

// The margin between the picture's edge and the cells.
int CellInset(int gap, IABevelKind outer, int outerWidth, IABevelKind inner, int innerWidth);
// The size shared by all cells of a picture; leftover width stays empty at the right.
Size CellSize(int pictureWidth, int pictureHeight, int cells, int inset);

double SegmentThickness(IAIndicatorStyle style, bool widened, int cellWidth, int cellHeight);

struct DotSize {
  double w = 0;
  double h = 0;
  friend bool operator==(const DotSize&, const DotSize&) = default;
};
DotSize MatrixDotSize(IAIndicatorStyle style, bool widened, int cellWidth, int cellHeight);

// Everything a cell's shapes depend on; the same for every cell of one picture.
struct GlyphMetrics {
  IAIndicatorKind kind = IAIndicatorKind::ik7segment;
  int w = 0;
  int h = 0;
  double t = 0;  // segment thickness
  DotSize dot;   // matrix dot size
  friend bool operator==(const GlyphMetrics&, const GlyphMetrics&) = default;
};
GlyphMetrics MakeGlyphMetrics(IAIndicatorKind kind, IAIndicatorStyle style, bool widened,
                              int cellWidth, int cellHeight);

// Segment `segment` (1-10, see glyphs.h) relative to the cell's top-left corner: six vertices, or
// false when the kind has no such segment.
bool SegmentPolygon(const GlyphMetrics& m, int segment, std::array<Point, 6>& out);

// The dot at row 1-7, column 1-5 of a 5 x 7 cell, relative to the cell's top-left corner.
std::array<Point, 4> DotPolygon(const GlyphMetrics& m, int row, int column);

// Appends the cell's polygons, moved to (left, top), to the lit or the unlit list.
void BuildGlyph(const GlyphMetrics& m, int left, int top, const Cell& cell, Points& lit,
                Integers& litVertex, Points& unlit, Integers& unlitVertex);

// Octant 1-8 of the angle; frames take their light from it.
int Octant(int angle);

enum Band { kBandA, kBandB, kBandC, kBandD };  // top, left, bottom, right of the unrotated picture

// The four bands of a frame with the given inset and width, in the unrotated picture: band k is
// points [4k, 4k + 4).
std::array<Point, 16> FrameBands(int pictureWidth, int pictureHeight, int inset, int width);

// Paint order of the bands for an octant: the two facing the light, then the other two.
struct BandOrder {
  std::array<Band, 2> facing;
  std::array<Band, 2> averted;
};
BandOrder FrameBandOrder(int octant);

using Quad = std::array<Point, 4>;

// The window's shape: the picture's rotated rectangle, centred in the window.
Quad WindowShapeQuad(int pictureWidth, int pictureHeight, int angle, int controlWidth,
                     int controlHeight);

}  // namespace quillo::indicator
