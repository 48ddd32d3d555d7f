// Building and tracking the pop-up menu.
#include "win32/popup_menu.h"

#include "win32/win_platform.h"

namespace quillo {

void TrackPopupMenu1(HWND owner, POINT at, const std::vector<MenuEntry>& items) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (const MenuEntry& e : items) {
    if (e.separator)
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuW(menu, MF_STRING | (e.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(e.command),
                  Widen(e.caption).c_str());
  }
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

}  // namespace quillo
