// The settings dialog's host: moving and rebuilding the main window, the Run key, the program's
// path, the Documents folder and the shell.
#include "win32/dialogs/settings_host.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "win32/dialogs/settings_dialog_layout.h"
#include "win32/log_file.h"
#include "win32/main_window.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {

namespace {

class WinSettingsHost : public SettingsHost {
 public:
  explicit WinSettingsHost(MainWindow& main) : main_(main) {}

  void MoveMainWindowOffScreen() override {
    RECT r;
    GetWindowRect(main_.hwnd(), &r);
    left_ = r.left;
    top_ = r.top;
    // Below every monitor, so that no screen of a larger desktop shows the half-built panel.
    const int below = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    SetWindowPos(main_.hwnd(), nullptr, r.left, std::max(settings_layout::kOffScreenTop, below), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void RebuildPanel() override { main_.RebuildPanel(); }
  void MoveMainWindowBack() override {
    SetWindowPos(main_.hwnd(), nullptr, left_, top_, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void RepaintMainWindow() override {
    RedrawWindow(main_.hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  void SetAutoStart(const std::string& name, const std::string& data, bool once,
                    bool remove) override {
    quillo::SetAutoStart(name, data, once, remove);
  }
  std::string ExecutablePath() override {
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
  std::string DocumentsSubfolder(const std::string& name) override {
    return Narrow(quillo::DocumentsSubfolder(Widen(name)));
  }
  int64_t ShellExec(const std::string& operation, const std::string& file,
                    const std::string& parameters, const std::optional<std::string>& directory,
                    int showCommand) override {
    const std::wstring dir = directory ? Widen(*directory) : std::wstring();
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, Widen(operation).c_str(),
                                                   Widen(file).c_str(), Widen(parameters).c_str(),
                                                   directory ? dir.c_str() : nullptr, showCommand));
  }

 private:
  MainWindow& main_;
  int left_ = 0, top_ = 0;
};

}  // namespace

std::unique_ptr<SettingsHost> MakeSettingsHost(MainWindow& main) {
  return std::make_unique<WinSettingsHost>(main);
}

}  // namespace quillo
