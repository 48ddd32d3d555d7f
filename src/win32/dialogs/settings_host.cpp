// The settings dialog's host: moving the panel out of sight and back around its rebuild, the Run
// key, the program's path, the Documents folder, the shell and its questions.
#include "win32/dialogs/settings_host.h"

#include <shellapi.h>

#include <algorithm>

#include "core/panel/work_area.h"
#include "win32/dialogs/settings_dialog_layout.h"
#include "win32/log_file.h"
#include "win32/message_boxes.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {

void WinSettingsHost::MoveMainWindowOffScreen() {
  GetWindowRect(owner_.window, &before_);
  // Below every monitor, so that no screen of a larger desktop shows the half-built panel.
  const int below = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  SetWindowPos(owner_.window, nullptr, before_.left,
               std::max(settings_layout::kOffScreenTop, below), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinSettingsHost::MoveMainWindowBack() {
  RECT now;
  GetWindowRect(owner_.window, &now);
  const int32_t width = now.right - now.left, height = now.bottom - now.top;
  // The monitor the panel was on before it went out of sight, not the one below everything.
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromRect(&before_, MONITOR_DEFAULTTONEAREST), &mi);
  const ScreenRect work{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
  const ScreenPoint at =
      KeepOnWorkArea({before_.left, before_.top, before_.left + width, before_.top + height}, work);
  SetWindowPos(owner_.window, nullptr, at.x, at.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinSettingsHost::RepaintMainWindow() {
  RedrawWindow(owner_.window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void WinSettingsHost::SetAutoStart(const std::string& name, const std::string& data, bool once,
                                   bool remove) {
  quillo::SetAutoStart(name, data, once, remove);
}

bool WinSettingsHost::AskYesNoDefaultNo(const std::string& text, const std::string& yes,
                                        const std::string& no) {
  // The box belongs to the open dialog whatever owner is named here (message_boxes).
  return AskYesNoBox(owner_.window, text, yes, no, true);
}

std::string WinSettingsHost::ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string WinSettingsHost::DocumentsSubfolder(const std::string& name) {
  return Narrow(quillo::DocumentsSubfolder(Widen(name)));
}

int64_t WinSettingsHost::ShellExec(const std::string& operation, const std::string& file,
                                   const std::string& parameters,
                                   const std::optional<std::string>& directory, int showCommand) {
  const std::wstring dir = directory ? Widen(*directory) : std::wstring();
  return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, Widen(operation).c_str(),
                                                 Widen(file).c_str(), Widen(parameters).c_str(),
                                                 directory ? dir.c_str() : nullptr, showCommand));
}

}  // namespace quillo
