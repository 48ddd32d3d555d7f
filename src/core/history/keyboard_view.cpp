// The keyboard page: ranges, sums, the shortening of counts, the tables and the picture.
#include "core/history/keyboard_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

#include "core/panel/history_texts.h"
#include "core/panel/keyboard_texts.h"
#include "core/panel/main_window_texts.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

constexpr uint32_t kOnDark = 0xFFFFFF;  // text on the two darkest classes
constexpr int kLightClasses = 3;

// n × 10 / unit, rounded to nearest with ties to even, in whole numbers (no floating error).
uint64_t Rounded(uint64_t n, uint64_t unit) {
  const uint64_t q = n / unit, rem = n % unit;
  return q + ((rem * 2 > unit || (rem * 2 == unit && (q & 1))) ? 1 : 0);
}

std::string Colon(int language) {
  return language == kFrench ? " : " : ": ";
}

struct Media {
  uint32_t vk;
  KeyboardText name;
};
constexpr Media kMedia[] = {
    {0xAD, KeyboardText::volumeMute},    {0xAE, KeyboardText::volumeDown},
    {0xAF, KeyboardText::volumeUp},      {0xB0, KeyboardText::nextTrack},
    {0xB1, KeyboardText::previousTrack}, {0xB2, KeyboardText::stopMedia},
    {0xB3, KeyboardText::playPause},
};

// Both Shift keys, both Ctrl, both Alt, both Windows keys, and the sides-unknown codes.
int GroupOf(uint32_t vk) {
  switch (vk) {
    case 0x10:
    case 0xA0:
    case 0xA1:
      return static_cast<int>(ModifierGroup::kShift);
    case 0x11:
    case 0xA2:
    case 0xA3:
      return static_cast<int>(ModifierGroup::kCtrl);
    case 0x12:
    case 0xA4:
    case 0xA5:
      return static_cast<int>(ModifierGroup::kAlt);
    case 0x5B:
    case 0x5C:
      return static_cast<int>(ModifierGroup::kWin);
    default:
      return -1;
  }
}

constexpr NamedKey kGroupNames[kModifierGroupCount] = {NamedKey::kShift, NamedKey::kCtrl,
                                                       NamedKey::kAlt, NamedKey::kWin};

int Pad(const ChartFont& font) {
  return std::max(2, font.height / 2);
}

int TextWidth(const ChartFont& font, std::string_view text) {
  return font.width ? font.width(text) : static_cast<int>(text.size()) * font.height / 2;
}

ChartItem& Add(ChartPicture& p, ChartItemKind kind, ChartRect r, uint32_t color) {
  ChartItem& i = p.items.emplace_back();
  i.kind = kind;
  i.rect = r;
  i.color = color;
  return i;
}

void Text(ChartPicture& p, ChartRect r, std::string text, TextAlign align,
          uint32_t color = kChartText) {
  ChartItem& i = Add(p, ChartItemKind::kText, r, color);
  i.text = std::move(text);
  i.align = align;
}

// An arrow key's arrow, drawn as lines in `r` (a keycap's arrow is a picture, and the fonts a
// window may have do not all hold the arrow characters); false for any other key.
bool DrawArrow(ChartPicture& p, NamedKey named, ChartRect r, uint32_t color) {
  int dx = 0, dy = 0;
  switch (named) {
    case NamedKey::kLeft:
      dx = -1;
      break;
    case NamedKey::kRight:
      dx = 1;
      break;
    case NamedKey::kUp:
      dy = -1;
      break;
    case NamedKey::kDown:
      dy = 1;
      break;
    default:
      return false;
  }
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const int half = std::max(3, std::min(r.right - r.left, r.bottom - r.top) * 3 / 8);
  const int head = std::max(2, half * 2 / 3);
  const int width = std::max(1, half / 4);
  const int tipX = cx + dx * half, tipY = cy + dy * half;
  auto line = [&](int x0, int y0, int x1, int y1) {
    ChartItem& i = Add(p, ChartItemKind::kLine, {x0, y0, x1, y1}, color);
    i.width = width;
  };
  line(cx - dx * half, cy - dy * half, tipX, tipY);
  // The head's two strokes go back from the tip, one to each side.
  line(tipX, tipY, tipX - dx * head - dy * head, tipY - dy * head - dx * head);
  line(tipX, tipY, tipX - dx * head + dy * head, tipY - dy * head + dx * head);
  return true;
}

