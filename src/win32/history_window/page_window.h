// A page of the History window: a plain child window that holds the page's controls, shown while
// its button is pressed. Tab moves through its controls as through the window's own
// (WS_EX_CONTROLPARENT); their commands go to the page's owner.
#pragma once

#include <windows.h>

#include <functional>

namespace quillo {

class PageWindow {
 public:
  // `command(id, code)` receives the WM_COMMAND of the page's controls.
  PageWindow(HINSTANCE instance, HWND parent, int id, std::function<void(int, int)> command);
  ~PageWindow();
  PageWindow(const PageWindow&) = delete;
  PageWindow& operator=(const PageWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  HWND hwnd_ = nullptr;
  std::function<void(int, int)> command_;
};

}  // namespace quillo
