// A changed text repaints only the cells that show something else: which cells changed, and that
// the part of the control marked for repainting holds every pixel that changed.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/indicator/cell_layout.h"
#include "core/indicator/liquid_indicator.h"
#include "core/panel/indicator_style.h"

namespace quillo::indicator {
namespace {

// Records what the control asks to have repainted.
class RepaintRecorder : public IndicatorHost {
 public:
  IAeverLiquidIndicator* control = nullptr;
  int whole = 0;
  std::vector<Rect> areas;

  void PostRebuildRequest() override { control->HandleRebuildRequest(); }
  void InvalidateControl() override { ++whole; }
  void InvalidateArea(const Rect& area) override { areas.push_back(area); }
  void UpdateControl() override {}
  bool HasParent() const override { return true; }
  void ApplyWindowShape(const Quad&) override {}
  void SetOpaque(bool) override {}
  void ResizeWindow(int width, int height, bool) override {
    if (width != control->Width() || height != control->Height())
      control->SizeChanged(width, height);
  }
  void InvalidateParentArea(const Quad&) override {}
  void RepaintParent() override {}
};

struct Control {
  RepaintRecorder host;
  IAeverLiquidIndicator c{&host};
  Control() { host.control = &c; }
};

Cells Layout(const char* text, int cells) {
  return LayoutCells(text, cells, ik7segment);
}

TEST(ChangedCellsTest, FromTheFirstCellThatDiffersToTheLast) {
  struct Case {
    const char* before;
    const char* after;
    CellSpan changed;
  } cases[] = {
      {"1234567", "1234567", {0, 0}},
      {"1234567", "1234568", {9, 1}},  // right-aligned in ten cells
      {"1234599", "1234600", {7, 3}},  // a carry
      {"99", "100", {7, 3}},           // one cell more, behind a blank
      {"12.34", "12.35", {9, 1}},      // the point lights a cell of its own digit
      {"12.34", "123.4", {7, 2}},      // the point moves: both its cells change
      {"-5", "5", {8, 1}},             // the sign goes, the digit stays
      {"1,5", "1.5", {0, 0}},          // both light the point of the 1
      {"7", "", {9, 1}},
      {"1000000", "1000001", {9, 1}},
      {"5000001", "6000001", {3, 1}},  // a change inside leaves the cells around it
  };
  for (const Case& k : cases)
    EXPECT_EQ(ChangedCells(Layout(k.before, 10), Layout(k.after, 10)), k.changed)
        << k.before << " -> " << k.after;
  // Another number of cells: everything is new.
  EXPECT_EQ(ChangedCells(Layout("12", 8), Layout("12", 10)), (CellSpan{0, 10}));
}

struct Style {
  const char* name;
  std::function<void(IAeverLiquidIndicator&)> apply;
};

const Style kStyles[] = {
    {"panel",
     [](IAeverLiquidIndicator& c) {
       ApplyIndicatorStyle(c);
       c.SetSize(137, 19);
     }},
    {"default with frames", [](IAeverLiquidIndicator&) {}},
    {"nine segments, thick, hovered and widened",
     [](IAeverLiquidIndicator& c) {
       c.SetIndicatorKind(ik9segment);
       c.SetIndicatorStyle(isThick);
       c.SetSignNumber(8);
       c.SetMouseAction(maBoth);
       c.SetSize(160, 30);
       c.MouseEnter();
     }},
    {"5 x 7 matrix",
     [](IAeverLiquidIndicator& c) {
       c.SetIndicatorKind(ik5x7matrix);
       c.SetSignNumber(8);
       c.SetSize(170, 28);
     }},
};

struct TextChange {
  const char* before;
  const char* after;
};

const TextChange kChanges[] = {{"1234567", "1234568"}, {"99", "100"},     {"12.34", "12.35"},
                               {"12.34", "123.4"},     {"-5", "5"},       {"Ab1.%", "Ab2.%"},
                               {"12:34", "12:35"},     {"0.000", "0.001"}};

TEST(IndicatorPartialRepaintTest, TheMarkedPartHoldsEveryPixelThatChanged) {
  for (const Style& style : kStyles)
    for (const TextChange& t : kChanges) {
      SCOPED_TRACE(std::string(style.name) + ": " + t.before + " -> " + t.after);
      Control x;
      style.apply(x.c);
      x.c.SetIndicatorstring(t.before);
      const Bitmap before = x.c.CanvasBitmap();
      x.host.areas.clear();
      x.host.whole = 0;
      x.c.SetIndicatorstring(t.after);
      const Bitmap& after = x.c.CanvasBitmap();

      // The picture is the one a full build of the new text gives.
      Control fresh;
      style.apply(fresh.c);
      fresh.c.SetIndicatorstring(t.after);
      ASSERT_EQ(after.Width(), fresh.c.CanvasBitmap().Width());
      ASSERT_EQ(after.Height(), fresh.c.CanvasBitmap().Height());
      int differ = 0;
      for (int y = 0; y < after.Height(); ++y)
        for (int x0 = 0; x0 < after.Width(); ++x0)
          differ += after.At(x0, y) != fresh.c.CanvasBitmap().At(x0, y);
      EXPECT_EQ(differ, 0) << "pixels unlike a full build";

      ASSERT_EQ(x.host.whole, 0);
      ASSERT_EQ(x.host.areas.size(), 1u);
      const Rect a = x.host.areas[0];
      int changed = 0, outside = 0;
      for (int y = 0; y < after.Height(); ++y)
        for (int x0 = 0; x0 < after.Width(); ++x0) {
          if (before.At(x0, y) == after.At(x0, y)) continue;
          ++changed;
          outside += x0 < a.left || x0 >= a.right || y < a.top || y >= a.bottom;
        }
      EXPECT_GT(changed, 0);
      EXPECT_EQ(outside, 0) << "changed pixels outside [" << a.left << ", " << a.right << ") x ["
                            << a.top << ", " << a.bottom << ")";
    }
}

TEST(IndicatorPartialRepaintTest, OneDigitRepaintsAboutOneCell) {
  for (const Style& style : kStyles) {
    SCOPED_TRACE(style.name);
    Control x;
    style.apply(x.c);
    x.c.SetIndicatorstring("4711");
    x.host.areas.clear();
    x.c.SetIndicatorstring("4712");
    ASSERT_EQ(x.host.areas.size(), 1u);
    const Rect a = x.host.areas[0];
    const int cell = x.c.Width() / x.c.SignNumber();
    EXPECT_LE(a.right - a.left, cell + 4);
    EXPECT_GT(a.right - a.left, cell / 2);
    EXPECT_EQ(a.right <= x.c.Width(), true);
    EXPECT_GT(a.left, x.c.Width() * 2 / 3);  // the last cell
  }
}

TEST(IndicatorPartialRepaintTest, ATextThatLaysOutTheSameRepaintsNothing) {
  Control x;
  x.c.SetIndicatorstring("1.5");
  const auto builds = x.c.RebuildCount();
  x.host.areas.clear();
  x.host.whole = 0;
  x.c.SetIndicatorstring("1,5");
  EXPECT_EQ(x.c.Indicatorstring(), "1,5");
  EXPECT_EQ(x.c.RebuildCount(), builds);
  EXPECT_TRUE(x.host.areas.empty());
  EXPECT_EQ(x.host.whole, 0);
}

TEST(IndicatorPartialRepaintTest, TurnedOrSeeThroughPicturesRepaintWhole) {
  const std::function<void(IAeverLiquidIndicator&)> setups[] = {
      [](IAeverLiquidIndicator& c) {
        c.Loaded();
        c.SetIndicatorAngle(300);
      },
      [](IAeverLiquidIndicator& c) { c.SetTransparentMode(tmAll); },
  };
  for (const auto& setup : setups) {
    Control x;
    setup(x.c);
    x.c.SetIndicatorstring("4711");
    x.host.areas.clear();
    x.c.SetIndicatorstring("4712");
    ASSERT_EQ(x.host.areas.size(), 1u);
    EXPECT_EQ(x.host.areas[0], (Rect{0, 0, x.c.Width(), x.c.Height()}));
  }
}

TEST(IndicatorPartialRepaintTest, AfterANewNumberOfCellsTheChangedCellAlone) {
  Control x;
  x.c.SetIndicatorstring("4711");
  x.c.SetSignNumber(12);
  x.host.areas.clear();
  x.host.whole = 0;
  x.c.SetIndicatorstring("4712");
  ASSERT_EQ(x.host.areas.size(), 1u);
  EXPECT_LT(x.host.areas[0].right - x.host.areas[0].left, x.c.Width() / 4);
  EXPECT_EQ(x.host.whole, 0);
}

}  // namespace
}  // namespace quillo::indicator
