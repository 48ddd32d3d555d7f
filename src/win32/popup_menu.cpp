// Building and tracking the pop-up menu.
#include "win32/popup_menu.h"

#include "win32/win_platform.h"

namespace quillo {
namespace {

constexpr wchar_t kMenuHostClass[] = L"QuillomatMenuHost";

// A window of no size that can take the foreground while the panel is hidden: a hidden window
// cannot, and a menu whose owner is not in front ignores the keyboard.
HWND MenuHost(HINSTANCE instance) {
  static HWND host = nullptr;
  if (host && IsWindow(host)) return host;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kMenuHostClass;
  RegisterClassExW(&wc);
  host = CreateWindowExW(WS_EX_TOOLWINDOW, kMenuHostClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                         nullptr, instance, nullptr);
  return host;
}

}  // namespace

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
  HWND tracker = owner;
  if (!IsWindowVisible(owner)) {
    if (HWND host =
            MenuHost(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)))) {
      SetWindowPos(host, HWND_TOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
      tracker = host;
    }
  }
  SetForegroundWindow(tracker);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, tracker, nullptr));
  PostMessageW(tracker, WM_NULL, 0, 0);
  if (tracker != owner) ShowWindow(tracker, SW_HIDE);
  DestroyMenu(menu);
  if (chosen) PostMessageW(owner, WM_COMMAND, chosen, 0);
}

}  // namespace quillo
