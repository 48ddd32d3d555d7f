// The common-controls library for the dialogs only. The panel uses nothing of it, and loading it
// costs the process more memory than all the rest of the program, so the main manifest does not
// ask for it; a window that needs its controls (tabs, up-down arrows, version 6 visuals) is
// created inside this scope, which activates the second manifest (version 6) and loads and
// initialises the library on first use.
//
//   {
//     CommonControlsScope v6(ICC_TAB_CLASSES | ICC_UPDOWN_CLASS);
//     DialogBoxParamW(...);   // or CreateWindowExW / CreateDialogParamW
//   }
#pragma once

#include <windows.h>

namespace quillo {

class CommonControlsScope {
 public:
  // `classes` as INITCOMMONCONTROLSEX takes them (ICC_...).
  explicit CommonControlsScope(DWORD classes);
  ~CommonControlsScope();
  CommonControlsScope(const CommonControlsScope&) = delete;
  CommonControlsScope& operator=(const CommonControlsScope&) = delete;
  // Whether the library is loaded and its classes registered.
  bool ok() const { return ok_; }

 private:
  ULONG_PTR cookie_ = 0;
  bool activated_ = false;
  bool ok_ = false;
};

}  // namespace quillo
