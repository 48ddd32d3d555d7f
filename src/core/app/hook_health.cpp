// The hook watchdog's test for a hook that went silent.
#include "core/app/hook_health.h"

namespace quillo {
namespace {
// Whether tick `a` is more than the slack after tick `b`, across the tick's wrap.
bool LaterThan(uint32_t a, uint32_t b) {
  return static_cast<int32_t>(a - b) > static_cast<int32_t>(kHookInputSlackMs);
}
}  // namespace

HookVerdict HookHealth::Check(const HealthReading& now) {
  const std::optional<HealthReading> previous = previous_;
  previous_ = now;
  if (!previous || !previous->lastInput || !now.lastInput) return {};
  if (*now.lastInput == *previous->lastInput) return {};  // no input, nothing to learn

  const bool keySilent = now.keyboard.events == previous->keyboard.events;
  const bool mouseSilent = now.mouse.events == previous->mouse.events;
  const bool pointerMoved = now.pointer && previous->pointer && *now.pointer != *previous->pointer;
  const uint32_t latest = *now.lastInput;

  HookVerdict v;
  v.keyboard = keySilent && (mouseSilent || LaterThan(latest, now.mouse.lastEventTime));
  v.mouse =
      mouseSilent && (keySilent || pointerMoved || LaterThan(latest, now.keyboard.lastEventTime));
  return v;
}

}  // namespace quillo
