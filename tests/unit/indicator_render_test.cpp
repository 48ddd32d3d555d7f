// The indicator's picture: exact pixels of RebuildImage at chosen points, frames lit from the
// top left at every quarter turn, the see-through regions, hover and textures.
#include <gtest/gtest.h>

#include <vector>

#include "core/indicator/liquid_indicator.h"
#include "core/indicator/materials.h"
#include "core/panel/indicator_style.h"

namespace quillo::indicator {
namespace {

constexpr Pixel kBlack = 0x000000;
constexpr Pixel kGreen = PixelOf(0x00FF00);
constexpr Pixel kDarkRed = PixelOf(0x00003A);

// Styled as the main panel styles every indicator it creates in code.
void StyleAsMainPanel(IAeverLiquidIndicator& c) {
  ApplyIndicatorStyle(c);
  c.SetSize(137, 19);
}

TEST(RebuildImage, MainPanelIndicatorPixels) {
  IAeverLiquidIndicator c;
  StyleAsMainPanel(c);
  c.SetIndicatorstring("8");
  const Bitmap& b = c.CanvasBitmap();
  ASSERT_EQ(b.Width(), 137);
  ASSERT_EQ(b.Height(), 19);
  EXPECT_EQ(c.BlackN(), 7);
  EXPECT_EQ(c.GrayN(), 9 * 8 + 1);
  struct Probe {
    int x, y;
    Pixel expected;
  } probes[] = {
      // Cell 10 starts at x 119, y 2: its lit top segment is a trapezoid over two rows.
      {123, 2, kGreen},
      {127, 2, kGreen},
      {128, 2, kBlack},
      {122, 2, kBlack},
      {124, 3, kGreen},
      {123, 3, kBlack},
      // Cell 1 is blank: the same segment unlit.
      {6, 2, kDarkRed},
      {10, 2, kDarkRed},
      {11, 2, kBlack},
      {7, 3, kDarkRed},
      // The gap, and the three leftover columns right of the last cell.
      {60, 0, kBlack},
      {60, 18, kBlack},
      {132, 9, kBlack},
      {134, 9, kBlack},
      {136, 9, kBlack},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(b.At(p.x, p.y), p.expected) << "(" << p.x << ", " << p.y << ")";
  // Code-created controls only record a scheme: its colours must not have been taken.
  EXPECT_EQ(c.NumberForeColor(), 0x00FF00);
  EXPECT_EQ(c.BackColor(), 0x000000);
}

struct EdgeProbe {
  int x, y;
  bool lighter;
};

class FrameLight : public ::testing::TestWithParam<int> {};

TEST_P(FrameLight, RaisedOuterAndSunkenInnerFramesAreLitFromTheTopLeft) {
  const int angle = GetParam();
  IAeverLiquidIndicator c;
  c.Loaded();
  c.SetIndicatorAngle(angle);
  const Bitmap& b = c.CanvasBitmap();
  const bool upright = angle % 1800 == 0;
  ASSERT_EQ(b.Width(), upright ? 172 : 36);
  ASSERT_EQ(b.Height(), upright ? 36 : 172);
  const int w = b.Width(), h = b.Height(), mx = w / 2, my = h / 2;
  const Pixel lighter = PixelOf(LighterColor(0xDDDDDD));
  const Pixel darker = PixelOf(DarkerColor(0xDDDDDD));
  ASSERT_EQ(lighter, 0xFDFDFDu);
  ASSERT_EQ(darker, 0xBDBDBDu);
  const EdgeProbe probes[] = {
      // Outer frame (raised): the screen's top and left edges light, bottom and right dark.
      {mx, 0, true},
      {0, my, true},
      {mx, h - 1, false},
      {w - 1, my, false},
      // Inner frame (sunken), two pixels in: the other way round.
      {mx, 2, false},
      {2, my, false},
      {mx, h - 3, true},
      {w - 3, my, true},
  };
  for (const EdgeProbe& p : probes)
    EXPECT_EQ(b.At(p.x, p.y), p.lighter ? lighter : darker)
        << "angle " << angle << " at (" << p.x << ", " << p.y << ")";
}

INSTANTIATE_TEST_SUITE_P(QuarterTurns, FrameLight, ::testing::Values(0, 900, 1800, 2700),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "deg" + std::to_string(info.param / 10);
                         });

TEST(RebuildImage, WithoutOuterFrameTheInnerFrameStartsAtTheEdge) {
  IAeverLiquidIndicator c;
  c.SetOuterBevel(bkNone);
  const Bitmap& b = c.CanvasBitmap();
  EXPECT_EQ(b.At(86, 0), PixelOf(DarkerColor(0xDDDDDD)));  // sunken: the top band is dark
  EXPECT_EQ(b.At(86, 1), PixelOf(DarkerColor(0xDDDDDD)));
  EXPECT_EQ(b.At(86, 2), PixelOf(0xDDDDDD));  // then the gap
}

TEST(RebuildImage, TransparentModesLeaveTheBackgroundOut) {
  IAeverLiquidIndicator c;
  c.SetIndicatorstring("-8.");
  EXPECT_EQ(c.ClipRGN(), nullptr);
  // csSilver: background 0xDDDDDD and unlit 0xD3D3D3 differ from the frames' and lit colours,
  // so the visible part can be told from the colours alone.
  for (IATransparentMode mode : {tmBackOnly, tmAll}) {
    c.SetTransparentMode(mode);
    const Bitmap& b = c.CanvasBitmap();
    const CoverageMask* clip = c.ClipRGN();
    ASSERT_NE(clip, nullptr);
    int visible = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) {
        const Pixel p = b.At(x, y);
        const bool shown = p != PixelOf(0xDDDDDD) && (mode == tmBackOnly || p != PixelOf(0xD3D3D3));
        ASSERT_EQ(clip->Covered(x, y), shown)
            << "mode " << int(mode) << " (" << x << ", " << y << ")";
        visible += shown;
      }
    EXPECT_GT(visible, 1000);
  }
}

TEST(RebuildImage, HoverSwitchesLitColourOrThickness) {
  IAeverLiquidIndicator c;
  c.SetSize(400, 80);  // cells large enough for the wider segments to show
  c.SetIndicatorstring("88");
  const auto litPixels = [&](Pixel colour) {
    int n = 0;
    const Bitmap& b = c.CanvasBitmap();
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += b.At(x, y) == colour;
    return n;
  };
  const Pixel fore = PixelOf(0x363636), fore1 = PixelOf(0x0000FF);
  const int normal = litPixels(fore);
  ASSERT_GT(normal, 200);

  c.MouseEnter();  // maNone: no change at all
  EXPECT_EQ(litPixels(fore), normal);
  c.SetMouseAction(maColor);
  EXPECT_EQ(litPixels(fore), 0);
  EXPECT_EQ(litPixels(fore1), normal);
  c.SetMouseAction(maWidth);
  EXPECT_GT(litPixels(fore), normal);
  c.SetMouseAction(maBoth);
  EXPECT_GT(litPixels(fore1), normal);
  c.MouseLeave();
  EXPECT_EQ(litPixels(fore), normal);
}

TEST(RebuildImage, HoverThatChangesNothingBuildsNothing) {
  IAeverLiquidIndicator c;
  c.SetMouseAction(maColor);
  c.SetNumberForeColor1(c.NumberForeColor());  // as the panel's indicators have it
  const auto built = c.RebuildCount();
  c.MouseEnter();
  c.MouseLeave();
  EXPECT_EQ(c.RebuildCount(), built);
  EXPECT_FALSE(c.WantsPointerTracking());
  c.SetOnMouseEnter([](IAeverLiquidIndicator&) {});
  EXPECT_TRUE(c.WantsPointerTracking());  // someone listens
  c.SetNumberForeColor1(0x0000FF);
  EXPECT_TRUE(c.HoverAltersPicture());
  const auto recoloured = c.RebuildCount();
  c.MouseEnter();
  EXPECT_EQ(c.RebuildCount(), recoloured + 1);
}

Bitmap Texture(int w, int h, std::initializer_list<Pixel> pixels) {
  Bitmap b(w, h);
  auto it = pixels.begin();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, *it++);
  return b;
}

