// The controls the main panel can hold, named as the window's fields are, and the fourteen display
// items the "Dispitems" flags choose from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillo {

// Every control of the panel, in the order the panel is torn down (freeobjects). A window keeps
// one handle per id; an absent control is a null handle.
// clang-format off
enum class ControlId : uint8_t {
  Panel7, Panel2, pnldist3, led1, led2, led3,
  pnlKeyStrokes, led4, pnlLeftBut, led5, pnlRightBut, led6, pnlMidBut, led7, pnlDBLClick, led8,
  btnExit, btnMinimize, btnHelp, btnonoff, btnSetup,
  pnldays, pnlhour, pnlmin, pnlsec, led9, led10, led11, led12,
  pnlWheel, led13, pnlspeed, led14, pnlx, led15, pnly, led16,
  pnlIdle, led17, pnlIdleHour, led18, pnlIdleMin, led19, pnlIdleSec, led20,
  pnlXbut1, led21, pnlXBut2, led22,
};
// clang-format on
inline constexpr int kControlCount = 49;

enum class ControlKind : uint8_t { kButton, kLabel, kIndicator };

// The display items; the value is the item's 1-based position in the "Dispitems" flags.
// clang-format off
enum class PanelItem : uint8_t {
  kNone = 0,  // the buttons belong to no item
  kDistance = 1, kKeystrokes, kLeft, kRight, kMiddle, kDouble, kRunningTime, kWheel, kSpeed,
  kPointerX, kPointerY, kIdleTime, kExtra1, kExtra2,
};
// clang-format on
inline constexpr int kPanelItemCount = 14;

// The order in which items are placed, top to bottom or left to right.
inline constexpr std::array<PanelItem, kPanelItemCount> kPlacementOrder = {
    PanelItem::kRunningTime, PanelItem::kDistance, PanelItem::kKeystrokes, PanelItem::kLeft,
    PanelItem::kRight,       PanelItem::kMiddle,   PanelItem::kExtra1,     PanelItem::kExtra2,
    PanelItem::kDouble,      PanelItem::kWheel,    PanelItem::kSpeed,      PanelItem::kPointerX,
    PanelItem::kPointerY,    PanelItem::kIdleTime};

// The field name of a control ("led5", "pnlKeyStrokes", "btnonoff").
std::string_view ControlName(ControlId id);
ControlKind KindOf(ControlId id);
// The item a label or indicator belongs to (kNone for the buttons).
PanelItem ItemOf(ControlId id);
// Indicator number n (1 … 22) and back; nullopt outside the indicators.
std::optional<ControlId> LedControl(int n);
std::optional<int> LedNumber(ControlId id);

// Whether "Dispitems" shows an item: its character is "1" (a missing character hides it).
bool ItemShown(std::string_view dispitems, PanelItem item);

}  // namespace quillo
