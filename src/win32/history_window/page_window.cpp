// The pages' container window.
#include "win32/history_window/page_window.h"

#include <exception>

#include "win32/message_boxes.h"

namespace quillo {
namespace {

constexpr wchar_t kPageClass[] = L"QuillomatHistoryPage";

}  // namespace

PageWindow::PageWindow(HINSTANCE instance, HWND parent, int id,
                       std::function<void(int, int)> command)
    : command_(std::move(command)) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, kPageClass, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kPageClass;
    RegisterClassExW(&wc);
  }
  CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 1, 1,
                  parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

PageWindow::~PageWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK PageWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  PageWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<PageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<PageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    if (msg == WM_COMMAND && self->command_) {
      self->command_(LOWORD(wp), HIWORD(wp));
      return 0;
    }
    if (msg == WM_NCDESTROY) self->hwnd_ = nullptr;
  } catch (const std::exception& e) {
    ShowErrorBox(hwnd, e.what());
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace quillo