TEST(Material, ShadedCopiesPerShadowMode) {
  const Bitmap back = Texture(2, 1, {0x50A0F0, 0x10E020});
  struct Case {
    IAMaterialShadowMode mode;
    Pixel shadow0;
  } cases[] = {{msmDark, 0x3080D0}, {msmLight, 0x70C0FF}, {msmNone, 0x50A0F0}};
  for (const Case& c : cases) {
    const BackMaterials m = PrepareMaterials(back, c.mode);
    EXPECT_EQ(m.shadow.At(0, 0), c.shadow0) << int(c.mode);
    EXPECT_EQ(m.darker.At(0, 0), 0x1060B0u);
    EXPECT_EQ(m.lighter.At(0, 0), 0x90E0FFu);
    EXPECT_EQ(m.darker.At(1, 0), 0x00A000u);   // held at 0
    EXPECT_EQ(m.lighter.At(1, 0), 0x50FF60u);  // held at 255
  }
}

TEST(Material, TiledBackTextureShadedPerLayer) {
  IAeverLiquidIndicator c;
  const Bitmap back = Texture(2, 2, {0x808080, 0x406080, 0x204060, 0xC0C0C0});
  c.SetMaterialMode(mmTile);
  c.SetBackMaterial(back);
  const Bitmap& b = c.CanvasBitmap();
  const Bitmap lighter = ShadedCopy(back, 64), darker = ShadedCopy(back, -64);
  const Bitmap shadow = ShadedCopy(back, -32);
  // Background in the gap, each frame band in its shade, unlit segments in the shadow copy.
  EXPECT_EQ(b.At(85, 4), back.At(1, 0));
  EXPECT_EQ(b.At(86, 5), back.At(0, 1));
  EXPECT_EQ(b.At(87, 0), lighter.At(1, 0));        // outer top: raised, lit
  EXPECT_EQ(b.At(87, 35), darker.At(1, 1));        // outer bottom
  EXPECT_EQ(b.At(86, 2), darker.At(0, 0));         // inner top: sunken, shaded
  EXPECT_EQ(b.At(6 + 8, 6 + 3), shadow.At(0, 1));  // top segment of the first (blank) cell
}

