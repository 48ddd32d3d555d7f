// Notification-area icon clicks and presence.
#include "core/app/tray_state.h"

#include "core/counting/input_classifier.h"

namespace quillo {

TrayAction TrayClickFilter::OnMessage(uint32_t message) {
  switch (message) {
    case msg::kLButtonDown:
      swallowNextUp_ = false;  // a new click begins
      return TrayAction::kNone;
    case msg::kLButtonDblClk:
      swallowNextUp_ = true;  // the up that ends a double click does nothing further
      return TrayAction::kNone;
    case msg::kLButtonUp:
      if (swallowNextUp_) {
        swallowNextUp_ = false;
        return TrayAction::kNone;
      }
      return TrayAction::kToggle;
    case msg::kRButtonUp:
      return TrayAction::kMenu;
    case msg::kMouseMove:
      return TrayAction::kHint;
    default:
      return TrayAction::kNone;
  }
}

bool TrayPresence::AddResult(bool added) {
  added_ = added;
  return !added;
}

bool TrayPresence::RequestHide(bool deferUntilIconIsThere) {
  if (added_) return true;
  if (deferUntilIconIsThere) deferredHide_ = true;
  return false;
}

bool TrayPresence::TakeDeferredHide() {
  if (!added_ || !deferredHide_) return false;
  deferredHide_ = false;
  return true;
}

}  // namespace quillo