// Where the parts go for a size and font.
struct KeyboardGeometry {
  int pad, quarter, left, top, tableLeft, tableWidth, line, legendTop, listTop;
  ChartRect Key(const KeyQuarters& q) const {
    const int gap = std::max(1, quarter / 3);
    return {left + q.x * quarter + gap / 2, top + q.y * quarter + gap / 2,
            left + (q.x + q.w) * quarter - (gap - gap / 2),
            top + (q.y + q.h) * quarter - (gap - gap / 2)};
  }
};

KeyboardGeometry Layout(int width, int height, const ChartFont& font, int tableWidth) {
  KeyboardGeometry g;
  g.pad = Pad(font);
  g.line = font.height + std::max(1, font.height / 6);
  g.tableWidth = tableWidth;
  g.top = g.pad + g.line + g.pad;
  const int room = width - 3 * g.pad - tableWidth;
  // Below the keys: the legend (two lines) and the keys not drawn (one line).
  const int below = g.pad + 2 * font.height + g.pad + g.line + g.pad;
  const int byWidth = room / kKeyboardQuartersWide;
  const int byHeight = (height - g.top - below) / kKeyboardQuartersHigh;
  // Never smaller than a key a caption's letter fits in: a small window cuts the picture instead.
  g.quarter = std::max({std::min(byWidth, byHeight), font.height / 3, 3});
  g.left = g.pad;
  g.tableLeft = g.left + kKeyboardQuartersWide * g.quarter + 2 * g.pad;
  g.legendTop = g.top + kKeyboardQuartersHigh * g.quarter + g.pad;
  g.listTop = g.legendTop + 2 * font.height + g.pad;
  return g;
}

}  // namespace

DaySpan KeyRangeSpan(KeyRange range, int32_t selected, int firstWeekday,
                     const HistoryData& history) {
  const CivilDateTime d = CivilFromDayNumber(selected);
  switch (range) {
    case KeyRange::kDay:
      return {selected, selected};
    case KeyRange::kWeek: {
      const int32_t first = WeekStartOf(selected, firstWeekday);
      return {first, first + 6};
    }
    case KeyRange::kMonth: {
      const int32_t first = DayNumber(d.year, d.month, 1);
      const int32_t next =
          d.month == 12 ? DayNumber(d.year + 1, 1, 1) : DayNumber(d.year, d.month + 1, 1);
      return {first, next - 1};
    }
    case KeyRange::kYear:
      return {NewYearsDay(d.year), NewYearsDay(d.year + 1) - 1};
    case KeyRange::kAll:
      if (history.days.empty()) return {selected, selected};
      return {std::min(history.days.begin()->first, selected),
              std::max(history.days.rbegin()->first, selected)};
  }
  return {selected, selected};
}

KeyCounts SumKeys(const HistoryData& history, DaySpan span) {
  KeyCounts c{};
  for (auto it = history.days.lower_bound(span.first);
       it != history.days.end() && it->first <= span.last; ++it)
    for (const auto& [key, n] : it->second.places.keys)
      if (key < kKeyIdCount) c[key] += n;
  return c;
}

std::string ShortCount(uint64_t n, char decimal) {
  if (n < 1000) return std::to_string(n);
  static constexpr struct {
    uint64_t unit;
    char letter;
  } kUnits[] = {{1000, 'k'}, {1000000, 'M'}, {1000000000, 'G'}, {1000000000000, 'T'}};
  for (const auto& u : kUnits) {
    const uint64_t tenths = u.unit >= 10 ? Rounded(n, u.unit / 10) : n;
    if (tenths < 1000)
      return std::to_string(tenths / 10) + decimal + std::to_string(tenths % 10) + u.letter;
    const uint64_t whole = Rounded(n, u.unit);
    if (whole < 1000) return std::to_string(whole) + u.letter;
  }
  return std::to_string(Rounded(n, 1000000000000000)) + 'P';
}

std::vector<DrawnKey> UsKeys(bool iso, int language) {
  std::vector<DrawnKey> out;
  for (const PhysicalKey& p : FullKeyboard(iso)) {
    DrawnKey& k = out.emplace_back();
    k.physical = p;
    k.key = p.key;
    k.alternate = p.alternate;
    k.caption = p.named != NamedKey::kNone ? std::string(NamedKeyCaption(p.named, language))
                                           : std::string(p.usCaption);
  }
  return out;
}

uint64_t CountOf(const DrawnKey& k, const KeyCounts& counts) {
  return counts[k.key % kKeyIdCount] + (k.alternate ? counts[k.alternate % kKeyIdCount] : 0);
}

