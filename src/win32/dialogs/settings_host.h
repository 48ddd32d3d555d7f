// What the settings dialog reaches outside itself, for the real program: the window that opens it
// (handed in as plain pieces, so that nothing under dialogs/ knows that window's class), the Run
// key, the program's path, the Documents folder, the shell and its questions.
#pragma once

#include <windows.h>

#include <functional>

#include "core/app/settings_dialog.h"

namespace quillo {

// The opening window's part in the dialog, given by that window.
struct SettingsOwner {
  // Owns the dialog; the panel that applying moves out of sight, rebuilds and moves back.
  HWND window = nullptr;
  MainLogic* logic = nullptr;
  // The panel built anew for the settings as they are now (freeobjects, SetItems, SetSize).
  std::function<void()> rebuildPanel;
  // The top-most band taken or left.
  std::function<void(bool onTop)> setStayOnTop;
  // "Send Now !"; when empty, that button cannot be used.
  std::function<void()> sendNow;
};

class WinSettingsHost final : public SettingsHost {
 public:
  explicit WinSettingsHost(SettingsOwner owner) : owner_(std::move(owner)) {}

  HWND OwnerWindow() const { return owner_.window; }
  MainLogic& logic() const { return *owner_.logic; }
  void SetStayOnTop(bool onTop) const {
    if (owner_.setStayOnTop) owner_.setStayOnTop(onTop);
  }
  bool CanSendNow() const { return static_cast<bool>(owner_.sendNow); }
  void SendNow() const {
    if (owner_.sendNow) owner_.sendNow();
  }

  // SettingsHost.
  void MoveMainWindowOffScreen() override;
  void RebuildPanel() override {
    if (owner_.rebuildPanel) owner_.rebuildPanel();
  }
  // Back at its left and top, unless the rebuilt panel would then run off the work area of the
  // monitor it was on: then moved in as little as needed.
  void MoveMainWindowBack() override;
  void RepaintMainWindow() override;
  void SetAutoStart(const std::string& name, const std::string& data, bool once,
                    bool remove) override;
  // The program's question box, owned by the open dialog.
  bool AskYesNoDefaultNo(const std::string& text, const std::string& yes,
                         const std::string& no) override;
  std::string ExecutablePath() override;
  std::string DocumentsSubfolder(const std::string& name) override;
  int64_t ShellExec(const std::string& operation, const std::string& file,
                    const std::string& parameters, const std::optional<std::string>& directory,
                    int showCommand) override;

 private:
  SettingsOwner owner_;
  RECT before_{};  // the panel's rectangle before it went out of sight
};

}  // namespace quillo
