// The settings dialog's host in memory: what it is asked to do to the main window goes to the
// shared events; the shell and the auto-start entry are recorded, questions answered as told.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/settings_dialog.h"
#include "platform.h"

namespace quillo::fakes {

struct FakeSettingsHost : SettingsHost {
  explicit FakeSettingsHost(Events& e) : events(e) {}
  Events& events;
  int64_t shellResult = 42;
  struct ShellCall {
    std::string operation, file, parameters;
    std::optional<std::string> directory;
    int show = 0;
  };
  std::vector<ShellCall> shellCalls;
  std::optional<std::pair<std::string, bool>> autoStart;  // data, removed
  struct Question {
    std::string text, yes, no;
  };
  std::vector<Question> questions;
  bool answerYes = false;

  void MoveMainWindowOffScreen() override { events.push_back("off screen"); }
  void RebuildPanel() override { events.push_back("rebuild"); }
  void MoveMainWindowBack() override { events.push_back("back"); }
  void RepaintMainWindow() override { events.push_back("repaint"); }
  void SetAutoStart(const std::string& name, const std::string& data, bool once,
                    bool remove) override {
    events.push_back("auto-start " + name + (remove ? " removed" : " = " + data) +
                     (once ? " once" : ""));
    autoStart = {data, remove};
  }
  bool AskYesNoDefaultNo(const std::string& text, const std::string& yes,
                         const std::string& no) override {
    events.push_back("question");
    questions.push_back({text, yes, no});
    return answerYes;
  }
  std::string ExecutablePath() override { return "C:\\Program Files\\Quillomat\\Quillomat.exe"; }
  std::string DocumentsSubfolder(const std::string& name) override {
    return "C:\\Users\\ann\\Documents\\" + name + "\\";
  }
  int64_t ShellExec(const std::string& operation, const std::string& file,
                    const std::string& parameters, const std::optional<std::string>& directory,
                    int show) override {
    shellCalls.push_back({operation, file, parameters, directory, show});
    return shellResult;
  }
};

}  // namespace quillo::fakes
