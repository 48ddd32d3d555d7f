// What one keyboard or mouse hook event counts: a pure function of the hook's arguments, the tick
// and double-click time, and the click memory; cheap enough to sit on the system's input path.
#pragma once

#include <cstdint>

#include "core/counting/activity_counters.h"

namespace quillo {

// Window-message numbers the hooks recognise.
namespace msg {
inline constexpr uint32_t kNcLButtonDown = 0x00A1, kNcRButtonDown = 0x00A4, kNcMButtonDown = 0x00A7,
                          kNcXButtonDown = 0x00AB;
inline constexpr uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101, kSysKeyDown = 0x0104,
                          kSysKeyUp = 0x0105;
inline constexpr uint32_t kMouseMove = 0x0200, kLButtonDown = 0x0201, kLButtonUp = 0x0202,
                          kLButtonDblClk = 0x0203, kRButtonDown = 0x0204, kRButtonUp = 0x0205,
                          kRButtonDblClk = 0x0206, kMButtonDown = 0x0207, kMButtonUp = 0x0208,
                          kMButtonDblClk = 0x0209, kMouseWheel = 0x020A, kXButtonDown = 0x020B,
                          kXButtonUp = 0x020C, kXButtonDblClk = 0x020D, kMouseHWheel = 0x020E;
}  // namespace msg

// What the mouse message asks for, before the click memory is consulted.
struct MouseAction {
  enum Kind : uint8_t { kNothing, kClick, kDoubleMessage, kWheel } kind = kNothing;
  ClickButton button = kNoButton;
  Counter counter = Counter::kLeft;
};

// Classifies a mouse message (hook code 0 only; `xButton` is the high word of mouseData).
constexpr MouseAction ClassifyMouse(uint32_t message, uint32_t xButton) {
  switch (message) {
    case msg::kLButtonDown:
    case msg::kNcLButtonDown:
      return {MouseAction::kClick, kLeftButton, Counter::kLeft};
    case msg::kRButtonDown:
    case msg::kNcRButtonDown:
      return {MouseAction::kClick, kRightButton, Counter::kRight};
    case msg::kMButtonDown:
    case msg::kNcMButtonDown:
      return {MouseAction::kClick, kMiddleButton, Counter::kMiddle};
    case msg::kXButtonDown:
    case msg::kNcXButtonDown:
      if (xButton == 1) return {MouseAction::kClick, kX1Button, Counter::kX1};
      if (xButton == 2) return {MouseAction::kClick, kX2Button, Counter::kX2};
      return {};
    case msg::kLButtonDblClk:
      return {MouseAction::kDoubleMessage, kLeftButton, Counter::kLeft};
    case msg::kRButtonDblClk:
      return {MouseAction::kDoubleMessage, kRightButton, Counter::kRight};
    case msg::kMButtonDblClk:
      return {MouseAction::kDoubleMessage, kMiddleButton, Counter::kMiddle};
    case msg::kMouseWheel:
    case msg::kMouseHWheel:
      return {MouseAction::kWheel, kNoButton, Counter::kWheel};
    default:
      return {};
  }
}

// Keyboard hook: counts a key release while counting, in the total and by key (`virtualKey`,
// and whether it is an extended key: the keypad's Enter is not the main one). `time` is the
// event's input time. Returns false when the event must not be passed on (hook code 3), true
// otherwise.
inline bool OnKeyboardEvent(ActivityCounters& c, int nCode, uint32_t message, uint32_t time = 0,
                            uint32_t virtualKey = 0, bool extended = false) {
  if (nCode == 0) {
    Bump(c.keyEvents);
    c.keyEventTime.store(time, std::memory_order_relaxed);
    if (message == msg::kKeyUp && c.counting.load(std::memory_order_relaxed)) {
      Bump(c.liveKeystrokes);
      Bump(c.keyCounts[(virtualKey & 0xFF) | (extended ? 0x100 : 0)]);
    }
  }
  return nCode != 3;
}

// A press of `button` on `counter` at `tick`: the second press of the same button within the
// double-click time is also a double click and consumes the pair.
inline void CountClick(ActivityCounters& c, ClickButton button, Counter counter, uint32_t tick,
                       uint32_t doubleClickTime) {
  if (static_cast<uint32_t>(tick - c.lastClickTick) < doubleClickTime &&
      c.lastClickButton == button) {
    Bump(c.liveDouble);
    Bump(c.Live(counter));
    c.lastClickButton = kNoButton;
  } else {
    Bump(c.Live(counter));
    c.lastClickTick = tick;
    c.lastClickButton = button;
  }
}

// Mouse hook: counts one message; a press also goes to the queue of places with its screen
// point (`x`, `y`). `tickAndDoubleClickTime` is called only for a click, so moves cost no system
// query; it returns {tick, double-click time}. `time` is the event's input time.
template <typename TimeSource>
inline void OnMouseEvent(ActivityCounters& c, int nCode, uint32_t message, uint32_t xButton,
                         TimeSource&& tickAndDoubleClickTime, uint32_t time = 0, int32_t x = 0,
                         int32_t y = 0) {
  if (nCode != 0) return;
  Bump(c.mouseEvents);
  c.mouseEventTime.store(time, std::memory_order_relaxed);
  if (!c.counting.load(std::memory_order_relaxed)) return;
  const MouseAction a = ClassifyMouse(message, xButton);
  switch (a.kind) {
    case MouseAction::kNothing:
      return;
    case MouseAction::kWheel:
      Bump(c.liveWheel);
      return;
    case MouseAction::kDoubleMessage:
      Bump(c.Live(a.counter));
      Bump(c.liveDouble);
      c.clicks.Push({x, y, a.button});
      return;
    case MouseAction::kClick: {
      const auto [tick, dbl] = tickAndDoubleClickTime();
      CountClick(c, a.button, a.counter, tick, dbl);
      c.clicks.Push({x, y, a.button});
      return;
    }
  }
}

}  // namespace quillo
