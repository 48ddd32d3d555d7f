// The about dialog: the program's name and version, the notice, "freeware", and the support and
// web links, laid out in pixels for the screen's DPI. One at a time; shown modally.
#pragma once

#include <windows.h>

namespace quillo {

// Opens the dialog owned by `owner` and returns when it is closed; if it is already open (its
// menu item can be chosen again from the notification-area icon), brings it to the front and
// returns at once. `appWindow` is the window that carries the program's taskbar button: the
// dialog hides it whenever it becomes active and shows it again when it closes.
void ShowAboutDialog(HINSTANCE instance, HWND owner, HWND appWindow);

}  // namespace quillo
