// The main window: a borderless panel of labelled indicators. It owns the timers, the taskbar
// button's window, the notification-area icon and the panel's controls, and translates window
// messages into calls on the core's MainLogic.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/app/main_logic.h"
#include "core/app/online_logic.h"
#include "core/panel/commands.h"
#include "core/panel/panel_layout.h"
#include "core/panel/popup_menu.h"
#include "win32/app_window.h"
#include "win32/history_files.h"
#include "win32/history_window/history_window.h"
#include "win32/input_thread.h"
#include "win32/log_file.h"
#include "win32/net_worker.h"
#include "win32/panel_view.h"
#include "win32/registry_store.h"
#include "win32/tray_icon.h"
#include "win32/win_platform.h"

namespace quillo {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmMain";
inline constexpr wchar_t kMainWindowTitle[] = L"Quillomat";

// The windows of the commands that this build has.
inline constexpr MenuAvailability kAvailable{
    .setup = true, .exportImport = true, .checkUpdate = true, .about = true, .history = true};

class MainWindow : public MainView, public OnlineView {
 public:
  MainWindow(HINSTANCE instance, bool haveCommandLineParameters);
  ~MainWindow() override;

  // Creates the application window and the main window (running start-up), then shows it.
  bool Create();
  HWND hwnd() const { return hwnd_; }
  // Keyboard of the panel in the message loop: the menu's shortcuts (F1, Alt+F4), then Tab,
  // Shift+Tab and Space among the buttons. True when the message was handled.
  bool PreTranslate(MSG& msg);
  // MainView.
  void SetSamplerTimer(bool enabled) override;
  void ShowCountingState(bool counting, const std::string& caption) override;
  void SetPanelColor(uint32_t color) override;
  void SetDebugMenuVisible(bool visible) override { debugMenu_ = visible; }
  void ApplyTexts(const MainWindowTexts& texts) override;
  void SetSubmitTimer(bool enabled, int32_t minutes) override;
  PanelPresence Presence() override { return panel_->Presence(); }
  void ShowSample(const SampleView& view) override { panel_->ShowSample(view); }
  bool IsVisible() override { return IsWindowVisible(hwnd_) != FALSE; }
  void HideToTray() override { HidePanel(false); }
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) override;
  void ShowError(const std::string& text) override;
  void DebugLine(const std::string& text) override;

  // OnlineView.
  void ShowSubmitError(const std::string& text) override { ShowError(text); }
  void ShowWarning(const std::string& text) override;
  bool ShowUpdateDialog(const UpdateDialogState& state) override;

 private:
  // Rebuilds the panel for the window's DPI once no modal loop has a control on its call stack.
  static constexpr UINT kRebuildPanel = WM_APP + 12;
  // A hide asked for during a modal loop (a drag, a menu), carried out once it has returned.
  static constexpr UINT kHidePanelNow = WM_APP + 14;
  // Moving the window as if its caption were dragged: SC_MOVE plus the caption hit-test code.
  static constexpr WPARAM kDragCommand = 61458;

  // What the settings dialog's host is handed: the panel built anew, the top-most band.
  void RebuildPanel();
  void SetStayOnTop(bool onTop);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool OnCommand(Command command);
  void OnTrayMessage(LPARAM lp);
  void FormCreate();
  void FormShow();
  void FormHide();
  // SetItems + SetSize at the window's DPI.
  void SetItems();
  void ApplyFrame(const PanelFrame& frame);
  void ApplyAlpha(const std::optional<AlphaBlend>& alpha);
  void Paint();
  // Moves the window with the pointer until the button that was pressed (`upMessage` is its
  // release) comes up again.
  void BeginDrag(UINT upMessage);
  void ShowPopupMenu(POINT at);
  // Hides window and taskbar button to the notification area, when the icon is there. Start-up's
  // hide waits for the icon; others are refused without it. True when hidden.
  bool HidePanel(bool deferUntilIconIsThere);
  void ShowPanel();
  // Another start of the program asked for this copy: the panel, shown, in front.
  void ComeForward();
  void HidePanel1Click();
  // The help file, at one of its pages when `page` is given ("history.html").
  void OpenHelp(const wchar_t* page = nullptr);
  // "History...": the window opened, or the one that is open brought forward.
  void OpenHistory();
  void OpenWebSite();
  void UpdateTrayHint();
  // After an attempt to add the icon: a deferred hide is due, or a hidden window without an icon
  // must come back so that the program stays reachable.
  void AfterTrayAttempt();
  PanelLayout CurrentLayout() const;
  int Dpi() const;
  // Runs a modal loop (a drag, a menu) that may have a panel control on its call stack; a rebuild
  // asked for meanwhile waits until it has returned.
  template <typename Loop>
  void InNestedLoop(Loop&& loop);

  HINSTANCE instance_;
  bool haveParams_;
  AppWindow app_;
  HWND hwnd_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HBRUSH panelBrush_ = nullptr;
  HICON iconOn_ = nullptr, iconOff_ = nullptr, bigIconOn_ = nullptr, bigIconOff_ = nullptr;
  bool counting_ = true;
  bool debugMenu_ = false;
  bool placementSaved_ = false;
  UINT taskbarCreated_ = 0;
  int nestedLoops_ = 0;
  UINT dragEndsOn_ = 0;  // the release message of the button that is dragging the window
  bool rebuildPending_ = false;
  bool hidePending_ = false;

  MainWindowTexts texts_ = TextsForLanguage(kEnglish);
  std::unique_ptr<PanelView> panel_;
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<HistoryWindow> history_;  // while the History window is open

  WinClock clock_;
  WinSystemQueries system_;
  RegistryStore store_;
  WinLogFile logFile_;
  WinHistoryFiles historyFiles_;
  std::unique_ptr<InputThread> input_;
  std::unique_ptr<MainLogic> logic_;
  std::unique_ptr<NetWorker> net_;
  std::unique_ptr<OnlineLogic> online_;
};

}  // namespace quillo
