// Names, kinds and items of the panel's controls.
#include "core/panel/panel_controls.h"

namespace quillo {
namespace {

struct ControlInfo {
  std::string_view name;
  ControlKind kind;
  PanelItem item;
  int led;  // indicator number, 0 for labels and buttons
};

constexpr ControlKind B = ControlKind::kButton, L = ControlKind::kLabel,
                      I = ControlKind::kIndicator;

// clang-format off
constexpr std::array<ControlInfo, kControlCount> kControls = {{
    {"Panel7", L, PanelItem::kDistance, 0},
    {"Panel2", L, PanelItem::kDistance, 0},
    {"pnldist3", L, PanelItem::kDistance, 0},
    {"led1", I, PanelItem::kDistance, 1},
    {"led2", I, PanelItem::kDistance, 2},
    {"led3", I, PanelItem::kDistance, 3},
    {"pnlKeyStrokes", L, PanelItem::kKeystrokes, 0},
    {"led4", I, PanelItem::kKeystrokes, 4},
    {"pnlLeftBut", L, PanelItem::kLeft, 0},
    {"led5", I, PanelItem::kLeft, 5},
    {"pnlRightBut", L, PanelItem::kRight, 0},
    {"led6", I, PanelItem::kRight, 6},
    {"pnlMidBut", L, PanelItem::kMiddle, 0},
    {"led7", I, PanelItem::kMiddle, 7},
    {"pnlDBLClick", L, PanelItem::kDouble, 0},
    {"led8", I, PanelItem::kDouble, 8},
    {"btnExit", B, PanelItem::kNone, 0},
    {"btnMinimize", B, PanelItem::kNone, 0},
    {"btnHelp", B, PanelItem::kNone, 0},
    {"btnonoff", B, PanelItem::kNone, 0},
    {"btnSetup", B, PanelItem::kNone, 0},
    {"pnldays", L, PanelItem::kRunningTime, 0},
    {"pnlhour", L, PanelItem::kRunningTime, 0},
    {"pnlmin", L, PanelItem::kRunningTime, 0},
    {"pnlsec", L, PanelItem::kRunningTime, 0},
    {"led9", I, PanelItem::kRunningTime, 9},
    {"led10", I, PanelItem::kRunningTime, 10},
    {"led11", I, PanelItem::kRunningTime, 11},
    {"led12", I, PanelItem::kRunningTime, 12},
    {"pnlWheel", L, PanelItem::kWheel, 0},
    {"led13", I, PanelItem::kWheel, 13},
    {"pnlspeed", L, PanelItem::kSpeed, 0},
    {"led14", I, PanelItem::kSpeed, 14},
    {"pnlx", L, PanelItem::kPointerX, 0},
    {"led15", I, PanelItem::kPointerX, 15},
    {"pnly", L, PanelItem::kPointerY, 0},
    {"led16", I, PanelItem::kPointerY, 16},
    {"pnlIdle", L, PanelItem::kIdleTime, 0},
    {"led17", I, PanelItem::kIdleTime, 17},
    {"pnlIdleHour", L, PanelItem::kIdleTime, 0},
    {"led18", I, PanelItem::kIdleTime, 18},
    {"pnlIdleMin", L, PanelItem::kIdleTime, 0},
    {"led19", I, PanelItem::kIdleTime, 19},
    {"pnlIdleSec", L, PanelItem::kIdleTime, 0},
    {"led20", I, PanelItem::kIdleTime, 20},
    {"pnlXbut1", L, PanelItem::kExtra1, 0},
    {"led21", I, PanelItem::kExtra1, 21},
    {"pnlXBut2", L, PanelItem::kExtra2, 0},
    {"led22", I, PanelItem::kExtra2, 22},
}};
// clang-format on

const ControlInfo& Info(ControlId id) {
  return kControls[static_cast<size_t>(id)];
}

}  // namespace

std::string_view ControlName(ControlId id) {
  return Info(id).name;
}
ControlKind KindOf(ControlId id) {
  return Info(id).kind;
}
PanelItem ItemOf(ControlId id) {
  return Info(id).item;
}

std::optional<ControlId> LedControl(int n) {
  for (size_t i = 0; i < kControls.size(); ++i)
    if (kControls[i].led == n && n != 0) return static_cast<ControlId>(i);
  return std::nullopt;
}

std::optional<int> LedNumber(ControlId id) {
  const int n = Info(id).led;
  if (n == 0) return std::nullopt;
  return n;
}

bool ItemShown(std::string_view dispitems, PanelItem item) {
  const auto pos = static_cast<size_t>(item);
  return pos >= 1 && pos <= dispitems.size() && dispitems[pos - 1] == '1';
}

}  // namespace quillo