std::string KeyIdName(KeyId k, int language) {
  const uint32_t vk = VirtualKeyOf(k);
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  for (const Media& m : kMedia)
    if (m.vk == vk) return std::string(KeyboardWindowText(m.name, language));
  const int group = GroupOf(vk);
  if (group >= 0) return std::string(NamedKeyCaption(kGroupNames[group], language));
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%03X", static_cast<unsigned>(k));
  return KeyboardTextWith(KeyboardText::keyCode, language, hex);
}

std::vector<KeyFigure> TopKeys(const std::vector<DrawnKey>& keys, const KeyCounts& counts, size_t n,
                               int language) {
  std::vector<KeyFigure> all;
  for (const DrawnKey& k : keys)
    if (const uint64_t c = CountOf(k, counts)) all.push_back({k.caption, c});
  for (const KeyFigure& f : NotDrawnKeys(keys, counts, language)) all.push_back(f);
  std::stable_sort(all.begin(), all.end(),
                   [](const KeyFigure& a, const KeyFigure& b) { return a.count > b.count; });
  if (all.size() > n) all.resize(n);
  return all;
}

std::vector<KeyFigure> NotDrawnKeys(const std::vector<DrawnKey>& keys, const KeyCounts& counts,
                                    int language) {
  std::array<bool, kKeyIdCount> drawn{};
  for (const DrawnKey& k : keys) {
    drawn[k.key % kKeyIdCount] = true;
    if (k.alternate) drawn[k.alternate % kKeyIdCount] = true;
  }
  std::vector<KeyFigure> out;
  for (int id = 0; id < kKeyIdCount; ++id)
    if (counts[static_cast<size_t>(id)] && !drawn[static_cast<size_t>(id)])
      out.push_back({KeyIdName(static_cast<KeyId>(id), language), counts[static_cast<size_t>(id)]});
  return out;
}

uint64_t ModifierShare::Modifiers() const {
  uint64_t sum = 0;
  for (uint64_t p : presses) sum += p;
  return sum;
}

double ModifierShare::Share(uint64_t part) const {
  return all ? static_cast<double>(part) / static_cast<double>(all) : 0;
}

ModifierShare ModifiersOf(const KeyCounts& counts) {
  ModifierShare s;
  for (int id = 0; id < kKeyIdCount; ++id) {
    const uint64_t n = counts[static_cast<size_t>(id)];
    s.all += n;
    const int g = GroupOf(VirtualKeyOf(static_cast<KeyId>(id)));
    if (g >= 0) s.presses[static_cast<size_t>(g)] += n;
  }
  return s;
}

std::string Percent(double share, const NumberStyle& style, int language) {
  NumberStyle plain = style;
  plain.thousands.clear();
  const bool spaced = language == kGerman || language == kFrench || language == kSpanish ||
                      language == kSwedish || language == kNorwegian || language == kCzech;
  return GroupedNumber(share * 100, 1, plain) + (spaced ? "\xC2\xA0%" : "%");
}

KeyboardView::KeyboardView(std::vector<DrawnKey> keys, KeyRange range)
    : keys_(std::move(keys)), range_(range) {}

void KeyboardView::SetKeys(std::vector<DrawnKey> keys) {
  keys_ = std::move(keys);
  selected_ = std::clamp<int32_t>(selected_, 0, static_cast<int32_t>(keys_.size()) - 1);
}

bool KeyboardView::Update(const HistoryData& history, int32_t selected, int firstWeekday) {
  const DaySpan span = KeyRangeSpan(range_, selected, firstWeekday, history);
  KeyCounts counts = SumKeys(history, span);
  const bool changed = !(span == span_) || counts != counts_;
  span_ = span;
  counts_ = counts;
  return changed;
}

bool KeyboardView::Select(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(keys_.size())) return false;
  selected_ = index;
  return true;
}

bool KeyboardView::Move(ChartKey key) {
  if (keys_.empty()) return false;
  if (key == ChartKey::kHome || key == ChartKey::kEnd) {
    const int32_t to = key == ChartKey::kHome ? 0 : static_cast<int32_t>(keys_.size()) - 1;
    const bool moved = to != selected_;
    selected_ = to;
    return moved;
  }
  // Left and right stay in the row and take the next key; up and down take the next row and the
  // key in it most in line (between two as far aside, a staggered row's, the left one).
  auto centre = [this](size_t i, bool x) {
    const KeyQuarters& q = keys_[i].physical.place;
    return x ? 2 * q.x + q.w : 2 * q.y + q.h;
  };
  const bool across = key == ChartKey::kLeft || key == ChartKey::kRight;
  const int sign =
      key == ChartKey::kRight || key == ChartKey::kDown || key == ChartKey::kPageDown ? 1 : -1;
  const size_t from = static_cast<size_t>(selected_);
  int best = -1;
  std::tuple<int, int, int> bestScore;
  for (size_t i = 0; i < keys_.size(); ++i) {
    // Rows by their tops, so that a tall key (the keypad's + and Enter) is in its first row.
    const int along = across ? (centre(i, true) - centre(from, true)) * sign
                             : (keys_[i].physical.place.y - keys_[from].physical.place.y) * sign;
    if (along <= 0) continue;
    const int offset = centre(i, !across) - centre(from, !across);
    const auto score = across ? std::tuple(std::abs(offset), along, offset > 0)
                              : std::tuple(along, std::abs(offset), offset > 0);
    if (best < 0 || score < bestScore) {
      best = static_cast<int>(i);
      bestScore = score;
    }
  }
  if (best < 0) return false;
  selected_ = best;
  return true;
}

