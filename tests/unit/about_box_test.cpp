// The about dialog's texts and layout at several DPIs, and the logo's resize and flattening.
#include "core/app/about_box.h"

#include <gtest/gtest.h>

#include "core/util/picture_scale.h"

namespace quillo {
namespace {

bool Inside(const Rect& r, Size client) {
  return r.left >= 0 && r.top >= 0 && r.right() <= client.width && r.bottom() <= client.height;
}

TEST(AboutBox, TextsAndLinksOpenTheirHints) {
  const AboutTexts t = AboutBoxTexts();
  EXPECT_EQ(t.caption, "Quillomat Info");
  EXPECT_EQ(t.name, "Quillomat 14.1");
  EXPECT_EQ(t.mailHint, "mailto:" + t.mailLink);
  EXPECT_EQ(t.webHint, "https://www.ombrelune.example/");
  EXPECT_NE(t.webLink, t.webHint);  // what is shown is not what is opened
}

AboutMeasures Typical(int dpi) {
  const auto px = [dpi](int v) { return ScalePx(v, dpi); };
  return {px(52), px(38), px(36), px(150), px(130), px(15), px(13)};
}

TEST(AboutBox, LayoutRunsTopToBottomRightOfTheLogo) {
  const AboutLayout l = LayoutAboutBox(96, Typical(96));
  EXPECT_EQ(l.client, (Size{523, 216}));
  EXPECT_EQ(l.logo, (Rect{8, 8, 201, 200}));
  EXPECT_EQ(l.icon.width, 32);
  const Rect order[] = {l.icon, l.name, l.copyright, l.freeware, l.support, l.surfto, l.ok};
  for (size_t i = 0; i < std::size(order); ++i) {
    EXPECT_GE(order[i].left, l.logo.right()) << i;
    EXPECT_TRUE(Inside(order[i], l.client)) << i;
    if (i > 0) {
      EXPECT_GE(order[i].top, order[i - 1].bottom()) << i;
    }
  }
  // The support and web lines share their columns.
  EXPECT_EQ(l.mailto.left, l.surfto.left);
  EXPECT_EQ(l.mailLink.left, l.webLink.left);
  EXPECT_EQ(l.support.top, l.mailLink.top);
  EXPECT_EQ(l.mailLink.left, l.mailto.left + 38 + 4);
  EXPECT_EQ(l.mailLink.width, 150);
}

TEST(AboutBox, LayoutScalesWithTheDpiAndClipsTooWideFonts) {
  const AboutLayout l = LayoutAboutBox(144, Typical(144));
  EXPECT_EQ(l.client, (Size{785, 324}));
  EXPECT_EQ(l.logo, (Rect{12, 12, 302, 300}));
  EXPECT_EQ(l.icon.width, 48);
  EXPECT_EQ(l.ok.height, 38);
}

TEST(AboutBox, LinkLinesLongerThanTheColumnReachTowardsTheLogo) {
  AboutMeasures m = Typical(96);
  m.mailLink = 205;  // 52 + 4 + 38 + 4 + 205 = 303: four pixels more than the column
  AboutLayout l = LayoutAboutBox(96, m);
  EXPECT_EQ(l.mailLink.right(), 519);  // the whole address, up to the dialog's margin
  EXPECT_EQ(l.mailLink.width, 205);
  EXPECT_EQ(l.support.left, 216);
  m.mailLink = 900;
  l = LayoutAboutBox(96, m);
  EXPECT_EQ(l.support.left, l.logo.right() + 4);  // never over the logo
  EXPECT_TRUE(Inside(l.mailLink, l.client));
  EXPECT_GT(l.mailLink.width, 0);
  EXPECT_EQ(l.webLink.left, l.mailLink.left);
}

TEST(PictureScale, AreaAverageKeepsColoursAndWeighsByAlpha) {
  // Four 2 x 2 blocks shrink to four pixels of their colours.
  ArgbPicture p{4, 4, {}};
  const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) p.pixels.push_back(colours[(y / 2) * 2 + x / 2]);
  const ArgbPicture half = ResizeByArea(p, 2, 2);
  EXPECT_EQ(half.pixels, std::vector<uint32_t>(colours, colours + 4));
  // Transparent pixels lend no colour: opaque red beside transparent black is half-opaque red.
  const ArgbPicture edge = ResizeByArea({2, 1, {0xFFFF0000, 0x00000000}}, 1, 1);
  EXPECT_EQ(edge.pixels[0], 0x80FF0000u);
  // A plain picture stays plain at sizes that are no divisor of it, up or down.
  const ArgbPicture plain{256, 256, std::vector<uint32_t>(256 * 256, 0xC0123456)};
  for (int size : {200, 300, 7}) {
    const ArgbPicture r = ResizeByArea(plain, size, size);
    ASSERT_EQ(r.pixels.size(), static_cast<size_t>(size * size));
    for (uint32_t px : r.pixels) ASSERT_EQ(px, 0xC0123456u) << size;
  }
  EXPECT_TRUE(ResizeByArea(plain, 0, 5).pixels.empty());
}

TEST(PictureScale, FlattenOntoTheBackground) {
  const ArgbPicture p{3, 1, {0xFF102030, 0x00102030, 0x80FF0000}};
  EXPECT_EQ(FlattenOnto(p, 0xFFF585), (std::vector<uint32_t>{0x102030, 0xFFF585, 0xFF7A42}));
}

}  // namespace
}  // namespace quillo
