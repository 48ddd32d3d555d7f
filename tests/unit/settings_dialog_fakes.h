// In-memory stand-ins for the platform, the main window and the settings dialog's host, which
// write what happens to them into one shared list so a test can check the order of events.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/main_logic.h"
#include "core/app/settings_dialog.h"
#include "fake_platform.h"

namespace quillo::fakes {

using Events = std::vector<std::string>;

struct Clock : quillo::Clock {
  double now = 46000.5;  // noon, 9 December 2025
  double Now() override { return now; }
};

struct System : SystemQueries {
  char separator = '.';
  bool autoStart = false;
  std::optional<std::pair<int32_t, int32_t>> CursorPos() override {
    return std::pair<int32_t, int32_t>{100, 200};
  }
  std::optional<uint32_t> IdleSeconds() override { return 0; }
  std::pair<int32_t, int32_t> PrimaryScreenSize() override { return {1920, 1080}; }
  std::string ComputerName() override { return "desk-7"; }
  char DecimalSeparator() override { return separator; }
  std::array<std::string, 12> ShortMonthNames() override {
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  }
  bool AutoStartEntryExists() override { return autoStart; }
};

struct Hooks : HookBackend {
  int64_t next = 101;
  int64_t Install(HookKind) override { return next++; }
  bool Remove(HookKind, int64_t) override { return true; }
};

// Records every dialog-relevant call of the main window.
struct View : MainView {
  explicit View(Events& e) : events(e) {}
  Events& events;
  bool debugMenu = false;
  int language = -1;
  uint32_t panelColor = 0;
  bool submit = false;
  int32_t submitMinutes = 0;
  std::vector<std::string> errors;
  void SetSamplerTimer(bool) override {}
  void ShowCountingState(bool, const std::string&) override {}
  void SetPanelColor(uint32_t c) override {
    panelColor = c;
    events.push_back("panel colour " + ColorToHex(c));
  }
  void SetDebugMenuVisible(bool v) override {
    debugMenu = v;
    events.push_back(std::string("debug menu ") + (v ? "shown" : "hidden"));
  }
  void ApplyTexts(const MainWindowTexts& t) override {
    language = t.language;
    events.push_back("texts " + std::to_string(t.language));
  }
  void SetSubmitTimer(bool e, int32_t minutes) override {
    submit = e;
    submitMinutes = minutes;
    events.push_back(std::string("submit timer ") + (e ? "on " : "off ") + std::to_string(minutes));
  }
  PanelPresence Presence() override { return {}; }
  void ShowSample(const SampleView&) override {}
  bool IsVisible() override { return true; }
  void HideToTray() override {}
  void ShowMessage(const std::string& t) override { events.push_back("message " + t); }
  bool AskYesNo(const std::string&, const std::string&, const std::string&) override {
    return true;
  }
  void ShowError(const std::string& t) override { errors.push_back(t); }
};

struct LogFile : quillo::LogFile {
  std::string contents;
  bool Exists() override { return !contents.empty(); }
  std::optional<std::string> Append(std::string_view text) override {
    contents += text;
    return std::nullopt;
  }
  int Lines() const { return static_cast<int>(std::count(contents.begin(), contents.end(), '\n')); }
};

// The store, with every write recorded as "write Name=Value" under the name as spelt.
struct Store : MemoryStore {
  explicit Store(Events& e) : events(e) {}
  Events& events;
  void Write(std::string_view name, std::string_view value) override {
    events.push_back("write " + std::string(name) + "=" + std::string(value));
    MemoryStore::Write(name, value);
  }
};

struct Host : SettingsHost {
  explicit Host(Events& e) : events(e) {}
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

// The history's files, whose deletion can be made to fail.
struct History : FakeHistoryFiles {
  std::optional<std::string> deleteFailure;
  std::optional<std::string> DeleteAll() override {
    if (deleteFailure) return deleteFailure;
    return FakeHistoryFiles::DeleteAll();
  }
};

// A started main window's logic with the settings dialog's host, all in memory.
struct Rig {
  Events events;
  ActivityCounters counters;
  Clock clock;
  System system;
  Hooks hooks;
  Store store{events};
  View view{events};
  LogFile logFile;
  Host host{events};
  History history;
  // The program keeps its history in `history`; without files (nullptr) it keeps none.
  quillo::HistoryFiles* historyFiles = &history;
  std::unique_ptr<MainLogic> logic;
  // What the last opening did outside the dialog, kept before the events are cleared.
  Events opening;

  // Starts the logic from the stored values, then forgets what start-up did.
  MainLogic& Start(std::initializer_list<std::pair<const char*, const char*>> stored = {}) {
    store.values.clear();
    for (const auto& [name, value] : stored) store.values[name] = value;
    logic = std::make_unique<MainLogic>(
        counters, Platform{clock, system, hooks, store, view, logFile, historyFiles}, false);
    logic->FormCreate();
    events.clear();
    return *logic;
  }
  // A dialog as it opens.
  SettingsDialogState Open() {
    SettingsDialogState st;
    FormShow(st, *logic, host);
    opening = events;
    events.clear();
    return st;
  }
  // The events that are store writes, without the "write " prefix.
  std::vector<std::string> Writes() const {
    std::vector<std::string> w;
    for (const auto& e : events)
      if (e.rfind("write ", 0) == 0) w.push_back(e.substr(6));
    return w;
  }
  std::string Stored(const std::string& name) const {
    const auto it = store.values.find(name);
    return it == store.values.end() ? "<absent>" : it->second;
  }
};

}  // namespace quillo::fakes
