// The modal dialog of ours that is open on this thread, if any. While one is open the window
// behind it is disabled, so a message box is owned by the dialog instead (it stays above the
// dialog, which waits for it) and an activation of the taskbar button brings the dialog forward.
#pragma once

#include <windows.h>

namespace quillo {

// Marks `dialog` as the open modal dialog for as long as the scope lives; scopes nest.
class ModalDialogScope {
 public:
  explicit ModalDialogScope(HWND dialog);
  ~ModalDialogScope();
  ModalDialogScope(const ModalDialogScope&) = delete;
  ModalDialogScope& operator=(const ModalDialogScope&) = delete;
};

// The innermost open modal dialog; nullptr when none is.
HWND OpenModalDialog();
// The owner a message box meant for `owner` must have: the open modal dialog, when there is one.
HWND BoxOwner(HWND owner);

}  // namespace quillo
