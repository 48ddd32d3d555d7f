// The History window's keyboard page as a plain object: the keys drawn (from the user's layout),
// the range of days around the calendar's selected day, each key's presses in it, the picture
// (keys coloured on the calendar's scale, the legend, the keys counted but not drawn, the most
// used keys and the modifiers' share) and the hint of a key. The window only paints the picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/history/history_chart.h"
#include "core/history/history_data.h"
#include "core/history/history_periods.h"
#include "core/history/history_view.h"
#include "core/history/keyboard_layout.h"

namespace quillo {

enum class KeyRange : int { kDay, kWeek, kMonth, kYear, kAll };
inline constexpr int kKeyRangeCount = 5;

// The days of a range around `selected`: that day, its week (starting on `firstWeekday`), its
// month, its year, or the whole history (today when nothing is recorded).
DaySpan KeyRangeSpan(KeyRange range, int32_t selected, int firstWeekday,
                     const HistoryData& history);

using KeyCounts = std::array<uint64_t, kKeyIdCount>;
// Each key's presses over the days of a span.
KeyCounts SumKeys(const HistoryData& history, DaySpan span);

// A count in at most four figures and a letter: "999", "1.2k", "12.3k", "123k", "4.5M", "1.0G"
// (rounded to nearest, ties to even).
std::string ShortCount(uint64_t n, char decimal);

// A key as drawn: where it is, what it counts and its caption.
struct DrawnKey {
  PhysicalKey physical;
  KeyId key = 0;        // the key id the layout gives it
  KeyId alternate = 0;  // also counted here (the keypad with Num Lock off), or 0
  std::string caption;
};
// The keys of a US layout, captioned in a language: what a layout's own keys replace.
std::vector<DrawnKey> UsKeys(bool iso, int language);
uint64_t CountOf(const DrawnKey& k, const KeyCounts& counts);

// The name of a key id that the keyboard does not draw: "F13", "Mute", "Key 0x0E8".
std::string KeyIdName(KeyId k, int language);

struct KeyFigure {
  std::string name;
  uint64_t count = 0;
  bool operator==(const KeyFigure&) const = default;
};
// The most used keys, most first (drawn keys as drawn, with their alternates; ties in drawing
// order), at most `n`.
std::vector<KeyFigure> TopKeys(const std::vector<DrawnKey>& keys, const KeyCounts& counts, size_t n,
                               int language);
// The keys counted that no drawn key stands for, in key id order.
std::vector<KeyFigure> NotDrawnKeys(const std::vector<DrawnKey>& keys, const KeyCounts& counts,
                                    int language);

enum class ModifierGroup : int { kShift, kCtrl, kAlt, kWin };
inline constexpr int kModifierGroupCount = 4;
struct ModifierShare {
  std::array<uint64_t, kModifierGroupCount> presses{};
  uint64_t all = 0;  // every key's presses
  uint64_t Modifiers() const;
  // A share of all presses, 0 … 1 (0 when nothing was pressed).
  double Share(uint64_t part) const;
};
ModifierShare ModifiersOf(const KeyCounts& counts);
// "12.3%" or "12,3 %", as the language writes a percentage.
std::string Percent(double share, const NumberStyle& style, int language);

class KeyboardView {
 public:
  KeyboardView(std::vector<DrawnKey> keys, KeyRange range);

  const std::vector<DrawnKey>& keys() const { return keys_; }
  void SetKeys(std::vector<DrawnKey> keys);
  KeyRange range() const { return range_; }
  void SetRange(KeyRange range) { range_ = range; }
  // The presses of the range around `selected`; true when anything shown changed.
  bool Update(const HistoryData& history, int32_t selected, int firstWeekday);
  DaySpan span() const { return span_; }
  const KeyCounts& counts() const { return counts_; }

  // The drawn key selected (its index), a click on one, and the arrow keys' moves among them.
  int32_t selected() const { return selected_; }
  bool Select(int32_t index);
  bool Move(ChartKey key);

  ChartPicture Picture(int width, int height, const ChartFont& font, bool focused,
                       const HistoryViewOptions& options) const;
  // "Z — Keystrokes: 5,000".
  std::string Describe(int32_t index, const HistoryViewOptions& options) const;
  static std::vector<std::string> RangeChoices(int language);

 private:
  std::vector<DrawnKey> keys_;
  KeyRange range_;
  DaySpan span_;
  KeyCounts counts_{};
  int32_t selected_ = 0;
};

}  // namespace quillo
