// The indicator's polygon filling: which pixels a polygon covers, pixel for pixel as GDI's
// polygon regions (the same rule is checked against GDI itself under Wine).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/indicator/polygon_fill.h"
#include "test_names.h"

namespace quillo::indicator {
namespace {

std::string Art(const CoverageMask& m) {
  std::string out;
  for (int y = 0; y < m.Height(); ++y) {
    for (int x = 0; x < m.Width(); ++x) out += m.Covered(x, y) ? '#' : '.';
    out += '\n';
  }
  return out;
}

struct FillCase {
  const char* name;
  std::vector<Point> points;
  std::vector<std::int32_t> counts;
  int width, height;
  const char* expected;
};

class EvenOddFill : public ::testing::TestWithParam<FillCase> {};

TEST_P(EvenOddFill, CoversExactlyThesePixels) {
  const FillCase& c = GetParam();
  CoverageMask m;
  RasterizeEvenOdd(c.points.data(), c.counts.data(), int(c.counts.size()), c.width, c.height, m);
  EXPECT_EQ("\n" + Art(m), std::string("\n") + c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, EvenOddFill,
    ::testing::Values(
        // Right and bottom edges are outside.
        FillCase{"rectangle",
                 {{1, 1}, {4, 1}, {4, 3}, {1, 3}},
                 {4},
                 6,
                 4,
                 "......\n"
                 ".###..\n"
                 ".###..\n"
                 "......\n"},
        // A pixel exactly on a right-hand slope is outside...
        FillCase{"slope on the right",
                 {{0, 0}, {4, 0}, {0, 4}},
                 {3},
                 5,
                 5,
                 "####.\n"
                 "###..\n"
                 "##...\n"
                 "#....\n"
                 ".....\n"},
        // ...and one on a left-hand slope inside.
        FillCase{"slope on the left",
                 {{0, 0}, {4, 0}, {4, 4}},
                 {3},
                 5,
                 5,
                 "####.\n"
                 ".###.\n"
                 "..##.\n"
                 "...#.\n"
                 ".....\n"},
        // A shallow edge: the crossing is the first pixel at or right of the exact point.
        FillCase{"shallow",
                 {{0, 0}, {9, 3}, {0, 3}},
                 {3},
                 10,
                 4,
                 "..........\n"
                 "###.......\n"
                 "######....\n"
                 "..........\n"},
        // Overlapping polygons of one list cancel where they overlap.
        FillCase{"overlap",
                 {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {2, 2}, {6, 2}, {6, 6}, {2, 6}},
                 {4, 4},
                 7,
                 7,
                 "####...\n"
                 "####...\n"
                 "##..##.\n"
                 "##..##.\n"
                 "..####.\n"
                 "..####.\n"
                 ".......\n"},
        // A self-crossing outline: two wedges that meet in the middle row.
        FillCase{"bow tie",
                 {{0, 0}, {6, 4}, {6, 0}, {0, 4}},
                 {4},
                 7,
                 5,
                 ".......\n"
                 "##...#.\n"
                 "######.\n"
                 "##...#.\n"
                 ".......\n"},
        // Parts beyond the canvas on either side are cut off, not folded in.
        FillCase{"beyond the canvas",
                 {{-5, -2}, {20, -2}, {20, 2}, {-5, 2}},
                 {4},
                 4,
                 3,
                 "####\n"
                 "####\n"
                 "....\n"},
        FillCase{"right of the canvas",
                 {{2, 0}, {20, 0}, {20, 2}, {2, 2}},
                 {4},
                 5,
                 3,
                 "..###\n"
                 "..###\n"
                 ".....\n"},
        FillCase{"flat and two-point polygons",
                 {{0, 1}, {4, 1}, {2, 1}, {1, 0}, {1, 3}},
                 {3, 2},
                 5,
                 3,
                 ".....\n"
                 ".....\n"
                 ".....\n"}),
    [](const ::testing::TestParamInfo<FillCase>& info) {
      return testing_names::Spell(info.param.name);
    });

TEST(RasterizeReuse, ReusedMaskForgetsEverythingOfTheLastFill) {
  CoverageMask m;
  const Point big[] = {{-1, -1}, {30, -1}, {30, 20}, {-1, 20}};
  RasterizePolygon(big, 4, 12, 8, m);
  EXPECT_EQ(m.Count(), 96);
  const Point small[] = {{5, 5}, {7, 5}, {7, 6}, {5, 6}};
  RasterizePolygon(small, 4, 12, 8, m);
  EXPECT_EQ(m.Count(), 2);
  EXPECT_TRUE(m.Covered(5, 5));
  EXPECT_TRUE(m.Covered(6, 5));
}

TEST(RasterizeReuse, UnionAndRunsDescribeTheSamePixels) {
  CoverageMask a, b;
  const Point left[] = {{0, 0}, {3, 0}, {3, 2}, {0, 2}};
  const Point right[] = {{5, 1}, {8, 1}, {8, 3}, {5, 3}};
  RasterizePolygon(left, 4, 8, 4, a);
  RasterizePolygon(right, 4, 8, 4, b);
  a.Add(b);
  EXPECT_EQ(a.Runs(), (std::vector<Rect>{{0, 0, 3, 1}, {0, 1, 3, 2}, {5, 1, 8, 2}, {5, 2, 8, 3}}));
  // Growing a region and filling it again must start from nothing.
  RasterizePolygon(left, 4, 8, 4, b);
  EXPECT_FALSE(b.Covered(5, 1));
}

TEST(RasterizeReuse, EmptyCanvasIsHarmless) {
  CoverageMask m;
  const Point tri[] = {{0, 0}, {5, 0}, {0, 5}};
  RasterizePolygon(tri, 3, 0, 7, m);
  EXPECT_EQ(m.Width(), 0);
  EXPECT_EQ(m.Count(), 0);
}

}  // namespace
}  // namespace quillo::indicator

namespace quillo::indicator {
namespace {

TEST(BitmapMemory, ARebuildAtTheSameSizeReusesTheBufferAndASmallerSizeGivesTheRestBack) {
  Bitmap b(172, 36);  // a control's default picture, before its window sizes it
  b.Reset(95, 19);    // fitted to a panel indicator
  EXPECT_EQ(b.Width(), 95);
  EXPECT_EQ(b.BufferBytes(), 95u * 19u * sizeof(Pixel));
  const Pixel* before = b.Data();
  b.Reset(95, 19, 0x123456);  // every rebuild
  EXPECT_EQ(b.Data(), before);
  EXPECT_EQ(b.At(94, 18), 0x123456u);

  CoverageMask m(172, 36);
  m.Reset(95, 19);
  EXPECT_EQ(m.BufferBytes(), 95u * 19u);
}

}  // namespace
}  // namespace quillo::indicator
