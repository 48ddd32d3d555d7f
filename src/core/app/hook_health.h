// Noticing a low-level hook that the system dropped without notice. Windows removes a hook whose
// callback was late too often and tells nobody: its handle stays non-zero, so only the hook's
// silence gives it away. The watchdog compares the system's last-input time with what the hooks
// themselves have seen since its previous check.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace quillo {

// What one hook has seen: how many events, and the input time (ms tick) of the latest.
struct HookSigns {
  uint32_t events = 0;
  uint32_t lastEventTime = 0;
};

struct HealthReading {
  std::optional<uint32_t> lastInput;  // the system's last-input time (ms tick)
  std::optional<std::pair<int32_t, int32_t>> pointer;
  HookSigns keyboard, mouse;
};

struct HookVerdict {
  bool keyboard = false, mouse = false;  // true: that hook looks dead, reinstall it
  bool operator==(const HookVerdict&) const = default;
};

// How much later than a hook's latest event the last input must be before it is taken for an
// event that hook did not see (the two times come from different clocks' bookkeeping).
inline constexpr uint32_t kHookInputSlackMs = 1000;

class HookHealth {
 public:
  // Compares with the previous reading. Input happened when the last-input time moved; a hook is
  // suspect when it saw nothing since the previous check and that input cannot have been the
  // other hook's: for the keyboard, when the last input came after the mouse hook's latest event
  // (or the mouse hook saw nothing either); for the mouse, when the pointer moved, or the last
  // input came after the keyboard hook's latest event (or it saw nothing either).
  HookVerdict Check(const HealthReading& now);
  // Starts afresh, after a hook was reinstalled.
  void Forget() { previous_.reset(); }

 private:
  std::optional<HealthReading> previous_;
};

}  // namespace quillo
