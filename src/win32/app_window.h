// The application's own window: invisible (it has no size), it carries the taskbar button titled
// "Quillomat 14.0" and the Alt+Tab entry, and hands every activation on to the panel it owns, or
// to the modal dialog that is open over the panel.
#pragma once

#include <windows.h>

#include <string>

namespace quillo {

inline constexpr wchar_t kAppWindowClass[] = L"TApplication";

class AppWindow {
 public:
  AppWindow() = default;
  ~AppWindow();
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;

  bool Create(HINSTANCE instance, const std::wstring& title);
  HWND hwnd() const { return hwnd_; }
  // The window that activation, the taskbar button and the close command go to.
  void SetPanel(HWND panel) { panel_ = panel; }
  // The taskbar button and Alt+Tab entry appear; nothing is activated.
  void Show();
  // They disappear (the panel is hidden to the notification area).
  void Hide();
  void SetIcon(HICON small, HICON big);
  // The panel comes to the front, or the modal dialog of ours that is open in front of it.
  void BringPanelForward();

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  HWND panel_ = nullptr;
};

}  // namespace quillo
