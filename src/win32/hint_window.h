// The panel buttons' hints: a small window with the hint's text that appears when the pointer
// rests on a button and goes when it leaves or presses. Drawn by us, so that the panel needs
// nothing of the common-controls library (which costs the process more than the rest of it).
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

namespace quillo {

class HintWindow {
 public:
  // An `owner` keeps the hint off the taskbar where a tool window alone does not (Wine's).
  explicit HintWindow(HINSTANCE instance, HWND owner = nullptr);
  ~HintWindow();
  HintWindow(const HintWindow&) = delete;
  HintWindow& operator=(const HintWindow&) = delete;

  void SetFont(HFONT font) { font_ = font; }
  void Add(HWND control, const std::wstring& text) { hints_[control] = text; }
  void Remove(HWND control);
  // Every message the thread retrieves passes here: the pointer on a control with a hint starts
  // the wait, leaving it or pressing a button hides the hint.
  void Relay(const MSG& msg);

  // A hint shown at once, whatever the controls: `text` with its top left corner `below` pixels
  // under the screen point `at` (above it when the monitor ends first). It stays until hidden or
  // shown again (a chart's figure under the pointer, or selected by a key).
  void ShowText(const std::wstring& text, POINT at, int below);
  void Hide();
  bool shown() const { return shown_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void Show();
  void Place(const std::wstring& text, POINT at, int below);
  void Paint();

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HWND over_ = nullptr;       // the control with a hint under the pointer
  HWND lastMoved_ = nullptr;  // the window the last pointer move was over
  bool waiting_ = false;      // the show timer runs
  bool shown_ = false;
  std::unordered_map<HWND, std::wstring> hints_;
};

}  // namespace quillo
