// What the main window's logic needs from the operating system and from the window itself,
// as small interfaces: the Win32 program implements them for real, the unit tests with fakes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/counting/sampler.h"
#include "core/history/day_places.h"
#include "core/panel/main_window_texts.h"

namespace quillo {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() = 0;  // local moment, days since 1899-12-30
};

class SystemQueries {
 public:
  virtual ~SystemQueries() = default;
  virtual std::optional<std::pair<int32_t, int32_t>> CursorPos() = 0;
  // Whole seconds since the last keyboard or mouse input on the desktop.
  virtual std::optional<uint32_t> IdleSeconds() = 0;
  // The ms tick of the last keyboard or mouse input on the desktop (the hook watchdog's witness).
  virtual std::optional<uint32_t> LastInputTick() { return std::nullopt; }
  // False while the input goes to a desktop other than the program's (the lock screen, the
  // secure desktop of a password or elevation prompt): the hooks cannot see that input, though
  // it moves the last-input time.
  virtual bool InputDesktopIsOurs() { return true; }
  virtual std::pair<int32_t, int32_t> PrimaryScreenSize() = 0;
  // The screen rectangles of the monitors now (where the clicks' places are counted).
  virtual std::vector<ScreenRect> Monitors() { return {}; }
  virtual std::string ComputerName() = 0;  // lower case
  virtual char DecimalSeparator() = 0;
  // The locale's abbreviated month names, January first (UTF-8).
  virtual std::array<std::string, 12> ShortMonthNames() = 0;
  virtual bool AutoStartEntryExists() = 0;
};

enum class HookKind { kKeyboard, kMouse };

// Installs and removes the two low-level hooks (on the input thread, in the real program).
class HookBackend {
 public:
  virtual ~HookBackend() = default;
  virtual int64_t Install(HookKind kind) = 0;  // 0 on failure
  virtual bool Remove(HookKind kind, int64_t handle) = 0;
};

// The window as the logic drives it.
class MainView {
 public:
  virtual ~MainView() = default;
  // tmrDistance.
  virtual void SetSamplerTimer(bool enabled) = 0;
  // The on/off button's caption and the window and tray icons for counting or paused.
  virtual void ShowCountingState(bool counting, const std::string& caption) = 0;
  virtual void SetPanelColor(uint32_t color) = 0;
  virtual void SetDebugMenuVisible(bool visible) = 0;
  // A language's captions, menu items and hints (the on/off caption follows the counting state).
  virtual void ApplyTexts(const MainWindowTexts& texts) = 0;
  virtual void SetSubmitTimer(bool enabled, int32_t minutes) = 0;
  // Which indicator groups the panel has now, and the sample's figures for the panel.
  virtual PanelPresence Presence() = 0;
  virtual void ShowSample(const SampleView& view) = 0;
  virtual bool IsVisible() = 0;
  virtual void HideToTray() = 0;
  // A plain message box with an OK button captioned with the application title; modal.
  virtual void ShowMessage(const std::string& text) = 0;
  // A warning question with two buttons captioned `yes` and `no`; true for the first.
  virtual bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) = 0;
  // The standard error box (also used for values that failed to load).
  virtual void ShowError(const std::string& text) = 0;
  // A line just added to the debug text, for a debugger to show as it happens.
  virtual void DebugLine(const std::string& text) {}
};

}  // namespace quillo
