// PopupMenu1 on screen: built from the core's list of items and tracked at a point.
#pragma once

#include <windows.h>

#include <vector>

#include "core/panel/popup_menu.h"

namespace quillo {

// Shows the menu at `at` and returns when it closes; the chosen item is posted to `owner` as
// WM_COMMAND. The menu's window is made the foreground window first, or the menu would not answer
// the keyboard and would stay open after a click elsewhere, and a WM_NULL after it lets the menu
// close properly. From the notification area `owner` may be hidden, and a hidden window cannot
// come to the foreground: then a window of no size stands in for it.
void TrackPopupMenu1(HWND owner, POINT at, const std::vector<MenuEntry>& items);

}  // namespace quillo
