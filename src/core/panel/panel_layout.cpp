// Panel geometry: items placed in a 38-pixel rhythm (vertical) or side by side (horizontal).
#include "core/panel/panel_layout.h"

#include <algorithm>
#include <array>

#include "core/util/numbers.h"

namespace quillo {
namespace {

// One column of a short block: its label and indicator, their width and digit cells, and the
// column's offset from the block's left edge.
struct Column {
  ControlId label, indicator;
  int cells, width, offset;
};

struct ItemShape {
  PanelItem item;
  int columns;  // 1 for a single item
  std::array<Column, 4> column;
};

// clang-format off
constexpr std::array<ItemShape, kPanelItemCount> kShapes = {{
    {PanelItem::kDistance, 3, {{{ControlId::Panel2, ControlId::led1, 3, 44, 0},
                                {ControlId::Panel7, ControlId::led2, 4, 57, 47},
                                {ControlId::pnldist3, ControlId::led3, 2, 30, 107}}}},
    {PanelItem::kKeystrokes, 1, {{{ControlId::pnlKeyStrokes, ControlId::led4, 0, 0, 0}}}},
    {PanelItem::kLeft, 1, {{{ControlId::pnlLeftBut, ControlId::led5, 0, 0, 0}}}},
    {PanelItem::kRight, 1, {{{ControlId::pnlRightBut, ControlId::led6, 0, 0, 0}}}},
    {PanelItem::kMiddle, 1, {{{ControlId::pnlMidBut, ControlId::led7, 0, 0, 0}}}},
    {PanelItem::kDouble, 1, {{{ControlId::pnlDBLClick, ControlId::led8, 0, 0, 0}}}},
    {PanelItem::kRunningTime, 4, {{{ControlId::pnldays, ControlId::led9, 3, 41, 0},
                                   {ControlId::pnlhour, ControlId::led10, 2, 29, 44},
                                   {ControlId::pnlmin, ControlId::led11, 2, 29, 76},
                                   {ControlId::pnlsec, ControlId::led12, 2, 29, 108}}}},
    {PanelItem::kWheel, 1, {{{ControlId::pnlWheel, ControlId::led13, 0, 0, 0}}}},
    {PanelItem::kSpeed, 1, {{{ControlId::pnlspeed, ControlId::led14, 0, 0, 0}}}},
    {PanelItem::kPointerX, 1, {{{ControlId::pnlx, ControlId::led15, 0, 0, 0}}}},
    {PanelItem::kPointerY, 1, {{{ControlId::pnly, ControlId::led16, 0, 0, 0}}}},
    {PanelItem::kIdleTime, 4, {{{ControlId::pnlIdle, ControlId::led17, 3, 41, 0},
                                {ControlId::pnlIdleHour, ControlId::led18, 2, 29, 44},
                                {ControlId::pnlIdleMin, ControlId::led19, 2, 29, 76},
                                {ControlId::pnlIdleSec, ControlId::led20, 2, 29, 108}}}},
    {PanelItem::kExtra1, 1, {{{ControlId::pnlXbut1, ControlId::led21, 0, 0, 0}}}},
    {PanelItem::kExtra2, 1, {{{ControlId::pnlXBut2, ControlId::led22, 0, 0, 0}}}},
}};

struct ButtonShape {
  ControlId id;
  std::string_view caption;
  const FontSpec* font;
  int width, tabOrder;
  int vLeft, vTop, hLeft, hTop;
};

// Marlett draws "0" as the minimise bar and "r" as the close cross. Its question mark ("s") is
// missing from the Marlett that Wine ships, which draws a second cross there; a text font's "?"
// looks the same on Windows and is a question mark everywhere.
constexpr std::array<ButtonShape, 5> kButtons = {{
    {ControlId::btnHelp, "?", &kTextButtonFont, 19, 5, 89, 6, 6, 22},
    {ControlId::btnMinimize, "0", &kSymbolButtonFont, 19, 6, 108, 6, 45, 22},
    {ControlId::btnExit, "r", &kSymbolButtonFont, 19, 7, 127, 6, 64, 22},
    {ControlId::btnonoff, "on", &kTextButtonFont, 31, 11, 52, 6, 52, 4},
    {ControlId::btnSetup, "setup", &kTextButtonFont, 44, 8, 6, 6, 6, 4},
}};
// clang-format on

constexpr int kButtonHeight = 18;
constexpr int kLabelHeight = 13;
constexpr int kIndicatorOffset = 15;  // indicator top below its label's top

const ItemShape& ShapeOf(PanelItem item) {
  return kShapes[static_cast<size_t>(item) - 1];
}

PanelControl Label(ControlId id, int left, int top, int width) {
  PanelControl c;
  c.id = id;
  c.kind = ControlKind::kLabel;
  c.item = ItemOf(id);
  c.bounds = {left, top, width, kLabelHeight};
  c.font = kLabelFont;
  return c;
}

PanelControl Indicator(ControlId id, int left, int top, int width, int cells) {
  PanelControl c;
  c.id = id;
  c.kind = ControlKind::kIndicator;
  c.item = ItemOf(id);
  c.bounds = {left, top, width, kIndicatorLook.Height};
  c.SignNumber = cells;
  return c;
}

void SetCaption(PanelLayout& layout, ControlId id, std::string_view caption) {
  if (PanelControl* c = layout.Find(id)) c->caption = std::string(caption);
}

// px × to / from, rounded to nearest with halves away from zero.
int Rescale(int px, int from, int to) {
  const int64_t scaled = static_cast<int64_t>(px) * to;
  const int64_t half = (scaled >= 0 ? from : -from) / 2;
  return static_cast<int>((scaled + half) / from);
}

}  // namespace

std::optional<AlphaBlend> TransparencyFor(int Transparent) {
  switch (Transparent) {
    case 0:
      return AlphaBlend{false, 0};
    case 1:
      return AlphaBlend{true, 140};
    case 2:
      return AlphaBlend{true, 110};
    case 3:
      return AlphaBlend{true, 70};
    default:
      return std::nullopt;
  }
}

const PanelControl* PanelLayout::Find(ControlId id) const {
  for (const PanelControl& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

PanelControl* PanelLayout::Find(ControlId id) {
  return const_cast<PanelControl*>(static_cast<const PanelLayout*>(this)->Find(id));
}

PanelLayout SetItems(const PanelSettings& settings) {
  PanelLayout layout;
  layout.vertical = settings.orientation;
  // Start-up keeps the stored value within 6 … 10; clamping again keeps a stray value from
  // producing negative widths.
  layout.digits = EnsureRange(settings.digits, 6, 10);

  for (const ButtonShape& b : kButtons) {
    PanelControl c;
    c.id = b.id;
    c.kind = ControlKind::kButton;
    c.bounds = layout.vertical ? Rect{b.vLeft, b.vTop, b.width, kButtonHeight}
                               : Rect{b.hLeft, b.hTop, b.width, kButtonHeight};
    c.caption = std::string(b.caption);
    c.font = *b.font;
    c.tabOrder = b.tabOrder;
    layout.controls.push_back(std::move(c));
  }

  const int V = layout.vertical ? 1 : 0, H = 1 - V;
  const int D = layout.vertical ? 10 : layout.digits;
  int S = 0, R = 0;
  for (PanelItem item : kPlacementOrder) {
    if (!ItemShown(settings.dispitems, item)) continue;
    const ItemShape& shape = ShapeOf(item);
    const int top = V * (38 * (S + R) + 29) + H * 5;
    const int left = V * 7 + H * (88 + 140 * S + 14 * layout.digits * R);
    if (shape.columns > 1) {
      for (int i = 0; i < shape.columns; ++i) {
        const Column& col = shape.column[i];
        layout.controls.push_back(Label(col.label, left + col.offset, top, col.width));
        layout.controls.push_back(Indicator(col.indicator, left + col.offset,
                                            top + kIndicatorOffset, col.width, col.cells));
      }
      ++S;
    } else {
      const Column& col = shape.column[0];
      const int width = 14 * D - 3;
      layout.controls.push_back(Label(col.label, left, top, width));
      layout.controls.push_back(Indicator(col.indicator, left, top + kIndicatorOffset, width, D));
      ++R;
    }
  }
  layout.vispanels = S + R;
  layout.shortBlocks = S;
  layout.alpha = TransparencyFor(settings.Transparent);
  return layout;
}

PanelFrame SetSize(bool vertical, int digits, int vispanels, int shortBlocks) {
  PanelFrame f;
  if (vertical) {
    f.region = {1, 1, 154, 38 * vispanels + 35};
    f.panel = {151, 38 * vispanels + 32};
    f.window = {151, 38 * vispanels + 33};
  } else {
    const int width = 14 * digits * vispanels + 14 * shortBlocks * (10 - digits) + 90;
    f.region = {1, 1, width + 5, 45};
    f.panel = {width, 44};
    f.window = {width, 44};
  }
  return f;
}

void SetSize(PanelLayout& layout) {
  layout.frame = SetSize(layout.vertical, layout.digits, layout.vispanels, layout.shortBlocks);
}

void SetDistmode(PanelLayout& layout, const MainWindowTexts& texts, bool distmode) {
  if (!layout.Has(ControlId::Panel2)) return;
  SetCaption(layout, ControlId::Panel2, distmode ? "km" : texts.milestring);
  SetCaption(layout, ControlId::Panel7, distmode ? "m" : texts.yardstring);
  SetCaption(layout, ControlId::pnldist3, distmode ? "cm" : texts.inchstring2);
  // Built from the plain word rather than appended to the current caption, so that applying the
  // units twice cannot repeat the suffix.
  SetCaption(layout, ControlId::pnlspeed, texts.pnlspeed + (distmode ? " (km/hr)" : " (ml/hr)"));
}

void SetLanguage(PanelLayout& layout, const MainWindowTexts& texts, bool counting, bool distmode) {
  const std::pair<ControlId, std::string_view> captions[] = {
      {ControlId::pnlx, "X coord"},
      {ControlId::pnly, "Y coord"},
      {ControlId::pnldays, texts.pnldays},
      {ControlId::pnlhour, "hr"},
      {ControlId::pnlmin, "min"},
      {ControlId::pnlsec, "sec"},
      {ControlId::pnlIdle, "idle"},
      {ControlId::pnlIdleHour, "hr"},
      {ControlId::pnlIdleMin, "min"},
      {ControlId::pnlIdleSec, "sec"},
      {ControlId::pnlKeyStrokes, texts.pnlKeyStrokes},
      {ControlId::pnlLeftBut, texts.pnlLeftBut},
      {ControlId::pnlRightBut, texts.pnlRightBut},
      {ControlId::pnlMidBut, texts.pnlMidBut},
      {ControlId::pnlDBLClick, texts.pnlDBLClick},
      {ControlId::pnlWheel, texts.pnlWheel},
      {ControlId::pnlspeed, texts.pnlspeed},
      {ControlId::pnlXbut1, texts.pnlXbut1},
      {ControlId::pnlXBut2, texts.pnlXBut2},
  };
  for (const auto& [id, caption] : captions) SetCaption(layout, id, caption);

  const std::pair<ControlId, const std::string*> hints[] = {
      {ControlId::btnonoff, &texts.onOffHint},
      {ControlId::btnHelp, &texts.Help1},
      {ControlId::btnExit, &texts.Exit1},
      {ControlId::btnMinimize, &texts.HidePanel1},
      {ControlId::btnSetup, &texts.SetupQuillomat1},
  };
  for (const auto& [id, hint] : hints)
    if (PanelControl* c = layout.Find(id)) c->hint = *hint;
  SetCaption(layout, ControlId::btnonoff, counting ? texts.onstring : texts.offstring);

  SetDistmode(layout, texts, distmode);
}

int ScalePx(int px, int dpi) {
  return Rescale(px, 96, dpi);
}

PanelLayout ScaledToDpi(const PanelLayout& layout, int dpi) {
  PanelLayout out = layout;
  out.dpi = dpi;
  auto scale = [&](int px) { return Rescale(px, layout.dpi, dpi); };
  auto scaleRect = [&](const Rect& r) {
    const int left = scale(r.left), top = scale(r.top);
    return Rect{left, top, scale(r.right()) - left, scale(r.bottom()) - top};
  };
  for (PanelControl& c : out.controls) {
    c.bounds = scaleRect(c.bounds);
    c.font.height = scale(c.font.height);
  }
  PanelFrame& f = out.frame;
  f.panel = {scale(f.panel.width), scale(f.panel.height)};
  f.window = {scale(f.window.width), scale(f.window.height)};
  f.region = {scale(f.region.left), scale(f.region.top), scale(f.region.right),
              scale(f.region.bottom)};
  return out;
}

std::vector<ControlId> TabOrder(const PanelLayout& layout) {
  std::vector<const PanelControl*> buttons;
  for (const PanelControl& c : layout.controls)
    if (c.kind == ControlKind::kButton) buttons.push_back(&c);
  std::stable_sort(
      buttons.begin(), buttons.end(),
      [](const PanelControl* a, const PanelControl* b) { return a->tabOrder < b->tabOrder; });
  std::vector<ControlId> order;
  for (const PanelControl* c : buttons) order.push_back(c->id);
  return order;
}

std::vector<BevelBand> PanelBevel(Size panel, int dpi) {
  const int w = ScalePx(1, dpi);
  std::vector<BevelBand> bands;
  const std::pair<BevelShade, BevelShade> rings[] = {{BevelShade::kLight, BevelShade::kDarkShadow},
                                                     {BevelShade::kHighlight, BevelShade::kShadow}};
  for (int ring = 0; ring < 2; ++ring) {
    const int i = ring * w;  // this ring's inset
    const int width = panel.width - 2 * i, height = panel.height - 2 * i;
    if (width <= 0 || height <= 0) break;
    const auto [lit, dark] = rings[ring];
    bands.push_back({{i, i, width, w}, lit});                      // top
    bands.push_back({{i, i, w, height}, lit});                     // left
    bands.push_back({{i, panel.height - i - w, width, w}, dark});  // bottom
    bands.push_back({{panel.width - i - w, i, w, height}, dark});  // right
  }
  return bands;
}

PanelLayout BuildPanel(const PanelSettings& settings, const MainWindowTexts& texts, bool counting,
                       int dpi) {
  PanelLayout layout = SetItems(settings);
  SetLanguage(layout, texts, counting, settings.distmode);
  SetSize(layout);
  return dpi == 96 ? layout : ScaledToDpi(layout, dpi);
}

}  // namespace quillo