std::vector<std::string> KeyboardView::RangeChoices(int language) {
  std::vector<std::string> out;
  for (KeyboardText t : {KeyboardText::rangeDay, KeyboardText::rangeWeek, KeyboardText::rangeMonth,
                         KeyboardText::rangeYear, KeyboardText::rangeAll})
    out.emplace_back(KeyboardWindowText(t, language));
  return out;
}

std::string KeyboardView::Describe(int32_t index, const HistoryViewOptions& o) const {
  if (index < 0 || index >= static_cast<int32_t>(keys_.size())) return {};
  const DrawnKey& k = keys_[static_cast<size_t>(index)];
  return k.caption + " \xE2\x80\x94 " +  // an em dash
         std::string(HistoryWindowText(HistoryText::keystrokes, o.language)) + Colon(o.language) +
         GroupedNumber(static_cast<double>(CountOf(k, counts_)), 0, o.style);
}

ChartPicture KeyboardView::Picture(int width, int height, const ChartFont& font, bool focused,
                                   const HistoryViewOptions& o) const {
  ChartPicture p;
  p.width = width;
  p.height = height;
  Add(p, ChartItemKind::kFill, {0, 0, width, height}, kChartBackground);

  const std::vector<KeyFigure> top = TopKeys(keys_, counts_, 10, o.language);
  const ModifierShare mods = ModifiersOf(counts_);
  // The table is as wide as its widest line needs.
  int nameWidth = TextWidth(font, KeyboardWindowText(KeyboardText::keyHeading, o.language));
  for (const KeyFigure& f : top) nameWidth = std::max(nameWidth, TextWidth(font, f.name));
  for (NamedKey n : kGroupNames)
    nameWidth = std::max(nameWidth, TextWidth(font, NamedKeyCaption(n, o.language)));
  int figureWidth =
      std::max(TextWidth(font, KeyboardWindowText(KeyboardText::countHeading, o.language)),
               TextWidth(font, "100.0 %"));
  for (const KeyFigure& f : top)
    figureWidth = std::max(
        figureWidth, TextWidth(font, GroupedNumber(static_cast<double>(f.count), 0, o.style)));
  const int gutter = Pad(font) * 2;
  const int tableWidth =
      std::max({nameWidth + gutter + figureWidth,
                TextWidth(font, KeyboardWindowText(KeyboardText::mostUsed, o.language)),
                TextWidth(font, KeyboardWindowText(KeyboardText::allModifiers, o.language)) +
                    gutter + figureWidth});
  const KeyboardGeometry g = Layout(width, height, font, tableWidth);

  // The days shown, above the keys.
  const std::string days = span_.first == span_.last
                               ? IsoDate(span_.first)
                               : IsoDate(span_.first) + " \xE2\x80\x93 " + IsoDate(span_.last);
  Text(p, {g.left, g.pad, g.tableLeft - g.pad, g.pad + g.line}, days, TextAlign::kLeft);

  uint64_t largest = 0;
  for (const DrawnKey& k : keys_) largest = std::max(largest, CountOf(k, counts_));
  const SequentialScale scale =
      MakeScale(HistoryMeasure::kKeystrokes, static_cast<double>(largest), o.metric, o.language);

  for (size_t i = 0; i < keys_.size(); ++i) {
    const DrawnKey& k = keys_[i];
    const uint64_t n = CountOf(k, counts_);
    const int c = scale.ClassOf(static_cast<double>(n));
    const uint32_t fill = c == 0 ? kChartNoUse : kChartScale[static_cast<size_t>(c - 1)];
    const uint32_t ink = c > kLightClasses ? kOnDark : kChartText;
    const ChartRect r = g.Key(k.physical.place);
    Add(p, ChartItemKind::kFill, r, fill);
    p.targets.push_back({r, static_cast<int32_t>(i)});
    if (!k.physical.extra.Empty()) {
      // The ISO Enter's lower part joins the upper one without a seam.
      ChartRect low = g.Key(k.physical.extra);
      low.top = r.bottom - 1;
      Add(p, ChartItemKind::kFill, low, fill);
      p.targets.push_back({low, static_cast<int32_t>(i)});  // the pointer there points at it too
    }
    // The caption in the upper half, the count in the lower; a count too wide is shortened.
    const int inset = std::max(1, g.quarter / 3);
    const int mid = (r.top + r.bottom) / 2;
    // A caption wider than its key shows its start, as a keycap's word runs off to the right.
    const bool fits = TextWidth(font, k.caption) <= r.right - r.left - 2 * inset;
    if (!DrawArrow(p, k.physical.named, {r.left + inset, r.top, r.right - inset, mid}, ink))
      Text(p, {r.left + inset, r.top, r.right - inset, mid}, k.caption,
           fits ? TextAlign::kCenter : TextAlign::kLeft, ink);
    if (n) {
      std::string figure = GroupedNumber(static_cast<double>(n), 0, o.style);
      if (TextWidth(font, figure) > r.right - r.left - 2 * inset)
        figure = ShortCount(n, o.style.decimal);
      Text(p, {r.left + 1, mid, r.right - 1, r.bottom}, figure, TextAlign::kCenter, ink);
    }
    if (static_cast<int32_t>(i) == selected_) {
      const int w = std::max(2, g.quarter / 3);
      Add(p, ChartItemKind::kFrame,
          {r.left - w / 2, r.top - w / 2, r.right + w / 2, r.bottom + w / 2}, kChartSelected)
          .width = w;
    }
  }
  if (focused)
    Add(p, ChartItemKind::kFocus,
        {g.left - 2, g.top - 2, g.left + kKeyboardQuartersWide * g.quarter + 2,
         g.top + kKeyboardQuartersHigh * g.quarter + 2},
        0);

  DrawScaleLegend(p, {g.left, g.legendTop, font.height, 1, g.pad}, scale, font, o.style, o.language,
                  g.tableLeft - g.pad);

  // The keys the drawing has no place for, on one line.
  const std::vector<KeyFigure> missing = NotDrawnKeys(keys_, counts_, o.language);
  if (!missing.empty()) {
    std::string line =
        std::string(KeyboardWindowText(KeyboardText::notDrawn, o.language)) + Colon(o.language);
    for (size_t i = 0; i < missing.size(); ++i)
      line += (i ? ", " : "") + missing[i].name + " " +
              GroupedNumber(static_cast<double>(missing[i].count), 0, o.style);
    Text(p, {g.left, g.listTop, g.tableLeft - g.pad, g.listTop + g.line}, line, TextAlign::kLeft);
  }

  // The table: the ten most used keys, then the modifiers' share of all presses.
  const int x = g.tableLeft, right = g.tableLeft + tableWidth;
  int y = g.top;
  auto row = [&](const std::string& name, const std::string& figure, uint32_t color = kChartText) {
    Text(p, {x, y, right - figureWidth - gutter / 2, y + g.line}, name, TextAlign::kLeft, color);
    Text(p, {right - figureWidth, y, right, y + g.line}, figure, TextAlign::kRight, color);
    y += g.line;
  };
  Text(p, {x, y, right, y + g.line},
       std::string(KeyboardWindowText(KeyboardText::mostUsed, o.language)), TextAlign::kLeft);
  y += g.line;
  row(std::string(KeyboardWindowText(KeyboardText::keyHeading, o.language)),
      std::string(KeyboardWindowText(KeyboardText::countHeading, o.language)), kChartAxis);
  Add(p, ChartItemKind::kLine, {x, y - 1, right, y - 1}, kChartGrid);
  for (const KeyFigure& f : top)
    row(f.name, GroupedNumber(static_cast<double>(f.count), 0, o.style));
  y += g.line / 2;
  Text(p, {x, y, right, y + g.line},
       std::string(KeyboardWindowText(KeyboardText::modifiers, o.language)), TextAlign::kLeft);
  y += g.line;
  Add(p, ChartItemKind::kLine, {x, y - 1, right, y - 1}, kChartGrid);
  for (int m = 0; m < kModifierGroupCount; ++m)
    row(std::string(NamedKeyCaption(kGroupNames[m], o.language)),
        Percent(mods.Share(mods.presses[static_cast<size_t>(m)]), o.style, o.language));
  row(std::string(KeyboardWindowText(KeyboardText::allModifiers, o.language)),
      Percent(mods.Share(mods.Modifiers()), o.style, o.language));
  return p;
}

}  // namespace quillo
