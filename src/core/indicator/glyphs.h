// Which segments or dots each character lights, for the three glyph kinds of the indicator.
#pragma once

#include <array>
#include <cstdint>

#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

// Bit i-1 set = segment i lit, segments numbered as in SegmentPolygon.
using SegmentPattern = std::uint16_t;

// The seven-segment pattern (segments 1-7) of a character; case-sensitive, 0 when unknown.
SegmentPattern SevenSegmentPattern(char16_t ch);
// The nine-segment pattern (segments 1-9): the seven-segment one, plus the colon's two dots.
SegmentPattern NineSegmentPattern(char16_t ch);

// The decimal point's segment number for a segment kind: 8 for ik7segment, 10 for ik9segment.
constexpr int DecimalPointSegment(IAIndicatorKind kind) {
  return kind == IAIndicatorKind::ik9segment ? 10 : 8;
}
constexpr int SegmentCount(IAIndicatorKind kind) {
  return DecimalPointSegment(kind);
}

// A cell's segments, decimal point included: only the point for "." and ",".
SegmentPattern CellPattern(IAIndicatorKind kind, char16_t ch, bool point);

// The 5 x 7 glyph of a character: rows top first, bit 4 the leftmost dot. All dark outside
// the printable ASCII range, for the blank and for the grave accent.
using MatrixGlyph = std::array<std::uint8_t, 7>;
const MatrixGlyph& MatrixGlyphOf(char16_t ch);

}  // namespace quillo::indicator
