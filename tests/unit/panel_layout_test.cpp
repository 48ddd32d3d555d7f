// The panel's geometry, digit cells, captions, window frame, transparency and DPI scaling.
#include "core/panel/panel_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace quillo {
namespace {

std::string Shown(std::initializer_list<PanelItem> items) {
  std::string flags(15, '0');
  for (PanelItem i : items) flags[static_cast<size_t>(i) - 1] = '1';
  return flags;
}

PanelLayout Build(bool vertical, int digits, std::string dispitems, bool metric = true,
                  int language = kEnglish, bool counting = true, int dpi = 96) {
  PanelSettings s;
  s.orientation = vertical;
  s.digits = digits;
  s.dispitems = std::move(dispitems);
  s.distmode = metric;
  return BuildPanel(s, TextsForLanguage(language), counting, dpi);
}

const PanelControl& At(const PanelLayout& l, ControlId id) {
  const PanelControl* c = l.Find(id);
  EXPECT_NE(c, nullptr) << ControlName(id);
  static const PanelControl kMissing;
  return c ? *c : kMissing;
}

// The first label of each item, in placement order.
ControlId FirstLabel(PanelItem item) {
  switch (item) {
    case PanelItem::kDistance:
      return ControlId::Panel2;
    case PanelItem::kRunningTime:
      return ControlId::pnldays;
    case PanelItem::kIdleTime:
      return ControlId::pnlIdle;
    default:
      for (int i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<ControlId>(i);
        if (ItemOf(id) == item && KindOf(id) == ControlKind::kLabel) return id;
      }
  }
  return ControlId::btnExit;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(PanelLayout, VerticalKeystrokesOnly) {
  const PanelLayout l = Build(true, 7, Shown({PanelItem::kKeystrokes}));
  EXPECT_EQ(l.vispanels, 1);
  EXPECT_EQ(At(l, ControlId::pnlKeyStrokes).bounds, (Rect{7, 29, 137, 13}));
  EXPECT_EQ(At(l, ControlId::led4).bounds, (Rect{7, 44, 137, 19}));
  EXPECT_EQ(At(l, ControlId::led4).SignNumber, 10);
  EXPECT_EQ(l.frame.window, (Size{151, 71}));
  EXPECT_EQ(l.frame.panel, (Size{151, 70}));
  EXPECT_EQ(l.frame.region, (Corners{1, 1, 154, 73}));
  EXPECT_EQ(l.controls.size(), 5u + 2u);
}

TEST(PanelLayout, VerticalAllItemsFollowTheRowRhythm) {
  const PanelLayout l = Build(true, 7, "111111111111111");
  EXPECT_EQ(l.vispanels, 14);
  EXPECT_EQ(l.shortBlocks, 3);
  EXPECT_EQ(l.controls.size(), static_cast<size_t>(kControlCount));
  for (size_t row = 0; row < kPlacementOrder.size(); ++row) {
    const PanelControl& label = At(l, FirstLabel(kPlacementOrder[row]));
    EXPECT_EQ(label.bounds.top, 29 + 38 * static_cast<int>(row)) << ControlName(label.id);
    EXPECT_EQ(label.bounds.left, 7);
  }
  EXPECT_EQ(At(l, ControlId::pnlIdle).bounds.top, 523);
  EXPECT_EQ(At(l, ControlId::led20).bounds, (Rect{115, 538, 29, 19}));
  EXPECT_EQ(l.frame.window, (Size{151, 565}));
  // Every single item spans the same 137 pixels as the short blocks.
  for (const PanelControl& c : l.controls)
    if (c.kind != ControlKind::kButton) {
      EXPECT_LE(c.bounds.right(), 144) << ControlName(c.id);
    }
}

TEST(PanelLayout, HorizontalSevenDigits) {
  const PanelLayout l = Build(false, 7, "11111111111111");
  EXPECT_EQ(At(l, ControlId::pnldays).bounds.left, 88);
  EXPECT_EQ(At(l, ControlId::Panel2).bounds.left, 228);
  EXPECT_EQ(At(l, ControlId::pnlKeyStrokes).bounds.left, 368);
  // Singles from keystrokes to pointer y, each 98 pixels on.
  int expected = 368;
  for (size_t i = 2; i + 1 < kPlacementOrder.size(); ++i, expected += 98) {
    const PanelControl& label = At(l, FirstLabel(kPlacementOrder[i]));
    EXPECT_EQ(label.bounds.left, expected) << ControlName(label.id);
    EXPECT_EQ(label.bounds.width, 95);
  }
  EXPECT_EQ(At(l, ControlId::pnlIdle).bounds.left, 1446);
  EXPECT_EQ(l.frame.window, (Size{1588, 44}));
  EXPECT_EQ(l.frame.panel, (Size{1588, 44}));
  EXPECT_EQ(l.frame.region, (Corners{1, 1, 1593, 45}));
  for (const PanelControl& c : l.controls) {
    if (c.kind == ControlKind::kLabel) {
      EXPECT_EQ(c.bounds.top, 5) << ControlName(c.id);
    }
    if (c.kind == ControlKind::kIndicator) {
      EXPECT_EQ(c.bounds.top, 20) << ControlName(c.id);
    }
  }
  EXPECT_EQ(At(l, ControlId::led13).SignNumber, 7);
}

TEST(PanelLayout, ShortBlockColumns) {
  struct Case {
    ControlId label, led;
    int offset, width, cells;
  } cases[] = {
      {ControlId::pnldays, ControlId::led9, 0, 41, 3},
      {ControlId::pnlhour, ControlId::led10, 44, 29, 2},
      {ControlId::pnlmin, ControlId::led11, 76, 29, 2},
      {ControlId::pnlsec, ControlId::led12, 108, 29, 2},
      {ControlId::Panel2, ControlId::led1, 140 + 0, 44, 3},
      {ControlId::Panel7, ControlId::led2, 140 + 47, 57, 4},
      {ControlId::pnldist3, ControlId::led3, 140 + 107, 30, 2},
  };
  const PanelLayout l = Build(false, 8, Shown({PanelItem::kRunningTime, PanelItem::kDistance}));
  for (const Case& c : cases) {
    EXPECT_EQ(At(l, c.label).bounds, (Rect{88 + c.offset, 5, c.width, 13})) << ControlName(c.label);
    EXPECT_EQ(At(l, c.led).bounds, (Rect{88 + c.offset, 20, c.width, 19})) << ControlName(c.led);
    EXPECT_EQ(At(l, c.led).SignNumber, c.cells) << ControlName(c.led);
  }
  EXPECT_EQ(l.frame.window.width, 88 + 280 + 2);
}

TEST(PanelLayout, HorizontalTenDigitsMakesSinglesAsWideAsBlocks) {
  const std::string cases[] = {"11111111111111", "01000000000000", "10000010000100",
                               "10100001001000", "00000000000001"};
  for (const std::string& flags : cases) {
    const PanelLayout l = Build(false, 10, flags);
    EXPECT_EQ(l.frame.window.width, 140 * l.vispanels + 90) << flags;
    for (const PanelControl& c : l.controls)
      if (c.kind == ControlKind::kIndicator && ItemOf(c.id) == PanelItem::kWheel) {
        EXPECT_EQ(c.bounds.width, 137);
      }
  }
}

TEST(PanelLayout, NothingShownLeavesTheButtons) {
  struct Case {
    bool vertical;
    Size window;
  } cases[] = {{true, {151, 33}}, {false, {90, 44}}};
  for (const Case& c : cases) {
    const PanelLayout l = Build(c.vertical, 7, "000000000000001");  // position 15 is not read
    EXPECT_EQ(l.vispanels, 0);
    EXPECT_EQ(l.frame.window, c.window);
    EXPECT_EQ(l.controls.size(), 5u);
  }
}

TEST(PanelLayout, WidthFormulaMatchesTheContent) {
  // 88 (buttons) + 140 per short block + 14 × digits per single + 2, for every digit count and
  // a spread of item choices; and no control overlaps another or leaves the panel.
  for (int digits = 6; digits <= 10; ++digits) {
    for (unsigned mask = 0; mask < (1u << 14); mask += 37) {
      std::string flags(14, '0');
      for (int i = 0; i < 14; ++i)
        if (mask & (1u << i)) flags[i] = '1';
      for (bool vertical : {false, true}) {
        const PanelLayout l = Build(vertical, digits, flags);
        const int singles = l.vispanels - l.shortBlocks;
        if (!vertical) {
          EXPECT_EQ(l.frame.window.width, 88 + 140 * l.shortBlocks + 14 * digits * singles + 2);
        }
        for (size_t a = 0; a < l.controls.size(); ++a) {
          const Rect& r = l.controls[a].bounds;
          ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right() <= l.frame.panel.width &&
                      r.bottom() <= l.frame.panel.height)
              << flags << " " << ControlName(l.controls[a].id);
          for (size_t b = a + 1; b < l.controls.size(); ++b)
            ASSERT_FALSE(Overlap(r, l.controls[b].bounds))
                << flags << " " << ControlName(l.controls[a].id) << " "
                << ControlName(l.controls[b].id);
        }
      }
    }
  }
}

TEST(PanelLayout, DispitemsReadsOnlyOnes) {
  // A short text hides the missing positions; any character but "1" hides.
  const PanelLayout l = Build(true, 7, "1x1");
  EXPECT_TRUE(l.Has(ControlId::led1));
  EXPECT_FALSE(l.Has(ControlId::led4));
  EXPECT_TRUE(l.Has(ControlId::led5));
  EXPECT_EQ(l.vispanels, 2);
  EXPECT_EQ(Build(true, 7, "").vispanels, 0);
}

TEST(PanelLayout, ButtonsInBothOrientations) {
  struct Case {
    ControlId id;
    Rect vertical, horizontal;
    std::string_view caption, face;
    int tabOrder;
  } cases[] = {
      {ControlId::btnSetup, {6, 6, 44, 18}, {6, 4, 44, 18}, "setup", "Arial", 8},
      {ControlId::btnonoff, {52, 6, 31, 18}, {52, 4, 31, 18}, "on", "Arial", 11},
      {ControlId::btnHelp, {89, 6, 19, 18}, {6, 22, 19, 18}, "?", "Arial", 5},
      {ControlId::btnMinimize, {108, 6, 19, 18}, {45, 22, 19, 18}, "0", "Marlett", 6},
      {ControlId::btnExit, {127, 6, 19, 18}, {64, 22, 19, 18}, "r", "Marlett", 7},
  };
  const PanelLayout v = SetItems({true, 7, "0", true, 0});
  const PanelLayout h = SetItems({false, 7, "0", true, 0});
  for (const Case& c : cases) {
    EXPECT_EQ(At(v, c.id).bounds, c.vertical) << ControlName(c.id);
    EXPECT_EQ(At(h, c.id).bounds, c.horizontal) << ControlName(c.id);
    EXPECT_EQ(At(v, c.id).caption, c.caption);
    EXPECT_EQ(At(v, c.id).font.face, c.face);
    EXPECT_EQ(At(v, c.id).font.bold, c.face == "Arial");
    EXPECT_EQ(At(v, c.id).tabOrder, c.tabOrder);
  }
}

TEST(PanelLayout, TransparencyLevels) {
  struct Case {
    int level;
    std::optional<AlphaBlend> alpha;
  } cases[] = {{0, AlphaBlend{false, 0}}, {1, AlphaBlend{true, 140}}, {2, AlphaBlend{true, 110}},
               {3, AlphaBlend{true, 70}}, {4, std::nullopt},          {-1, std::nullopt}};
  for (const Case& c : cases) {
    EXPECT_EQ(TransparencyFor(c.level), c.alpha) << c.level;
    EXPECT_EQ(SetItems({true, 7, "1", true, c.level}).alpha, c.alpha) << c.level;
  }
}

TEST(PanelCaptions, MetricAndImperialUnits) {
  const PanelLayout metric = Build(true, 7, "11111111111111", true);
  EXPECT_EQ(At(metric, ControlId::Panel2).caption, "km");
  EXPECT_EQ(At(metric, ControlId::Panel7).caption, "m");
  EXPECT_EQ(At(metric, ControlId::pnldist3).caption, "cm");
  EXPECT_EQ(At(metric, ControlId::pnlspeed).caption, "speed (km/hr)");

  const PanelLayout imperial = Build(true, 7, "11111111111111", false);
  EXPECT_EQ(At(imperial, ControlId::Panel2).caption, "miles");
  EXPECT_EQ(At(imperial, ControlId::Panel7).caption, "yards");
  EXPECT_EQ(At(imperial, ControlId::pnldist3).caption, "inch");
  EXPECT_EQ(At(imperial, ControlId::pnlspeed).caption, "speed (ml/hr)");

  // The panel's column takes the short inch word.
  const PanelLayout spanish = Build(true, 7, "11111111111111", false, kSpanish);
  EXPECT_EQ(At(spanish, ControlId::pnldist3).caption, "pulg.");
  EXPECT_EQ(At(spanish, ControlId::pnlspeed).caption, "velocidad (ml/hr)");
}

TEST(PanelCaptions, SpeedWithoutDistanceHasNoUnit) {
  const PanelLayout l = Build(true, 7, Shown({PanelItem::kSpeed}));
  EXPECT_EQ(At(l, ControlId::pnlspeed).caption, "speed");
  // Distance without speed: the units are there and nothing else is touched.
  const PanelLayout d = Build(true, 7, Shown({PanelItem::kDistance}), false);
  EXPECT_EQ(At(d, ControlId::Panel2).caption, "miles");
  EXPECT_FALSE(d.Has(ControlId::pnlspeed));
}

TEST(PanelCaptions, EveryLabelGetsACaption) {
  for (int language = 0; language < kLanguageCount; ++language) {
    const PanelLayout l = Build(false, 7, "11111111111111", language % 2 == 0, language);
    for (const PanelControl& c : l.controls)
      if (c.kind != ControlKind::kIndicator) {
        EXPECT_FALSE(c.caption.empty()) << ControlName(c.id);
      }
    EXPECT_EQ(At(l, ControlId::pnlx).caption, "X coord");
    EXPECT_EQ(At(l, ControlId::pnlIdleSec).caption, "sec");
  }
}

TEST(PanelCaptions, SetLanguageAgainDoesNotRepeatTheSpeedUnit) {
  PanelLayout l = Build(true, 7, "11111111111111");
  const MainWindowTexts german = TextsForLanguage(kGerman);
  SetDistmode(l, german, true);
  SetLanguage(l, german, true, true);
  SetLanguage(l, german, true, true);
  EXPECT_EQ(At(l, ControlId::pnlspeed).caption, "Fahrt (km/hr)");
  EXPECT_EQ(At(l, ControlId::pnlKeyStrokes).caption, "Anschläge");
}

TEST(PanelCaptions, ButtonHintsAndOnOffCaption) {
  const PanelLayout on = Build(true, 7, "1", true, kPortuguese, true);
  EXPECT_EQ(At(on, ControlId::btnHelp).hint, "Ajuda");
  EXPECT_EQ(At(on, ControlId::btnExit).hint, "Sair");
  EXPECT_EQ(At(on, ControlId::btnMinimize).hint, "Mostrar/Ocultar painel");
  EXPECT_EQ(At(on, ControlId::btnSetup).hint, "Configurar Quillomat...");
  EXPECT_EQ(At(on, ControlId::btnonoff).hint, "på / av");
  EXPECT_EQ(At(on, ControlId::btnonoff).caption, "på");
  // Paused: the new language's "off" word, so the next click switches counting on.
  const PanelLayout off = Build(true, 7, "1", true, kDutch, false);
  EXPECT_EQ(At(off, ControlId::btnonoff).caption, "uit");
  EXPECT_EQ(At(Build(true, 7, "1", true, kEnglish), ControlId::btnHelp).hint, "Show Helpfile");
}

TEST(PanelDpi, NinetySixIsTheBaseAndDoubleDoublesEverything) {
  const PanelLayout base = Build(false, 7, "11111111111111");
  const PanelLayout same = ScaledToDpi(base, 96);
  const PanelLayout twice = Build(false, 7, "11111111111111", true, kEnglish, true, 192);
  ASSERT_EQ(twice.controls.size(), base.controls.size());
  for (size_t i = 0; i < base.controls.size(); ++i) {
    const Rect& r = base.controls[i].bounds;
    EXPECT_EQ(same.controls[i].bounds, r);
    EXPECT_EQ(twice.controls[i].bounds, (Rect{2 * r.left, 2 * r.top, 2 * r.width, 2 * r.height}));
    EXPECT_EQ(twice.controls[i].font.height, 2 * base.controls[i].font.height);
  }
  EXPECT_EQ(twice.frame.window, (Size{3176, 88}));
  EXPECT_EQ(twice.frame.region, (Corners{2, 2, 3186, 90}));
  EXPECT_EQ(twice.dpi, 192);
}

TEST(PanelDpi, FractionalScaleRoundsEdgesSoNeighboursStayApart) {
  const PanelLayout l = Build(true, 7, Shown({PanelItem::kKeystrokes}), true, kEnglish, true, 144);
  EXPECT_EQ(At(l, ControlId::pnlKeyStrokes).bounds,
            (Rect{11, 44, 205, 19}));  // 10.5 → 11, right 216
  EXPECT_EQ(At(l, ControlId::led4).bounds, (Rect{11, 66, 205, 29}));
  EXPECT_EQ(l.frame.window, (Size{227, 107}));
  EXPECT_EQ(At(l, ControlId::pnlKeyStrokes).font.height, -17);

  for (int dpi : {120, 144, 168}) {
    const PanelLayout s = Build(false, 6, "11111111111111", true, kEnglish, true, dpi);
    const PanelLayout base = Build(false, 6, "11111111111111");
    for (size_t i = 0; i < s.controls.size(); ++i) {
      const Rect& r = s.controls[i].bounds;
      EXPECT_LE(r.right(), s.frame.panel.width);
      // Controls that touched at 96 DPI still touch; those apart stay apart.
      for (size_t j = 0; j < s.controls.size(); ++j) {
        if (i == j) continue;
        const Rect& b = base.controls[i].bounds;
        const Rect& n = base.controls[j].bounds;
        if (b.right() == n.left) {
          EXPECT_EQ(r.right(), s.controls[j].bounds.left);
        }
        if (b.right() < n.left) {
          EXPECT_LT(r.right(), s.controls[j].bounds.left);
        }
      }
    }
  }
}

TEST(PanelButtons, TabMovesThroughTheButtonsInTheirTabOrder) {
  const std::vector<ControlId> expected = {ControlId::btnHelp, ControlId::btnMinimize,
                                           ControlId::btnExit, ControlId::btnSetup,
                                           ControlId::btnonoff};
  EXPECT_EQ(TabOrder(Build(true, 7, "11111111111111")), expected);
  EXPECT_EQ(TabOrder(Build(false, 7, std::string(15, '0'))), expected);
}

TEST(PanelDpi, BevelScalesWithTheRegionSoTheInnerLinesAlwaysShow) {
  for (int dpi : {96, 120, 144, 168, 192, 240}) {
    const PanelLayout l =
        Build(true, 7, Shown({PanelItem::kKeystrokes}), true, kEnglish, true, dpi);
    const std::vector<BevelBand> bands = PanelBevel(l.frame.panel, dpi);
    ASSERT_EQ(bands.size(), 8u) << dpi;
    const int line = bands[0].rect.height;
    EXPECT_EQ(line, ScalePx(1, dpi)) << dpi;
    // The region cuts exactly the outer top and left lines: the inner lit lines start where the
    // visible window starts.
    EXPECT_EQ(l.frame.region.top, line) << dpi;
    EXPECT_EQ(l.frame.region.left, line) << dpi;
    EXPECT_EQ(bands[4].shade, BevelShade::kHighlight);
    EXPECT_EQ(bands[4].rect.top, l.frame.region.top) << dpi;
    EXPECT_EQ(bands[5].rect.left, l.frame.region.left) << dpi;
    // The dark outer lines run along the panel's bottom and right edges.
    EXPECT_EQ(bands[2].shade, BevelShade::kDarkShadow);
    EXPECT_EQ(bands[2].rect.bottom(), l.frame.panel.height) << dpi;
    EXPECT_EQ(bands[3].rect.right(), l.frame.panel.width) << dpi;
  }
  EXPECT_EQ(PanelBevel({151, 71}, 96)[4], (BevelBand{{1, 1, 149, 1}, BevelShade::kHighlight}));
  EXPECT_TRUE(PanelBevel({0, 0}, 96).empty());
}

TEST(PanelControls, NamesAndIndicatorNumbers) {
  EXPECT_EQ(ControlName(ControlId::Panel7), "Panel7");
  EXPECT_EQ(ControlName(ControlId::pnlXBut2), "pnlXBut2");
  EXPECT_EQ(ControlName(ControlId::led22), "led22");
  int indicators = 0, labels = 0, buttons = 0;
  for (int i = 0; i < kControlCount; ++i) {
    const auto id = static_cast<ControlId>(i);
    switch (KindOf(id)) {
      case ControlKind::kIndicator: {
        ++indicators;
        const std::optional<int> n = LedNumber(id);
        ASSERT_TRUE(n);
        EXPECT_EQ(ControlName(id), "led" + std::to_string(*n));
        EXPECT_EQ(LedControl(*n), id);
        break;
      }
      case ControlKind::kLabel:
        ++labels;
        break;
      case ControlKind::kButton:
        ++buttons;
        break;
    }
  }
  EXPECT_EQ(indicators, 22);
  EXPECT_EQ(labels, 22);
  EXPECT_EQ(buttons, 5);
  EXPECT_FALSE(LedControl(0));
  EXPECT_FALSE(LedControl(23));
  EXPECT_FALSE(LedNumber(ControlId::pnlspeed));
}

}  // namespace
}  // namespace quillo
