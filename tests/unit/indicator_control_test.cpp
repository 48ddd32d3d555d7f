// The indicator's writers and window rules: what each write triggers, which writes are
// ignored, the two ways of life (created in code or loaded), size changes at each angle.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/indicator/liquid_indicator.h"
#include "fakes/indicator_host.h"

namespace quillo::indicator {
namespace {

using fakes::FakeIndicatorHost;

// A control in a window that stands in for the real one.
struct HostedControl {
  FakeIndicatorHost host;
  IAeverLiquidIndicator control{&host};
  HostedControl() { host.control = &control; }
};

Quad RectQuad(int w, int h) {
  return {{{0, 0}, {w, 0}, {w, h}, {0, h}}};
}

TEST(IndicatorDefaults, NewControlIsASilverTenCellPicture) {
  HostedControl f;
  const IAeverLiquidIndicator& c = f.control;
  EXPECT_EQ(c.SignNumber(), 10);
  EXPECT_EQ(Size(c.IndicatorWidth(), c.IndicatorHeight()), (Size{172, 36}));
  EXPECT_EQ(Size(c.Width(), c.Height()), (Size{172, 36}));
  EXPECT_EQ(c.IndicatorGap(), 2);
  EXPECT_EQ(c.ColorScheme(), csSilver);
  EXPECT_EQ(c.BackColor(), 0xDDDDDD);
  EXPECT_EQ(c.NumberForeColor(), 0x363636);
  EXPECT_EQ(c.NumberForeColor1(), 0x0000FF);
  EXPECT_EQ(c.NumberBackColor(), 0xD3D3D3);
  EXPECT_EQ(c.InnerBevel(), bkDown);
  EXPECT_EQ(c.OuterBevel(), bkUP);
  EXPECT_FALSE(c.Imloaded());
  // Built once, and nothing asked of a window that does not exist yet.
  EXPECT_EQ(c.RebuildCount(), 1u);
  EXPECT_EQ(c.CanvasBitmap().Width(), 172);
  EXPECT_TRUE(f.host.shapes.empty());
  EXPECT_EQ(f.host.posted + f.host.invalidated, 0);
}

struct Write {
  const char* name;
  std::function<void(IAeverLiquidIndicator&)> apply;
};

// Writes of the value the control already has: each must cost nothing.
const std::vector<Write> kUnchangedWrites = {
    {"SignNumber", [](auto& c) { c.SetSignNumber(10); }},
    {"IndicatorWidth", [](auto& c) { c.SetIndicatorWidth(172); }},
    {"IndicatorAngle", [](auto& c) { c.SetIndicatorAngle(0); }},
    {"IndicatorGap", [](auto& c) { c.SetIndicatorGap(2); }},
    {"Indicatorstring", [](auto& c) { c.SetIndicatorstring("12.5"); }},
    {"IndicatorKind", [](auto& c) { c.SetIndicatorKind(ik7segment); }},
    {"InnerBevel", [](auto& c) { c.SetInnerBevel(bkDown); }},
    {"OuterBevelWidth", [](auto& c) { c.SetOuterBevelWidth(2); }},
    {"BackColor", [](auto& c) { c.SetBackColor(0xDDDDDD); }},
    {"NumberForeColor1", [](auto& c) { c.SetNumberForeColor1(0x0000FF); }},
    {"IndicatorStyle", [](auto& c) { c.SetIndicatorStyle(isNormal); }},
    {"MouseAction", [](auto& c) { c.SetMouseAction(maNone); }},
    {"TransparentMode", [](auto& c) { c.SetTransparentMode(tmNone); }},
    {"MaterialShadowMode", [](auto& c) { c.SetMaterialShadowMode(msmDark); }},
    {"ForeMaterialMode", [](auto& c) { c.SetForeMaterialMode(mmStretch); }},
};

// Values that would break the geometry: ignored silently.
const std::vector<Write> kInvalidWrites = {
    {"SignNumber 0", [](auto& c) { c.SetSignNumber(0); }},
    {"SignNumber -3", [](auto& c) { c.SetSignNumber(-3); }},
    {"IndicatorWidth 0", [](auto& c) { c.SetIndicatorWidth(0); }},
    {"IndicatorHeight -1", [](auto& c) { c.SetIndicatorHeight(-1); }},
    {"InnerBevelWidth 0", [](auto& c) { c.SetInnerBevelWidth(0); }},
    {"OuterBevelWidth -2", [](auto& c) { c.SetOuterBevelWidth(-2); }},
};

TEST(IndicatorWriters, UnchangedAndInvalidValuesAreIgnoredWithoutARebuild) {
  for (const auto* table : {&kUnchangedWrites, &kInvalidWrites}) {
    for (const Write& w : *table) {
      HostedControl f;
      f.control.SetIndicatorstring("12.5");
      const auto builds = f.control.RebuildCount();
      const int invalidated = f.host.invalidated;
      w.apply(f.control);
      EXPECT_EQ(f.control.RebuildCount(), builds) << w.name;
      EXPECT_EQ(f.host.invalidated, invalidated) << w.name;
      EXPECT_EQ(f.host.posted, 0) << w.name;
      EXPECT_EQ(f.control.SignNumber(), 10) << w.name;
      EXPECT_EQ(f.control.InnerBevelWidth(), 2) << w.name;
      EXPECT_EQ(f.control.OuterBevelWidth(), 2) << w.name;
      EXPECT_EQ(f.control.IndicatorWidth(), 172) << w.name;
      EXPECT_EQ(f.control.IndicatorHeight(), 36) << w.name;
    }
  }
}

// Writes that change the picture: one rebuild at once and a repaint.
const Write kChangingWrites[] = {
    {"SignNumber", [](auto& c) { c.SetSignNumber(3); }},
    {"IndicatorGap", [](auto& c) { c.SetIndicatorGap(-1); }},
    {"Indicatorstring", [](auto& c) { c.SetIndicatorstring("12.6"); }},
    {"IndicatorKind", [](auto& c) { c.SetIndicatorKind(ik5x7matrix); }},
    {"OuterBevel", [](auto& c) { c.SetOuterBevel(bkNone); }},
    {"InnerBevelWidth", [](auto& c) { c.SetInnerBevelWidth(5); }},
    {"BevelColor", [](auto& c) { c.SetBevelColor(0x123456); }},
    {"NumberForeColor", [](auto& c) { c.SetNumberForeColor(0x00FF00); }},
    {"NumberBackColor", [](auto& c) { c.SetNumberBackColor(0x00003A); }},
    {"MouseAction", [](auto& c) { c.SetMouseAction(maBoth); }},
    {"TransparentMode", [](auto& c) { c.SetTransparentMode(tmAll); }},
    {"MaterialMode", [](auto& c) { c.SetMaterialMode(mmTile); }},
    {"MaterialShadowMode", [](auto& c) { c.SetMaterialShadowMode(msmNone); }},
    // A texture is taken even when it equals the current one.
    {"ForeMaterial", [](auto& c) { c.SetForeMaterial(Bitmap()); }},
    {"BackMaterial", [](auto& c) { c.SetBackMaterial(Bitmap()); }},
};

TEST(IndicatorWriters, ChangingWritesRebuildAtOnceAndRepaint) {
  for (const Write& w : kChangingWrites) {
    HostedControl f;
    f.control.SetIndicatorstring("12.5");
    const auto builds = f.control.RebuildCount();
    const int invalidated = f.host.invalidated;
    w.apply(f.control);
    EXPECT_EQ(f.control.RebuildCount(), builds + 1) << w.name;
    EXPECT_EQ(f.host.invalidated, invalidated + 1) << w.name;
    EXPECT_EQ(f.host.posted, 0) << w.name;
  }
}

TEST(IndicatorWriters, SameTextAgainCostsNoRebuild) {
  HostedControl f;
  f.control.SetIndicatorstring("4711");
  const auto builds = f.control.RebuildCount();
  for (int i = 0; i < 5; ++i) f.control.SetIndicatorstring("4711");
  EXPECT_EQ(f.control.RebuildCount(), builds);
  f.control.SetIndicatorstring("4712");
  EXPECT_EQ(f.control.RebuildCount(), builds + 1);
}

TEST(IndicatorWriters, TransparentModeTellsTheWindowWhetherItIsOpaque) {
  HostedControl f;
  f.control.SetTransparentMode(tmBackOnly);
  f.control.SetTransparentMode(tmAll);
  f.control.SetTransparentMode(tmNone);
  EXPECT_EQ(f.host.opaque, (std::vector<bool>{false, false, true}));
}

TEST(IndicatorLife, CodeCreatedControlOnlyRecordsSchemeSizeAndAngle) {
  HostedControl f;
  const auto builds = f.control.RebuildCount();
  f.control.SetColorScheme(csBlack);
  f.control.SetIndicatorWidth(100);
  f.control.SetIndicatorAngle(450);
  EXPECT_EQ(f.control.ColorScheme(), csBlack);
  EXPECT_EQ(f.control.BackColor(), 0xDDDDDD);  // the scheme's colours are not taken
  EXPECT_EQ(f.control.IndicatorWidth(), 100);
  EXPECT_EQ(f.control.IndicatorAngle(), 450);
  EXPECT_EQ(Size(f.control.Width(), f.control.Height()), (Size{172, 36}));
  EXPECT_EQ(f.control.RebuildCount(), builds);
  EXPECT_TRUE(f.host.resizes.empty());
  EXPECT_EQ(f.host.posted, 0);
}

TEST(IndicatorLife, LoadedControlTakesTheSchemeColoursAfterTheQueuedRebuild) {
  HostedControl f;
  f.control.SetIndicatorstring("8");
  f.control.Loaded();
  EXPECT_TRUE(f.control.Imloaded());
  ASSERT_EQ(f.host.shapes.size(), 1u);  // Loaded gives the window its shape
  const auto builds = f.control.RebuildCount();
  f.control.SetColorScheme(csPlasma);
  EXPECT_EQ(f.control.BackColor(), 0x000080);
  EXPECT_EQ(f.control.BevelColor(), 0x000080);
  EXPECT_EQ(f.control.NumberBackColor(), 0x400080);
  EXPECT_EQ(f.control.NumberForeColor(), 0x48BFFF);
  EXPECT_EQ(f.control.NumberForeColor1(), 0x80FFFF);
  EXPECT_EQ(f.control.RebuildCount(), builds);  // not yet
  EXPECT_EQ(f.host.posted, 1);
  f.host.DeliverPosted();
  EXPECT_EQ(f.control.RebuildCount(), builds + 1);
  EXPECT_EQ(f.control.CanvasBitmap().At(86, 4), PixelOf(0x000080));
}

TEST(IndicatorSize, UprightControlPictureFollowsTheWindowThroughTheQueue) {
  HostedControl f;
  for (int angle : {0, 1800}) {
    f.control.SetIndicatorAngle(angle);  // code-created: only recorded
    const auto builds = f.control.RebuildCount();
    f.control.SizeChanged(137, 19 + angle / 1800);
    EXPECT_EQ(f.control.IndicatorWidth(), 137);
    EXPECT_EQ(f.control.IndicatorHeight(), 19 + angle / 1800);
    if (angle == 0) {
      EXPECT_EQ(f.host.shapes.back(), RectQuad(137, 19));
    }
    EXPECT_EQ(f.control.RebuildCount(), builds);
    EXPECT_EQ(f.host.posted, 1);
    f.host.DeliverPosted();
    EXPECT_EQ(f.control.CanvasBitmap().Width(), 137);
  }
}

TEST(IndicatorSize, QuarterTurnedControlSwapsWidthAndHeight) {
  HostedControl f;
  f.control.Loaded();
  f.control.SetIndicatorWidth(100);
  f.control.SetIndicatorHeight(20);
  f.control.SetIndicatorAngle(900);
  EXPECT_EQ(Size(f.control.Width(), f.control.Height()), (Size{20, 100}));
  f.host.posted = 0;
  const auto builds = f.control.RebuildCount();
  f.control.SizeChanged(30, 120);  // the window is resized from outside
  EXPECT_EQ(f.control.IndicatorWidth(), 120);
  EXPECT_EQ(f.control.IndicatorHeight(), 30);
  EXPECT_EQ(f.control.RebuildCount(), builds + 1);  // at once, not queued
  EXPECT_EQ(f.host.posted, 0);
  EXPECT_EQ(f.control.CanvasBitmap().Width(), 30);
  EXPECT_EQ(f.control.CanvasBitmap().Height(), 120);
}

TEST(IndicatorSize, OtherAnglesUndoAResizeOfTheWindow) {
  HostedControl f;
  f.control.Loaded();
  f.control.SetIndicatorWidth(100);
  f.control.SetIndicatorHeight(20);
  f.control.SetIndicatorAngle(450);
  ASSERT_EQ(Size(f.control.Width(), f.control.Height()), (Size{85, 85}));
  const Quad shape = f.host.shapes.back();
  f.host.resizes.clear();
  f.host.parentAreas.clear();
  f.host.posted = 0;
  f.control.SizeChanged(200, 50);
  EXPECT_EQ(f.host.resizes.front(), (Size{85, 85}));
  EXPECT_EQ(Size(f.control.Width(), f.control.Height()), (Size{85, 85}));
  EXPECT_EQ(f.control.IndicatorWidth(), 100);
  EXPECT_EQ(f.control.IndicatorHeight(), 20);
  ASSERT_FALSE(f.host.parentAreas.empty());
  EXPECT_EQ(f.host.parentAreas.front(), shape);  // what was under the window gets repainted
  EXPECT_GE(f.host.parentRepaints, 1);
  EXPECT_GE(f.host.posted, 1);
}

TEST(IndicatorSize, NewPictureSizeOnALoadedControlResizesTheWindow) {
  HostedControl f;
  f.control.Loaded();
  f.control.SetIndicatorAngle(300);
  ASSERT_EQ(Size(f.control.Width(), f.control.Height()), (Size{167, 117}));
  const Quad before = f.host.shapes.back();
  f.host.parentAreas.clear();
  const auto builds = f.control.RebuildCount();
  f.control.SetIndicatorWidth(100);
  f.control.SetIndicatorHeight(20);
  EXPECT_EQ(Size(f.control.Width(), f.control.Height()), (Size{97, 67}));
  EXPECT_EQ(f.host.shapes.back(), (Quad{{{1, 49}, {88, -1}, {98, 16}, {11, 66}}}));
  EXPECT_EQ(f.host.parentAreas.front(), before);
  EXPECT_EQ(f.control.RebuildCount(), builds + 2);
  EXPECT_EQ(f.control.CanvasBitmap().Width(), 97);
}

TEST(IndicatorShape, OnlyAControlWithAParentGetsAWindowShape) {
  HostedControl f;
  f.host.parent = false;
  f.control.Loaded();
  f.control.SetIndicatorWidth(100);
  f.control.SetIndicatorHeight(20);
  f.control.SetIndicatorAngle(450);
  EXPECT_TRUE(f.host.shapes.empty());
  EXPECT_EQ(f.control.WindowShape(), (Quad{{{1, 70}, {72, -1}, {86, 13}, {15, 84}}}));
}

TEST(IndicatorPointer, EnterAndLeaveQueueARebuildAndNotify) {
  HostedControl f;
  std::vector<std::pair<const IAeverLiquidIndicator*, bool>> events;
  f.control.SetOnMouseEnter([&](IAeverLiquidIndicator& s) { events.push_back({&s, true}); });
  f.control.SetOnMouseExit([&](IAeverLiquidIndicator& s) { events.push_back({&s, false}); });
  f.control.MouseEnter();
  EXPECT_TRUE(f.control.Moused());
  f.control.MouseLeave();
  EXPECT_FALSE(f.control.Moused());
  EXPECT_EQ(f.host.posted, 2);
  EXPECT_EQ(events, (std::vector<std::pair<const IAeverLiquidIndicator*, bool>>{
                        {&f.control, true}, {&f.control, false}}));
}

}  // namespace
}  // namespace quillo::indicator
