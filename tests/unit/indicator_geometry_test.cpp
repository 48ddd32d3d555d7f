// Cell sizes, segment and dot shapes, rotation, octants and window sizes of the indicator,
// checked at exact coordinates.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/indicator/geometry.h"

namespace quillo::indicator {
namespace {

using Hexagon = std::array<Point, 6>;

Hexagon Segment(const GlyphMetrics& m, int segment) {
  Hexagon out{};
  EXPECT_TRUE(SegmentPolygon(m, segment, out)) << "segment " << segment;
  return out;
}

TEST(CellGeometry, MainPanelIndicatorHasThirteenByFifteenCellsAndMinimumThickness) {
  // 137 x 19, no frames, gap 2, ten cells.
  const int inset = CellInset(2, bkNone, 2, bkNone, 2);
  EXPECT_EQ(inset, 2);
  EXPECT_EQ(CellSize(137, 19, 10, inset), (Size{13, 15}));
  EXPECT_EQ(SegmentThickness(isThin, false, 13, 15), 2.0);
  // The top segment of such a cell: a two-row trapezoid.
  const GlyphMetrics m = MakeGlyphMetrics(ik7segment, isThin, false, 13, 15);
  EXPECT_EQ(Segment(m, 3), (Hexagon{{{4, 0}, {5, 0}, {8, 0}, {9, 0}, {8, 2}, {5, 2}}}));
}

struct CellSizeCase {
  int width, height, cells, inset;
  Size expected;
};

TEST(CellGeometry, CellSizeFallsBackToThePlainShareWhenTheInsetLeavesTooLittle) {
  const CellSizeCase cases[] = {
      {172, 36, 10, 6, {16, 24}},
      {44, 19, 3, 2, {13, 15}},   // a main-panel short-block indicator...
      {44, 19, 4, 2, {10, 15}},   // ...narrows its cells when given one more
      {20, 36, 30, 2, {0, 32}},   // (20 - 4) / 30 < 1 and 20 / 30 is 0 as well
      {50, 10, 5, 6, {7, 10}},    // 10 - 12 < 1: the cells take the full height
      {50, 20, 4, -3, {12, 20}},  // a negative gap widens past the plain share: fall back
  };
  for (const CellSizeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " / " << c.cells);
    EXPECT_EQ(CellSize(c.width, c.height, c.cells, c.inset), c.expected);
  }
}

TEST(CellGeometry, FortyBySixtyThinCellSegments) {
  const GlyphMetrics m = MakeGlyphMetrics(ik7segment, isThin, false, 40, 60);
  EXPECT_EQ(m.t, 5.0);
  // Top: x 11...31 at y 5...10.
  EXPECT_EQ(Segment(m, 3), (Hexagon{{{11, 5}, {13, 5}, {29, 5}, {31, 5}, {29, 10}, {13, 10}}}));
  // Middle: x 8...29 around y 30.
  EXPECT_EQ(Segment(m, 7), (Hexagon{{{8, 30}, {11, 27}, {26, 27}, {29, 30}, {26, 32}, {11, 32}}}));
  // Decimal point: x 29...35 around y 52.
  EXPECT_EQ(Segment(m, 8), (Hexagon{{{29, 52}, {31, 50}, {33, 50}, {35, 52}, {33, 55}, {31, 55}}}));
  // The lean: the bottom segment starts further left than the middle one, and that further left
  // than the top one.
  EXPECT_LT(Segment(m, 6)[0].x, Segment(m, 7)[0].x);
  EXPECT_LT(Segment(m, 7)[0].x, Segment(m, 3)[0].x);
}

TEST(CellGeometry, NineSegmentKindHasColonDotsAndTheDecimalPointAsTen) {
  const GlyphMetrics m = MakeGlyphMetrics(ik9segment, isNormal, false, 40, 64);
  EXPECT_EQ(Segment(m, 8), (Hexagon{{{17, 24}, {15, 20}, {17, 15}, {22, 15}, {24, 20}, {22, 24}}}));
  EXPECT_EQ(Segment(m, 9), (Hexagon{{{15, 48}, {13, 44}, {15, 39}, {19, 39}, {21, 44}, {19, 48}}}));
  const GlyphMetrics seven = MakeGlyphMetrics(ik7segment, isNormal, false, 40, 64);
  EXPECT_EQ(Segment(m, 10), Segment(seven, 8));
  Hexagon none{};
  EXPECT_FALSE(SegmentPolygon(seven, 9, none));
  EXPECT_FALSE(SegmentPolygon(seven, 10, none));
}

struct ThicknessCase {
  IAIndicatorStyle style;
  bool widened;
  int w, h;
  double expected;
};

TEST(CellGeometry, ThicknessFollowsStyleHoverAndLowerLimit) {
  const ThicknessCase cases[] = {
      {isThin, false, 40, 60, 5},    {isThin, true, 40, 60, 40 / 6.0}, {isThin, false, 13, 15, 2},
      {isNormal, false, 60, 90, 10}, {isNormal, true, 60, 90, 12},     {isNormal, false, 10, 10, 3},
      {isThick, false, 45, 90, 9},   {isThick, true, 45, 90, 10},      {isThick, true, 12, 12, 4},
  };
  for (const ThicknessCase& c : cases)
    EXPECT_DOUBLE_EQ(SegmentThickness(c.style, c.widened, c.w, c.h), c.expected)
        << int(c.style) << " widened " << c.widened << " " << c.w << "x" << c.h;
}

struct DotCase {
  IAIndicatorStyle style;
  bool widened;
  int row, column;
  std::array<Point, 4> expected;
};

TEST(CellGeometry, MatrixDotsSitOnTheNarrowedGrid) {
  // 30 x 42 cell: margin 2, pitch 5.2 x 6.
  const DotCase cases[] = {
      {isNormal, false, 1, 1, {{{2, 0}, {4, 0}, {4, 3}, {2, 3}}}},
      {isNormal, false, 7, 5, {{{22, 36}, {24, 36}, {24, 39}, {22, 39}}}},
      {isThick, false, 4, 3, {{{12, 18}, {16, 18}, {16, 23}, {12, 23}}}},
      // Hovering with maWidth makes matrix dots a class smaller, down to the style's limit.
      {isThick, true, 4, 3, {{{12, 18}, {15, 18}, {15, 21}, {12, 21}}}},
      {isThin, false, 2, 2, {{{7, 6}, {9, 6}, {9, 9}, {7, 9}}}},
  };
  for (const DotCase& c : cases) {
    const GlyphMetrics m = MakeGlyphMetrics(ik5x7matrix, c.style, c.widened, 30, 42);
    EXPECT_EQ(DotPolygon(m, c.row, c.column), c.expected)
        << int(c.style) << " row " << c.row << " column " << c.column;
  }
}

TEST(Glyph, EightWithPointLightsAllEightPolygonsAndABlankLightsNone) {
  const GlyphMetrics m = MakeGlyphMetrics(ik7segment, isNormal, false, 16, 24);
  struct Case {
    Cell cell;
    int lit;
  } cases[] = {{{u'8', true}, 8},  {{u'.', false}, 1}, {{u' ', false}, 0},
               {{u':', false}, 0}, {{u'1', false}, 2}, {{u'a', false}, 0}};
  for (const Case& c : cases) {
    Points lit, unlit;
    Integers litN, unlitN;
    BuildGlyph(m, 5, 7, c.cell, lit, litN, unlit, unlitN);
    EXPECT_EQ(int(litN.size()), c.lit) << char(c.cell.ch);
    EXPECT_EQ(int(litN.size() + unlitN.size()), 8) << char(c.cell.ch);
  }
  // The decimal point alone, moved by the cell's left and top.
  Points lit, unlit;
  Integers litN, unlitN;
  BuildGlyph(m, 5, 7, {u'.', false}, lit, litN, unlit, unlitN);
  Hexagon dp{};
  ASSERT_TRUE(SegmentPolygon(m, 8, dp));
  ASSERT_EQ(lit.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(lit[i], (Point{dp[i].x + 5, dp[i].y + 7}));
}

TEST(Glyph, ColonShowsOnlyItsTwoDotsInTheNineSegmentKind) {
  const GlyphMetrics m = MakeGlyphMetrics(ik9segment, isNormal, false, 16, 24);
  Points lit, unlit;
  Integers litN, unlitN;
  BuildGlyph(m, 0, 0, {u':', false}, lit, litN, unlit, unlitN);
  ASSERT_EQ(litN.size(), 2u);
  EXPECT_EQ(unlitN.size(), 8u);
  Hexagon upper{};
  ASSERT_TRUE(SegmentPolygon(m, 8, upper));
  EXPECT_EQ(lit[0], upper[0]);
}

TEST(Glyph, MatrixGlyphLightsTheFontsDots) {
  const GlyphMetrics m = MakeGlyphMetrics(ik5x7matrix, isNormal, false, 30, 42);
  Points lit, unlit;
  Integers litN, unlitN;
  // "1" is 02 06 02 02 02 02 07: 1+2+1+1+1+1+3 dots; the point flag changes nothing.
  BuildGlyph(m, 0, 0, {u'1', true}, lit, litN, unlit, unlitN);
  EXPECT_EQ(litN.size(), 10u);
  EXPECT_EQ(unlitN.size(), 25u);
  // Its top dot is row 1, column 4.
  EXPECT_EQ(lit[0], DotPolygon(m, 1, 4)[0]);
}

// The rotation written out longhand with trigonometry and its roundings, to check the
// quarter-turn shortcuts against.
std::vector<Point> RotateByFormula(std::vector<Point> pts, int cx, int cy, int angle) {
  const double turn = angle * std::numbers::pi / 1800;
  const auto dir = [&](int x, int y) {
    if (x != 0) return turn + std::atan2(-double(y), double(x));
    return y <= 0 ? turn + std::numbers::pi / 2 : turn - std::numbers::pi / 2;
  };
  int sx = 0, sy = 0;
  const double R = std::sqrt(double(cx * cx + cy * cy));
  if (std::nearbyint(R) != 0) {
    sx = int(std::nearbyint(cx - R * std::cos(dir(cx, cy))));
    sy = int(std::nearbyint(cy + R * std::sin(dir(cx, cy))));
  }
  for (Point& p : pts) {
    const double r = std::sqrt(double(p.x * p.x + p.y * p.y));
    if (std::nearbyint(r) != 0) {
      const double phi = dir(p.x, p.y);
      p = {int(std::nearbyint(r * std::cos(phi))), -int(std::nearbyint(r * std::sin(phi)))};
    }
    p = {p.x + sx, p.y + sy};
  }
  return pts;
}

TEST(RotateAbout, QuarterTurnShortcutsMatchTheTrigonometricRounding) {
  std::vector<Point> pts;
  for (int x = -40; x <= 180; x += 17)
    for (int y = -25; y <= 60; y += 11) pts.push_back({x, y});
  const Point centres[] = {{0, 0}, {86, 18}, {68, 9}, {0, 7}, {-5, 0}, {50, 10}};
  for (int angle : {0, 900, 1800, 2700, -900, 3600, -1800, 7200 + 2700, 36000 + 900}) {
    for (Point c : centres) {
      std::vector<Point> turned = pts;
      RotateAbout(turned.data(), turned.size(), c.x, c.y, angle);
      EXPECT_EQ(turned, RotateByFormula(pts, c.x, c.y, angle)) << "angle " << angle;
    }
  }
}

TEST(RotateAbout, TurnsCounterClockwiseOnScreenWithItsRoundings) {
  Points pts{{10, 0}, {0, 10}, {-7, 3}, {25, -4}};
  RotateAbout(pts, 50, 10, 450);
  EXPECT_EQ(pts, (Points{{15, 31}, {15, 45}, {5, 45}, {23, 17}}));
  Points right{{10, 0}};
  RotateAbout(right, 0, 0, 900);
  EXPECT_EQ(right[0], (Point{0, -10}));  // right of the centre turns to above it
}

TEST(RotateAbout, FarPointsDoNotOverflowTheirDistance) {
  // 50000 squared does not fit 32 bits; the distance must still be right.
  Points pts{{50000, 0}, {0, -60000}};
  RotateAbout(pts, 0, 0, 450);
  EXPECT_EQ(pts, (Points{{35355, -35355}, {-42426, -42426}}));
}

struct BoxCase {
  int width, height, angle;
  Size expected;
};

TEST(WindowSize, BoundingBoxOfTheTurnedPicture) {
  const BoxCase cases[] = {
      {100, 20, 0, {100, 20}},    {100, 20, 450, {85, 85}},   {100, 20, 900, {20, 100}},
      {100, 20, 1800, {100, 20}}, {100, 20, 2700, {20, 100}}, {100, 20, 300, {97, 67}},
      {172, 36, 300, {167, 117}}, {100, 20, -900, {20, 100}},
  };
  for (const BoxCase& c : cases)
    EXPECT_EQ(BoundingSize(c.width, c.height, c.angle), c.expected) << "angle " << c.angle;
}

TEST(WindowSize, ShapeIsTheTurnedRectangleCentredInTheWindow) {
  struct Case {
    int angle;
    Size window;
    Quad expected;
  } cases[] = {
      {0, {100, 20}, {{{0, 0}, {100, 0}, {100, 20}, {0, 20}}}},
      {300, {97, 67}, {{{1, 49}, {88, -1}, {98, 16}, {11, 66}}}},
      {450, {85, 85}, {{{1, 70}, {72, -1}, {86, 13}, {15, 84}}}},
      {1234, {72, 94}, {{{55, 94}, {0, 11}, {17, 0}, {72, 83}}}},
      {900, {20, 100}, {{{0, 100}, {0, 0}, {20, 0}, {20, 100}}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WindowShapeQuad(100, 20, c.angle, c.window.width, c.window.height), c.expected)
        << "angle " << c.angle;
}

TEST(Frame, OctantsOfTheAngle) {
  const std::pair<int, int> cases[] = {{0, 8},    {300, 1},  {600, 2},  {900, 2},  {1200, 3},
                                       {1500, 4}, {1800, 4}, {2100, 5}, {2400, 6}, {2700, 6},
                                       {3000, 7}, {3300, 8}, {-300, 8}, {3600, 8}};
  for (auto [angle, octant] : cases) EXPECT_EQ(Octant(angle), octant) << "angle " << angle;
}

TEST(Frame, BandsOfAFrame) {
  const auto b = FrameBands(172, 36, 2, 3);
  // A (top), B (left), C (bottom), D (right).
  EXPECT_EQ((std::array<Point, 4>{b[0], b[1], b[2], b[3]}),
            (std::array<Point, 4>{{{2, 2}, {170, 2}, {167, 5}, {5, 5}}}));
  EXPECT_EQ((std::array<Point, 4>{b[4], b[5], b[6], b[7]}),
            (std::array<Point, 4>{{{2, 2}, {2, 34}, {5, 31}, {5, 5}}}));
  EXPECT_EQ((std::array<Point, 4>{b[8], b[9], b[10], b[11]}),
            (std::array<Point, 4>{{{2, 34}, {5, 31}, {167, 31}, {170, 34}}}));
  EXPECT_EQ((std::array<Point, 4>{b[12], b[13], b[14], b[15]}),
            (std::array<Point, 4>{{{170, 34}, {167, 31}, {167, 5}, {170, 2}}}));
}

}  // namespace
}  // namespace quillo::indicator
