// The taskbar button's window.
#include "win32/app_window.h"

#include "win32/modal_dialog.h"

namespace quillo {
namespace {
// Activation reached this window; the panel takes it over once the activation has settled.
constexpr UINT kForwardActivation = WM_APP + 1;
}  // namespace

AppWindow::~AppWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool AppWindow::Create(HINSTANCE instance, const std::wstring& title) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kAppWindowClass;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  RegisterClassExW(&wc);
  // No size: nothing of it is ever seen but its taskbar button. The system menu and the minimise
  // box give the button its usual menu.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  hwnd_ = CreateWindowExW(0, kAppWindowClass, title.c_str(),
                          WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y, 0, 0,
                          nullptr, nullptr, instance, this);
  return hwnd_ != nullptr;
}

void AppWindow::Show() {
  if (hwnd_ && !IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

void AppWindow::Hide() {
  if (hwnd_ && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void AppWindow::SetIcon(HICON small, HICON big) {
  if (!hwnd_) return;
  if (small) SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (big) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

void AppWindow::BringPanelForward() {
  // While a modal dialog of ours is open the panel is disabled and the dialog is what the user
  // must reach (or the box it is waiting for, the popup it last had active).
  if (HWND dialog = OpenModalDialog()) {
    HWND target = GetLastActivePopup(dialog);
    if (!target || !IsWindowVisible(target) || !IsWindowEnabled(target)) target = dialog;
    SetForegroundWindow(target);
    SetActiveWindow(target);
    return;
  }
  if (!panel_ || !IsWindowVisible(panel_)) return;
  SetForegroundWindow(panel_);
  SetActiveWindow(panel_);
}

LRESULT CALLBACK AppWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  AppWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<AppWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<AppWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT AppWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      // A click on the taskbar button or Alt+Tab: the panel comes forward instead.
      if (LOWORD(wp) != WA_INACTIVE) PostMessageW(hwnd_, kForwardActivation, 0, 0);
      return 0;
    case kForwardActivation:
      BringPanelForward();
      return 0;
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_RESTORE:
        case SC_MAXIMIZE:
          // The button of the foreground program minimises it; the panel has no minimised
          // state (its own button hides it to the notification area), so it comes forward.
          BringPanelForward();
          return 0;
        case SC_CLOSE:
          if (panel_) PostMessageW(panel_, WM_CLOSE, 0, 0);
          return 0;
        default:
          return DefWindowProcW(hwnd_, msg, wp, lp);
      }
    case WM_CLOSE:
      if (panel_) PostMessageW(panel_, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCDESTROY: {
      HWND hwnd = hwnd_;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

}  // namespace quillo
