// The operating-system services the core's logic reads: clock, pointer, idle time, screen,
// computer name, locale.
#pragma once

#include <windows.h>

#include "core/app/platform.h"

namespace quillo {

class WinClock : public Clock {
 public:
  double Now() override;
};

class WinSystemQueries : public SystemQueries {
 public:
  WinSystemQueries();
  std::optional<std::pair<int32_t, int32_t>> CursorPos() override;
  std::optional<uint32_t> IdleSeconds() override;
  std::optional<uint32_t> LastInputTick() override;
  bool InputDesktopIsOurs() override;
  std::pair<int32_t, int32_t> PrimaryScreenSize() override;
  std::vector<ScreenRect> Monitors() override;
  std::string ComputerName() override;
  char DecimalSeparator() override { return decimalSeparator_; }
  std::array<std::string, 12> ShortMonthNames() override;
  bool AutoStartEntryExists() override;  // in registry_store.cpp, beside the Run key

 private:
  char decimalSeparator_ = '.';  // as it was at start-up
};

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace quillo
