// The keyboard page's core: the keyboard's geometry, the ranges around a day, the sums of keys,
// the shortening of counts, the tables beside the keys and the picture.
#include "core/history/keyboard_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/panel/main_window_texts.h"
#include "history_days.h"

namespace quillo {
namespace {

using history_days::D;

using history_days::Font;

size_t IndexOfScan(const std::vector<DrawnKey>& keys, uint16_t scan, bool extended) {
  for (size_t i = 0; i < keys.size(); ++i)
    if (keys[i].physical.scan == scan && keys[i].physical.extended == extended) return i;
  ADD_FAILURE() << "no key with scan " << scan;
  return 0;
}

HistoryData Days(
    std::initializer_list<std::pair<int32_t, std::vector<std::pair<KeyId, uint64_t>>>> days) {
  HistoryData h;
  for (const auto& [day, keys] : days) {
    DayRecord r = history_days::Keys(day, 1);
    for (const auto& [k, n] : keys) r.places.AddKey(k, n);
    h.Add(r);
  }
  return h;
}

// -- shortening -----------------------------------------------------------------------------------
struct ShortCase {
  uint64_t n;
  char decimal;
  const char* shown;
};
class ShortCounts : public testing::TestWithParam<ShortCase> {};
TEST_P(ShortCounts, FourFiguresAndALetterRoundedTiesToEven) {
  EXPECT_EQ(ShortCount(GetParam().n, GetParam().decimal), GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(
    Counts, ShortCounts,
    testing::Values(ShortCase{0, '.', "0"}, ShortCase{999, '.', "999"},
                    ShortCase{1000, '.', "1.0k"}, ShortCase{1049, '.', "1.0k"},
                    ShortCase{1050, '.', "1.0k"},  // 10.5 tenths: the even one
                    ShortCase{1150, '.', "1.2k"}, ShortCase{12345, '.', "12.3k"},
                    ShortCase{12345, ',', "12,3k"}, ShortCase{99949, '.', "99.9k"},
                    ShortCase{99950, '.', "100k"}, ShortCase{123456, '.', "123k"},
                    ShortCase{999499, '.', "999k"}, ShortCase{999500, '.', "1.0M"},
                    ShortCase{4500000, '.', "4.5M"}, ShortCase{45678901, '.', "45.7M"},
                    ShortCase{999999999, '.', "1.0G"}, ShortCase{1234567890123, '.', "1.2T"}));

// -- geometry -------------------------------------------------------------------------------------
bool Overlap(const KeyQuarters& a, const KeyQuarters& b) {
  if (a.Empty() || b.Empty()) return false;
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(KeyboardGeometry, FullKeyboardsInTheirShapeWithoutOverlapsOrTwins) {
  for (const bool iso : {false, true}) {
    SCOPED_TRACE(iso ? "ISO" : "ANSI");
    const std::vector<PhysicalKey>& keys = FullKeyboard(iso);
    EXPECT_EQ(keys.size(), iso ? 105u : 104u);
    std::set<std::pair<uint16_t, bool>> scans;
    std::set<KeyId> ids;
    for (size_t i = 0; i < keys.size(); ++i) {
      const PhysicalKey& k = keys[i];
      EXPECT_TRUE(scans.insert({k.scan, k.extended}).second) << "scan twice: " << k.scan;
      EXPECT_TRUE(ids.insert(k.key).second) << "key id twice: " << k.key;
      for (const KeyQuarters& q : {k.place, k.extra}) {
        if (q.Empty()) continue;
        EXPECT_GE(q.x, 0);
        EXPECT_LE(q.x + q.w, kKeyboardQuartersWide);
        EXPECT_LE(q.y + q.h, kKeyboardQuartersHigh);
      }
      for (size_t j = i + 1; j < keys.size(); ++j)
        for (const KeyQuarters& a : {k.place, k.extra})
          for (const KeyQuarters& b : {keys[j].place, keys[j].extra})
            EXPECT_FALSE(Overlap(a, b)) << "scan " << k.scan << " and " << keys[j].scan;
    }
    // The extra key beside the left Shift is ISO's, and so is the two-row Enter.
    EXPECT_EQ(scans.count({0x56, false}), iso ? 1u : 0u);
    const auto enter = std::find_if(keys.begin(), keys.end(), [](const PhysicalKey& k) {
      return k.scan == 0x1C && !k.extended;
    });
    ASSERT_NE(enter, keys.end());
    EXPECT_EQ(enter->extra.Empty(), !iso);
    EXPECT_EQ(enter->key, MakeKeyId(0x0D, false));
  }
}

TEST(KeyboardGeometry, RowsOfTheMainBlockEndFlushAtTheBackspace) {
  // Every row of the main block is as wide as the number row: 15 keys.
  for (const bool iso : {false, true}) {
    std::array<int, kKeyboardQuartersHigh> rightmost{};
    for (const PhysicalKey& k : FullKeyboard(iso))
      if (k.block == KeyBlock::kMain)
        for (const KeyQuarters& q : {k.place, k.extra})
          if (!q.Empty())
            rightmost[static_cast<size_t>(q.y)] =
                std::max(rightmost[static_cast<size_t>(q.y)], q.x + q.w);
    for (int y : {6, 10, 14, 18, 22})
      EXPECT_EQ(rightmost[static_cast<size_t>(y)], 60) << "row at " << y;
  }
}

TEST(KeyboardGeometry, KeypadEnterAndMainEnterAreDifferentKeys) {
  const std::vector<DrawnKey> keys = UsKeys(false, kEnglish);
  const DrawnKey& main = keys[IndexOfScan(keys, 0x1C, false)];
  const DrawnKey& pad = keys[IndexOfScan(keys, 0x1C, true)];
  EXPECT_EQ(main.key, 0x00D);
  EXPECT_EQ(pad.key, 0x10D);
  EXPECT_EQ(main.physical.block, KeyBlock::kMain);
  EXPECT_EQ(pad.physical.block, KeyBlock::kKeypad);
  // The keypad's 7 counts Home sent with Num Lock off, but not the navigation block's Home.
  const DrawnKey& seven = keys[IndexOfScan(keys, 0x47, false)];
  const DrawnKey& home = keys[IndexOfScan(keys, 0x47, true)];
  KeyCounts c{};
  c[0x067] = 3;
  c[0x024] = 4;
  c[0x124] = 50;
  EXPECT_EQ(CountOf(seven, c), 7u);
  EXPECT_EQ(CountOf(home, c), 50u);
}

TEST(KeyboardGeometry, NamedCaptionsInTheLanguageLettersFromTheLayout) {
  const std::vector<DrawnKey> de = UsKeys(true, kGerman);
  EXPECT_EQ(de[IndexOfScan(de, 0x1D, false)].caption, "Strg");
  EXPECT_EQ(de[IndexOfScan(de, 0x15, false)].caption, "Y");  // until the layout says Z
  EXPECT_TRUE(de[IndexOfScan(de, 0x15, false)].physical.fromLayout);
  EXPECT_FALSE(de[IndexOfScan(de, 0x1D, false)].physical.fromLayout);
  const std::vector<DrawnKey> en = UsKeys(true, 99);  // an unknown language reads English
  EXPECT_EQ(en[IndexOfScan(en, 0x1D, false)].caption, "Ctrl");
}

// -- ranges and sums ------------------------------------------------------------------------------
struct RangeCase {
  const char* name;
  KeyRange range;
  int32_t selected;
  int firstWeekday;
  int32_t first, last;
};
class KeyRanges : public testing::TestWithParam<RangeCase> {};
TEST_P(KeyRanges, DaysAroundTheSelectedDay) {
  const HistoryData h = Days({{D(2025, 3, 4), {}}, {D(2026, 12, 20), {}}});
  const RangeCase& c = GetParam();
  EXPECT_EQ(KeyRangeSpan(c.range, c.selected, c.firstWeekday, h), (DaySpan{c.first, c.last}))
      << c.name;
}
INSTANTIATE_TEST_SUITE_P(
    Ranges, KeyRanges,
    testing::Values(
        RangeCase{"day", KeyRange::kDay, D(2026, 12, 10), 0, D(2026, 12, 10), D(2026, 12, 10)},
        // 2026-12-10 is a Thursday.
        RangeCase{"week from Monday", KeyRange::kWeek, D(2026, 12, 10), 0, D(2026, 12, 7),
                  D(2026, 12, 13)},
        RangeCase{"week from Sunday", KeyRange::kWeek, D(2026, 12, 10), 6, D(2026, 12, 6),
                  D(2026, 12, 12)},
        RangeCase{"leap February", KeyRange::kMonth, D(2028, 2, 10), 0, D(2028, 2, 1),
                  D(2028, 2, 29)},
        RangeCase{"December", KeyRange::kMonth, D(2026, 12, 31), 0, D(2026, 12, 1),
                  D(2026, 12, 31)},
        RangeCase{"year", KeyRange::kYear, D(2026, 6, 1), 0, D(2026, 1, 1), D(2026, 12, 31)},
        RangeCase{"all", KeyRange::kAll, D(2026, 6, 1), 0, D(2025, 3, 4), D(2026, 12, 20)},
        RangeCase{"all, selected after", KeyRange::kAll, D(2027, 1, 2), 0, D(2025, 3, 4),
                  D(2027, 1, 2)}));

TEST(KeyboardSums, OnlyTheDaysOfTheSpanAddUp) {
  const KeyId a = MakeKeyId('A', false), pad = MakeKeyId(0x0D, true);
  const HistoryData h = Days({{D(2026, 11, 30), {{a, 1000}}},
                              {D(2026, 12, 1), {{a, 5}, {pad, 2}}},
                              {D(2026, 12, 31), {{a, 7}}},
                              {D(2027, 1, 1), {{a, 2000}}}});
  const KeyCounts c = SumKeys(h, {D(2026, 12, 1), D(2026, 12, 31)});
  EXPECT_EQ(c[a], 12u);
  EXPECT_EQ(c[pad], 2u);
  EXPECT_EQ(c[MakeKeyId(0x0D, false)], 0u);
}

// -- tables ---------------------------------------------------------------------------------------
TEST(KeyboardTables, TopTenNotDrawnAndModifiersShare) {
  const std::vector<DrawnKey> keys = UsKeys(false, kEnglish);
  KeyCounts c{};
  for (int i = 0; i < 12; ++i) c[static_cast<size_t>('A' + i)] = static_cast<uint64_t>(100 + i);
  c[0x067] = 50;   // keypad 7
  c[0x024] = 60;   // keypad 7 with Num Lock off: 110 on that key
  c[0x07C] = 500;  // F13: counted, not drawn, and the most used
  c[0x0AD] = 3;    // Mute
  c[0x0E8] = 1;    // no name
  c[0x0A0] = 80;   // left Shift
  c[0x0A1] = 20;   // right Shift
  c[0x1A3] = 40;   // right Ctrl
  const std::vector<KeyFigure> top = TopKeys(keys, c, 10, kEnglish);
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top[0], (KeyFigure{"F13", 500}));
  EXPECT_EQ(top[1], (KeyFigure{"L", 111}));
  EXPECT_EQ(top[2], (KeyFigure{"K", 110}));
  EXPECT_EQ(top[3], (KeyFigure{"7", 110}));  // a tie keeps the drawing's order: letters first
  EXPECT_EQ(top[9].count, 104u);

  const std::vector<KeyFigure> missing = NotDrawnKeys(keys, c, kGerman);
  EXPECT_EQ(missing, (std::vector<KeyFigure>{{"F13", 500}, {"Stumm", 3}, {"Taste 0x0E8", 1}}));

  const ModifierShare m = ModifiersOf(c);
  EXPECT_EQ(m.presses[static_cast<size_t>(ModifierGroup::kShift)], 100u);
  EXPECT_EQ(m.presses[static_cast<size_t>(ModifierGroup::kCtrl)], 40u);
  EXPECT_EQ(m.presses[static_cast<size_t>(ModifierGroup::kAlt)], 0u);
  EXPECT_EQ(m.all, 1266u + 110 + 504 + 140);
  NumberStyle comma{',', "."};
  EXPECT_EQ(Percent(m.Share(m.Modifiers()), NumberStyle{}, kEnglish), "6.9%");
  EXPECT_EQ(Percent(0.123456, comma, kGerman), "12,3\xC2\xA0%");
  EXPECT_EQ(Percent(0, NumberStyle{}, kEnglish), "0.0%");
}

// -- the picture ----------------------------------------------------------------------------------
const ChartItem* TextIn(const ChartPicture& p, const ChartRect& r, std::string_view text) {
  for (const ChartItem& i : p.items)
    if (i.kind == ChartItemKind::kText && i.text == text && i.rect.left >= r.left &&
        i.rect.right <= r.right && i.rect.top >= r.top && i.rect.bottom <= r.bottom)
      return &i;
  return nullptr;
}

uint32_t FillOf(const ChartPicture& p, const ChartRect& r) {
  for (const ChartItem& i : p.items)
    if (i.kind == ChartItemKind::kFill && i.rect == r) return i.color;
  return 0xFFFFFFFF;
}

TEST(KeyboardPicture, EachKeyShowsTheCountOfTheKeyIdItsLayoutGivesIt) {
  std::vector<DrawnKey> keys = UsKeys(true, kGerman);
  // A German layout: the key where a US keyboard has Y types Z, and the other way round.
  const size_t y = IndexOfScan(keys, 0x15, false), z = IndexOfScan(keys, 0x2C, false);
  keys[y].key = MakeKeyId('Z', false);
  keys[y].caption = "Z";
  keys[z].key = MakeKeyId('Y', false);
  keys[z].caption = "Y";
  KeyboardView view(keys, KeyRange::kDay);
  const int32_t day = D(2026, 12, 10);
  view.Update(Days({{day, {{MakeKeyId('Z', false), 5000}, {MakeKeyId('Y', false), 7}}}}), day, 0);
  HistoryViewOptions o;
  const ChartPicture p = view.Picture(1200, 500, Font(12), false, o);
  const ChartRect ry = *TargetRect(p, static_cast<int32_t>(y)),
                  rz = *TargetRect(p, static_cast<int32_t>(z));
  EXPECT_NE(TextIn(p, ry, "Z"), nullptr);
  EXPECT_NE(TextIn(p, ry, "5,000"), nullptr);
  EXPECT_NE(TextIn(p, rz, "Y"), nullptr);
  EXPECT_NE(TextIn(p, rz, "7"), nullptr);
  // On the calendar's scale: 5,000 is the top class, 7 the first, a key without presses no use.
  EXPECT_EQ(FillOf(p, ry), kChartScale[4]);
  EXPECT_EQ(FillOf(p, rz), kChartScale[0]);
  EXPECT_EQ(FillOf(p, *TargetRect(p, static_cast<int32_t>(IndexOfScan(keys, 0x1E, false)))),
            kChartNoUse);
  // The legend and the table are there; the hint names the key and its presses.
  EXPECT_NE(TextIn(p, {0, 0, 1200, 500}, "No use"), nullptr);
  EXPECT_NE(TextIn(p, {0, 0, 1200, 500}, "Most used keys"), nullptr);
  EXPECT_NE(TextIn(p, {0, 0, 1200, 500}, "2026-12-10"), nullptr);
  EXPECT_EQ(view.Describe(static_cast<int32_t>(y), o), "Z \xE2\x80\x94 Keystrokes: 5,000");
  for (const ChartItem& i : p.items) {
    EXPECT_GE(std::min(i.rect.left, i.rect.right), 0) << i.text;
    EXPECT_LE(std::max(i.rect.right, i.rect.left), 1200) << i.text;
    EXPECT_LE(std::max(i.rect.bottom, i.rect.top), 500) << i.text;
  }
}

TEST(KeyboardPicture, ACountTooWideForItsKeyIsShortenedAndKeysNotDrawnAreListed) {
  KeyboardView view(UsKeys(false, kEnglish), KeyRange::kAll);
  const int32_t day = D(2026, 12, 10);
  view.Update(
      Days({{day, {{MakeKeyId('A', false), 12345678}, {MakeKeyId('B', false), 99}, {0x07D, 4}}}}),
      day, 0);
  const ChartPicture p = view.Picture(900, 400, Font(12), true, HistoryViewOptions{});
  const std::vector<DrawnKey>& keys = view.keys();
  EXPECT_NE(
      TextIn(p, *TargetRect(p, static_cast<int32_t>(IndexOfScan(keys, 0x1E, false))), "12.3M"),
      nullptr);
  EXPECT_NE(TextIn(p, *TargetRect(p, static_cast<int32_t>(IndexOfScan(keys, 0x30, false))), "99"),
            nullptr);
  EXPECT_NE(TextIn(p, {0, 0, 900, 400}, "Counted but not drawn: F14 4"), nullptr);
  EXPECT_TRUE(std::any_of(p.items.begin(), p.items.end(),
                          [](const ChartItem& i) { return i.kind == ChartItemKind::kFocus; }));
}

TEST(KeyboardPicture, TheIsoEntersLowerPartPointsAtItToo) {
  KeyboardView view(UsKeys(true, kEnglish), KeyRange::kDay);
  const ChartPicture p = view.Picture(1000, 400, Font(12), false, HistoryViewOptions{});
  const int32_t enter = static_cast<int32_t>(IndexOfScan(view.keys(), 0x1C, false));
  const int32_t hash = static_cast<int32_t>(IndexOfScan(view.keys(), 0x2B, false));
  const ChartRect top = *TargetRect(p, enter), beside = *TargetRect(p, hash);
  // The home row, right of the key beside it: the Enter's lower part.
  EXPECT_EQ(HitTest(p, beside.right + 3, (beside.top + beside.bottom) / 2), enter);
  EXPECT_GT((beside.top + beside.bottom) / 2, top.bottom);
}

TEST(KeyboardPicture, TheArrowKeysShowDrawnArrowsAndAreNamedInWords) {
  // A window's font may lack the arrow characters: the keycaps draw them with lines, and the
  // hints and lists name them in words.
  KeyboardView view(UsKeys(false, kEnglish), KeyRange::kDay);
  const ChartPicture p = view.Picture(1000, 400, Font(12), false, HistoryViewOptions{});
  int lines = 0;
  for (const ChartItem& i : p.items) {
    lines += i.kind == ChartItemKind::kLine;
    EXPECT_EQ(i.text.find("\xE2\x86"), std::string::npos) << i.text;  // no U+2190 ... U+21FF
  }
  EXPECT_GE(lines, 4 * 3);
  EXPECT_EQ(NamedKeyCaption(NamedKey::kLeft, kEnglish), "Left");
  EXPECT_EQ(NamedKeyCaption(NamedKey::kDown, 2), "Ab");
}

TEST(KeyboardPicture, ArrowsMoveToTheNearestKeyThatWay) {
  KeyboardView view(UsKeys(false, kEnglish), KeyRange::kDay);
  const std::vector<DrawnKey>& keys = view.keys();
  ASSERT_TRUE(view.Select(static_cast<int32_t>(IndexOfScan(keys, 0x10, false))));  // Q
  struct Step {
    ChartKey key;
    uint16_t scan;
    bool extended;
  };
  for (const Step& s : {Step{ChartKey::kRight, 0x11, false},  // W
                        Step{ChartKey::kDown, 0x1F, false},   // S
                        Step{ChartKey::kDown, 0x2C, false},   // Z: between Z and X, the left
                        Step{ChartKey::kRight, 0x2D, false},  // X
                        Step{ChartKey::kUp, 0x1F, false}}) {  // A
    EXPECT_TRUE(view.Move(s.key));
    EXPECT_EQ(view.selected(), static_cast<int32_t>(IndexOfScan(keys, s.scan, s.extended)));
  }
  ASSERT_TRUE(view.Select(static_cast<int32_t>(IndexOfScan(keys, 0x01, false))));  // Escape
  EXPECT_FALSE(view.Move(ChartKey::kLeft));
  EXPECT_FALSE(view.Select(-1));
  EXPECT_FALSE(view.Select(static_cast<int32_t>(keys.size())));
}

}  // namespace
}  // namespace quillo
