// The notification-area icon as the window's logic sees it: what a mouse message from the icon
// means, and whether the window may hide to an icon that is really there.
#pragma once

#include <cstdint>

namespace quillo {

// What the window does for one mouse message of the icon's callback.
enum class TrayAction : uint8_t {
  kNone,
  kToggle,  // a single left click: hide the panel when shown, show it when hidden
  kMenu,    // a right click: the pop-up menu at the pointer
  kHint,    // the pointer moved over the icon: rebuild the hint
};

// A double click arrives as down, up, double-click, up. Only the first up acts, so a double
// click toggles once and the window does not flicker.
class TrayClickFilter {
 public:
  // `message` is the mouse message the icon reports (WM_LBUTTONUP and so on).
  TrayAction OnMessage(uint32_t message);

 private:
  bool swallowNextUp_ = false;
};

// Whether the icon is in place. Adding it can fail while the shell is busy (at logon); the window
// then retries until it is in place, and never hides to a notification area without its icon.
class TrayPresence {
 public:
  // The result of an attempt to add the icon. True when another attempt must be scheduled.
  bool AddResult(bool added);
  // The shell restarted: the icon is gone until it has been added again.
  void Lost() { added_ = false; }
  bool Added() const { return added_; }

  // A request to hide the window to the notification area. True when it may hide now. A
  // deferred request (start-up's "Hide") is kept and carried out once the icon is in place;
  // another one (a click on the close button) is simply refused while there is no icon.
  bool RequestHide(bool deferUntilIconIsThere);
  // After the icon has been added: whether a deferred hide is due now.
  bool TakeDeferredHide();
  // The window was shown by other means: a deferred hide no longer applies.
  void CancelDeferredHide() { deferredHide_ = false; }

 private:
  bool added_ = false;
  bool deferredHide_ = false;
};

}  // namespace quillo
