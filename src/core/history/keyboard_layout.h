// The keyboard the heatmap draws, key by physical key: where each key sits (in quarters of a key's
// width, so 1.25 and 1.75 wide keys stay whole numbers), its scan code, and which key ids it
// counts when no layout says otherwise. A layout moves only the character keys of the main block;
// everything else is the same on every keyboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/history/day_places.h"

namespace quillo {

// A rectangle in quarters of a key's width: x, y from the top-left corner of the keyboard.
struct KeyQuarters {
  int x = 0, y = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
  bool operator==(const KeyQuarters&) const = default;
};

// The whole keyboard is this many quarters across and down (the function row, a half key's gap,
// five rows; main block, navigation block and keypad side by side).
inline constexpr int kKeyboardQuartersWide = 94;
inline constexpr int kKeyboardQuartersHigh = 26;

// Keys whose caption a keyboard prints as a word or symbol, not a letter of its layout.
enum class NamedKey : int {
  kNone = -1,
  kEscape,
  kTab,
  kCapsLock,
  kShift,
  kCtrl,
  kWin,
  kAlt,
  kMenu,
  kSpace,
  kEnter,
  kBackspace,
  kInsert,
  kDelete,
  kHome,
  kEnd,
  kPageUp,
  kPageDown,
  kLeft,
  kRight,
  kUp,
  kDown,
  kPrintScreen,
  kScrollLock,
  kPause,
  kNumLock,
};
inline constexpr int kNamedKeyCount = 25;

enum class KeyBlock { kFunction, kMain, kNavigation, kKeypad };

struct PhysicalKey {
  uint16_t scan = 0;  // set-1 scan code
  bool extended = false;
  KeyBlock block = KeyBlock::kMain;
  KeyQuarters place;
  KeyQuarters extra;  // the second part of an ISO Enter (empty otherwise)
  // What it counts on a US keyboard; the keypad's digits also count what they send with Num Lock
  // off (Home, arrows...), which is `alternate`.
  KeyId key = 0;
  KeyId alternate = 0;
  // True for the keys a layout gives letters and marks (their caption and key id come from it).
  bool fromLayout = false;
  NamedKey named = NamedKey::kNone;
  std::string_view usCaption;  // for the keys from a layout, and the function and keypad keys

  // The scan code as the layout calls take it: 0xE0 in the high byte for an extended key.
  uint32_t ScanWithPrefix() const { return extended ? (0xE000u | scan) : scan; }
};

// A full keyboard: ISO (the extra key beside the left Shift, a tall Enter, the key left of it on
// the home row) or ANSI (a wide left Shift, a one-row Enter, the backslash above it).
const std::vector<PhysicalKey>& FullKeyboard(bool iso);

// The caption of a named key in a language (English for an unknown one): "Ctrl", "Strg".
std::string_view NamedKeyCaption(NamedKey k, int language);

}  // namespace quillo
