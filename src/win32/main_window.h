// The main window: a borderless panel that owns the timers, the notification-area icon and the
// pop-up menu, and translates window messages into calls on the core's MainLogic.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "core/app/main_logic.h"
#include "win32/input_thread.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmMain";
inline constexpr wchar_t kAppWindowClass[] = L"TApplication";

class MainWindow : public MainView {
 public:
  MainWindow(HINSTANCE instance, bool haveCommandLineParameters);
  ~MainWindow() override;

  // Creates the application window and the main window (running start-up), then shows it.
  bool Create();
  HWND hwnd() const { return hwnd_; }

  // MainView.
  void SetSamplerTimer(bool enabled) override;
  void ShowCountingState(bool counting, const std::string& caption) override;
  void SetPanelColor(uint32_t color) override;
  void SetDebugMenuVisible(bool visible) override { debugMenu_ = visible; }
  void SetSubmitTimer(bool enabled, int32_t minutes) override;
  PanelPresence Presence() override { return {false, false}; }
  void ShowSample(const SampleView& view) override;
  bool IsVisible() override { return IsWindowVisible(hwnd_) != FALSE; }
  void HideToTray() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) override;
  void ShowError(const std::string& text) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void FormCreate();
  void FormShow();
  void Paint();
  void AddTrayIcon();
  void UpdateTrayIcon();
  void ShowPopupMenu(POINT at);
  void ShowPanel();
  HICON MakeStateIcon(bool on) const;

  HINSTANCE instance_;
  bool haveParams_;
  HWND appWindow_ = nullptr;
  HWND hwnd_ = nullptr;
  HANDLE mutex_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH panelBrush_ = nullptr;
  HICON iconOn_ = nullptr, iconOff_ = nullptr;
  bool counting_ = true;
  bool trayAdded_ = false;
  bool debugMenu_ = false;
  bool placementSaved_ = false;
  UINT taskbarCreated_ = 0;

  WinClock clock_;
  WinSystemQueries system_;
  RegistryStore store_;
  std::unique_ptr<InputThread> input_;
  std::unique_ptr<MainLogic> logic_;
};

}  // namespace quillo