TEST(Material, TextureWithoutRowsCountsAsNoTexture) {
  // A picture 5 wide and 0 high would pass a width test and then divide by its height when
  // tiled; it is no texture at all.
  IAeverLiquidIndicator c;
  c.SetMaterialMode(mmTile);
  c.SetBackMaterial(Bitmap(5, 0));
  EXPECT_TRUE(c.BackMaterial().Empty());
  EXPECT_EQ(c.CanvasBitmap().At(86, 4), PixelOf(0xDDDDDD));
  EXPECT_EQ(c.CanvasBitmap().At(86, 0), PixelOf(LighterColor(0xDDDDDD)));
}

struct StretchCase {
  int source, target;
  std::vector<int> columns, rows;  // source column / row shown at each target column / row
};

TEST(Material, StretchPicksThePixelsStretchBltPicks) {
  // Measured from GDI's StretchBlt (COLORONCOLOR): enlarging takes the pixel under each centre
  // (a centre on a border going to the lower pixel); shrinking keeps the last column but the
  // first row of the pixels that fall together.
  const StretchCase cases[] = {
      {2, 3, {0, 0, 1}, {0, 0, 1}},
      {6, 9, {0, 0, 1, 2, 2, 3, 4, 4, 5}, {0, 0, 1, 2, 2, 3, 4, 4, 5}},
      {3, 10, {0, 0, 0, 1, 1, 1, 1, 2, 2, 2}, {0, 0, 0, 1, 1, 1, 1, 2, 2, 2}},
      {3, 2, {1, 2}, {0, 2}},
      {5, 2, {2, 4}, {0, 3}},
      {9, 6, {1, 2, 4, 5, 7, 8}, {0, 2, 3, 5, 6, 8}},
      {4, 4, {0, 1, 2, 3}, {0, 1, 2, 3}},
  };
  for (const StretchCase& c : cases) {
    Bitmap texture(c.source, c.source);
    for (int y = 0; y < c.source; ++y)
      for (int x = 0; x < c.source; ++x) texture.Set(x, y, Pixel(x) << 8 | Pixel(y));
    Bitmap canvas(c.target, c.target);
    DrawMaterial(canvas, texture, mmStretch);
    std::vector<int> columns, rows;
    for (int d = 0; d < c.target; ++d) {
      columns.push_back(int(canvas.At(d, 0) >> 8));
      rows.push_back(int(canvas.At(0, d) & 0xFF));
    }
    EXPECT_EQ(columns, c.columns) << c.source << " -> " << c.target;
    EXPECT_EQ(rows, c.rows) << c.source << " -> " << c.target;
  }
}

TEST(Material, StretchedBackTextureSamplesNearestPixel) {
  IAeverLiquidIndicator c;
  c.SetBackMaterial(Texture(2, 1, {0x112233, 0x445566}));
  const Bitmap& b = c.CanvasBitmap();
  EXPECT_EQ(b.At(85, 4), 0x112233u);
  EXPECT_EQ(b.At(86, 4), 0x445566u);
  EXPECT_EQ(b.At(171 - 6, 5), 0x445566u);
}

TEST(Material, ForeTextureOnLitShapesGivesWayToTheHoverColour) {
  IAeverLiquidIndicator c;
  c.SetIndicatorstring("8888888888");
  c.SetForeMaterialMode(mmTile);
  c.SetForeMaterial(Texture(1, 2, {0x0A0B0C, 0x0D0E0F}));
  const Bitmap& b = c.CanvasBitmap();
  const int x = 6 + 8, y = 6 + 2;  // inside the first cell's top segment (three rows)
  EXPECT_EQ(b.At(x, y), 0x0A0B0Cu);
  EXPECT_EQ(b.At(x, y + 1), 0x0D0E0Fu);
  c.SetMouseAction(maColor);
  c.MouseEnter();
  EXPECT_EQ(b.At(x, y), PixelOf(0x0000FF));
  c.MouseLeave();
  EXPECT_EQ(b.At(x, y), 0x0A0B0Cu);
}

TEST(RebuildImage, SystemColoursAreResolvedBeforeUse) {
  IAeverLiquidIndicator c;
  c.SetBackColor(SystemColor(15));  // the stock button face
  EXPECT_EQ(c.CanvasBitmap().At(86, 4), PixelOf(DefaultSystemColor(15)));
}

}  // namespace
}  // namespace quillo::indicator
