// The main window: a borderless panel of labelled indicators that owns the timers, the
// notification-area icon and the pop-up menu, and translates window messages into calls on the
// core's MainLogic. The panel is built from the core's layout on every show, freed on every hide.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <memory>
#include <string>

#include "core/app/main_logic.h"
#include "core/panel/panel_layout.h"
#include "win32/indicator_view.h"
#include "win32/input_thread.h"
#include "win32/log_file.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmMain";
inline constexpr wchar_t kAppWindowClass[] = L"TApplication";

// Command ids of the pop-up menu and the panel's buttons (the end-to-end tests send them too).
enum CommandId : UINT {
  kCmdHidePanel = 100,
  kCmdResetCounters = 101,
  kCmdExit = 102,
  kCmdSetup = 103,
  kCmdExport = 104,
  kCmdImport = 105,
  kCmdWebsite = 106,
  kCmdCheckUpdate = 107,
  kCmdHelp = 108,
  kCmdAbout = 109,
  kCmdDebugCheckHooks = 110,
  kCmdDebugRefreshHooks = 111,
  kCmdBtnExit = 200,
  kCmdBtnMinimize = 201,
  kCmdBtnHelp = 202,
  kCmdBtnOnOff = 203,
  kCmdBtnSetup = 204,
};

inline constexpr char kWebSiteAddress[] = "https://www.ombrelune.example/";

class MainWindow : public MainView {
 public:
  MainWindow(HINSTANCE instance, bool haveCommandLineParameters);
  ~MainWindow() override;

  // Creates the application window and the main window (running start-up), then shows it.
  bool Create();
  HWND hwnd() const { return hwnd_; }
  // The menu's shortcuts (F1, Alt+F4) while the panel has the focus.
  bool TranslateAccelerators(MSG& msg);

  // MainView.
  void SetSamplerTimer(bool enabled) override;
  void ShowCountingState(bool counting, const std::string& caption) override;
  void SetPanelColor(uint32_t color) override;
  void SetDebugMenuVisible(bool visible) override { debugMenu_ = visible; }
  void ApplyTexts(const MainWindowTexts& texts) override;
  void SetSubmitTimer(bool enabled, int32_t minutes) override;
  PanelPresence Presence() override;
  void ShowSample(const SampleView& view) override;
  bool IsVisible() override { return IsWindowVisible(hwnd_) != FALSE; }
  void HideToTray() override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) override;
  void ShowError(const std::string& text) override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool Command(UINT id);
  void FormCreate();
  void FormShow();
  void FormHide();
  // SetItems + SetSize: builds the panel's controls for the settings at the window's DPI.
  void SetItems();
  // freeobjects: destroys every control of the panel.
  void freeobjects();
  // Adds, updates or removes a button's hint.
  void ButtonHint(UINT message, HWND button, const std::string& hint);
  void ApplyFrame(const PanelFrame& frame);
  void ApplyAlpha(const std::optional<AlphaBlend>& alpha);
  void SetStayOnTop(bool onTop);
  void CreateFonts();
  static HFONT SystemFont();
  void Paint();
  void BeginDrag();
  void HidePanel1Click();
  void ShowPanel();
  void OpenHelp();
  void OpenWebSite();
  void AddTrayIcon();
  void UpdateTrayIcon();
  void UpdateTrayHint();
  void ShowPopupMenu(POINT at);
  PanelLayout CurrentLayout() const;
  int Dpi() const;
  HICON MakeStateIcon(bool on) const;

  HINSTANCE instance_;
  bool haveParams_;
  HWND appWindow_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HANDLE mutex_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HBRUSH panelBrush_ = nullptr;
  HFONT labelFont_ = nullptr, symbolFont_ = nullptr, textFont_ = nullptr, windowFont_ = nullptr;
  int fontDpi_ = 0;
  BYTE fontCharset_ = DEFAULT_CHARSET;
  HICON iconOn_ = nullptr, iconOff_ = nullptr;
  bool counting_ = true;
  bool trayAdded_ = false;
  bool debugMenu_ = false;
  bool placementSaved_ = false;
  UINT taskbarCreated_ = 0;

  MainWindowTexts texts_ = TextsForLanguage(kEnglish);
  std::string onoffCaption_ = "on";
  bool built_ = false;
  PanelLayout layout_;
  std::array<std::unique_ptr<IndicatorView>, kControlCount> indicators_;
  std::array<HWND, kControlCount> buttons_{};

  WinClock clock_;
  WinSystemQueries system_;
  RegistryStore store_;
  WinLogFile logFile_;
  std::unique_ptr<InputThread> input_;
  std::unique_ptr<MainLogic> logic_;
};

}  // namespace quillo
