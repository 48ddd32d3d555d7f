// Geometry of the segment indicator.
#include "core/indicator/geometry.h"

#include <algorithm>
#include <cstdint>
#include <numbers>

namespace quillo::indicator {
namespace {

constexpr double kPi = std::numbers::pi;

double Radians(int angle) {
  return double(angle) * kPi / 1800.0;
}

// Direction of (x, y) seen on screen (y downwards) plus the turn, as the rotation defines it.
double TurnedDirection(double turn, int x, int y) {
  if (x != 0) return turn + std::atan2(-double(y), double(x));
  return y <= 0 ? turn + kPi / 2 : turn - kPi / 2;
}

double Hypot(int x, int y) {
  // Summed in 64 bits: in 32 bits the squares overflow beyond 46340 pixels.
  return std::sqrt(double(std::int64_t(x) * x + std::int64_t(y) * y));
}

}  // namespace

Size BoundingSize(int width, int height, int angle) {
  const double th = Radians(angle);
  const double c = std::cos(th), s = std::sin(th);
  return {Round(std::abs(width * c) + std::abs(height * s)),
          Round(std::abs(width * s) + std::abs(height * c))};
}

void RotateAbout(Point* points, std::size_t count, int cx, int cy, int angle) {
  // Quarter turns map whole pixels to whole pixels; the general formula gives the same values
  // within far less than half a pixel, so these shortcuts change no result, only the cost.
  switch (((angle % 3600) + 3600) % 3600) {
    case 0:
      return;
    case 900:
      for (std::size_t i = 0; i < count; ++i)
        points[i] = {points[i].y + cx - cy, -points[i].x + cy + cx};
      return;
    case 1800:
      for (std::size_t i = 0; i < count; ++i)
        points[i] = {-points[i].x + 2 * cx, -points[i].y + 2 * cy};
      return;
    case 2700:
      for (std::size_t i = 0; i < count; ++i)
        points[i] = {-points[i].y + cx + cy, points[i].x + cy - cx};
      return;
    default:
      break;
  }
  const double turn = Radians(angle);
  int shiftX = 0, shiftY = 0;
  const double R = Hypot(cx, cy);
  if (Round(R) != 0) {
    const double psi = TurnedDirection(turn, cx, cy);
    shiftX = Round(cx - R * std::cos(psi));
    shiftY = Round(cy + R * std::sin(psi));
  }
  for (std::size_t i = 0; i < count; ++i) {
    Point& p = points[i];
    const double r = Hypot(p.x, p.y);
    if (Round(r) != 0) {
      const double phi = TurnedDirection(turn, p.x, p.y);
      p = {Round(r * std::cos(phi)), -Round(r * std::sin(phi))};
    }
    p.x += shiftX;
    p.y += shiftY;
  }
}

int CellInset(int gap, IABevelKind outer, int outerWidth, IABevelKind inner, int innerWidth) {
  int e = gap;
  if (outer != IABevelKind::bkNone) e += outerWidth;
  if (inner != IABevelKind::bkNone) e += innerWidth;
  return e;
}

Size CellSize(int pictureWidth, int pictureHeight, int cells, int inset) {
  int h = pictureHeight - 2 * inset;
  if (h < 1 || h > pictureHeight) h = pictureHeight;
  int w = (pictureWidth - 2 * inset) / cells;
  if (w < 1 || w > pictureWidth / cells) w = pictureWidth / cells;
  return {w, h};
}

double SegmentThickness(IAIndicatorStyle style, bool widened, int cellWidth, int cellHeight) {
  const double m = std::min(cellWidth, cellHeight);
  switch (style) {
    case IAIndicatorStyle::isThin:
      return std::max(widened ? m / 6 : m / 8, 2.0);
    case IAIndicatorStyle::isNormal:
      return std::max(widened ? m / 5 : m / 6, 3.0);
    case IAIndicatorStyle::isThick:
    default:
      return std::max(widened ? m / 4.5 : m / 5, 4.0);
  }
}

DotSize MatrixDotSize(IAIndicatorStyle style, bool widened, int cellWidth, int cellHeight) {
  const int margin = Trunc(cellWidth / 16.0) + 1;
  const double dx = (cellWidth - 2 * margin) / 5.0;
  const double dy = cellHeight / 7.0;
  double fx, fy, limit;  // size = pitch * f - 1
  switch (style) {
    case IAIndicatorStyle::isThin:
      fx = fy = widened ? 1.0 / 2 : 2.0 / 3;
      limit = 1.5;
      break;
    case IAIndicatorStyle::isNormal:
      fx = fy = widened ? 2.0 / 3 : 3.0 / 4;
      limit = 2.5;
      break;
    case IAIndicatorStyle::isThick:
    default:
      fx = fy = widened ? 3.0 / 4 : 1.0;
      limit = 3.5;
      break;
  }
  return {std::max(dx * fx - 1, limit), std::max(dy * fy - 1, limit)};
}

GlyphMetrics MakeGlyphMetrics(IAIndicatorKind kind, IAIndicatorStyle style, bool widened,
                              int cellWidth, int cellHeight) {
  GlyphMetrics m;
  m.kind = kind;
  m.w = cellWidth;
  m.h = cellHeight;
  m.t = SegmentThickness(style, widened, cellWidth, cellHeight);
  m.dot = MatrixDotSize(style, widened, cellWidth, cellHeight);
  return m;
}

bool SegmentPolygon(const GlyphMetrics& m, int segment, std::array<Point, 6>& out) {
  const double W = m.w, H = m.h, t = m.t, h = t / 2;
  const auto X = [W](double k) { return W * k / 16; };
  const auto Y = [H](double k) { return H * k / 16; };
  const auto T = [](double v) { return Trunc(v); };
  const bool nine = m.kind == IAIndicatorKind::ik9segment;
  if (m.kind == IAIndicatorKind::ik5x7matrix) return false;

  if (nine && (segment == 8 || segment == 9)) {
    const double cx = segment == 8 ? W * 4 / 8 : W * 3.5 / 8;
    const double cy = segment == 8 ? H * 2.5 / 8 : H * 5.5 / 8;
    const double a = t / 3, b = 2 * t / 3;
    out = {{{T(cx - a), T(cy + b)},
            {T(cx - b), T(cy)},
            {T(cx - a), T(cy - b)},
            {T(cx + a), T(cy - b)},
            {T(cx + b), T(cy)},
            {T(cx + a), T(cy + b)}}};
    return true;
  }
  if (segment == DecimalPointSegment(m.kind))
    segment = 8;
  else if (segment > 7 || segment < 1)
    return false;

  switch (segment) {
    case 1:
      out = {{{T(X(2)), T(Y(14) + h) - 1},
              {T(X(2) - h), T(Y(14) - h) - 1},
              {T(X(3) - h), T(Y(8) + h)},
              {T(X(3)), T(Y(8))},
              {T(X(3) + h), T(Y(8) + h)},
              {T(X(2) + h), T(Y(14) - h) - 1}}};
      break;
    case 2:
      out = {{{T(X(3)), T(Y(8)) - 1},
              {T(X(3) - h), T(Y(8) - h) - 1},
              {T(X(4) - h), T(Y(2) + h)},
              {T(X(4)), T(Y(2) - h)},
              {T(X(4) + h), T(Y(2) + h)},
              {T(X(3) + h), T(Y(8) - h) - 1}}};
      break;
    case 3:
      out = {{{T(X(4)) + 1, T(Y(2) - h)},
              {T(X(4) + h) + 1, T(Y(2) - h)},
              {T(X(13) - h) - 1, T(Y(2) - h)},
              {T(X(13)) - 1, T(Y(2) - h)},
              {T(X(13) - h) - 1, T(Y(2) + h)},
              {T(X(4) + h) + 1, T(Y(2) + h)}}};
      break;
    case 4:
      out = {{{T(X(13)), T(Y(2) - h)},
              {T(X(13) + h), T(Y(2) + h)},
              {T(X(12) + h), T(Y(8) - h) - 1},
              {T(X(12)), T(Y(8)) - 1},
              {T(X(12) - h), T(Y(8) - h) - 1},
              {T(X(13) - h), T(Y(2) + h)}}};
      break;
    case 5:
      out = {{{T(X(12)), T(Y(8))},
              {T(X(12) + h), T(Y(8) + h)},
              {T(X(11) + h), T(Y(14) - h) - 1},
              {T(X(11)), T(Y(14) + h) - 1},
              {T(X(11) - h), T(Y(14) - h) - 1},
              {T(X(12) - h), T(Y(8) + h)}}};
      break;
    case 6:
      out = {{{T(X(2)) + 1, T(Y(14) + h)},
              {T(X(2) + h) + 1, T(Y(14) - h)},
              {T(X(11) - h) - 1, T(Y(14) - h)},
              {T(X(11)) - 1, T(Y(14) + h)},
              {T(X(11) - h) - 1, T(Y(14) + h)},
              {T(X(2) + h) + 1, T(Y(14) + h)}}};
      break;
    case 7:
      out = {{{T(X(3)) + 1, T(Y(8))},
              {T(X(3) + h) + 1, T(Y(8) - h)},
              {T(X(12) - h) - 1, T(Y(8) - h)},
              {T(X(12)) - 1, T(Y(8))},
              {T(X(12) - h) - 1, T(Y(8) + h)},
              {T(X(3) + h) + 1, T(Y(8) + h)}}};
      break;
    default:  // the decimal point
      out = {{{T(X(11) + t / 4) + 1, T(Y(14))},
              {T(X(11) + t / 2) + 1, T(Y(14) - h)},
              {T(X(11) + 5 * t / 4), T(Y(14) - h)},
              {T(X(11) + 6 * t / 4), T(Y(14))},
              {T(X(11) + 5 * t / 4), T(Y(14) + h)},
              {T(X(11) + t / 2) + 1, T(Y(14) + h)}}};
      break;
  }
  return true;
}

std::array<Point, 4> DotPolygon(const GlyphMetrics& m, int row, int column) {
  const int margin = Trunc(m.w / 16.0) + 1;
  const double dx = (m.w - 2 * margin) / 5.0;
  const double dy = m.h / 7.0;
  const int x0 = Trunc(margin + (column - 1) * dx);
  const int y0 = Trunc((row - 1) * dy);
  const int w = Trunc(m.dot.w), h = Trunc(m.dot.h);
  return {{{x0, y0}, {x0 + w, y0}, {x0 + w, y0 + h}, {x0, y0 + h}}};
}

void BuildGlyph(const GlyphMetrics& m, int left, int top, const Cell& cell, Points& lit,
                Integers& litVertex, Points& unlit, Integers& unlitVertex) {
  const auto append = [&](bool on, const Point* p, int n) {
    Points& to = on ? lit : unlit;
    for (int i = 0; i < n; ++i) to.push_back({p[i].x + left, p[i].y + top});
    (on ? litVertex : unlitVertex).push_back(n);
  };
  if (m.kind == IAIndicatorKind::ik5x7matrix) {
    const MatrixGlyph& glyph = MatrixGlyphOf(cell.ch);
    for (int r = 1; r <= 7; ++r)
      for (int c = 1; c <= 5; ++c) {
        const auto dot = DotPolygon(m, r, c);
        append((glyph[r - 1] >> (5 - c)) & 1, dot.data(), 4);
      }
    return;
  }
  const SegmentPattern pattern = CellPattern(m.kind, cell.ch, cell.point);
  std::array<Point, 6> poly;
  for (int i = 1; i <= SegmentCount(m.kind); ++i)
    if (SegmentPolygon(m, i, poly)) append((pattern >> (i - 1)) & 1, poly.data(), 6);
}

int Octant(int angle) {
  const double th = Radians(angle);
  const double c = std::cos(th), s = std::sin(th);
  int q = 0;
  if (c >= 0 && s >= 0) q = 1;
  if (c >= 0 && s <= 0) q = 4;
  if (c <= 0 && s >= 0) q = 2;
  if (c <= 0 && s <= 0) q = 3;
  const double diagonal = 1 / std::sqrt(2.0);
  switch (q) {
    case 1:
      return s > diagonal ? 2 : 1;
    case 2:
      return s > diagonal ? 3 : 4;
    case 3:
      return s < -diagonal ? 6 : 5;
    default:
      return s < -diagonal ? 7 : 8;
  }
}

std::array<Point, 16> FrameBands(int IW, int IH, int i, int b) {
  return {{// A (top)
           {i, i},
           {IW - i, i},
           {IW - b - i, i + b},
           {i + b, i + b},
           // B (left)
           {i, i},
           {i, IH - i},
           {i + b, IH - b - i},
           {i + b, i + b},
           // C (bottom)
           {i, IH - i},
           {i + b, IH - b - i},
           {IW - b - i, IH - b - i},
           {IW - i, IH - i},
           // D (right)
           {IW - i, IH - i},
           {IW - b - i, IH - b - i},
           {IW - b - i, i + b},
           {IW - i, i}}};
}

BandOrder FrameBandOrder(int octant) {
  switch (octant) {
    case 1:
    case 8:
      return {{kBandA, kBandB}, {kBandC, kBandD}};
    case 2:
    case 3:
      return {{kBandA, kBandD}, {kBandB, kBandC}};
    case 4:
    case 5:
      return {{kBandC, kBandD}, {kBandA, kBandB}};
    default:
      return {{kBandB, kBandC}, {kBandD, kBandA}};
  }
}

Quad WindowShapeQuad(int IW, int IH, int angle, int CW, int CH) {
  Quad q{{{0, 0}, {IW, 0}, {IW, IH}, {0, IH}}};
  RotateAbout(q.data(), q.size(), IW / 2, IH / 2, angle);
  const int dx = (CW - IW) / 2, dy = (CH - IH) / 2;
  for (Point& p : q) {
    p.x += dx;
    p.y += dy;
  }
  return q;
}

}  // namespace quillo::indicator
