// The about dialog's texts and layout at several DPIs, and the logo's resize and flattening.
#include "core/app/about_box.h"

#include <gtest/gtest.h>

#include <array>

#include "core/app/version.h"
#include "core/util/picture_scale.h"

namespace quillo {
namespace {

bool Inside(const Rect& r, Size client) {
  return r.left >= 0 && r.top >= 0 && r.right() <= client.width && r.bottom() <= client.height;
}

TEST(AboutBox, TextsAndLinksOpenTheirHints) {
  const AboutTexts t = AboutBoxTexts();
  EXPECT_EQ(t.caption, "Quillomat Info");
  EXPECT_EQ(t.name, std::string("Quillomat ") + kVersion);
  EXPECT_EQ(t.copyright, "Copyright © 2004-2025 Ombrelune Software");
  EXPECT_EQ(t.freeware, "freeware");
  EXPECT_EQ(t.support, "Support : ");
  EXPECT_EQ(t.mailto, "mail to");
  EXPECT_EQ(t.surfto, "surf to");
  EXPECT_EQ(t.ok, "OK");
  // Each link shows one text and opens another, its hint.
  EXPECT_EQ(t.mailLink, "support@ombrelune.example");
  EXPECT_EQ(t.mailHint, "mailto:support@ombrelune.example");
  EXPECT_EQ(t.webLink, "www.ombrelune.example");
  EXPECT_EQ(t.webHint, "https://www.ombrelune.example/");
}

// Texts as measured on a typical system. The form font's texts follow the system's text size
// (`textScale`); the name, "freeware" and the links keep fonts of their own, scaled by the DPI
// only.
AboutMeasures Typical(int dpi, double textScale = 1.0) {
  const auto px = [dpi](int v) { return ScalePx(v, dpi); };
  const auto form = [&](int w, int h) {
    return TextExtent{px(static_cast<int>(w * textScale + 0.5)),
                      px(static_cast<int>(h * textScale + 0.5))};
  };
  AboutMeasures m;
  m.name = {px(190), px(38)};
  m.copyright = form(230, 15);
  m.freeware = {px(110), px(30)};
  m.support = form(52, 15);
  m.mailto = form(38, 15);
  m.surfto = form(36, 15);
  m.mailLink = {px(150), px(13)};
  m.webLink = {px(130), px(13)};
  m.ok = form(14, 15);
  return m;
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
  // At the normal text size every line keeps the design's place.
  EXPECT_EQ((std::array{l.name.top, l.copyright.top, l.freeware.top, l.support.top, l.surfto.top,
                        l.ok.top}),
            (std::array{42, 82, 100, 138, 156, 183}));
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Windows' larger text sizes (125 %, 150 %) give the icon-title font, and so the dialog's form
// font, a larger height and width; the DPI scales every font.
TEST(AboutBox, NoLineOverlapsAnotherOrCutsItsTextAtAnyTextSizeOrDpi) {
  struct Case {
    int dpi;
    double textScale;
  };
  const Case cases[] = {{96, 1.0},  {96, 1.25}, {96, 1.5},   {96, 2.0},
                        {120, 1.5}, {144, 1.0}, {144, 1.25}, {144, 1.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dpi << " DPI, text at " << c.textScale * 100 << " %");
    const AboutMeasures m = Typical(c.dpi, c.textScale);
    const AboutLayout l = LayoutAboutBox(c.dpi, m);
    const std::pair<const char*, Rect> all[] = {{"logo", l.logo},
                                                {"icon", l.icon},
                                                {"name", l.name},
                                                {"copyright", l.copyright},
                                                {"freeware", l.freeware},
                                                {"support", l.support},
                                                {"mailto", l.mailto},
                                                {"mailLink", l.mailLink},
                                                {"surfto", l.surfto},
                                                {"webLink", l.webLink},
                                                {"ok", l.ok}};
    for (size_t i = 0; i < std::size(all); ++i) {
      EXPECT_TRUE(Inside(all[i].second, l.client)) << all[i].first;
      for (size_t j = i + 1; j < std::size(all); ++j)
        EXPECT_FALSE(Overlap(all[i].second, all[j].second)) << all[i].first << " " << all[j].first;
    }
    const std::pair<TextExtent, Rect> texts[] = {
        {m.name, l.name},       {m.copyright, l.copyright}, {m.freeware, l.freeware},
        {m.support, l.support}, {m.mailto, l.mailto},       {m.mailLink, l.mailLink},
        {m.surfto, l.surfto},   {m.webLink, l.webLink}};
    for (const auto& [text, r] : texts) {
      EXPECT_LE(text.width, r.width) << r.left << "," << r.top;
      EXPECT_LE(text.height, r.height) << r.left << "," << r.top;
    }
    // The centred lines keep a margin at either side: a text that only just fits looks cut.
    for (const auto& [text, r] : {std::pair{m.name, l.name}, std::pair{m.copyright, l.copyright},
                                  std::pair{m.freeware, l.freeware}})
      EXPECT_GE(r.width - text.width, 2 * ScalePx(4, c.dpi)) << r.left << "," << r.top;
    // The button's caption with room for its frame.
    EXPECT_GE(l.ok.width, m.ok.width + ScalePx(16, c.dpi));
    EXPECT_GE(l.ok.height, m.ok.height + ScalePx(10, c.dpi));
    // Still one line under the other, right of the logo.
    const Rect order[] = {l.icon, l.name, l.copyright, l.freeware, l.support, l.surfto, l.ok};
    for (size_t i = 1; i < std::size(order); ++i) EXPECT_GE(order[i].top, order[i - 1].bottom());
    EXPECT_GE(l.support.left, l.logo.right());
  }
}

TEST(AboutBox, LayoutScalesWithTheDpi) {
  const AboutLayout l = LayoutAboutBox(144, Typical(144));
  EXPECT_EQ(l.client, (Size{785, 324}));
  EXPECT_EQ(l.logo, (Rect{12, 12, 302, 300}));
  EXPECT_EQ(l.icon.width, 48);
  EXPECT_EQ(l.ok.height, 38);
}

TEST(AboutBox, LinkLinesLongerThanTheColumnReachTowardsTheLogo) {
  AboutMeasures m = Typical(96);
  m.mailLink.width = 205;  // 52 + 4 + 38 + 4 + 205 = 303: four pixels more than the column
  AboutLayout l = LayoutAboutBox(96, m);
  EXPECT_EQ(l.mailLink.right(), 519);  // the whole address, up to the dialog's margin
  EXPECT_EQ(l.mailLink.width, 205);
  EXPECT_EQ(l.support.left, 216);
  m.mailLink.width = 900;
  l = LayoutAboutBox(96, m);
  EXPECT_EQ(l.support.left, l.logo.right() + 4);  // never over the logo
  // The dialog grows rather than cut the address.
  EXPECT_TRUE(Inside(l.mailLink, l.client));
  EXPECT_EQ(l.mailLink.width, 900);
  EXPECT_EQ(l.client.width, l.mailLink.right() + 4);
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
